// frmTemplates: every Template the current Project's Documents use, once, listed
// while the window opens (static Documents have none).
#ifndef TARVELO_UI_FRM_TEMPLATES_H_
#define TARVELO_UI_FRM_TEMPLATES_H_

#include "ui/frm_file_list.h"

namespace tarvelo {

class frmTemplates : public FileListWindow {
  Q_OBJECT

 public:
  /// Caption "Templates for " + the Project's name; display mode 0.
  frmTemplates(Workspace& workspace, DesktopServices& desktop, QWidget* parent = nullptr);
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_TEMPLATES_H_
