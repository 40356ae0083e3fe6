// Widget tests of the secondary windows — the Project browser, the Content Files,
// Templates and Macros windows and the import wizard — driven offscreen over a real
// program folder with a scripted Host, a desktop that records what would be started
// and a scripted file chooser; and the main window's commands that open them. With
// TARVELO_SCREENSHOT_DIR set, each window is also saved as a screenshot for the docs.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "engine/macro_table.h"
#include "project/history_operations.h"
#include "project/launchers.h"
#include "project/startup.h"
#include "project/workspace.h"
#include "support/widget_bench.h"
#include "ui/frm_content_files.h"
#include "ui/frm_import_options.h"
#include "ui/frm_macros.h"
#include "ui/frm_main.h"
#include "ui/frm_project_browser.h"
#include "ui/frm_templates.h"

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A program folder brought up as at start-up, and Projects written beside it.
struct Bench : ProgramBench {
  Bench() {
    ws.options.editor = "ed";
    ws.options.editor_options = "+%LINE% %FILE%";
    host.messages.clear();  // the first-run questions
  }

  // A Project "name" in site/<name>/ whose definition holds `documents` Documents with
  // `per_document` Content Files each; it is opened and becomes current.
  std::string AddProject(const std::string& name, int documents = 2, int per_document = 2) {
    const std::string root = site.path() + "/" + name;
    std::string definition = "Globals=globals.par\r\n[Pages]\r\nGlobals=folder.par\r\n";
    for (int d = 0; d < documents; ++d) {
      definition += "page" + std::to_string(d) + ".html,page.tpl";
      for (int k = 0; k < per_document; ++k) {
        definition += ",c" + std::to_string(d * per_document + k) + ".par";
      }
      definition += "\r\n";
    }
    WriteFile(root + "/src/project.txt", definition);
    WriteFile(root + "/src/page.tpl", "[@TITLE]\r\n");
    WriteFile(
        root + "/src/macros.par",
        "[@zeta]:\r\nlast\r\n[@]\r\n[@Alpha]:\r\none\r\ntwo\r\n[@]\r\n[@beta]:\r\nb\r\n[@]\r\n");
    WriteFile(root + "/" + name + ".web",
              "name=" + name + "\r\ncontent-root=" + root + "/src/\r\ndocument-root=" + root +
                  "/out/\r\ndefinition-file=project.txt\r\nproject-macro-file=macros.par\r\n"
                  "display-project-macro-file=1\r\nmax-docs=32000\r\nmax-content-files=10\r\n");
    OpenProject(ws, root + "/" + name + ".web");
    ReadProjectDefinition(ws, false, true);
    return root;
  }
};

// Every message box shown, for a failure's description.
QByteArray Messages(const ScriptedHost& host) {
  QByteArray text;
  for (const auto& message : host.messages) text += QByteArray::fromStdString(message.text) + " | ";
  return text;
}

}  // namespace

class TstFrmProjectWindows : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void browserMovesProjectsOnDisk();
  void contentFilesFillInBatchesAndCancel_data();
  void contentFilesFillInBatchesAndCancel();
  void macrosOpenTheEditorAtTheDefinition();
  void importWizardAppliesEachChoice_data();
  void importWizardAppliesEachChoice();
  void mainWindowOpensEachWindow();
};

void TstFrmProjectWindows::browserMovesProjectsOnDisk() {
  Bench bench;
  QVERIFY(bench.ok);
  const std::string alpha = bench.AddProject("Alpha");
  bench.AddProject("Beta");
  bench.AddProject("Gamma");
  frmProjectBrowser window(bench.ws, bench.desktop);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  auto* projects = window.findChild<QListWidget*>("lstProjects");
  auto* up = window.findChild<QPushButton*>("cmdMoveUp");
  auto* down = window.findChild<QPushButton*>("cmdMoveDown");
  QCOMPARE(Texts(projects).mid(1), (QStringList{"Alpha", "Beta", "Gamma"}));
  QCOMPARE(projects->currentItem()->text(), QStringLiteral("Gamma"));  // the current one
  QVERIFY(up->isEnabled());
  QVERIFY(!down->isEnabled());

  projects->setCurrentRow(1);
  auto* definition = window.findChild<QTreeWidget*>("tvDefinitionFile");
  QCOMPARE(definition->topLevelItem(0)->text(0),
           QString::fromStdString(alpha + "/src/project.txt"));
  QVERIFY(window.findChild<QTreeWidget*>("tvMacroFile")->isVisibleTo(&window));
  QTest::keyClick(definition, Qt::Key_Return);
  QCOMPARE(bench.desktop.started.size(), size_t{1});
  QCOMPARE(bench.desktop.started.back(),
           (std::vector<std::string>{"ed", alpha + "/src/project.txt"}));

  down->click();
  down->click();
  QCOMPARE(Texts(projects).mid(1), (QStringList{"Beta", "Gamma", "Alpha"}));
  QCOMPARE(projects->currentItem()->text(), QStringLiteral("Alpha"));
  QVERIFY(!down->isEnabled());
  const std::string history = ReadFile(bench.home.path() + "/projects.ini");
  QVERIFY(history.find("Beta.web|1\r\n5|" + bench.site.path() + "/Gamma/Gamma.web|2\r\n5|" + alpha +
                       "/Alpha.web|1") != std::string::npos);
  SaveScreenshot(window, "project-browser.png");
}

