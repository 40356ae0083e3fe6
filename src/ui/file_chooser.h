// FileChooser: the file and folder dialogs as a seam. The workbench asks it for a file
// to open or to save and for a folder; the real one shows QFileDialog and frmDirectory,
// tests answer from a script so they never block.
#ifndef TARVELO_UI_FILE_CHOOSER_H_
#define TARVELO_UI_FILE_CHOOSER_H_

#include <QString>

class QWidget;

namespace tarvelo {

struct Workspace;

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  /// Asks for an existing file. `filter` is a Qt name filter ("Tarvelo Projects
  /// (*.web)"), `initial` the name the dialog starts with, or a pattern ("*.web",
  /// "/sites/main/*.web") whose folder is where it starts. Empty when cancelled.
  virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
                               const QString& initial) = 0;
  /// Asks for a file to write: `initial` is the proposed path; the dialog asks before
  /// overwriting an existing file and takes only a folder that exists. Empty when
  /// cancelled.
  virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                               const QString& initial) = 0;
  /// BrowseForFolder: the "Select a Folder" window starting at `path`. Returns the
  /// chosen folder's display form, or on Cancel `path` tidied the same way.
  virtual QString BrowseForFolder(QWidget* parent, const Workspace& workspace,
                                  const QString& path) = 0;
};

/// The desktop's file dialogs (QFileDialog) and frmDirectory, modal over `parent`.
class DialogFileChooser : public FileChooser {
 public:
  QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter,
                       const QString& initial) override;
  QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                       const QString& initial) override;
  QString BrowseForFolder(QWidget* parent, const Workspace& workspace,
                          const QString& path) override;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FILE_CHOOSER_H_
