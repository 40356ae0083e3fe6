// Helpers of the secondary windows.
#include "ui/window_support.h"

#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <algorithm>

#include "common/error.h"
#include "common/error_report.h"
#include "project/program_options.h"
#include "ui/widget_host.h"
#include "views/project_view.h"

namespace tarvelo {

void TrapErrors(Host& host, const std::function<void()>& command) {
  try {
    command();
  } catch (const TarveloError& error) {
    ShowErrorReport(host, error);
  } catch (const std::exception& error) {
    ShowErrorReport(host, TarveloError(kInvalidProcedureCall, error.what()));
  }
}

QMenu* CreateFilePopup(QWidget* owner, const QString& name, Host& host,
                       const std::function<void()>& edit, const std::function<void(int)>& custom) {
  auto* menu = new QMenu(owner);
  menu->setObjectName(name);
  QAction* edit_item = menu->addAction(QObject::tr("&Edit"));
  edit_item->setObjectName(name + QStringLiteral("Edit"));
  QObject::connect(edit_item, &QAction::triggered, owner,
                   [&host, edit] { TrapErrors(host, edit); });
  menu->addSeparator()->setObjectName(name + QStringLiteral("CustomSeparator"));
  for (int n = 1; n <= 6; ++n) {
    QAction* action = menu->addAction(QStringLiteral("Custom%1").arg(n));
    action->setObjectName(name + QStringLiteral("Custom%1").arg(n));
    QObject::connect(action, &QAction::triggered, owner,
                     [&host, custom, n] { TrapErrors(host, [&] { custom(n); }); });
  }
  return menu;
}

void PrepareFilePopup(QMenu* menu, const ProgramOptions& options) {
  const QString name = menu->objectName();
  bool any = false;
  for (int n = 1; n <= 6; ++n) {
    QAction* action = menu->findChild<QAction*>(name + QStringLiteral("Custom%1").arg(n));
    const bool shown = CustomActionShown(options, n);
    action->setVisible(shown);
    if (shown)
      action->setText(DisplayText(options.custom_commands[static_cast<size_t>(n - 1)].caption));
    any = any || shown;
  }
  menu->findChild<QAction*>(name + QStringLiteral("CustomSeparator"))->setVisible(any);
}

void CenterInWorkArea(QWidget* window) {
  const QScreen* where = window->screen();
  if (where == nullptr) return;
  QRect area = where->availableGeometry();
  if (area.isEmpty()) area = where->geometry();
  const QRect frame = window->frameGeometry();
  // Never past the top or left edge, where a window larger than the area would hide
  // its title bar.
  window->move(area.x() + std::max(0, (area.width() - frame.width()) / 2),
               area.y() + std::max(0, (area.height() - frame.height()) / 2));
}

QString NameFilter(const std::string& pipe_filter) {
  const QStringList parts = QString::fromStdString(pipe_filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = parts[i + 1];
    if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
    QString name = parts[i];
    // A name that already shows its pattern keeps only that one.
    const qsizetype open = name.indexOf(QLatin1String(" ("));
    if (open > 0 && name.endsWith(QLatin1Char(')'))) name.truncate(open);
    filters << name + QStringLiteral(" (") + pattern + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace tarvelo
