// frmImportOptions: the two-step wizard that takes over another installation's
// Program Options and, in one of four ways, its Project History File. The work is the
// core's OptionsImport; the window holds the steps, the choices and their captions.
#ifndef TARVELO_UI_FRM_IMPORT_OPTIONS_H_
#define TARVELO_UI_FRM_IMPORT_OPTIONS_H_

#include <QDialog>

#include "project/options_import.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace tarvelo {

class FileChooser;
struct Workspace;

class frmImportOptions : public QDialog {
  Q_OBJECT

 public:
  /// `chooser` asks for the files of the two Browse buttons.
  frmImportOptions(Workspace& workspace, FileChooser& chooser, QWidget* parent = nullptr);
  frmImportOptions(const frmImportOptions&) = delete;
  frmImportOptions& operator=(const frmImportOptions&) = delete;

  /// The step shown: 1 or 2.
  int step() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* CreateStep1();
  QWidget* CreateStep2();
  void ShowStep(int step);
  void Next();
  void Finish();
  void BrowseOptions();
  void BrowseHistory();
  void UpdateFinish();

  Workspace& ws_;
  FileChooser& chooser_;
  OptionsImport import_;

  QStackedWidget* steps_ = nullptr;
  QLineEdit* txtOptionsFile_ = nullptr;
  QLineEdit* txtHistoryFile_ = nullptr;
  QButtonGroup* choices_ = nullptr;
  QRadioButton* rbHistory_[4] = {nullptr, nullptr, nullptr, nullptr};
  QPushButton* cmdBack_ = nullptr;
  QPushButton* cmdNext_ = nullptr;
  QPushButton* cmdFinish_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_IMPORT_OPTIONS_H_
