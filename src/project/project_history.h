// ProjectHistory: the Projects the program knows ("projects.ini"), the current one
// marked, and the operations that open, select, remove and move them.
#ifndef TARVELO_PROJECT_PROJECT_HISTORY_H_
#define TARVELO_PROJECT_PROJECT_HISTORY_H_

#include <string>
#include <vector>

#include "common/int16.h"

namespace tarvelo {

enum HistoryState : Int16 { kHistoryEmpty = 0, kHistoryListed = 1, kHistoryCurrent = 2 };

struct HistoryEntry {
  std::string name;  // from the Project's .web file; never stored in the history file
  std::string path;
  Int16 state = kHistoryEmpty;
};

struct ProjectHistory {
  /// `maximum-projects` entries, numbered from 0.
  std::vector<HistoryEntry> entries = std::vector<HistoryEntry>(25);
  Int16 last_index = -1;
  Int16 current_index = -1;
};

// The functions over the history are declared by the module that implements them.

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_PROJECT_HISTORY_H_
