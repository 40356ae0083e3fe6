// A small Project in a temporary folder for the hostile-input corpus, the real tarvelo-cli
// run on it, and a snapshot of every byte and mode outside the places a run may change.
#ifndef TARVELO_TESTS_HOSTILE_HOSTILE_SITE_H_
#define TARVELO_TESTS_HOSTILE_HOSTILE_SITE_H_

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "e2e/cli_runner.h"
#include "support/test_support.h"

namespace tarvelo::testing {

/// root/site.web with document-root out/ and content-root src/ (project.txt, page.tpl,
/// page.par); home/ is the program folder, set up by one ordinary run.
class HostileSite {
 public:
  HostileSite();

  /// root + "/" + relative.
  std::string Path(const std::string& relative) const { return dir_ / relative; }
  const std::string& root() const { return dir_.path(); }
  std::string home() const { return Path("home"); }

  /// Writes a file below root, creating its folders (an existing link is replaced).
  void Write(const std::string& relative, const std::string& bytes) const;
  /// Sets `key` in a key=value file below root, replacing its line or adding one.
  void SetKey(const std::string& relative, const std::string& key, const std::string& value) const;
  void Setting(const std::string& key, const std::string& value) const {
    SetKey("site.web", key, value);
  }
  void Option(const std::string& key, const std::string& value) const {
    SetKey("home/tarvelo.ini", key, value);
  }
  /// Replaces whatever is at `relative` by a symbolic link to `target`.
  void Link(const std::string& relative, const std::string& target) const;
  /// Replaces whatever is at `relative` by an empty folder.
  void Folder(const std::string& relative) const;

  /// Runs a copy of tarvelo-cli in root/bin from now on, so a case may aim at it.
  void UseCopyOfProgram();

  /// Runs tarvelo-cli with the arguments; as root with `other_user`, as nobody (the
  /// tree is handed over to nobody first, so permission bits are obeyed).
  CliResult Run(const std::vector<std::string>& arguments, bool other_user = false) const;

 private:
  TempDir dir_;
  std::string program_ = TARVELO_CLI_PATH;
};

/// Type, permission bits and content (or link target) of everything below a folder.
struct TreeEntry {
  char type = '?';  // f file, d folder, l link, o other
  unsigned mode = 0;
  std::uint64_t size = 0;
  std::uint64_t digest = 0;
  bool operator==(const TreeEntry&) const = default;
};
using TreeSnapshot = std::map<std::string, TreeEntry>;

/// Every entry below `root` (links are not followed), by relative path, except the
/// paths that `skipped` says a run may change.
TreeSnapshot SnapshotTree(const std::string& root,
                          const std::function<bool(const std::string&)>& skipped);

/// What differs between two snapshots, one line per path ("" when nothing does).
std::string TreeDifferences(const TreeSnapshot& before, const TreeSnapshot& after);

}  // namespace tarvelo::testing

#endif  // TARVELO_TESTS_HOSTILE_HOSTILE_SITE_H_
