// Parsing of the console's search options. Each argument is looked at on its own, so
// a find text may hold "/" and option-like words inside one argument.
#include "cli/search_options.h"

#include <array>
#include <string_view>

#include "common/text.h"

namespace tarvelo {
namespace {

enum Option { kFind, kReplace, kIn, kFileTypes, kDefinitionsOnly, kIgnoreCase, kOther, kNone };

constexpr std::array<std::string_view, 6> kSearchNames = {
    "find=", "replace=", "in=", "file-types=", "definitions-only=", "ignore-case="};
constexpr std::array<std::string_view, 6> kBatchNames = {
    "mode=", "project=", "command=", "window=", "document-root=", "modified-only="};

// The option an argument begins, and where its value starts.
Option OptionOf(const std::string& argument, size_t& value_start) {
  size_t name_start = 0;
  if (argument.starts_with("--")) {
    name_start = 2;
  } else if (argument.starts_with("/")) {
    name_start = 1;
  } else {
    return kNone;
  }
  const std::string lower = ToLowerAscii(argument.substr(name_start));
  for (size_t i = 0; i < kSearchNames.size(); ++i) {
    if (lower.starts_with(kSearchNames[i])) {
      value_start = name_start + kSearchNames[i].size();
      return static_cast<Option>(i);
    }
  }
  for (std::string_view name : kBatchNames) {
    if (lower.starts_with(name)) return kOther;
  }
  return kNone;
}

bool ParseFlag(const std::string& value, const char* name, std::string& error) {
  const std::string flag = Trim(value);
  if (flag != "0" && flag != "1") error = std::string("/") + name + "= takes 0 or 1";
  return flag == "1";
}

void ParseFileTypes(const std::string& value, SearchScope& scope, std::string& error) {
  scope.globals = scope.templates = scope.content_files = scope.folder_globals = false;
  size_t start = 0;
  while (start <= value.size()) {
    size_t comma = value.find(',', start);
    if (comma == std::string::npos) comma = value.size();
    const std::string type = ToLowerAscii(Trim(value.substr(start, comma - start)));
    if (type == "globals") {
      scope.globals = true;
    } else if (type == "templates") {
      scope.templates = true;
    } else if (type == "content") {
      scope.content_files = true;
    } else if (type == "folder-globals") {
      scope.folder_globals = true;
    } else if (!type.empty()) {
      error =
          "unknown file type \"" + type + "\" (use globals, templates, content, folder-globals)";
    }
    start = comma + 1;
  }
  if (error.empty() && !scope.HasFileTypes()) error = "/file-types= names no file type";
}

}  // namespace

SearchOptions ParseSearchOptions(const std::vector<std::string>& arguments) {
  SearchOptions options;
  std::optional<std::string> in, file_types, definitions, ignore_case;
  std::optional<std::string>* current = nullptr;
  for (const std::string& argument : arguments) {
    if (argument == "--yes" || argument == "-y") {
      options.yes = true;
      current = nullptr;
      continue;
    }
    size_t value_start = 0;
    const Option option = OptionOf(argument, value_start);
    std::optional<std::string>* targets[] = {&options.find, &options.replace, &in,
                                             &file_types,   &definitions,     &ignore_case};
    if (option <= kIgnoreCase) {
      current = targets[option];
      *current = argument.substr(value_start);
    } else if (option == kNone && current != nullptr) {
      **current += " " + argument;
    } else {
      options.rest.push_back(argument);
      current = nullptr;
    }
  }

  std::string& error = options.error;
  if (!options.find || options.find->empty()) error = "/find= needs a text to find";
  if (in) {
    const std::string where = ToLowerAscii(Trim(*in));
    if (where == "documents") {
      options.scope.documents_mode = true;
    } else if (where != "files" && where != "project") {
      error = "/in= takes documents or files";
    }
  }
  if (file_types) ParseFileTypes(*file_types, options.scope, error);
  if (definitions) options.definitions_only = ParseFlag(*definitions, "definitions-only", error);
  if (ignore_case) options.ignore_case = ParseFlag(*ignore_case, "ignore-case", error);
  if (options.replace && options.scope.documents_mode) {
    error = "/replace= works on the Project's files only, not with /in=documents";
  }
  if (options.replace && options.definitions_only) {
    error = "/replace= does not take /definitions-only=";
  }
  return options;
}

}  // namespace tarvelo
