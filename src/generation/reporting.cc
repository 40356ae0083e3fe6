// The generated-files list.
#include "generation/reporting.h"

#include "common/error.h"
#include "project/file_store.h"

namespace tarvelo {

bool WriteGeneratedFile(const FileStore& files, const std::string& list_path,
                        const std::string& text, bool start_afresh, bool write_text,
                        std::string* failure) {
  try {
    TextWriter writer =
        start_afresh ? files.CreateTextFile(list_path) : files.OpenTextFileForAppending(list_path);
    if (write_text) writer.WriteLine(text);
    writer.Close();
    return true;
  } catch (const TarveloError& error) {
    // The run goes on; it is the caller's to count the failure.
    if (failure != nullptr) *failure = error.description;
    return false;
  }
}

}  // namespace tarvelo
