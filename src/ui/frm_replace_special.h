// frmReplaceSpecial: the Replace Special window, which repairs one text file whose
// lines end with a carriage return alone.
#ifndef TARVELO_UI_FRM_REPLACE_SPECIAL_H_
#define TARVELO_UI_FRM_REPLACE_SPECIAL_H_

#include <QDialog>

#include "search/search_reporter.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tarvelo {

class FileChooser;
struct Workspace;

class frmReplaceSpecial : public QDialog, private SearchReporter {
  Q_OBJECT

 public:
  frmReplaceSpecial(Workspace& workspace, FileChooser& chooser, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void cmdBrowse_Click();
  void cmdReplace_Click();
  void NormaliseFileName();

  // SearchReporter: the status list only.
  void ClearStatus() override {}
  void UpdateStatus(const std::string& status) override;
  void ClearResults() override {}
  void UpdateResultsStatus(const std::string&) override {}
  void UpdateDetailedResultsStatus(const std::string&, const std::string&, const std::string&,
                                   std::int32_t, std::int32_t) override {}

  Workspace& ws_;
  FileChooser& chooser_;
  QLineEdit* txtFileName_;
  QPushButton* cmdBrowse_;
  QPushButton* cmdReplace_;
  QPushButton* cmdClose_;
  QListWidget* lstStatus_;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_REPLACE_SPECIAL_H_
