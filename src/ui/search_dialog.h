// What the Find and Replace windows share: while a run is busy the window cannot be
// closed (a box says why) nor ended with Escape, and it opens centred in the work area.
#ifndef TARVELO_UI_SEARCH_DIALOG_H_
#define TARVELO_UI_SEARCH_DIALOG_H_

#include <QDialog>
#include <string>

namespace tarvelo {

class Host;

class SearchDialog : public QDialog {
 public:
  bool busy() const { return busy_; }

 protected:
  /// `busy_text` and `busy_caption`: the box shown when the window is closed while busy.
  SearchDialog(Host& host, std::string busy_text, std::string busy_caption, QWidget* parent);

  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  void showEvent(QShowEvent* event) override;

  bool busy_ = false;

 private:
  Host& host_;
  std::string busy_text_;
  std::string busy_caption_;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_SEARCH_DIALOG_H_
