// A path that cannot be resolved (a looping link) is compared as written, normalised.
#include "generation/protected_files.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "project/file_store.h"

namespace tarvelo {
namespace {

bool Identity(const std::string& disk_path, std::pair<unsigned long long, unsigned long long>& id) {
  struct stat st;
  if (::stat(disk_path.c_str(), &st) != 0) return false;
  id = {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
  return true;
}

}  // namespace

std::string ProtectedFiles::ResolvedPath(const std::string& disk_path) const {
  const std::filesystem::path disk(disk_path);
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(disk, error);
  if (error) resolved = std::filesystem::absolute(disk, error).lexically_normal();
  return resolved.string();
}

std::string ProtectedFiles::Canonical(std::string_view path) const {
  const std::string disk = files_.DiskPath(path);
  const size_t slash = disk.rfind('/');
  const std::string leaf = slash == std::string::npos ? disk : disk.substr(slash + 1);
  struct stat st;
  // Only a plain last name may be put after its resolved folder: a link there, "." or
  // ".." change where the path leads.
  if (slash == std::string::npos || slash == 0 || leaf.empty() || leaf == "." || leaf == ".." ||
      (::lstat(disk.c_str(), &st) == 0 && S_ISLNK(st.st_mode))) {
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
  by_path_.emplace(Canonical(path), kind);
  std::pair<unsigned long long, unsigned long long> id;
  if (Identity(files_.DiskPath(path), id)) by_inode_.emplace(id, kind);
}

void ProtectedFiles::AddPassFiles(std::string_view stem) {
  if (!stem.empty()) pass_stems_.push_back(Canonical(stem) + ".");
}

ProtectedKind ProtectedFiles::Find(std::string_view path) const {
  if (path.empty()) return ProtectedKind::kNone;
  std::pair<unsigned long long, unsigned long long> id;
  if (Identity(files_.DiskPath(path), id)) {
    const auto found = by_inode_.find(id);
    if (found != by_inode_.end()) return found->second;
  }
  const std::string canonical = Canonical(path);
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
