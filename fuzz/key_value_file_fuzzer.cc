// Feeds the bytes as a key=value file to both of its readers (a Project's .web file and
// the Program Options file), and checks that the file route and the in-memory route of
// KeyValueText find the same value for every key.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/error.h"
#include "fuzz_support.h"
#include "project/file_store.h"
#include "project/key_value_file.h"
#include "project/program_options.h"
#include "project/project_settings.h"

namespace tarvelo::fuzz {
namespace {

// A sample of both files' keys, a key that is a prefix of others, and odd ones.
constexpr const char* kKeys[] = {"name",
                                 "document-root",
                                 "macro-start-tag",
                                 "max-folders",
                                 "max-docs",
                                 "ini-file-version",
                                 "version",
                                 "editor",
                                 "maximum-projects",
                                 "custom-command1",
                                 "max",
                                 "",
                                 "=",
                                 "a b"};

void ExpectSameNumber(const KeyValueText& from_file, const KeyValueText& from_text,
                      const char* key) {
  int file_result = 0;
  int text_result = 0;
  try {
    file_result = from_file.Number(key, -1);
  } catch (const TarveloError& error) {
    file_result = 100000 + error.number;
  }
  try {
    text_result = from_text.Number(key, -1);
  } catch (const TarveloError& error) {
    text_result = 100000 + error.number;
  }
  if (file_result != text_result) {
    std::fprintf(stderr, "number of key '%s': file %d, text %d\n", key, file_result, text_result);
    std::abort();
  }
}

}  // namespace
}  // namespace tarvelo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvelo;
  using namespace tarvelo::fuzz;
  static const FileStore files(std::map<char, std::string>{});
  const std::string_view text = AsText(data, size);
  const std::string path = WriteScratchFile("settings.ini", text);

  const KeyValueText from_file = KeyValueText::Read(files, path);
  const KeyValueText from_text = KeyValueText::FromText(text);
  for (const char* key : kKeys) {
    if (from_file.Text(key, "\x01") != from_text.Text(key, "\x01")) {
      std::fprintf(stderr, "text of key '%s' differs between the routes\n", key);
      std::abort();
    }
    ExpectSameNumber(from_file, from_text, key);
  }

  try {
    ProjectSettings settings;
    ReadProjectSettingsFile(files, path, settings);
  } catch (const TarveloError&) {
  }
  try {
    ProgramOptions options;
    ReadProgramOptionsFile(files, ScratchFolder(), path, options);
  } catch (const TarveloError&) {
  }
  return 0;
}
