// Builders of the option dialogs' fields.
#include "ui/option_fields.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

#include "common/host.h"
#include "ui/frm_main_views.h"
#include "views/project_properties.h"

namespace tarvelo {

QLineEdit* AddTextRow(QGridLayout* grid, int row, const QString& caption, const char* name,
                      int max_length, int span) {
  QWidget* parent = grid->parentWidget();
  auto* label = new QLabel(caption, parent);
  auto* box = new QLineEdit(parent);
  box->setObjectName(QLatin1String(name));
  if (max_length > 0) box->setMaxLength(max_length);
  label->setBuddy(box);
  grid->addWidget(label, row, 0);
  grid->addWidget(box, row, 1, 1, span);
  return box;
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

void AddNextPageShortcut(QDialog* dialog, QTabWidget* tabs) {
  auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), dialog);
  next->setContext(Qt::WindowShortcut);
  QObject::connect(next, &QShortcut::activated, tabs,
                   [tabs] { tabs->setCurrentIndex((tabs->currentIndex() + 1) % tabs->count()); });
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
