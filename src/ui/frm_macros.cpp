// The Macros window: the sorted list is the core's; the window shows it in one go with
// its redrawing suspended, so a file with tens of thousands of Macros fills at once.
#include "ui/frm_macros.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "common/text.h"
#include "project/launchers.h"
#include "project/workspace.h"
#include "ui/frm_main_views.h"
#include "ui/widget_host.h"
#include "ui/window_support.h"

namespace tarvelo {

frmMacros::frmMacros(Workspace& workspace, DesktopServices& desktop, const std::string& path,
                     Int16 level, QWidget* parent)
    : QDialog(parent), ws_(workspace), desktop_(desktop), path_(path) {
  setObjectName(QStringLiteral("frmMacros"));
  setModal(true);
  setWindowTitle(QStringLiteral("Macros - ") + PathText(path));

  auto* label = new QLabel(tr("Macros"), this);
  label->setObjectName(QStringLiteral("labMacros"));
  lstMacrosSorted_ = new QListWidget(this);
  lstMacrosSorted_->setObjectName(QStringLiteral("lstMacrosSorted"));
  lstMacrosSorted_->setUniformItemSizes(true);
  auto* value_label = new QLabel(tr("Macro Value:"), this);
  value_label->setObjectName(QStringLiteral("labMacroData"));
  txtMacroData_ = new QPlainTextEdit(this);
  txtMacroData_->setObjectName(QStringLiteral("txtMacroData"));
  txtMacroData_->setReadOnly(true);
  cmdEdit_ = new QPushButton(tr("Edit"), this);
  cmdEdit_->setObjectName(QStringLiteral("cmdEdit"));
  cmdClose_ = new QPushButton(tr("Close"), this);
  cmdClose_->setObjectName(QStringLiteral("cmdClose"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdEdit_);
  buttons->addStretch(1);
  buttons->addWidget(cmdClose_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(lstMacrosSorted_, 3);
  layout->addWidget(value_label);
  layout->addWidget(txtMacroData_, 2);
  layout->addLayout(buttons);
  resize(440, 460);

  TrapErrors(ws_.host, [&] { entries_ = ListMacros(ws_, path_, level); });
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(entries_.size()));
  for (const MacroListEntry& entry : entries_) texts << DisplayText(entry.text);
  lstMacrosSorted_->setUpdatesEnabled(false);
  lstMacrosSorted_->addItems(texts);
  for (int i = 0; i < lstMacrosSorted_->count(); ++i) {
    lstMacrosSorted_->item(i)->setData(Qt::UserRole, entries_[static_cast<size_t>(i)].slot);
  }
  lstMacrosSorted_->setUpdatesEnabled(true);

  connect(lstMacrosSorted_, &QListWidget::currentRowChanged, this, &frmMacros::ShowValue);
  const auto edit = [this] { TrapErrors(ws_.host, [this] { EditMacro(); }); };
  connect(lstMacrosSorted_, &QListWidget::itemDoubleClicked, this, edit);
  connect(cmdEdit_, &QPushButton::clicked, this, edit);
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
  if (lstMacrosSorted_->count() > 0) lstMacrosSorted_->setCurrentRow(0);
  cmdEdit_->setEnabled(lstMacrosSorted_->count() > 0);
}

void frmMacros::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) CenterInWorkArea(this);
}

void frmMacros::ShowValue(int row) {
  if (row < 0 || static_cast<size_t>(row) >= entries_.size()) {
    txtMacroData_->clear();
    return;
  }
  std::string text = entries_[static_cast<size_t>(row)].value;
  ReplaceAll(text, "\r\n", "\n");
  txtMacroData_->setPlainText(DisplayText(text));
}

void frmMacros::EditMacro() {
  const int row = lstMacrosSorted_->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= entries_.size()) return;
  const std::int32_t line = entries_[static_cast<size_t>(row)].line;
  Launchers(ws_.options, ws_.settings, desktop_, ws_.host)
      .LaunchEditor(path_, line > 0 ? std::to_string(line) : std::string());
}

}  // namespace tarvelo
