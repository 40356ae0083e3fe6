// The list and tree widgets of the main window's columns: a plain QListWidget or
// QTreeWidget that also reports Enter (activation by keyboard, which Qt's own
// itemActivated mixes with clicks on some desktops) and drags the column's file out
// as a file URL, copy only; and the Projects list, which shows a long name with both
// ends.
#ifndef TARVELO_UI_FRM_MAIN_VIEWS_H_
#define TARVELO_UI_FRM_MAIN_VIEWS_H_

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QString>
#include <QTreeWidget>
#include <functional>
#include <string>

class QMimeData;

namespace tarvelo {

/// Display text of the core's bytes (UTF-8 passes through; other bytes show as
/// replacement characters but are never written back).
inline QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}
/// A file name from a dialog as the bytes the file system uses.
inline std::string PathBytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}
/// A file name of the core for a URL or a dialog.
inline QString PathText(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

/// The payload of a drag out of a column: one local file as a URL.
QMimeData* FileDropData(const QString& path);

/// What a column does beyond showing rows; both are optional.
struct ColumnHooks {
  /// The file a drag offers; empty text starts no drag.
  std::function<QString()> drag_file;
  /// Enter or Return on the column.
  std::function<void()> enter_pressed;
};

class ColumnList : public QListWidget {
 public:
  explicit ColumnList(QWidget* parent = nullptr);
  ColumnHooks hooks;

 protected:
  void startDrag(Qt::DropActions supported_actions) override;
  void keyPressEvent(QKeyEvent* event) override;
};

class ColumnTree : public QTreeWidget {
 public:
  explicit ColumnTree(QWidget* parent = nullptr);
  ColumnHooks hooks;

 protected:
  void startDrag(Qt::DropActions supported_actions) override;
  void keyPressEvent(QKeyEvent* event) override;
};

/// The Projects list: a name too long for the box is cut in the middle, so its start
/// and its end (where names differ: "Site - staging", "Site - live") both show.
class ProjectsCombo : public QComboBox {
 public:
  explicit ProjectsCombo(QWidget* parent = nullptr);
  /// The current name as the box shows it.
  QString shownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_FRM_MAIN_VIEWS_H_
