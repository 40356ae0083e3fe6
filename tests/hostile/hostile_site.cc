// The hostile corpus's Project, runner and tree snapshot.
#include "hostile/hostile_site.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

namespace tarvelo::testing {

namespace fs = std::filesystem;

namespace {

constexpr int kNobody = 65534;

std::uint64_t Digest(const std::string& bytes) {
  std::uint64_t hash = 1469598103934665603ULL;  // FNV-1a
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ULL;
  return hash;
}

void HandOver(const std::string& root) {
  ::lchown(root.c_str(), kNobody, kNobody);
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    ::lchown(it->path().c_str(), kNobody, kNobody);
  }
}

void Walk(const std::string& root, const std::string& relative,
          const std::function<bool(const std::string&)>& skipped, TreeSnapshot& snapshot) {
  const std::string path = relative.empty() ? root : root + "/" + relative;
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return;
  TreeEntry entry;
  entry.mode = st.st_mode & 07777;
  if (S_ISREG(st.st_mode)) {
    entry.type = 'f';
    const std::string bytes = ReadFile(path);
    entry.size = bytes.size();
    entry.digest = Digest(bytes);
  } else if (S_ISLNK(st.st_mode)) {
    entry.type = 'l';
    entry.digest = Digest(fs::read_symlink(path).string());
  } else if (S_ISDIR(st.st_mode)) {
    entry.type = 'd';
  } else {
    entry.type = 'o';
  }
  snapshot[relative] = entry;
  if (entry.type != 'd') return;
  for (const auto& child : fs::directory_iterator(path)) {
    const std::string name = child.path().filename().string();
    const std::string child_relative = relative.empty() ? name : relative + "/" + name;
    if (!skipped(child_relative)) Walk(root, child_relative, skipped, snapshot);
  }
}

}  // namespace

HostileSite::HostileSite() {
  WriteSiteFile(root(), "Hostile");
  Write("src/page.tpl", "<p>[@TITLE]</p>\r\n");
  Write("src/page.par", "[@TITLE]:\r\nHello\r\n[@]\r\n");
  Write("src/project.txt", "[Main]\r\nindex.html,page.tpl,page.par\r\n");
  fs::create_directories(Path("out"));
  const CliResult first = Run({});
  if (first.status != 0) throw std::runtime_error("the set-up run failed: " + first.err);
}

void HostileSite::Write(const std::string& relative, const std::string& bytes) const {
  std::error_code ignored;
  if (fs::is_symlink(Path(relative))) fs::remove(Path(relative), ignored);
  WriteFile(Path(relative), bytes);
}

void HostileSite::SetKey(const std::string& relative, const std::string& key,
                         const std::string& value) const {
  std::string text = ReadFile(Path(relative));
  const std::string prefix = key + "=";
  size_t at = 0;
  while (at < text.size() && text.compare(at, prefix.size(), prefix) != 0) {
    const size_t next = text.find('\n', at);
    at = next == std::string::npos ? text.size() : next + 1;
  }
  const std::string line = prefix + value + "\r\n";
  if (at >= text.size()) {
    text += line;
  } else {
    const size_t end = text.find('\n', at);
    text.replace(at, end == std::string::npos ? text.size() - at : end + 1 - at, line);
  }
  Write(relative, text);
}

void HostileSite::Link(const std::string& relative, const std::string& target) const {
  std::error_code ignored;
  fs::remove_all(Path(relative), ignored);
  fs::create_directories(fs::path(Path(relative)).parent_path());
  fs::create_symlink(target, Path(relative));
}

void HostileSite::Folder(const std::string& relative) const {
  std::error_code ignored;
  fs::remove_all(Path(relative), ignored);
  fs::create_directories(Path(relative));
}

void HostileSite::UseCopyOfProgram() {
  fs::create_directories(Path("bin"));
  fs::copy_file(program_, Path("bin/tarvelo-cli"));
  program_ = Path("bin/tarvelo-cli");
}

CliResult HostileSite::Run(const std::vector<std::string>& arguments, bool other_user) const {
  std::vector<std::string> all = {"/project=" + Path("site.web")};
  if (!arguments.empty() && arguments.front().rfind("/project=", 0) == 0) all.clear();
  all.insert(all.end(), arguments.begin(), arguments.end());
  if (!other_user || ::geteuid() != 0) return RunProgram(program_, home(), all, {});
  // Root reads every file whatever its bits say; nobody does not.
  HandOver(root());
  all.insert(all.begin(), {"--reuid=" + std::to_string(kNobody),
                           "--regid=" + std::to_string(kNobody), "--clear-groups", program_});
  return RunProgram("/usr/bin/setpriv", home(), all, {});
}

TreeSnapshot SnapshotTree(const std::string& root,
                          const std::function<bool(const std::string&)>& skipped) {
  TreeSnapshot snapshot;
  Walk(root, "", skipped, snapshot);
  return snapshot;
}

std::string TreeDifferences(const TreeSnapshot& before, const TreeSnapshot& after) {
  std::string differences;
  for (const auto& [path, entry] : before) {
    const auto found = after.find(path);
    if (found == after.end()) {
      differences += "removed: " + path + "\n";
    } else if (!(found->second == entry)) {
      differences += "changed: " + path + "\n";
    }
  }
  for (const auto& [path, entry] : after) {
    if (!before.contains(path)) differences += "added: " + path + "\n";
  }
  return differences;
}

}  // namespace tarvelo::testing
