// tarvelo: the desktop workbench. Finds the program folder as the console does, brings
// up the configuration, builds the main window and runs the event loop.
#include <QApplication>
#include <string>
#include <vector>

#include "generation/project_argument.h"
#include "project/startup.h"
#include "project/workspace.h"
#include "ui/file_chooser.h"
#include "ui/frm_main.h"
#include "ui/qt_desktop_services.h"
#include "ui/widget_host.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvelo CMS"));
  QApplication::setDesktopFileName(QStringLiteral("tarvelo"));
  // QApplication has taken its own options (-style, -platform ...) out of argv.
  const std::vector<std::string> arguments(argv + 1, argv + argc);

  tarvelo::WidgetHost host;
  tarvelo::Workspace workspace(host, tarvelo::ProgramFolderOfThisProcess());
  if (!tarvelo::StartUpWorkspace(workspace)) return 1;

  tarvelo::QtDesktopServices desktop;
  tarvelo::DialogFileChooser chooser;
  tarvelo::frmMain window(workspace, desktop, chooser);
  host.set_parent(&window);
  host.set_status_list(window.status_list());
  host.set_generation_callbacks([&window] { window.StartGenerate(); },
                                [&window] { window.EndGenerate(); });
  // A file manager starts the workbench with the project file that was opened.
  const std::string project_file = tarvelo::ProjectFileArgument(arguments, workspace.files);
  if (!project_file.empty()) tarvelo::OpenProjectArgument(workspace, project_file);
  if (!window.Load(arguments)) return 1;
  if (window.windowState() & Qt::WindowMinimized) {
    window.showMinimized();
  } else {
    window.show();
  }
  return app.exec();
}
