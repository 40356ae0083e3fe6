// Test support implementation.
#include "support/test_support.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "common/text.h"

namespace tarvelo::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::random_device random;
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0;; ++attempt) {
    const fs::path candidate = base / ("tarvelo-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      path_ = candidate.string();
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Make everything writable again so read-only fixtures do not stop the clean-up.
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(path_, ignored);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  const fs::path p(path);
  if (p.has_parent_path()) fs::create_directories(p.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string();
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

bool Exists(const std::string& path) {
  return fs::exists(path);
}

std::string WithPath(std::string message, const std::string& path) {
  if (const size_t mark = message.find('%'); mark != std::string::npos) {
    message.replace(mark, 1, path);
  }
  return message;
}

void SetModified(const std::string& path, std::int64_t seconds) {
  struct timespec times[2];
  times[0].tv_sec = seconds;
  times[0].tv_nsec = 0;
  times[1] = times[0];
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

std::int64_t Modified(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return -1;
  return st.st_mtim.tv_sec;
}

void SetReadOnly(const std::string& path, bool read_only) {
  fs::permissions(path, fs::perms::owner_write,
                  read_only ? fs::perm_options::remove : fs::perm_options::add);
}

std::vector<std::string> LogLinesAfterTheFirst(const std::string& log_file) {
  std::vector<std::string> lines;
  bool first = true;
  ForEachCrLfPiece(ReadFile(log_file), [&](std::string_view line) {
    if (!first && !line.empty()) lines.emplace_back(line);
    first = false;
  });
  return lines;
}

std::string KeysOf(const std::string& file_text) {
  std::string keys;
  std::istringstream lines(file_text);
  std::string line;
  while (std::getline(lines, line)) {
    keys += (keys.empty() ? "" : " ") + line.substr(0, line.find('='));
  }
  return keys;
}

WorkingFiles WorkingFilesIn(const std::string& temp) {
  fs::create_directories(temp);
  return {temp,
          temp + "tarvelo.txt",
          temp + "search.txt",
          temp + "tarvelo",
          temp + "tarvelo.rpl",
          temp + "generate.txt"};
}

std::string WriteSiteFile(const std::string& root, const std::string& name,
                          const std::string& extra) {
  WriteFile(root + "/site.web", "name=" + name + "\r\ndocument-root=" + root +
                                    "/out/\r\ncontent-root=" + root +
                                    "/src/\r\ndefinition-file=project.txt\r\n" + extra);
  return root + "/site.web";
}

MessageAnswer ScriptedHost::ShowMessage(const std::string& text, const std::string& caption,
                                        MessageButtons buttons, MessageIcon icon) {
  messages.push_back({text, caption, buttons, icon});
  if (message_answers.empty()) return MessageAnswer::kOk;
  const MessageAnswer answer = message_answers.front();
  message_answers.pop_front();
  return answer;
}

int ScriptedHost::AskWithPromptBox(const std::string& caption, const std::string& message,
                                   const PromptButtons& buttons, int preset) {
  prompts.push_back({caption, message, buttons, preset});
  if (prompt_answers.empty()) return preset;
  const int answer = prompt_answers.front();
  prompt_answers.pop_front();
  return answer;
}

void ScriptedHost::ProcessEvents() {
  ++events;
  if (on_events) on_events(events);
}

}  // namespace tarvelo::testing
