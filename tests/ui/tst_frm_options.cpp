// Widget tests of the option dialogs, frmProjectOptions, frmProgramOptions and
// frmDirectory, opened from the real main window offscreen over a real program folder,
// with a scripted Host and file chooser. A modal dialog is driven by a script that
// runs once it is the active modal window. With TARVELO_SCREENSHOT_DIR set, the layout
// test saves a screenshot of every page in both layout presets.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "project/launchers.h"
#include "project/program_options.h"
#include "project/project_settings.h"
#include "project/startup.h"
#include "project/workspace.h"
#include "support/widget_bench.h"
#include "ui/frm_directory.h"
#include "ui/frm_main.h"
#include "ui/frm_program_options.h"
#include "ui/frm_project_options.h"

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

const char* const kSamples = TARVELO_SOURCE_DIR "/samples";

// The sample program folder with the main window over it.
struct Bench : ProgramBench {
  Bench() : ProgramBench(kSamples) { Start(); }

  template <typename T>
  T* Find(QWidget* parent, const char* name) const {
    return parent->findChild<T*>(QLatin1String(name));
  }
  std::string LastMessage() const { return host.messages.empty() ? "" : host.messages.back().text; }
};

// Runs `script` on the dialog of type T as soon as it is the active modal window. The
// timer goes with `owner`, so a dialog that never opened cannot catch a later test's.
template <typename T>
void WhenOpen(QObject* owner, const std::function<void(T*)>& script) {
  auto* timer = new QTimer(owner);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, script] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    timer->stop();
    timer->deleteLater();
    script(dialog);
    if (dialog->isVisible()) dialog->reject();  // a failed script never hangs the test
  });
  timer->start();
}

// Types into a field and leaves it.
void Enter(QDialog* dialog, const char* name, const QString& text) {
  auto* box = dialog->findChild<QLineEdit*>(QLatin1String(name));
  QVERIFY2(box != nullptr, name);
  box->setText(text);
  Q_EMIT box->editingFinished();
}

QString Text(QDialog* dialog, const char* name) {
  if (auto* box = dialog->findChild<QLineEdit*>(QLatin1String(name))) return box->text();
  if (auto* label = dialog->findChild<QLabel*>(QLatin1String(name))) return label->text();
  return QStringLiteral("<no %1>").arg(QLatin1String(name));
}

void Click(QDialog* dialog, const char* name) {
  dialog->findChild<QAbstractButton*>(QLatin1String(name))->click();
}

int Page(QDialog* dialog) {
  return dialog->findChild<QTabWidget*>(QStringLiteral("tabOptions"))->currentIndex();
}

const std::string kFieldError = "Please check the Data you entered into the form. ";

}  // namespace

class TstFrmOptions : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void newProjectIsCreatedShownAndGenerated();
  void propertiesAreEditedOrLeftAlone();
  void programOptionsRefuseAndStore();
  void folderPickerUsesTheDefaultDrive();
  void dialogsFitBothPresets_data();
  void dialogsFitBothPresets();
};

