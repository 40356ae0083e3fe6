// The working files: the log, the search results, the pass-file stem, the replace
// work file and the list of generated files, all derived from the settings.
#ifndef TARVELO_PROJECT_WORKING_FILES_H_
#define TARVELO_PROJECT_WORKING_FILES_H_

#include <string>

namespace tarvelo {

struct WorkingFiles {
  std::string temp_folder;     // T, ending with a separator
  std::string log_file;        // T + "tarvelo.txt"
  std::string search_file;     // T + "search.txt"
  std::string pass_stem;       // T + "tarvelo"; pass n is stem + "." + n
  std::string replace_file;    // T + "tarvelo.rpl"
  std::string generated_list;  // T + "generate.txt" or generated-files-log-file
};

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_WORKING_FILES_H_
