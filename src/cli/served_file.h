// What the preview server may send: the file a request target names under the
// document root (never outside it), its content type, and the live-reload script put
// into HTML responses.
#ifndef TARVELO_CLI_SERVED_FILE_H_
#define TARVELO_CLI_SERVED_FILE_H_

#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

/// The regular file a request target ("/docs/a%20b.html?x=1") names under `root`, or
/// nothing. A folder gives its index.html. Refused: a target that does not begin with
/// one "/", an encoded "/" or "\" (%2f, %5c), a NUL, bad %-escapes, a "." or ".."
/// segment (also when encoded), a "\", and anything whose real path (symlinks
/// followed) is not inside the real path of `root`.
std::optional<std::string> ServedFilePath(const std::string& root, std::string_view target);

/// The content type for a file name by its extension; "application/octet-stream" when
/// unknown.
std::string ContentTypeFor(std::string_view path);

/// `html` with `script` put before the last "</body>" (any case), or at the end when
/// there is none.
std::string InjectBeforeBodyEnd(std::string html, std::string_view script);

}  // namespace tarvelo

#endif  // TARVELO_CLI_SERVED_FILE_H_
