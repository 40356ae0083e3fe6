// Random bytes, mixed with pieces of the file syntax, through the two readers of user
// files: the Content File loader and the Project Definition File reader. The only way
// out must be a result or a TarveloError.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/log_sink.h"
#include "engine/content_file.h"
#include "project/file_store.h"
#include "project/program_options.h"
#include "project/project_definition.h"
#include "project/project_settings.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

class NullLog : public LogSink {
 public:
  void WriteLog(const std::string&) override {}
};

std::string RandomFile(std::mt19937& random, const std::vector<std::string>& pieces) {
  std::uniform_int_distribution<int> count(0, 400);
  std::uniform_int_distribution<int> percent(0, 99);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
  std::string text;
  for (int n = count(random); n > 0; --n) {
    text += percent(random) < 25 ? std::string(1, static_cast<char>(byte(random)))
                                 : pieces[piece(random)];
  }
  return text;
}

TEST(ReaderFuzzTest, ContentFilesNeverCrashTheLoader) {
  testing::TempDir dir;
  const FileStore files;
  NullLog log;
  std::mt19937 random(20261207);
  const std::vector<std::string> pieces = {"[@",   "]",  "]:", "(@", ")", ":",      "[@]", "\\\\",
                                           "\r\n", "\n", "\r", " ",  "A", "(@p:1)", "x"};
  ProjectSettings settings;
  settings.max_content_file_macros = 20;
  settings.max_parameters = 3;
  MacroTable macros;
  DimensionMacroTable(macros, settings);
  for (int round = 0; round < 400; ++round) {
    testing::WriteFile(dir / "f.par", RandomFile(random, pieces));
    settings.trim_parameter_values = static_cast<Int16>(round % 2);
    ContentFileEntry entry;
    try {
      const Int16 result = LoadContentFile(files, settings, macros, log, kLevelContentFiles, entry,
                                           dir / "f.par", true, false);
      EXPECT_TRUE(result == kLoaded || result == kLoadedWithWarnings);
    } catch (const TarveloError& error) {
      EXPECT_TRUE(error.number == kErrMacroSyntax || error.number == kErrTooManyMacros)
          << error.number << " " << error.description;
    }
    EXPECT_LE(entry.slots.size(), 20u);
  }
}

TEST(ReaderFuzzTest, DefinitionFilesNeverCrashTheReader) {
  testing::TempDir dir;
  const FileStore files;
  std::mt19937 random(7);
  const std::vector<std::string> pieces = {"[",        "]", "*",      "#",     "!",    "!!",
                                           "Globals=", ",", "\r\n",   "\n",    " -o1", " -ox",
                                           "a.par",    " ", "x.html", "t.tpl", "\\",   ":"};
  ProjectSettings settings;
  settings.content_root = dir.path() + "/";
  settings.definition_file = "project.txt";
  settings.max_folders = 4;
  settings.max_docs = 6;
  settings.global_content_files = "extra.par";
  const ProgramOptions options;
  for (int round = 0; round < 400; ++round) {
    testing::WriteFile(dir / "project.txt", RandomFile(random, pieces));
    try {
      const ProjectDefinition definition =
          ReadProjectDefinitionFile(files, settings, options, round % 2 == 0);
      EXPECT_LE(definition.folders.size(), 4u);
      for (const FolderEntry& folder : definition.folders) EXPECT_LE(folder.documents.size(), 6u);
    } catch (const TarveloError& error) {
      // A NUL byte makes the file not a text file.
      EXPECT_TRUE(error.number == kInvalidProcedureCall || error.number == kInvalidFileFormat ||
                  (error.number >= kErrTooManyFolders && error.number <= kErrTooManyContentFiles))
          << error.number << " " << error.description;
    }
  }
}

}  // namespace
}  // namespace tarvelo
