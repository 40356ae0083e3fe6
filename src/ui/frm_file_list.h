// FileListWindow: the window the Content Files and Templates windows share. It lists a
// Project's Content Files or Templates twice — a plain list and a tree with state
// icons, "Show Attributes" choosing which is shown — under the three display modes,
// keeps the two views on the same entry, and opens the selected file in the editor,
// runs a custom action on it or drags it out. A Content Files listing runs from a timer
// once the window is up, with a progress bar above 200 entries and Cancel; closing
// the window by hand is refused meanwhile.
#ifndef TARVELO_UI_FRM_FILE_LIST_H_
#define TARVELO_UI_FRM_FILE_LIST_H_

#include <QDialog>
#include <string>
#include <vector>

#include "common/int16.h"
#include "views/file_listing.h"
#include "views/project_view.h"

class QCheckBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedLayout;
class QTimer;

namespace tarvelo {

class ColumnList;
class ColumnTree;
class DesktopServices;
struct Workspace;

class FileListWindow : public QDialog {
  Q_OBJECT

 public:
  FileListWindow(const FileListWindow&) = delete;
  FileListWindow& operator=(const FileListWindow&) = delete;

  /// Lists the files again for the current display mode (the Content Files window
  /// with its progress bar and Cancel).
  void ListFiles();
  bool busy() const { return busy_; }
  Int16 display_mode() const { return display_mode_; }
  /// The selected file's name as listed; empty when none is selected.
  std::string selected_file() const;

  /// Escape and the window's close button: refused while a listing runs.
  void reject() override;
  /// Closing by the program is never refused; a listing in progress stops.
  void done(int result) override;

 protected:
  /// `kind` names the controls: "ContentFiles" gives labContentFiles, lstContentFiles
  /// and tvContentFiles. The Content Files kind also gets Cancel, the progress bar and
  /// Timer1, which starts the first listing once the window is shown.
  FileListWindow(Workspace& workspace, DesktopServices& desktop, ListingKind kind, QWidget* parent);

  void showEvent(QShowEvent* event) override;

 private:
  class Filler;

  void CreateControls(const QString& noun);
  void ConnectControls();
  void SetBusy(bool busy);
  void SelectRow(int row);
  void ShowAttributes(bool shown);
  void SetDisplayMode(Int16 mode);
  void EditSelected();
  void CustomAction(int number);
  void ShowPopup(QWidget* view, const QPoint& position);
  const ListedFile* SelectedRow() const;

  Workspace& ws_;
  DesktopServices& desktop_;
  ListingKind kind_;
  ProjectView view_;
  std::vector<ListedFile> rows_;
  int selected_ = -1;
  Int16 display_mode_ = kDisplayAll;
  bool busy_ = false;
  bool cancel_ = false;
  bool syncing_ = false;  // the other view is being moved to the same entry
  bool listed_once_ = false;

  QLabel* label_ = nullptr;
  ColumnList* list_ = nullptr;
  ColumnTree* tree_ = nullptr;
  QStackedLayout* views_ = nullptr;
  QCheckBox* ckShowAttributes_ = nullptr;
  QRadioButton* rbDisplay_[3] = {nullptr, nullptr, nullptr};
  QPushButton* cmdEdit_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
  QProgressBar* ProgressBar1_ = nullptr;
  QTimer* Timer1_ = nullptr;
  QMenu* popup_ = nullptr;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_FILE_LIST_H_