void TstFrmOptions::newProjectIsCreatedShownAndGenerated() {
  Bench bench;
  QVERIFY(bench.ok);
  const QString src = QString::fromStdString(bench.site.path()) + QStringLiteral("/src");
  const QString web = src + QStringLiteral("/My Site.web");
  WriteFile(bench.site / "src/index.par", "[@TITLE]:\r\nMine\r\n[@]\r\n");
  bench.chooser.answers = {QString(), web};  // the first save dialog is cancelled

  WhenOpen<frmProjectOptions>(bench.window.get(), [&](frmProjectOptions* d) {
    QCOMPARE(Text(d, "txtProjectName"), QStringLiteral("New Project"));
    QCOMPARE(d->findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), QStringLiteral("Create"));
    QVERIFY(d->findChild<QGroupBox*>(QStringLiteral("frNewProject"))->isVisibleTo(d));
    Enter(d, "txtProjectName", QStringLiteral(" "));
    Click(d, "cmdOK");
    QCOMPARE(bench.LastMessage(), kFieldError + "Project Name cannot be blank.");
    QCOMPARE(bench.host.messages.back().caption, std::string("Field Error"));
    QCOMPARE(Page(d), 0);

    Enter(d, "txtProjectName", QStringLiteral("My Site"));
    Enter(d, "txtDocumentRoot", QString::fromStdString(bench.site.path()) + "\\out");
    Enter(d, "txtContentRoot", src);
    QCOMPARE(Text(d, "txtContentRoot"), src + "/");
    QCOMPARE(Text(d, "txtDocumentRoot"), QString::fromStdString(bench.site.path()) + "/out/");
    d->findChild<QTabWidget*>(QStringLiteral("tabOptions"))->setCurrentIndex(0);
    Enter(d, "txtMacroEnd", QStringLiteral("[@x"));
    Click(d, "cmdOK");
    QVERIFY(bench.LastMessage().find("Macro Tags cannot be substrings") != std::string::npos);
    QCOMPARE(Page(d), 1);
    QVERIFY(!Exists(bench.site / "out"));  // nothing is made before the fields pass

    Enter(d, "txtMacroEnd", QStringLiteral("]"));
    Click(d, "cmdOK");  // samples made, save dialog cancelled: the dialog stays
    QVERIFY(d->isVisible());
    Click(d, "cmdOK");
  });
  bench.Item("mnuNewProject")->trigger();

  // The samples are in place, an existing file kept; the save dialog proposed the name.
  QCOMPARE(bench.chooser.calls.back(),
           (QStringList{"save", "Save Project File", "Tarvelo Projects (*.web)", web}));
  QVERIFY(Exists(bench.site / "out"));
  QCOMPARE(ReadFile(bench.site / "src/index.par"), std::string("[@TITLE]:\r\nMine\r\n[@]\r\n"));
  for (const char* name : {"project.txt", "templates/general.tpl", "globals.par", "tools.par",
                           "partners.par", "images/space.gif"}) {
    QVERIFY2(Exists(bench.site / ("src/" + std::string(name))), name);
  }
  // Listed, current and shown at once.
  const ProjectHistory& history = bench.ws.history;
  QCOMPARE(history.entries[static_cast<size_t>(history.current_index)].path, web.toStdString());
  QCOMPARE(bench.Find<QComboBox>(bench.window.get(), "cmbProjects")->currentText(),
           QStringLiteral("My Site"));
  QCOMPARE(bench.window->windowTitle(), QStringLiteral("Tarvelo CMS - My Site - ") + web);
  QCOMPARE(bench.Find<QListWidget>(bench.window.get(), "lstFolders")->item(0)->text(),
           QStringLiteral("Sample Site"));

  // The new Project generates, in the window and with the console.
  bench.Item("mnuGenerateProject")->trigger();
  QVERIFY(Exists(bench.site / "out/tools.html"));
  QProcess cli;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("TARVELO_HOME"), QString::fromStdString(bench.home.path()));
  cli.setProcessEnvironment(environment);
  cli.start(QStringLiteral(TARVELO_CLI_PATH), {QStringLiteral("/project=") + web});
  QVERIFY(cli.waitForFinished(60000));
  QCOMPARE(cli.exitCode(), 0);
  QVERIFY(cli.readAllStandardOutput().contains("Completed Project:"));
  QVERIFY(ReadFile(bench.site / "out/index.html").find("Mine") != std::string::npos);
}

