// frmSearch: the Find window, captioned "Find" for the Project's source files and
// "Find in Documents" for the generated Documents. It reads its controls, runs the
// core's Find and shows the results through SearchResults.
#ifndef TARVELO_UI_FRM_SEARCH_H_
#define TARVELO_UI_FRM_SEARCH_H_

#include "common/int16.h"
#include "ui/search_dialog.h"

class QCheckBox;
class QRadioButton;

namespace tarvelo {

class DesktopServices;
struct Workspace;

class frmSearch : public SearchDialog {
  Q_OBJECT

 public:
  /// `selected_folder` / `selected_document`: the main window's current Folder and
  /// Document (-1 for none), which the "Selected" scope buttons mean.
  frmSearch(Workspace& workspace, DesktopServices& desktop, bool documents_mode,
            Int16 selected_folder, Int16 selected_document, QWidget* parent = nullptr);

 private:
  void CreateControls();
  void UpdateRunButton() override;
  void StartRun() override;

  bool documents_mode_;
  QRadioButton* rbDocumentScope_[2] = {};
  QCheckBox* ckDefinitionsOnly_ = nullptr;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_SEARCH_H_
