// The up-to-date check before a Document is assembled, and the modified-since test
// of the generation run.
#ifndef TARVELO_GENERATION_UP_TO_DATE_H_
#define TARVELO_GENERATION_UP_TO_DATE_H_

#include <cstdint>
#include <string>

#include "common/int16.h"

namespace tarvelo {

class FileStore;
class LogSink;
struct Workspace;

/// True when the Document must be generated: its output is missing or a source is
/// newer. Logs ">Source files out-of-date" or ">Source files up-to-date". A missing
/// source raises the file system's error.
bool SourcesOutOfDate(Workspace& workspace, Int16 folder_index, Int16 document_index);
/// The same, logging to `log`; the workspace is only read.
bool SourcesOutOfDate(const Workspace& workspace, LogSink& log, Int16 folder_index,
                      Int16 document_index);

/// True when the Document's output does not exist or was last modified before
/// `start_time` (whole seconds).
bool NotModifiedSince(Workspace& workspace, Int16 folder_index, Int16 document_index,
                      std::int64_t start_time);

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_UP_TO_DATE_H_
