// A DesktopServices for tests: records what the launchers would start or open, starts
// nothing, and answers as told.
#ifndef TARVELO_TESTS_SUPPORT_RECORDING_DESKTOP_H_
#define TARVELO_TESTS_SUPPORT_RECORDING_DESKTOP_H_

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "project/launchers.h"

namespace tarvelo::testing {

class RecordingDesktop : public DesktopServices {
 public:
  bool StartDetached(const std::vector<std::string>& program_and_arguments) override {
    started.push_back(program_and_arguments);
    return start_result;
  }
  int OpenWithDesktop(const std::string& path, bool explore_folder) override {
    opened.emplace_back(path, explore_folder);
    if (open_throws) throw std::runtime_error("no desktop");
    return open_result;
  }
  std::vector<std::vector<std::string>> started;
  std::vector<std::pair<std::string, bool>> opened;
  bool start_result = true;
  int open_result = 42;  // a code that means "opened"
  bool open_throws = false;
};

}  // namespace tarvelo::testing

#endif  // TARVELO_TESTS_SUPPORT_RECORDING_DESKTOP_H_
