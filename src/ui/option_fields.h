// Small builders shared by the option dialogs: the pages with OK and Cancel, a caption
// with its access key beside a text box, check boxes, buttons and groups named after
// their controls, the "Field Error" box, Ctrl+Tab through the pages and the size of a
// dialog in each layout preset. The folder picker takes its OK and Cancel from here.
#ifndef TARVELO_UI_OPTION_FIELDS_H_
#define TARVELO_UI_OPTION_FIELDS_H_

#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QDialog;
class QDialogButtonBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace tarvelo {

class Host;

/// OK (`ok_caption`, the default button) and Cancel, named cmdOK and cmdCancel: OK
/// calls `confirm`, Cancel rejects the dialog. The caller places the box.
QDialogButtonBox* AddOkCancel(QDialog* dialog, const QString& ok_caption,
                              const std::function<void()>& confirm);

/// An option dialog's body: the tabs "tabOptions" with `pages` (each with its tab's
/// caption), Ctrl+Tab through them, and AddOkCancel's buttons below.
QTabWidget* CreateOptionPages(QDialog* dialog,
                              const std::vector<std::pair<QWidget*, QString>>& pages,
                              const QString& ok_caption, const std::function<void()>& confirm);

/// Adds `caption` (with its "&" access key) and a text box named `name` on `row`,
/// the box spanning `span` columns from column 1. `max_length` 0 means no limit.
QLineEdit* AddTextRow(QGridLayout* grid, int row, const QString& caption, const char* name,
                      int max_length = 0, int span = 1);
/// As AddTextRow, with the caption in `column` and the box in the column after it.
QLineEdit* AddTextField(QGridLayout* grid, int row, int column, const QString& caption,
                        const char* name, int max_length = 0);
/// Narrows a box that holds a number to eight digits.
void FitDigits(QLineEdit* box);

QCheckBox* NamedCheckBox(const QString& caption, const char* name, QWidget* parent);
QPushButton* NamedButton(const QString& caption, const char* name, QWidget* parent);
QGroupBox* NamedGroup(const QString& caption, const char* name, QWidget* parent);

/// Tidies the box's text when the user leaves it: a folder path or a file path.
void NormaliseOnLeaving(QLineEdit* box, bool folder);

/// "Please check the Data you entered into the form. " + `message`, titled "Field
/// Error", through the Host.
void ShowFieldError(Host& host, const std::string& message);

/// Sizes the dialog for the preset (`large` for large-display 1): at least its
/// layout's size, never more than a 1366x768 screen's work area.
void SizeForPreset(QDialog* dialog, bool large);

}  // namespace tarvelo

#endif  // TARVELO_UI_OPTION_FIELDS_H_
