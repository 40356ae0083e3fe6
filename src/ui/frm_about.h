// frmAbout: the about box — program name, version and the legal notices.
#ifndef TARVELO_UI_FRM_ABOUT_H_
#define TARVELO_UI_FRM_ABOUT_H_

#include <QDialog>
#include <QString>

namespace tarvelo {

/// "major.minor.patch" of this build.
QString ProgramVersion();

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  /// Labels lblTitle, lblDescription, lblVersion, lblLegal and the button cmdOK,
  /// which closes the box.
  explicit frmAbout(QWidget* parent = nullptr);
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_ABOUT_H_
