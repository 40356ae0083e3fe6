// A MacroExpander over a MacroTable filled directly (no Content Files on disk), and a
// small driver that feeds lines through it the way document assembly does.
#ifndef TARVELO_TESTS_ENGINE_EXPAND_FIXTURE_H_
#define TARVELO_TESTS_ENGINE_EXPAND_FIXTURE_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/clock.h"
#include "engine/expand_line.h"
#include "engine/macro_table.h"
#include "project/project_definition.h"
#include "project/project_settings.h"

namespace tarvelo {

// 2024-03-05 14:07:09 UTC.
inline constexpr std::int64_t kFixedTime = 1709647629;

/// One defined Macro.
inline MacroSlot Slot(std::string name, std::string value,
                      std::vector<MacroParameter> parameters = {}) {
  MacroSlot slot;
  slot.name = std::move(name);
  slot.value = std::move(value);
  slot.parameters = std::move(parameters);
  return slot;
}

class ExpandFixture : public ::testing::Test {
 protected:
  ExpandFixture() : expander_(settings_, macros_, definition_, FixedClock(kFixedTime)) {
    FolderEntry folder;
    folder.name = "news";
    DocumentEntry document;
    document.document = "/site/news/index.html";
    folder.documents.push_back(document);
    definition_.folders.push_back(folder);
    expander_.SetDocument(0, 0);
  }

  /// Adds one loaded Content File to a level, as the generation run would.
  void AddFile(Int16 level, const std::string& path, std::vector<MacroSlot> slots) {
    ContentFileEntry entry{path, std::move(slots)};
    switch (level) {
      case kLevelProject:
        macros_.project = std::move(entry);
        macros_.project_loaded = true;
        break;
      case kLevelContentFiles:
        macros_.content_files.push_back(std::move(entry));
        ++macros_.content_files_loaded;
        break;
      case kLevelFolderGlobals:
        macros_.folder_globals.push_back(std::move(entry));
        ++macros_.folder_global_files_loaded;
        break;
      default:
        macros_.globals.push_back(std::move(entry));
        ++macros_.global_files_loaded;
        break;
    }
  }

  /// One call of ExpandLine with the fixture's state; the warning lands in warning_.
  std::string Expand(const std::string& line) {
    std::string output;
    expander_.ExpandLine(line, output, state_, warning_);
    return output;
  }

  /// Expands a line pass after pass until no reference is left (or a pass drops it).
  std::string ExpandFully(std::string line) {
    for (int pass = 0; pass < 20 && line.find(settings_.macro_start_tag) != std::string::npos;
         ++pass) {
      line = Expand(line);
    }
    return line;
  }

  /// One pass over lines as document assembly writes them: a line with a reference is
  /// expanded, and a line is written only outside a dropping block. Warnings collect
  /// in warnings_.
  std::vector<std::string> RunPass(const std::vector<std::string>& lines) {
    std::vector<std::string> written;
    for (const std::string& line : lines) {
      std::string text = line;
      if (line.find(settings_.macro_start_tag) != std::string::npos) {
        text = Expand(line);
        if (!warning_.empty()) warnings_.push_back(warning_);
        if (text.empty()) continue;
      }
      if (state_ != kBlockDropping) written.push_back(text);
    }
    return written;
  }

  ProjectSettings settings_;
  MacroTable macros_;
  ProjectDefinition definition_;
  MacroExpander expander_;
  Int16 state_ = kOutsideBlock;
  std::string warning_;
  std::vector<std::string> warnings_;
};

}  // namespace tarvelo

#endif  // TARVELO_TESTS_ENGINE_EXPAND_FIXTURE_H_
