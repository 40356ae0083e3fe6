// The Content Files window: the shared list window with the Content Files listing.
#include "ui/frm_content_files.h"

#include "project/workspace.h"
#include "ui/widget_host.h"

namespace tarvelo {

frmContentFiles::frmContentFiles(Workspace& workspace, DesktopServices& desktop, QWidget* parent)
    : FileListWindow(workspace, desktop, ListingKind::kContentFiles, parent) {
  setObjectName(QStringLiteral("frmContentFiles"));
  setWindowTitle(QStringLiteral("Content Files for ") + DisplayText(workspace.settings.name));
}

}  // namespace tarvelo