void TstFrmOptions::propertiesAreEditedOrLeftAlone() {
  Bench bench;
  const std::string path = bench.ws.settings.project_file_path;
  const std::string before = ReadFile(path);
  bench.ws.settings.trim_parameter_values = 1;

  WhenOpen<frmProjectOptions>(bench.window.get(), [&](frmProjectOptions* d) {
    QCOMPARE(d->findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
    QVERIFY(!d->findChild<QGroupBox*>(QStringLiteral("frNewProject"))->isVisibleTo(d));
    Enter(d, "txtProjectName", QStringLiteral("Changed"));
    Click(d, "cmdCancel");
  });
  bench.Find<QPushButton>(bench.window.get(), "cmdEditProjectProperties")->click();
  QCOMPARE(ReadFile(path), before);

  WhenOpen<frmProjectOptions>(bench.window.get(), [&](frmProjectOptions* d) {
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    QTest::keyClick(d->focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(Page(d), 1);
    // The examples follow the tags as they are typed.
    Enter(d, "txtMacroStart", QStringLiteral("{{"));
    Enter(d, "txtMacroEnd", QStringLiteral("}}"));
    Enter(d, "txtConditionalStart", QStringLiteral("?"));
    Enter(d, "txtConditionalEnd", QStringLiteral("/"));
    Enter(d, "txtConditionalElse", QStringLiteral("|"));
    QCOMPARE(Text(d, "labSampleDefinition"), QStringLiteral("{{MACRO(@param1:value1)}}:"));
    QCOMPARE(Text(d, "labSampleClosing"), QStringLiteral("{{}}"));
    QCOMPARE(Text(d, "labSampleWildcard"), QStringLiteral("{{MACRO*}}"));
    Enter(d, "txtMaxDocs", QStringLiteral("lots"));
    Click(d, "cmdOK");
    QCOMPARE(bench.LastMessage(),
             kFieldError + "Maximum Documents per Folder must be a whole number from 0 to 32767.");
    QCOMPARE(Page(d), 3);
    Click(d, "cmdMemoryResetDefaults");
    QCOMPARE(Text(d, "txtMaxDocs"), QStringLiteral("50"));
    Enter(d, "txtProjectName", QStringLiteral("Renamed"));
    d->findChild<QRadioButton*>(QStringLiteral("rbOptimizeAllExcept"))->setChecked(true);
    QVERIFY(d->findChild<QGroupBox*>(QStringLiteral("frOptimizationScheme"))->isEnabled());
    Click(d, "cmdOK");
  });
  bench.Item("mnuProjectProperties")->trigger();
  ProjectSettings saved;
  ReadProjectSettingsFile(bench.ws.files, path, saved);
  QCOMPARE(saved.name, std::string("Renamed"));
  QCOMPARE(saved.macro_start_tag, std::string("{{"));
  QCOMPARE(saved.optimization_status, Int16{1});
  QCOMPARE(saved.max_globals, Int16{5});            // Reset Defaults
  QCOMPARE(saved.trim_parameter_values, Int16{1});  // kept, though the dialog has no field
  QCOMPARE(bench.ws.settings.empty_macro_marker, std::string("{{}}"));
  QVERIFY(bench.window->windowTitle().startsWith(QStringLiteral("Tarvelo CMS - Renamed - ")));
}

void TstFrmOptions::programOptionsRefuseAndStore() {
  Bench bench;
  const std::string ini_path = bench.home / "tarvelo.ini";
  bench.ws.options.default_drive = "/mnt/kept";
  bench.ws.options.enable_default_drive = 1;
  WriteProgramOptions(bench.ws.files, bench.ws.options, ini_path);
  const std::string before = ReadFile(ini_path);
  bench.chooser.answers = {QStringLiteral("/opt/my editor/edit"), QStringLiteral("/srv/web/")};

  WhenOpen<frmProgramOptions>(bench.window.get(), [&](frmProgramOptions* d) {
    QCOMPARE(Text(d, "txtDefaultDrive"), QStringLiteral("/mnt/kept"));
    Enter(d, "txtMaximumProjects", QStringLiteral("0"));
    Click(d, "cmdOK");
    QCOMPARE(bench.LastMessage(),
             kFieldError + "The maximum number of Projects must be greater than 0.");
    QCOMPARE(Page(d), 3);
    Enter(d, "txtMaximumProjects", QStringLiteral("9"));
    Enter(d, "txtProjectFile", QStringLiteral("  "));
    Click(d, "cmdOK");
    QCOMPARE(bench.LastMessage(), kFieldError + "The Project History File cannot be blank.");
    QCOMPARE(ReadFile(ini_path), before);

    Enter(d, "txtProjectFile", QString::fromStdString(bench.home / "projects.ini"));
    Click(d, "cmdBrowseEditor");
    QCOMPARE(Text(d, "txtEditor"), QStringLiteral("\"/opt/my editor/edit\""));
    Click(d, "cmdBrowseFolder1");
    QCOMPARE(Text(d, "txtBrowseFolder1"), QStringLiteral("/srv/web/"));
    auto* drive = d->findChild<QCheckBox*>(QStringLiteral("ckEnableDefaultDrive"));
    drive->setChecked(false);
    QVERIFY(!d->findChild<QLineEdit*>(QStringLiteral("txtDefaultDrive"))->isEnabled());
    Enter(d, "txtDefaultDrive", QStringLiteral("/elsewhere"));
    d->findChild<QCheckBox*>(QStringLiteral("ckEnableLogging"))->setChecked(false);
    d->findChild<QCheckBox*>(QStringLiteral("ckResizableBorder"))->setChecked(true);
    Enter(d, "txtXMLEditor", QString());
    Click(d, "cmdOK");
  });
  bench.Item("mnuOptions")->trigger();
  // Programs are offered with "All Files" first.
  QCOMPARE(bench.chooser.calls[0][2],
           QStringLiteral("All Files (*);;Program Files (*.exe *.bat *.com *.sh)"));
  ProgramOptions saved;
  ReadProgramOptionsFile(bench.ws.files, bench.ws.program_folder, "", saved);
  QCOMPARE(saved.maximum_projects, Int16{9});
  QCOMPARE(saved.enable_default_drive, Int16{0});
  QCOMPARE(saved.default_drive, std::string("/mnt/kept"));
  QCOMPARE(saved.editor, std::string("\"/opt/my editor/edit\""));
  QCOMPARE(bench.ws.history.entries.size(), size_t{9});
  QCOMPARE(ReadFile(bench.ws.working.log_file),
           std::string("Logging may be disabled. You can enable logging in the Tools->Options "
                       "screen.\r\n"));
  // The main window follows: launch commands and its border.
  QVERIFY(!bench.Item("mnuXMLEditor")->isEnabled());
  QVERIFY(!bench.Item("mnuViewLog")->isEnabled());
  QVERIFY(bench.window->maximumWidth() > bench.window->width());
}

void TstFrmOptions::folderPickerUsesTheDefaultDrive() {
  ScriptedHost host;
  TempDir dir;
  Workspace ws(host, dir / "prog");
  for (const char* file :
       {"web/site/pages/a.txt", "web/site/pages/blog/a.txt", "web/site/pages/news/a.txt"}) {
    WriteFile(dir / file, "");
  }
  ws.options.default_drive = dir / "web";
  ws.options.enable_default_drive = 1;

  frmDirectory picker(ws, QStringLiteral("\\site\\"));
  QCOMPARE(picker.windowTitle(), QStringLiteral("Select a Folder"));
  QCOMPARE(picker.folder(), dir / "web/site/");
  QCOMPARE(Text(&picker, "txtFolder"), QStringLiteral("/site/"));
  QVERIFY(!picker.findChild<QLabel*>(QStringLiteral("labDefaultDrive"))->isHidden());
  QCOMPARE(picker.findChild<QComboBox*>(QStringLiteral("cmbDrive"))->currentText(),
           QString::fromStdString(dir / "web"));
  auto* folders = picker.findChild<QListWidget*>(QStringLiteral("lstFolders"));
  QCOMPARE(folders->item(1)->text(), QStringLiteral("pages"));
  Q_EMIT folders->itemActivated(folders->item(1));
  QCOMPARE(Text(&picker, "txtFolder"), QStringLiteral("/site/pages/"));
  SaveScreenshot(picker, "select-a-folder.png");
  Q_EMIT folders->itemActivated(folders->item(0));  // ".."
  Q_EMIT folders->itemActivated(folders->item(0));
  Q_EMIT folders->itemActivated(folders->item(0));  // out of the default drive
  QCOMPARE(Text(&picker, "txtFolder"), QString::fromStdString(dir.path() + "/"));
  QVERIFY(picker.findChild<QLabel*>(QStringLiteral("labDefaultDrive"))->isHidden());
  auto* drives = picker.findChild<QComboBox*>(QStringLiteral("cmbDrive"));
  Q_EMIT drives->activated(drives->findText(QStringLiteral("/")));
  QCOMPARE(picker.folder(), std::string("/"));
  Q_EMIT drives->activated(drives->findText(QString::fromStdString(dir / "web")));
  QCOMPARE(Text(&picker, "txtFolder"), QStringLiteral("/"));
  Q_EMIT folders->itemActivated(folders->item(0));  // ".." out of the default drive
  Click(&picker, "cmdOK");
  QCOMPARE(picker.result_path(), QString::fromStdString(dir.path() + "/"));

  frmDirectory cancelled(ws, QStringLiteral(" \\site "));
  Click(&cancelled, "cmdCancel");
  QCOMPARE(cancelled.result_path(), QStringLiteral("/site/"));
}

void TstFrmOptions::dialogsFitBothPresets_data() {
  QTest::addColumn<bool>("program");
  QTest::addColumn<int>("large");
  for (int large = 0; large <= 1; ++large) {
    QTest::addRow("project properties, preset %d", large) << false << large;
    QTest::addRow("program options, preset %d", large) << true << large;
  }
}

void TstFrmOptions::dialogsFitBothPresets() {
  QFETCH(bool, program);
  QFETCH(int, large);
  Bench bench;
  bench.ws.options.large_display = static_cast<Int16>(large);
  std::unique_ptr<QDialog> dialog;
  if (program) {
    dialog = std::make_unique<frmProgramOptions>(bench.ws, bench.chooser);
  } else {
    dialog = std::make_unique<frmProjectOptions>(bench.ws, bench.chooser, true);
  }
  dialog->show();
  QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
  QVERIFY(dialog->frameGeometry().width() <= 1366 && dialog->frameGeometry().height() <= 768);
  auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("tabOptions"));
  const QString folder = qEnvironmentVariable("TARVELO_SCREENSHOT_DIR");
  for (int page = 0; page < tabs->count(); ++page) {
    tabs->setCurrentIndex(page);
    QApplication::processEvents();
    QString keys;  // the access keys of the page, each used once
    for (QWidget* widget : tabs->currentWidget()->findChildren<QWidget*>()) {
      if (!widget->isVisible() || qobject_cast<QLineEdit*>(widget) != nullptr) continue;
      QVERIFY2(widget->minimumSizeHint().width() <= widget->width(),
               qPrintable(widget->objectName() + " " + tabs->tabText(page)));
      QString text;
      if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
      const qsizetype amp = text.indexOf(QLatin1Char('&'));
      if (amp < 0 || amp + 1 >= text.size()) continue;
      const QChar key = text.at(amp + 1).toLower();
      QVERIFY2(!keys.contains(key), qPrintable(text + " " + tabs->tabText(page)));
      keys += key;
    }
    if (!folder.isEmpty()) {
      QString name =
          QStringLiteral("%1-%2%3.png")
              .arg(program ? "program-options" : "project-properties",
                   tabs->tabText(page).toLower().replace(' ', '-'), large ? "-large" : "");
      QVERIFY(dialog->grab().save(QDir(folder).filePath(name)));
    }
  }
}

TARVELO_WIDGET_TEST_MAIN(TstFrmOptions)

#include "tst_frm_options.moc"
