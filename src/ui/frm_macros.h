// frmMacros: the Macros defined in one Content File, sorted by name, with the selected
// Macro's value; "Edit" opens the file in the editor at the Macro's definition.
#ifndef TARVELO_UI_FRM_MACROS_H_
#define TARVELO_UI_FRM_MACROS_H_

#include <QDialog>
#include <string>
#include <vector>

#include "common/int16.h"
#include "views/file_listing.h"

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tarvelo {

class DesktopServices;
struct Workspace;

class frmMacros : public QDialog {
  Q_OBJECT

 public:
  /// Reads the Content File at `path` (resolved) once, with the Macro limit of `level`
  /// (1 Content File, 2 Folder Global, 3 Global Content File, 4 Project Macro File).
  /// A file that cannot be read is reported with the error report; the list stays
  /// empty.
  frmMacros(Workspace& workspace, DesktopServices& desktop, const std::string& path, Int16 level,
            QWidget* parent = nullptr);
  frmMacros(const frmMacros&) = delete;
  frmMacros& operator=(const frmMacros&) = delete;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowValue(int row);
  void EditMacro();

  Workspace& ws_;
  DesktopServices& desktop_;
  std::string path_;
  std::vector<MacroListEntry> entries_;

  QListWidget* lstMacrosSorted_ = nullptr;
  QPlainTextEdit* txtMacroData_ = nullptr;
  QPushButton* cmdEdit_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_MACROS_H_
