// frmReplace: the Replace window. It asks "Confirm Replace", runs the core's Replace
// over the Project's source files and shows the results through SearchResults.
#ifndef TARVELO_UI_FRM_REPLACE_H_
#define TARVELO_UI_FRM_REPLACE_H_

#include "common/int16.h"
#include "ui/search_dialog.h"

class QLineEdit;

namespace tarvelo {

class DesktopServices;
struct Workspace;

class frmReplace : public SearchDialog {
  Q_OBJECT

 public:
  frmReplace(Workspace& workspace, DesktopServices& desktop, Int16 selected_folder,
             Int16 selected_document, QWidget* parent = nullptr);

 private:
  void CreateControls();
  void UpdateRunButton() override;
  void StartRun() override;

  QLineEdit* txtReplace_ = nullptr;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_REPLACE_H_
