// Builders of the option dialogs' fields.
#include "ui/option_fields.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/host.h"
#include "ui/frm_main_views.h"
#include "views/project_properties.h"

namespace tarvelo {
namespace {

QLineEdit* AddCaptionedBox(QGridLayout* grid, int row, int column, const QString& caption,
                           const char* name, int max_length, int span) {
  QWidget* parent = grid->parentWidget();
  auto* label = new QLabel(caption, parent);
  auto* box = new QLineEdit(parent);
  box->setObjectName(QLatin1String(name));
  if (max_length > 0) box->setMaxLength(max_length);
  label->setBuddy(box);
  grid->addWidget(label, row, column);
  grid->addWidget(box, row, column + 1, 1, span);
  return box;
}

// Ctrl+Tab moves to the next page (after the last, the first).
void AddNextPageShortcut(QDialog* dialog, QTabWidget* tabs) {
  auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), dialog);
  next->setContext(Qt::WindowShortcut);
  QObject::connect(next, &QShortcut::activated, tabs,
                   [tabs] { tabs->setCurrentIndex((tabs->currentIndex() + 1) % tabs->count()); });
}

}  // namespace

QDialogButtonBox* AddOkCancel(QDialog* dialog, const QString& ok_caption,
                              const std::function<void()>& confirm) {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* ok = buttons->addButton(ok_caption, QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  buttons->addButton(QObject::tr("Cancel"), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("cmdCancel"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, confirm);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

QTabWidget* CreateOptionPages(QDialog* dialog,
                              const std::vector<std::pair<QWidget*, QString>>& pages,
                              const QString& ok_caption, const std::function<void()>& confirm) {
  auto* tabs = new QTabWidget(dialog);
  tabs->setObjectName(QStringLiteral("tabOptions"));
  for (const auto& [page, caption] : pages) tabs->addTab(page, caption);
  AddNextPageShortcut(dialog, tabs);
  QDialogButtonBox* buttons = AddOkCancel(dialog, ok_caption, confirm);
  auto* layout = new QVBoxLayout(dialog);
  layout->addWidget(tabs);
  layout->addWidget(buttons);
  return tabs;
}

QLineEdit* AddTextRow(QGridLayout* grid, int row, const QString& caption, const char* name,
                      int max_length, int span) {
  return AddCaptionedBox(grid, row, 0, caption, name, max_length, span);
}

QLineEdit* AddTextField(QGridLayout* grid, int row, int column, const QString& caption,
                        const char* name, int max_length) {
  return AddCaptionedBox(grid, row, column, caption, name, max_length, 1);
}

void FitDigits(QLineEdit* box) {
  box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 8);
}

QCheckBox* NamedCheckBox(const QString& caption, const char* name, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(QLatin1String(name));
  return box;
}

QPushButton* NamedButton(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

QGroupBox* NamedGroup(const QString& caption, const char* name, QWidget* parent) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(QLatin1String(name));
  return group;
}

void NormaliseOnLeaving(QLineEdit* box, bool folder) {
  QObject::connect(box, &QLineEdit::editingFinished, box, [box, folder] {
    const std::string text = PathBytes(box->text());
    box->setText(PathText(folder ? NormaliseFolderPath(text) : NormaliseFilePath(text)));
  });
}

void ShowFieldError(Host& host, const std::string& message) {
  host.ShowMessage(kFieldErrorPrefix + message, kFieldErrorCaption, MessageButtons::kOk,
                   MessageIcon::kNone);
}

void SizeForPreset(QDialog* dialog, bool large) {
  // Twips as the main window counts them: 15 a pixel at 96 dpi.
  const double pixels_per_twip = dialog->logicalDpiX() / 1440.0;
  const QSize preset = large
                           ? QSize(qRound(10680 * pixels_per_twip), qRound(8400 * pixels_per_twip))
                           : QSize(qRound(9600 * pixels_per_twip), qRound(7200 * pixels_per_twip));
  const QSize wanted = preset.expandedTo(dialog->sizeHint());
  dialog->resize(wanted.boundedTo(QSize(1366, 728)));
}

}  // namespace tarvelo
