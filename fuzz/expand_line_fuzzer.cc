// Feeds lines with random tags to ExpandLine over a table loaded from Content Files at
// every level. The first byte picks the tag set (the usual one, or sets whose tags are
// substrings of each other); the rest are the lines of a Template, expanded pass after
// pass as document assembly does, within a pass and a size bound.
#include <cstdint>
#include <memory>
#include <vector>

#include "common/error.h"
#include "common/text.h"
#include "engine/content_file.h"
#include "engine/expand_line.h"
#include "fuzz_support.h"
#include "project/file_store.h"
#include "project/project_definition.h"
#include "project/project_settings.h"

namespace tarvelo::fuzz {
namespace {

struct TagSet {
  const char* start;
  const char* end;
  const char* parameter_start;
  const char* parameter_end;
};

constexpr TagSet kTagSets[] = {
    {"[@", "]", "(@", ")"},
    {"{{", "}}", "((", "))"},
    {"@", "@", "(", ")"},     // start and end tags alike
    {"<<", "<", "<(", ")<"},  // tags inside tags
};

// Content Files in the default tags; each tag set rewrites them to its own.
constexpr const char* kProjectFile =
    "[@SITE]:Tarvelo\r\n[@ROOT_DIR]:/site\r\n[@TITLE]:Project title\r\n";
constexpr const char* kGlobalsFile =
    "[@TITLE]:Global title [@^TITLE]\r\n"
    "[@MENU]:\r\n<ul>\r\n<li>[@LINK(@url:a.html)(@text:A)]</li>\r\n</ul>\r\n[@]\r\n"
    "[@LINK(@url:index.html)(@text:Home)]:<a href='(@url)'>(@text)</a>\r\n"
    "[@JS(@msg:it's)]:alert('(@\\msg)');\r\n";
constexpr const char* kFolderFile =
    "[@TITLE]:Folder [@^TITLE]\r\n[@NEWS1]:one\r\n[@NEWS2]:two\r\n[@EMPTY]:\r\n";
constexpr const char* kPageFile =
    "[@TITLE]:Page [@^^TITLE]\r\n[@BODY]:[@TITLE] [@MENU] [@DATE]\r\n"
    "[@SELF]:[@SELF]\r\n[@PING]:[@PONG]\r\n[@PONG]:[@PING]\r\n"
    "[@SHOW]:1\r\n[@LIST(@a)(@b:x)]:(@a)-(@b)\\\\\r\n continued\r\n";

std::string InTags(std::string text, const TagSet& tags) {
  // Through markers, so that a new tag is never taken for an old one.
  ReplaceAll(text, "[@", "\x01");
  ReplaceAll(text, "(@", "\x02");
  ReplaceAll(text, "]", "\x03");
  ReplaceAll(text, ")", "\x04");
  ReplaceAll(text, "\x01", tags.start);
  ReplaceAll(text, "\x02", tags.parameter_start);
  ReplaceAll(text, "\x03", tags.end);
  ReplaceAll(text, "\x04", tags.parameter_end);
  return text;
}

// One expander with its settings, table and definition, as a generation run holds them.
struct Expansion {
  explicit Expansion(const TagSet& tags, int set)
      : expander(settings, macros, definition, FixedClock(1709647629)) {
    settings.macro_start_tag = tags.start;
    settings.macro_end_tag = tags.end;
    settings.parameter_start_tag = tags.parameter_start;
    settings.parameter_end_tag = tags.parameter_end;
    settings.empty_macro_marker = settings.macro_start_tag + settings.macro_end_tag;
    settings.max_parameters = 4;
    DimensionMacroTable(macros, settings);
    const FileStore files(std::map<char, std::string>{});
    NullLog log;
    const std::string prefix = "set" + std::to_string(set) + "-";
    auto load = [&](Int16 level, ContentFileEntry& entry, const char* name, const char* text) {
      const std::string path = WriteScratchFile(prefix + name, InTags(text, tags));
      try {
        LoadContentFile(files, settings, macros, log, level, entry, path, false, false);
      } catch (const TarveloError& error) {
        std::fprintf(stderr, "fixture %s: %s\n", name, error.description.c_str());
        std::abort();
      }
    };
    load(kLevelProject, macros.project, "project.par", kProjectFile);
    macros.project_loaded = true;
    macros.globals.resize(1);
    load(kLevelGlobals, macros.globals[0], "globals.par", kGlobalsFile);
    macros.global_files_loaded = 1;
    macros.folder_globals.resize(1);
    load(kLevelFolderGlobals, macros.folder_globals[0], "folder.par", kFolderFile);
    macros.folder_global_files_loaded = 1;
    macros.content_files.resize(1);
    load(kLevelContentFiles, macros.content_files[0], "page.par", kPageFile);
    macros.content_files_loaded = 1;

    FolderEntry folder;
    folder.name = "news";
    DocumentEntry document;
    document.document = "/site/news/index.html";
    folder.documents.push_back(document);
    definition.folders.push_back(folder);
    expander.SetDocument(0, 0);
  }

  ProjectSettings settings = NewProjectSettings();
  MacroTable macros;
  ProjectDefinition definition;
  MacroExpander expander;
};

constexpr int kPasses = 8;
constexpr size_t kMaxBytes = 1 << 20;

}  // namespace
}  // namespace tarvelo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvelo;
  using namespace tarvelo::fuzz;
  if (size == 0) return 0;
  static std::vector<std::unique_ptr<Expansion>> expansions = [] {
    std::vector<std::unique_ptr<Expansion>> all;
    int set = 0;
    for (const TagSet& tags : kTagSets) all.push_back(std::make_unique<Expansion>(tags, set++));
    return all;
  }();
  Expansion& expansion = *expansions[data[0] % expansions.size()];
  const std::string& start_tag = expansion.settings.macro_start_tag;

  std::vector<std::string> lines;
  std::string_view rest = AsText(data + 1, size - 1);
  while (!rest.empty()) lines.emplace_back(NextLine(rest));

  std::string output;
  std::string warning;
  for (int pass = 0; pass < kPasses; ++pass) {
    std::vector<std::string> written;
    size_t bytes = 0;
    bool reference_found = false;
    Int16 state = kOutsideBlock;
    for (const std::string& line : lines) {
      if (line.find(start_tag) == std::string::npos) {
        if (state != kBlockDropping) written.push_back(line);
        continue;
      }
      reference_found = true;
      output.clear();
      warning.clear();
      try {
        expansion.expander.ExpandLine(line, output, state, warning);
      } catch (const TarveloError& error) {
        if (error.number != kErrMacroSyntax) __builtin_trap();
        return 0;
      }
      if (output.empty() || state == kBlockDropping) continue;
      // A multi-line value becomes lines of their own for the next pass.
      std::string_view value = output;
      while (!value.empty()) {
        std::string_view piece = NextLine(value);
        if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
        written.emplace_back(piece);
        bytes += piece.size() + 2;
      }
      if (bytes > kMaxBytes) return 0;
    }
    lines.swap(written);
    if (!reference_found) break;
  }
  return 0;
}
