// A path that cannot be resolved (a looping link) is compared as written, normalised.
#include "generation/protected_files.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "project/file_store.h"

namespace tarvelo {
namespace {

using Identity = std::pair<unsigned long long, unsigned long long>;

Identity IdentityOf(const struct stat& st) {
  return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
}

}  // namespace

std::string ProtectedFiles::ResolvedPath(const std::string& disk_path) const {
  const std::filesystem::path disk(disk_path);
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(disk, error);
  if (error) resolved = std::filesystem::absolute(disk, error).lexically_normal();
  return resolved.string();
}

ProtectedFiles::Look ProtectedFiles::LookAt(std::string_view path) const {
  Look look;
  look.disk = files_.DiskPath(path);
  // One lstat tells a plain file's identity as well: only a link needs a second look,
  // at what it leads to.
  struct stat st;
  if (::lstat(look.disk.c_str(), &st) == 0) {
    look.link = S_ISLNK(st.st_mode);
    look.found = !look.link || ::stat(look.disk.c_str(), &st) == 0;
    if (look.found) look.identity = IdentityOf(st);
  }
  return look;
}

std::string ProtectedFiles::Canonical(const Look& look) const {
  const std::string& disk = look.disk;
  const size_t slash = disk.rfind('/');
  const std::string leaf = slash == std::string::npos ? disk : disk.substr(slash + 1);
  // Only a plain last name may be put after its resolved folder: a link there, "." or
  // ".." change where the path leads.
  if (slash == std::string::npos || slash == 0 || leaf.empty() || leaf == "." || leaf == ".." ||
      look.link) {
    return ResolvedPath(disk);
  }
  const std::string folder = disk.substr(0, slash);
  std::string resolved;
  {
    const std::lock_guard<std::mutex> guard(folders_mutex_);
    auto found = folders_.find(folder);
    if (found == folders_.end()) found = folders_.emplace(folder, ResolvedPath(folder)).first;
    resolved = found->second;
  }
  return resolved.ends_with('/') ? resolved + leaf : resolved + "/" + leaf;
}

void ProtectedFiles::Add(std::string_view path, ProtectedKind kind) {
  if (path.empty()) return;
  const Look look = LookAt(path);
  by_path_.emplace(Canonical(look), kind);
  if (look.found) by_inode_.emplace(look.identity, kind);
}

void ProtectedFiles::AddPassFiles(std::string_view stem) {
  if (!stem.empty()) pass_stems_.push_back(Canonical(LookAt(stem)) + ".");
}

ProtectedKind ProtectedFiles::Find(std::string_view path) const {
  if (path.empty()) return ProtectedKind::kNone;
  const Look look = LookAt(path);
  if (look.found) {
    const auto found = by_inode_.find(look.identity);
    if (found != by_inode_.end()) return found->second;
  }
  const std::string canonical = Canonical(look);
  const auto found = by_path_.find(canonical);
  if (found != by_path_.end()) return found->second;
  for (const std::string& stem : pass_stems_) {
    if (canonical.size() > stem.size() && canonical.starts_with(stem) &&
        canonical.find_first_not_of("0123456789", stem.size()) == std::string::npos) {
      return ProtectedKind::kOwnFile;
    }
  }
  return ProtectedKind::kNone;
}

}  // namespace tarvelo
