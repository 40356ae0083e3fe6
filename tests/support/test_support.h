// Test support: a fresh temporary folder per test, small file helpers, and a scripted
// Host that records every call and answers from queues.
#ifndef TARVELO_TESTS_SUPPORT_TEST_SUPPORT_H_
#define TARVELO_TESTS_SUPPORT_TEST_SUPPORT_H_

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/host.h"
#include "project/working_files.h"

namespace tarvelo::testing {

/// A temporary folder removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  /// The folder, without a trailing separator.
  const std::string& path() const { return path_; }
  /// path() + "/" + relative.
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

 private:
  std::string path_;
};

/// Writes bytes to a file, creating its folders.
void WriteFile(const std::string& path, const std::string& bytes);
/// Reads a whole file ("" when it cannot be read).
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
/// An expected message with its first "%" replaced by `path`.
std::string WithPath(std::string message, const std::string& path);
/// Sets a file's modification time (seconds since the epoch).
void SetModified(const std::string& path, std::int64_t seconds);
std::int64_t Modified(const std::string& path);
/// Clears or sets the owner's write bit.
void SetReadOnly(const std::string& path, bool read_only);
/// The non-empty lines of a log after its first, which the fixture wrote.
std::vector<std::string> LogLinesAfterTheFirst(const std::string& log_file);
/// The keys of a key=value file, in order, as one blank-separated text.
std::string KeysOf(const std::string& file_text);
/// The working files in the folder `temp` (ending with a separator), which is created.
WorkingFiles WorkingFilesIn(const std::string& temp);
/// Writes root/site.web: a Project `name` with its Content in root/src/, its Documents
/// in root/out/ and its definition in project.txt, then the `extra` lines. Returns the
/// file's path.
std::string WriteSiteFile(const std::string& root, const std::string& name,
                          const std::string& extra = "");

struct MessageCall {
  std::string text;
  std::string caption;
  MessageButtons buttons;
  MessageIcon icon;
};

struct PromptCall {
  std::string caption;
  std::string message;
  PromptButtons buttons;
  int preset;
};

/// A Host that records everything and answers from queues; an empty queue answers
/// OK for message boxes and the preset for prompts (as if the box had been closed).
class ScriptedHost : public Host {
 public:
  void AddStatusLine(const std::string& line) override { status.push_back(line); }
  void ClearStatusLines() override {
    status.clear();
    ++clears;
  }
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                            MessageButtons buttons, MessageIcon icon) override;
  int AskWithPromptBox(const std::string& caption, const std::string& message,
                       const PromptButtons& buttons, int preset) override;
  void ProcessEvents() override;
  void Pause(int milliseconds) override {
    pauses.push_back(milliseconds);
    if (on_pause) on_pause(milliseconds);
  }
  void Beep() override { ++beeps; }
  void GenerationStarted() override { ++started; }
  void GenerationEnded() override { ++ended; }
  void LogLineWritten(const std::string& line) override { log_lines.push_back(line); }

  std::vector<std::string> status;
  std::vector<MessageCall> messages;
  std::vector<PromptCall> prompts;
  std::vector<std::string> log_lines;
  std::vector<int> pauses;
  std::deque<MessageAnswer> message_answers;
  std::deque<int> prompt_answers;
  int clears = 0;
  int beeps = 0;
  int started = 0;
  int ended = 0;
  int events = 0;
  /// Called from ProcessEvents (a test uses it to request a stop between Documents).
  std::function<void(int)> on_events;
  /// Called from Pause (a test uses it to request a stop while the run waits).
  std::function<void(int)> on_pause;
};

}  // namespace tarvelo::testing

#endif  // TARVELO_TESTS_SUPPORT_TEST_SUPPORT_H_
