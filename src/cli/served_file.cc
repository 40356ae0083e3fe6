// The path check decodes the target once, by itself, so that what is checked is what
// is opened; the final word belongs to realpath, which also catches symlinks.
#include "cli/served_file.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <utility>

namespace tarvelo {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// The decoded path of a target, or nothing when it holds an encoded separator, a NUL
// or a broken escape.
std::optional<std::string> DecodePath(std::string_view path) {
  std::string decoded;
  for (size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (c == '%') {
      if (i + 2 >= path.size()) return std::nullopt;
      const int high = HexValue(path[i + 1]);
      const int low = HexValue(path[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      c = static_cast<char>(high * 16 + low);
      if (c == '/' || c == '\\' || c == '\0') return std::nullopt;
      i += 2;
    }
    if (c == '\0') return std::nullopt;
    decoded += c;
  }
  return decoded;
}

std::optional<std::string> RealPath(const std::string& path) {
  std::unique_ptr<char, decltype(&::free)> real(::realpath(path.c_str(), nullptr), &::free);
  if (!real) return std::nullopt;
  return std::string(real.get());
}

bool IsInside(const std::string& path, const std::string& root) {
  if (root == "/") return true;
  return path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
         path[root.size()] == '/';
}

bool IsFolder(const std::string& path) {
  struct stat info = {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string& path) {
  struct stat info = {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::optional<std::string> ServedFilePath(const std::string& root, std::string_view target) {
  target = target.substr(0, target.find_first_of("?#"));
  if (target.empty() || target[0] != '/' || (target.size() > 1 && target[1] == '/')) {
    return std::nullopt;
  }
  const std::optional<std::string> decoded = DecodePath(target);
  if (!decoded || decoded->find('\\') != std::string::npos) return std::nullopt;
  std::string relative;
  size_t start = 1;
  while (start <= decoded->size()) {
    size_t end = decoded->find('/', start);
    if (end == std::string::npos) end = decoded->size();
    const std::string segment = decoded->substr(start, end - start);
    if (segment == "." || segment == "..") return std::nullopt;
    if (!segment.empty()) relative += "/" + segment;
    start = end + 1;
  }
  const std::optional<std::string> real_root = RealPath(root);
  if (!real_root) return std::nullopt;
  std::optional<std::string> real = RealPath(*real_root + relative);
  if (real && IsFolder(*real)) real = RealPath(*real + "/index.html");
  if (!real || !IsInside(*real, *real_root) || !IsRegularFile(*real)) return std::nullopt;
  return real;
}

std::string ContentTypeFor(std::string_view path) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 22> kTypes = {{
      {"html", "text/html; charset=utf-8"},
      {"htm", "text/html; charset=utf-8"},
      {"css", "text/css; charset=utf-8"},
      {"js", "text/javascript; charset=utf-8"},
      {"json", "application/json"},
      {"xml", "application/xml"},
      {"txt", "text/plain; charset=utf-8"},
      {"csv", "text/csv; charset=utf-8"},
      {"svg", "image/svg+xml"},
      {"png", "image/png"},
      {"jpg", "image/jpeg"},
      {"jpeg", "image/jpeg"},
      {"gif", "image/gif"},
      {"webp", "image/webp"},
      {"ico", "image/x-icon"},
      {"pdf", "application/pdf"},
      {"woff", "font/woff"},
      {"woff2", "font/woff2"},
      {"ttf", "font/ttf"},
      {"mp4", "video/mp4"},
      {"wasm", "application/wasm"},
      {"zip", "application/zip"},
  }};
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
    return "application/octet-stream";
  }
  std::string extension(path.substr(dot + 1));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const auto& [name, type] : kTypes) {
    if (name == extension) return std::string(type);
  }
  return "application/octet-stream";
}

std::string InjectBeforeBodyEnd(std::string html, std::string_view script) {
  std::string lower = html;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const size_t at = lower.rfind("</body>");
  html.insert(at == std::string::npos ? html.size() : at, script);
  return html;
}

}  // namespace tarvelo
