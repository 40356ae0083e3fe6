// The generated-files list: one line per Document a run wrote.
#ifndef TARVELO_GENERATION_REPORTING_H_
#define TARVELO_GENERATION_REPORTING_H_

#include <string>

namespace tarvelo {

class FileStore;

/// With `start_afresh` creates the list anew (empty), otherwise appends; writes `text`
/// as one line when `write_text` is set. Never raises: false on failure, with the
/// error's description in `*failure` when given.
bool WriteGeneratedFile(const FileStore& files, const std::string& list_path,
                        const std::string& text, bool start_afresh, bool write_text,
                        std::string* failure = nullptr);

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_REPORTING_H_
