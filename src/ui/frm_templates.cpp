// The Templates window: the shared list window with the Templates listing.
#include "ui/frm_templates.h"

#include "project/workspace.h"
#include "ui/widget_host.h"

namespace tarvelo {

frmTemplates::frmTemplates(Workspace& workspace, DesktopServices& desktop, QWidget* parent)
    : FileListWindow(workspace, desktop, ListingKind::kTemplates, parent) {
  setObjectName(QStringLiteral("frmTemplates"));
  setWindowTitle(QStringLiteral("Templates for ") + DisplayText(workspace.settings.name));
}

}  // namespace tarvelo
