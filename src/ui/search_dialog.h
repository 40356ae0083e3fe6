// What the Find and Replace windows share: the Find box, the run button and Close,
// the scope and File Types groups, Ignore Case and Show Detailed Results, the results
// pane, and a run: the button reads "Stop" and stops it, the window cannot be closed
// (a box says why) nor ended with Escape. The window opens centred in the work area.
#ifndef TARVELO_UI_SEARCH_DIALOG_H_
#define TARVELO_UI_SEARCH_DIALOG_H_

#include <QBoxLayout>
#include <QDialog>
#include <QString>
#include <atomic>
#include <functional>
#include <string>

#include "common/int16.h"
#include "search/search_file_list.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvelo {

class DesktopServices;
class SearchResults;
struct ProjectDefinition;
struct Workspace;

/// The texts that tell the two windows apart in what they share.
struct SearchDialogTexts {
  std::string busy_text;  ///< the box shown when the window is closed while busy
  std::string busy_caption;
  const char* menu_name;  ///< the results' pop-up menu, as SearchResults names it
  QString plain_label;    ///< labResults over the list
  QString detailed_label;
};

class SearchDialog : public QDialog {
 public:
  bool busy() const { return busy_; }
  SearchResults& results() const { return *results_; }

 protected:
  /// `selected_folder` / `selected_document`: the main window's current Folder and
  /// Document (-1 for none), which the "Selected" scope buttons mean.
  SearchDialog(Workspace& workspace, DesktopServices& desktop, Int16 selected_folder,
               Int16 selected_document, const SearchDialogTexts& texts, QWidget* parent);

  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  void showEvent(QShowEvent* event) override;

  /// Enables the run button for what the controls hold.
  virtual void UpdateRunButton() = 0;
  /// The run button while no run is busy.
  virtual void StartRun() = 0;

  bool AnyTypeChecked() const;

  // The builders, called in the order the controls take Tab; each connects what it
  // makes.
  void CreateFindBox();
  /// The run button (the default button) named `name`, then Close.
  void CreateButtons(const QString& caption, const char* name);
  /// A scope group of two options laid out in `direction`: `all`, checked, and
  /// `selected`, enabled only with a selection, named `option_name` + "0" and "1".
  QGroupBox* CreateScopeGroup(const QString& caption, const char* name, const char* option_name,
                              const QString& all, const QString& selected,
                              QRadioButton* (&options)[2], QBoxLayout::Direction direction);
  QGroupBox* CreateTypesGroup();
  /// `leading` (if any), Ignore Case and Show Detailed Results in a row.
  QHBoxLayout* CreateOptionRow(QCheckBox* leading);
  /// The status list under `status_caption`, then the results label, list and tree.
  void AddResults(QVBoxLayout* layout, const QString& status_caption);

  /// The shared part of the scope, with "Selected" meaning rbScope1.
  void FillScope(SearchScope& scope) const;
  /// Runs `run` over the Project's definition with the window busy, then shows what is
  /// left of the results.
  void RunBusy(const std::function<void(const ProjectDefinition&)>& run);

  Workspace& ws_;
  const Int16 selected_folder_;
  const Int16 selected_document_;
  std::atomic<bool> stop_requested_{false};
  SearchFileList list_;
  SearchResults* results_;

  QLineEdit* txtFind_ = nullptr;
  QPushButton* cmdRun_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
  QRadioButton* rbScope_[2] = {};
  QCheckBox* ckGlobals_ = nullptr;
  QCheckBox* ckTemplates_ = nullptr;
  QCheckBox* ckContentFiles_ = nullptr;
  QCheckBox* ckFolderGlobals_ = nullptr;
  QCheckBox* ckIgnoreCase_ = nullptr;

 private:
  bool HasSelection() const { return selected_folder_ >= 0 && selected_document_ >= 0; }
  void RunClicked();

  bool busy_ = false;
  std::string busy_text_;
  std::string busy_caption_;
  QString run_caption_;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_SEARCH_DIALOG_H_
