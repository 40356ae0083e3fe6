// frmContentFiles: every Content File the current Project uses, once — the Project
// Macro File, the Global Content Files, the Folder Globals and the Documents' Content
// Files — listed from a timer once the window is up, with progress and Cancel.
#ifndef TARVELO_UI_FRM_CONTENT_FILES_H_
#define TARVELO_UI_FRM_CONTENT_FILES_H_

#include "ui/frm_file_list.h"

namespace tarvelo {

class frmContentFiles : public FileListWindow {
  Q_OBJECT

 public:
  /// Caption "Content Files for " + the Project's name; display mode 0.
  frmContentFiles(Workspace& workspace, DesktopServices& desktop, QWidget* parent = nullptr);
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_CONTENT_FILES_H_
