// frmSearch: the Find window, captioned "Find" for the Project's source files and
// "Find in Documents" for the generated Documents. It reads its controls, runs the
// core's Find and shows the results through SearchResults.
#ifndef TARVELO_UI_FRM_SEARCH_H_
#define TARVELO_UI_FRM_SEARCH_H_

#include <QDialog>
#include <atomic>

#include "common/int16.h"
#include "search/search_file_list.h"
#include "ui/search_dialog.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvelo {

class DesktopServices;
class SearchResults;
struct Workspace;

class frmSearch : public SearchDialog {
  Q_OBJECT

 public:
  /// `selected_folder` / `selected_document`: the main window's current Folder and
  /// Document (-1 for none), which the "Selected" scope buttons mean.
  frmSearch(Workspace& workspace, DesktopServices& desktop, bool documents_mode,
            Int16 selected_folder, Int16 selected_document, QWidget* parent = nullptr);

  SearchResults& results() const { return *results_; }

 private:
  void CreateControls();
  void UpdateSearchButton();
  void cmdSearch_Click();
  void RunSearch();

  Workspace& ws_;
  bool documents_mode_;
  Int16 selected_folder_;
  Int16 selected_document_;
  std::atomic<bool> stop_requested_{false};
  SearchFileList list_;
  SearchResults* results_;

  QLineEdit* txtFind_ = nullptr;
  QGroupBox* frContentScope_ = nullptr;
  QRadioButton* rbScope_[2] = {};
  QGroupBox* frContentTypes_ = nullptr;
  QCheckBox* ckGlobals_ = nullptr;
  QCheckBox* ckTemplates_ = nullptr;
  QCheckBox* ckContentFiles_ = nullptr;
  QCheckBox* ckFolderGlobals_ = nullptr;
  QCheckBox* ckDefinitionsOnly_ = nullptr;
  QGroupBox* frDocumentScope_ = nullptr;
  QRadioButton* rbDocumentScope_[2] = {};
  QCheckBox* ckIgnoreCase_ = nullptr;
  QCheckBox* ckShowDetailedResults_ = nullptr;
  QPushButton* cmdSearch_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_SEARCH_H_
