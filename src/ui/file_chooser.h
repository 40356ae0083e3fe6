// FileChooser: the file-open dialog as a seam. The workbench asks it for a file to
// open; the real one is QFileDialog, tests answer from a script so they never block.
#ifndef TARVELO_UI_FILE_CHOOSER_H_
#define TARVELO_UI_FILE_CHOOSER_H_

#include <QString>

class QWidget;

namespace tarvelo {

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  /// Asks for an existing file. `filter` is a Qt name filter ("Tarvelo Projects
  /// (*.web)"), `initial` the name the dialog starts with, or a pattern ("*.web",
  /// "/sites/main/*.web") whose folder is where it starts. Empty when cancelled.
  virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
                               const QString& initial) = 0;
};

/// The desktop's file-open dialog (QFileDialog), modal over `parent`.
class DialogFileChooser : public FileChooser {
 public:
  QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
                       const QString& initial) override;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FILE_CHOOSER_H_