void TstFrmProjectWindows::contentFilesFillInBatchesAndCancel_data() {
  QTest::addColumn<int>("documents");
  QTest::addColumn<bool>("progress");
  QTest::newRow("200 entries: no progress bar") << 100 << false;
  QTest::newRow("10,000 entries: progress, refused close, Cancel") << 5000 << true;
}

void TstFrmProjectWindows::contentFilesFillInBatchesAndCancel() {
  QFETCH(int, documents);
  QFETCH(bool, progress);
  Bench bench;
  bench.AddProject("Big", documents, 2);
  frmContentFiles window(bench.ws, bench.desktop);
  auto* bar = window.findChild<QProgressBar*>("ProgressBar1");
  auto* list = window.findChild<QListWidget*>("lstContentFiles");
  bool bar_seen = false;
  int shown_while_busy = 0;
  connect(bar, &QProgressBar::valueChanged, &window, [&](int value) {
    bar_seen = bar_seen || bar->isVisible();
    shown_while_busy = list->count();
    if (value == 100 && progress) window.reject();  // closing by hand is refused while busy
    if (value == 2000) window.findChild<QPushButton*>("cmdCancel")->click();
  });
  window.show();
  QTRY_VERIFY_WITH_TIMEOUT(!window.busy() && list->count() > 0, 60000);
  QCOMPARE(bar_seen, progress);
  QVERIFY(!bar->isVisible());
  QVERIFY(window.isVisible());
  QVERIFY(window.findChild<QPushButton*>("cmdEdit")->isEnabled());
  QVERIFY(window.findChild<QPushButton*>("cmdClose")->isEnabled());
  QVERIFY(!window.findChild<QPushButton*>("cmdCancel")->isEnabled());
  QCOMPARE(list->item(0)->text(), QStringLiteral("macros.par"));
  QCOMPARE(window.selected_file(), std::string("macros.par"));
  if (progress) {
    QVERIFY(shown_while_busy > 0);  // the views grew while the listing ran
    QVERIFY2(bench.host.messages.size() == 1, Messages(bench.host).constData());
    QCOMPARE(bench.host.messages[0].caption, std::string("Loading Files"));
    // Cancelled after 2,000 of 10,000 Content Files: the partial list stays.
    QVERIFY(list->count() >= 2000 && list->count() < 2100);
  } else {
    QCOMPARE(list->count(), 203);  // macros, globals, folder globals, 200 Content Files
    QVERIFY2(bench.host.messages.empty(), Messages(bench.host).constData());
    // The tree holds the same entries with their keys, and follows the list.
    auto* tree = window.findChild<QTreeWidget*>("tvContentFiles");
    window.findChild<QCheckBox*>("ckShowAttributes")->click();
    QVERIFY(tree->isVisible() && !list->isVisible());
    QCOMPARE(tree->topLevelItemCount(), 203);
    QCOMPARE(tree->topLevelItem(3)->data(0, Qt::UserRole + 1).toString(),
             QStringLiteral("c:0:0:0"));
    list->setCurrentRow(4);
    QCOMPARE(tree->currentItem(), tree->topLevelItem(4));
    SaveScreenshot(window, "content-files.png");
  }

  // Read-only files only: the missing Content Files are not read-only.
  window.findChild<QRadioButton*>("rbDisplay1")->click();
  QTRY_VERIFY(!window.busy());
  QCOMPARE(list->count(), 0);
  QVERIFY(!window.findChild<QPushButton*>("cmdEdit")->isEnabled());
}

void TstFrmProjectWindows::macrosOpenTheEditorAtTheDefinition() {
  Bench bench;
  const std::string root = bench.AddProject("Site");
  frmMacros window(bench.ws, bench.desktop, root + "/src/macros.par", kLevelProject);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  auto* list = window.findChild<QListWidget*>("lstMacrosSorted");
  QCOMPARE(Texts(list), (QStringList{"Alpha", "beta", "zeta"}));
  QCOMPARE(window.findChild<QPlainTextEdit*>("txtMacroData")->toPlainText(),
           QStringLiteral("one\ntwo"));
  SaveScreenshot(window, "macros.png");
  list->setCurrentRow(1);
  window.findChild<QPushButton*>("cmdEdit")->click();
  QCOMPARE(bench.desktop.started.size(), size_t{1});
  QCOMPARE(bench.desktop.started.back(),
           (std::vector<std::string>{"ed", "+8", root + "/src/macros.par"}));
  list->setCurrentRow(2);
  Q_EMIT list->itemDoubleClicked(list->item(2));
  QCOMPARE(bench.desktop.started.size(), size_t{2});
  QCOMPARE(bench.desktop.started.back()[1], std::string("+1"));
  QCOMPARE(window.windowTitle(), QString::fromStdString("Macros - " + root + "/src/macros.par"));

  // A file that cannot be read: the error report, an empty list.
  frmMacros missing(bench.ws, bench.desktop, root + "/src/none.par", kLevelContentFiles);
  QCOMPARE(missing.findChild<QListWidget*>("lstMacrosSorted")->count(), 0);
  QCOMPARE(bench.host.messages.back().caption, std::string("Error"));
}

