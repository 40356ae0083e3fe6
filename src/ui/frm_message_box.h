// frmMessageBox: the prompt box of a generation run — Yes, Yes to All, No and Cancel,
// with a preset result when the box is closed otherwise.
#ifndef TARVELO_UI_FRM_MESSAGE_BOX_H_
#define TARVELO_UI_FRM_MESSAGE_BOX_H_

#include <QDialog>

#include "common/host.h"

class QPushButton;
class QShowEvent;

namespace tarvelo {

class frmMessageBox : public QDialog {
  Q_OBJECT

 public:
  /// Buttons cmdYes, cmdYesToAll, cmdNo, cmdCancel; label lblMessage. Yes is the
  /// default button. `preset` is the result when the box is closed without a button.
  /// A carriage return in `message` (alone or before a line feed) breaks the line.
  frmMessageBox(const QString& caption, const QString& message, const PromptButtons& buttons,
                int preset, QWidget* parent = nullptr);

  /// The PromptResult chosen (or the preset).
  int result_code() const { return result_code_; }

 protected:
  /// Centres the box over its parent window (or the screen's work area) and beeps.
  void showEvent(QShowEvent* event) override;

 private:
  QPushButton* AddButton(const char* name, const QString& text, int code, bool visible);
  void CentreWindow();

  int result_code_;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_MESSAGE_BOX_H_
