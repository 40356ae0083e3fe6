// Column widgets: Enter and the file drag.
#include "ui/frm_main_views.h"

#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

namespace tarvelo {
namespace {

bool IsEnter(const QKeyEvent* event) {
  return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
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
  if (IsEnter(event) && hooks.enter_pressed) {
    hooks.enter_pressed();
    return;
  }
  QListWidget::keyPressEvent(event);
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
  if (IsEnter(event) && hooks.enter_pressed) {
    hooks.enter_pressed();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

}  // namespace tarvelo
