// tarvelo: the desktop workbench. Finds the program folder as the console does, brings
// up the configuration, builds the main window and runs the event loop. The exit
// status is the batch run's, as tarvelo-cli's, so a scheduler can tell.
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "generation/batch_run.h"
#include "generation/project_argument.h"
#include "project/startup.h"
#include "project/workspace.h"
#include "ui/file_chooser.h"
#include "ui/frm_about.h"
#include "ui/frm_main.h"
#include "ui/qt_desktop_services.h"
#include "ui/widget_host.h"

namespace {

constexpr const char* kUsage =
    "Usage: tarvelo [/mode=1|2 /project=FILE.web [/command=CMD] [/window=1]\n"
    "               [/document-root=DIR] [/modified-only=0|1]]\n"
    "\n"
    "The Tarvelo CMS workbench. Without a mode it opens on the current Project.\n"
    "\n"
    "  /mode=1|2             generate /project= one second after start-up; 2 closes the\n"
    "                        program after the run (unless it was stopped)\n"
    "  /project=FILE.web     the project file to open and generate\n"
    "  /command=CMD          start CMD after the run\n"
    "  /window=1             keep the window minimized while the run is pending and runs\n"
    "  /document-root=DIR    write the Documents under DIR for this run only\n"
    "  /modified-only=0|1    generate modified Documents only (1) or all (0), this run\n"
    "  --help, --version     this text; the program's version\n"
    "\n"
    "Option names ignore case and may be written --name=VALUE. Without a display, use\n"
    "tarvelo-cli, which runs the same generation on the console.\n"
    "\n"
    "Exit status after a batch run: 0 completed, 1 completed with errors or missing\n"
    "files, 2 halted or not started, 130 stopped; 0 without a batch run.\n";

// --help and --version print and end before any window or display is needed.
bool AnswersAtOnce(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::fputs(kUsage, stdout);
      return true;
    }
    if (argument == "--version") {
      std::printf("tarvelo %s\n", tarvelo::ProgramVersion().toStdString().c_str());
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (AnswersAtOnce(argc, argv)) return 0;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvelo CMS"));
  QApplication::setDesktopFileName(QStringLiteral("tarvelo"));
  // QApplication has taken its own options (-style, -platform ...) out of argv.
  const std::vector<std::string> arguments(argv + 1, argv + argc);

  tarvelo::WidgetHost host;
  tarvelo::Workspace workspace(host, tarvelo::ProgramFolderOfThisProcess());
  if (!tarvelo::StartUpWorkspace(workspace)) return tarvelo::kBatchNotStarted;

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
  if (!window.Load(arguments)) return window.exit_status();
  if (window.windowState() & Qt::WindowMinimized) {
    window.showMinimized();
  } else {
    window.show();
  }
  const int status = app.exec();
  return status != 0 ? status : window.exit_status();
}
