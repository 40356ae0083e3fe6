// Column widgets: Enter and the file drag; the Projects list's middle elision.
#include "ui/frm_main_views.h"

#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QUrl>

namespace tarvelo {
namespace {

// Enter or Return goes to the column's hook when it has one; true when it went there.
bool TookEnter(const QKeyEvent* event, const ColumnHooks& hooks) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || !hooks.enter_pressed) return false;
  hooks.enter_pressed();
  return true;
}

// Drop targets copy the file; moving it away from the Project is never offered.
void DragFileOut(QWidget* source, const ColumnHooks& hooks) {
  if (!hooks.drag_file) return;
  const QString path = hooks.drag_file();
  if (path.isEmpty()) return;
  auto* drag = new QDrag(source);
  drag->setMimeData(FileDropData(path));
  drag->exec(Qt::CopyAction, Qt::CopyAction);
}

}  // namespace

QMimeData* FileDropData(const QString& path) {
  auto* data = new QMimeData;
  data->setUrls({QUrl::fromLocalFile(path)});
  return data;
}

ColumnList::ColumnList(QWidget* parent) : QListWidget(parent) {
  setDragEnabled(true);
  setDragDropMode(QAbstractItemView::DragOnly);
  setDefaultDropAction(Qt::CopyAction);
}

void ColumnList::startDrag(Qt::DropActions) {
  DragFileOut(this, hooks);
}

void ColumnList::keyPressEvent(QKeyEvent* event) {
  if (!TookEnter(event, hooks)) QListWidget::keyPressEvent(event);
}

ColumnTree::ColumnTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setColumnCount(1);
  setDragEnabled(true);
  setDragDropMode(QAbstractItemView::DragOnly);
  setDefaultDropAction(Qt::CopyAction);
}

void ColumnTree::startDrag(Qt::DropActions) {
  DragFileOut(this, hooks);
}

void ColumnTree::keyPressEvent(QKeyEvent* event) {
  if (!TookEnter(event, hooks)) QTreeWidget::keyPressEvent(event);
}

ProjectsCombo::ProjectsCombo(QWidget* parent) : QComboBox(parent) {}

QString ProjectsCombo::shownText() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  return fontMetrics().elidedText(currentText(), Qt::ElideMiddle, field.width());
}

// As QComboBox paints itself, with the label's text cut in the middle rather than
// at its end.
void ProjectsCombo::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  painter.setPen(palette().color(QPalette::Text));
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  if (currentIndex() < 0 && !placeholderText().isEmpty()) return;
  option.currentText = shownText();
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace tarvelo
