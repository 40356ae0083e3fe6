// QtDesktopServices: the launchers' platform calls on Qt. Programs are started with
// their argument list as given, never through a shell, so a file name can hold blanks,
// quotes or ";" safely; files and folders open with the desktop's association.
#include "ui/qt_desktop_services.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include "project/file_store.h"
#include "ui/widget_host.h"

namespace tarvelo {
namespace {

// Result codes of OpenWithDesktop.
constexpr int kOpened = 42;
constexpr int kFileNotFound = 2;
constexpr int kNoAssociation = 27;

// The launchers quote a path holding blanks for a command line; the desktop wants the
// bare path.
std::string Unquoted(const std::string& path) {
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
    return path.substr(1, path.size() - 2);
  }
  return path;
}

}  // namespace

bool QtDesktopServices::StartDetached(const std::vector<std::string>& program_and_arguments) {
  if (program_and_arguments.empty() || program_and_arguments.front().empty()) return false;
  QStringList arguments;
  for (std::size_t i = 1; i < program_and_arguments.size(); ++i) {
    arguments << DisplayText(program_and_arguments[i]);
  }
  return QProcess::startDetached(DisplayText(program_and_arguments.front()), arguments);
}

int QtDesktopServices::OpenWithDesktop(const std::string& path, bool explore_folder) {
  // A folder's URL opens in the file manager, so exploring needs nothing more.
  (void)explore_folder;
  const FileStore store;
  const std::string disk_path = store.DiskPath(Unquoted(path));
  if (disk_path.empty() || !(store.FileExists(disk_path) || store.FolderExists(disk_path))) {
    return kFileNotFound;
  }
  const QUrl url = QUrl::fromLocalFile(DisplayText(disk_path));
  return QDesktopServices::openUrl(url) ? kOpened : kNoAssociation;
}

}  // namespace tarvelo
