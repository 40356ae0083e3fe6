// frmReplace: the Replace window. It asks "Confirm Replace", runs the core's Replace
// over the Project's source files and shows the results through SearchResults.
#ifndef TARVELO_UI_FRM_REPLACE_H_
#define TARVELO_UI_FRM_REPLACE_H_

#include <QDialog>
#include <atomic>

#include "common/int16.h"
#include "search/search_file_list.h"
#include "ui/search_dialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvelo {

class DesktopServices;
class SearchResults;
struct Workspace;

class frmReplace : public SearchDialog {
  Q_OBJECT

 public:
  frmReplace(Workspace& workspace, DesktopServices& desktop, Int16 selected_folder,
             Int16 selected_document, QWidget* parent = nullptr);

  SearchResults& results() const { return *results_; }

 private:
  void CreateControls();
  void UpdateReplaceButton();
  void cmdReplace_Click();
  void RunReplaceFromWindow();

  Workspace& ws_;
  Int16 selected_folder_;
  Int16 selected_document_;
  std::atomic<bool> stop_requested_{false};
  SearchFileList list_;
  SearchResults* results_;

  QLineEdit* txtFind_ = nullptr;
  QLineEdit* txtReplace_ = nullptr;
  QRadioButton* rbScope_[2] = {};
  QCheckBox* ckGlobals_ = nullptr;
  QCheckBox* ckTemplates_ = nullptr;
  QCheckBox* ckContentFiles_ = nullptr;
  QCheckBox* ckFolderGlobals_ = nullptr;
  QCheckBox* ckIgnoreCase_ = nullptr;
  QCheckBox* ckShowDetailedResults_ = nullptr;
  QPushButton* cmdReplace_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_REPLACE_H_
