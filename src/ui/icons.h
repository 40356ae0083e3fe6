// The workbench's own icon set: a state icon for every file role and state of the
// project columns, and the toolbar icons, drawn for light and dark themes alike.
#ifndef TARVELO_UI_ICONS_H_
#define TARVELO_UI_ICONS_H_

#include <QIcon>
#include <QString>
#include <QStringList>

#include "common/int16.h"
#include "views/project_view.h"

namespace tarvelo {

/// The icon of a tree node: role × state (Documents: present, read-only or missing,
/// crossed with their optimisation level 0, 1 or 2).
QIcon StateIcon(FileRole role, FileState state, Int16 optimisation = 0);

/// The icon of a toolbar button, by its key ("Generate", "GenerateFolder",
/// "GenerateDocument", "Stop", "Search", "Replace", "Editor", "Browser",
/// "ImageEditor", "XMLEditor", "CustomApplication", "CustomApplication2",
/// "CustomApplication3", "BrowseFolder1", "Log"); a null icon for any other key.
QIcon ToolbarIcon(const QString& key);

/// Every key ToolbarIcon draws, in toolbar order.
QStringList ToolbarIconKeys();

}  // namespace tarvelo

#endif  // TARVELO_UI_ICONS_H_
