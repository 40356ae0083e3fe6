// What the secondary windows share: the error trap of their commands, the file pop-up
// menu ("&Edit" and the six custom actions), centring in the desktop work area, and
// the conversion of the program's "Name|pattern|..." file filters for the file chooser.
#ifndef TARVELO_UI_WINDOW_SUPPORT_H_
#define TARVELO_UI_WINDOW_SUPPORT_H_

#include <QString>
#include <functional>
#include <string>

class QMenu;
class QWidget;

namespace tarvelo {

class Host;
struct ProgramOptions;

/// Runs a command and shows a TarveloError (or any other failure) with the error report.
void TrapErrors(Host& host, const std::function<void()>& command);

/// A pop-up menu named `name`: "&Edit" (`name` + "Edit"), a separator and the custom
/// actions `name` + "Custom1" .. "Custom6", each calling `custom` with its number.
/// Both commands run inside TrapErrors.
QMenu* CreateFilePopup(QWidget* owner, const QString& name, Host& host,
                       const std::function<void()>& edit, const std::function<void(int)>& custom);
/// Shows only the custom actions whose caption and command are set, with their
/// captions, and the separator only when one is shown.
void PrepareFilePopup(QMenu* menu, const ProgramOptions& options);

/// Moves a window to the centre of its screen's work area (the whole screen when the
/// work area is empty), never past its top or left edge.
void CenterInWorkArea(QWidget* window);

/// "Name|pattern|Name|pattern" as a Qt name filter: "Name (pattern);;Name (pattern)",
/// "*.*" becoming "*".
QString NameFilter(const std::string& pipe_filter);

}  // namespace tarvelo

#endif  // TARVELO_UI_WINDOW_SUPPORT_H_