void TstFrmProjectWindows::importWizardAppliesEachChoice_data() {
  QTest::addColumn<int>("choice");
  QTest::addColumn<QString>("history");  // the Project current afterwards
  QTest::newRow("0: copy the imported history") << 0 << "Old";
  QTest::newRow("1: copy another history") << 1 << "Other";
  QTest::newRow("2: reference the imported history") << 2 << "Old";
  QTest::newRow("3: use the default history") << 3 << "Site";
}

void TstFrmProjectWindows::importWizardAppliesEachChoice() {
  QFETCH(int, choice);
  QFETCH(QString, history);
  Bench bench;
  bench.AddProject("Site");
  const std::string old_root = bench.AddProject("Old");
  const std::string other_root = bench.AddProject("Other");
  const std::string old = bench.site.path() + "/old";
  WriteFile(old + "/projects.ini", "5|" + old_root + "/Old.web|2\r\n");
  WriteFile(old + "/other.ini", "5|" + other_root + "/Other.web|2\r\n");
  WriteFile(bench.home.path() + "/projects.ini", "5|" + bench.site.path() + "/Site/Site.web|2\r\n");
  ProgramOptions imported = bench.ws.options;
  imported.editor = "old-editor";
  imported.project_file = old + "/projects.ini";
  WriteProgramOptions(bench.ws.files, imported, old + "/tarvelo.ini");

  frmImportOptions window(bench.ws, bench.chooser);
  window.show();
  auto* next = window.findChild<QPushButton*>("cmdNext");
  QVERIFY(!next->isEnabled());
  bench.chooser.answers.push_back(QString::fromStdString(old + "/tarvelo.ini"));
  window.findChild<QPushButton*>("cmdBrowseOptions")->click();
  QCOMPARE(bench.chooser.calls.back().mid(2),
           (QStringList{"Tarvelo Program Options (tarvelo.ini);;All Files (*)", "tarvelo.ini"}));
  if (choice == 0) SaveScreenshot(window, "import-options-step1.png");
  next->click();
  QCOMPARE(window.step(), 2);
  auto* recommended = window.findChild<QRadioButton*>("rbHistory0");
  QCOMPARE(recommended->text(), QString::fromStdString(old + "/projects.ini (Recommended)"));
  QVERIFY(recommended->isChecked());
  if (choice == 0) SaveScreenshot(window, "import-options-step2.png");

  auto* finish = window.findChild<QPushButton*>("cmdFinish");
  window.findChild<QRadioButton*>(QStringLiteral("rbHistory%1").arg(choice))->click();
  if (choice == 1) {
    QVERIFY(!finish->isEnabled());
    QTest::keyClicks(window.findChild<QLineEdit*>("txtHistoryFile"),
                     QString::fromStdString("  " + old + "/other.ini"));
    QVERIFY(finish->isEnabled());
  }
  finish->click();
  QCOMPARE(window.result(), int(QDialog::Accepted));
  QCOMPARE(bench.ws.options.editor, std::string("old-editor"));
  QCOMPARE(QString::fromStdString(bench.ws.settings.name), history);
  QVERIFY2(bench.host.messages.empty(), Messages(bench.host).constData());
}

void TstFrmProjectWindows::mainWindowOpensEachWindow() {
  Bench bench;
  bench.AddProject("Site");
  frmMain main(bench.ws, bench.desktop, bench.chooser);
  QVERIFY(main.Load({}));
  struct Opened {
    const char* item;
    const char* window;
    QString title;
  };
  const QString root = QString::fromStdString(bench.site.path() + "/Site/src/");
  const Opened cases[] = {
      {"mnuViewContentFiles", "frmContentFiles", "Content Files for Site"},
      {"mnuViewTemplates", "frmTemplates", "Templates for Site"},
      {"mnuProjectBrowser", "frmProjectBrowser", "Project Browser"},
      {"mnuImportOptions", "frmImportOptions", "Import Program Options"},
      {"mnuContentFilesMacroList", "frmMacros", "Macros - " + root + "macros.par"},
  };
  for (const Opened& c : cases) {
    QString seen;
    QString title;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &main, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      auto* list = qobject_cast<FileListWindow*>(dialog);
      if (list != nullptr && list->busy()) return;
      seen = dialog->objectName();
      title = dialog->windowTitle();
      if (seen == "frmTemplates") SaveScreenshot(*dialog, "templates.png");
      dialog->done(QDialog::Rejected);
    });
    poll.start(10);
    main.findChild<QAction*>(QLatin1String(c.item))->trigger();
    poll.stop();
    QCOMPARE(seen, QString::fromLatin1(c.window));
    QCOMPARE(title, c.title);
  }
}

TARVELO_WIDGET_TEST_MAIN(TstFrmProjectWindows)

#include "tst_frm_project_windows.moc"
