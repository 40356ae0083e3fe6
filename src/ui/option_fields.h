// Small builders shared by the option dialogs: a caption with its access key beside a
// text box, check boxes and groups named after their controls, the "Field Error"
// box, Ctrl+Tab through the pages and the size of a dialog in each layout preset.
#ifndef TARVELO_UI_OPTION_FIELDS_H_
#define TARVELO_UI_OPTION_FIELDS_H_

#include <QString>
#include <string>

class QCheckBox;
class QDialog;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace tarvelo {

class Host;

/// Adds `caption` (with its "&" access key) and a text box named `name` on `row`,
/// the box spanning `span` columns from column 1. `max_length` 0 means no limit.
QLineEdit* AddTextRow(QGridLayout* grid, int row, const QString& caption, const char* name,
                      int max_length = 0, int span = 1);

QCheckBox* NamedCheckBox(const QString& caption, const char* name, QWidget* parent);
QPushButton* NamedButton(const QString& caption, const char* name, QWidget* parent);

/// Tidies the box's text when the user leaves it: a folder path or a file path.
void NormaliseOnLeaving(QLineEdit* box, bool folder);

/// "Please check the Data you entered into the form. " + `message`, titled "Field
/// Error", through the Host.
void ShowFieldError(Host& host, const std::string& message);

/// Ctrl+Tab moves to the next page (after the last, the first).
void AddNextPageShortcut(QDialog* dialog, QTabWidget* tabs);

/// Sizes the dialog for the preset (`large` for large-display 1): at least its
/// layout's size, never more than a 1366x768 screen's work area.
void SizeForPreset(QDialog* dialog, bool large);

}  // namespace tarvelo

#endif  // TARVELO_UI_OPTION_FIELDS_H_
