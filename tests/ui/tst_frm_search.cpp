// Widget tests of the Find, Replace and Replace Special windows: the real windows
// offscreen over a fixture Project, with a scripted Host (which also plays the user
// during a run), a desktop that records what would be started and a scripted file
// chooser. With TARVELO_SCREENSHOT_DIR set, the windows are saved for the docs.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "project/launchers.h"
#include "project/project_settings.h"
#include "project/workspace.h"
#include "support/widget_bench.h"
#include "ui/frm_main_views.h"
#include "ui/frm_replace.h"
#include "ui/frm_replace_special.h"
#include "ui/frm_search.h"
#include "ui/search_results.h"

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A Project of one Folder with two Documents sharing a Template.
struct Bench {
  Bench() : ws(host, home.path()) {
    ws.settings = NewProjectSettings();
    ws.settings.content_root = home / "src/";
    ws.settings.document_root = home / "out/";
    ws.settings.definition_file = "project.txt";
    ws.working = WorkingFilesIn(home / "temp/");
    ws.options.editor = "edit";
    ws.options.editor_options = "+%LINE%";
    ws.options.custom_commands[1] = {"Compare", "compare"};
    WriteFile(Src("project.txt"),
              "Globals=globals.par\r\n[Main]\r\n"
              "index.html,page.tpl,index.par\r\nabout.html,page.tpl,about.par\r\n");
    WriteFile(Src("globals.par"), "[@SITE]:\r\nSite\r\n[@]\r\n");
    WriteFile(Src("page.tpl"), "<title>[@TITLE]</title>\r\n<h1>[@TITLE] [@TITLE]</h1>\r\n");
    WriteFile(Src("index.par"), "[@TITLE]:\r\nHome\r\n[@]\r\n");
    WriteFile(Src("about.par"), "[@TITLE]:\r\nAbout\r\n[@]\r\n");
    WriteFile(home / "out/index.html", "<title>Home</title>\r\n");
  }
  std::string Src(const std::string& name) const { return home / ("src/" + name); }
  template <typename T>
  T* Find(QWidget* window, const char* name) const {
    return window->findChild<T*>(QLatin1String(name));
  }

  TempDir home;
  ScriptedHost host;
  Workspace ws;
  RecordingDesktop desktop;
  ScriptedChooser chooser;
};

}  // namespace

class TstFrmSearch : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void findEnablesSearchAndShowsEachMode_data();
  void findEnablesSearchAndShowsEachMode();
  void findListsResultsAndOpensThem();
  void stopEndsTheSearchAndCloseWaitsForIt();
  void replaceAsksFirstThenRewrites();
  void replaceSpecialRepairsAChosenFile();
};

void TstFrmSearch::findEnablesSearchAndShowsEachMode_data() {
  QTest::addColumn<bool>("documents");
  QTest::addColumn<int>("document");
  QTest::newRow("files, a current Document") << false << 1;
  QTest::newRow("files, none") << false << -1;
  QTest::newRow("documents, none") << true << -1;
}

void TstFrmSearch::findEnablesSearchAndShowsEachMode() {
  QFETCH(bool, documents);
  QFETCH(int, document);
  Bench bench;
  frmSearch window(bench.ws, bench.desktop, documents, 0, static_cast<Int16>(document));
  window.show();
  QCOMPARE(window.windowTitle(), documents ? QString("Find in Documents") : QString("Find"));
  for (const char* name : {"frContentScope", "frContentTypes", "ckDefinitionsOnly"}) {
    QCOMPARE(bench.Find<QWidget>(&window, name)->isVisible(), !documents);
  }
  QCOMPARE(bench.Find<QGroupBox>(&window, "frDocumentScope")->isVisible(), documents);
  for (const char* name : {"rbScope1", "rbDocumentScope1"}) {
    QCOMPARE(bench.Find<QRadioButton>(&window, name)->isEnabled(), document >= 0);
  }
  auto* search = bench.Find<QPushButton>(&window, "cmdSearch");
  QVERIFY(!search->isEnabled());
  QTest::keyClicks(bench.Find<QLineEdit>(&window, "txtFind"), "x");
  QVERIFY(search->isEnabled());
  for (const char* name : {"ckGlobals", "ckTemplates", "ckContentFiles", "ckFolderGlobals"}) {
    bench.Find<QCheckBox>(&window, name)->setChecked(false);
  }
  QCOMPARE(search->isEnabled(), documents);  // the file types play no part for Documents
  if (documents) {
    QTest::mouseClick(search, Qt::LeftButton);
    QCOMPARE(Texts(window.results().status()).last(),
             QString("Complete. 0 occurrences in 0 files. 1 file checked. "));
  }
}

void TstFrmSearch::findListsResultsAndOpensThem() {
  Bench bench;
  frmSearch window(bench.ws, bench.desktop, false, 0, 1);
  QTest::keyClicks(bench.Find<QLineEdit>(&window, "txtFind"), "[@TITLE]");
  QTest::mouseClick(bench.Find<QPushButton>(&window, "cmdSearch"), Qt::LeftButton);
  SearchResults& results = window.results();
  QCOMPARE(Texts(results.status()).last(),
           QString("Complete. 5 occurrences in 3 files. 4 files checked. "));
  const QString page = QString::fromStdString(bench.Src("page.tpl"));
  QCOMPARE(Texts(results.list()).first(), page + " (3)");
  ColumnTree* tree = results.tree();
  QCOMPARE(tree->topLevelItemCount(), 4);
  QCOMPARE(tree->topLevelItem(1)->text(0), page + " (2) - <h1>[@TITLE] [@TITLE]</h1>");
  QCOMPARE(tree->topLevelItem(1)->data(0, Qt::UserRole + 1).toString(), page + "!2");
  QVERIFY(!tree->topLevelItem(1)->icon(0).isNull());
  QCOMPARE(tree->currentItem(), tree->topLevelItem(3));

  SaveScreenshot(window, "find.png");

  // A double-click opens the editor at the line; the status list opens the log.
  window.show();
  tree->scrollToItem(tree->topLevelItem(1));
  const QPoint node = tree->visualItemRect(tree->topLevelItem(1)).center();
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, node);
  QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, node);
  QCOMPARE(bench.desktop.started.back(),
           (std::vector<std::string>{"edit", bench.Src("page.tpl"), "+2"}));
  QCOMPARE(tree->hooks.drag_file(), page);
  QListWidget* status = results.status();
  status->scrollToItem(status->item(0));
  const QPoint first = status->visualItemRect(status->item(0)).center();
  QTest::mouseClick(status->viewport(), Qt::LeftButton, {}, first);
  QTest::mouseDClick(status->viewport(), Qt::LeftButton, {}, first);
  QCOMPARE(bench.desktop.started.back(),
           (std::vector<std::string>{"edit", bench.ws.working.search_file}));

  // The pop-up shows only the custom actions that have a caption and a command.
  Q_EMIT tree->customContextMenuRequested(node);
  auto* menu = bench.Find<QMenu>(&window, "mnuSearch");
  QVERIFY(menu->isVisible());
  QVERIFY(!bench.Find<QAction>(menu, "mnuSearchCustom1")->isVisible());
  QAction* compare = bench.Find<QAction>(menu, "mnuSearchCustom2");
  QVERIFY(compare->isVisible());
  QCOMPARE(compare->text(), QString("Compare"));
  menu->hide();
  compare->trigger();
  QCOMPARE(bench.desktop.started.back(),
           (std::vector<std::string>{"compare", bench.Src("page.tpl")}));

  // The plain list: its own label, and Edit opens the file without a line.
  bench.Find<QCheckBox>(&window, "ckShowDetailedResults")->setChecked(false);
  QVERIFY(results.list()->isVisible() && !tree->isVisible());
  QCOMPARE(results.label()->text(), QString("Search Results"));
  QListWidget* list = results.list();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  QCOMPARE(results.selected_list_file(), bench.Src("page.tpl"));
  bench.Find<QAction>(menu, "mnuSearchEdit")->trigger();
  QCOMPARE(bench.desktop.started.back(), (std::vector<std::string>{"edit", bench.Src("page.tpl")}));
}

void TstFrmSearch::stopEndsTheSearchAndCloseWaitsForIt() {
  Bench bench;
  frmSearch window(bench.ws, bench.desktop, false, -1, -1);
  window.show();
  auto* search = bench.Find<QPushButton>(&window, "cmdSearch");
  QTest::keyClicks(bench.Find<QLineEdit>(&window, "txtFind"), "[@");
  bench.host.on_events = [&](int events) {
    if (events != 2) return;
    QCOMPARE(search->text(), QString("Stop"));
    QVERIFY(!bench.Find<QPushButton>(&window, "cmdClose")->isEnabled());
    QVERIFY(!window.close());  // refused while busy
    QTest::mouseClick(search, Qt::LeftButton);
  };
  QTest::mouseClick(search, Qt::LeftButton);
  QCOMPARE(bench.host.messages.size(), size_t{1});
  QCOMPARE(bench.host.messages[0].caption, std::string("Search In Progress"));
  QCOMPARE(Texts(window.results().status()).last(),
           QString("Stopped. 7 occurrences in 3 files. 3 files checked. "));
  QCOMPARE(search->text(), QString("Search"));
  QVERIFY(window.close());
}

void TstFrmSearch::replaceAsksFirstThenRewrites() {
  Bench bench;
  SetReadOnly(bench.Src("about.par"), true);
  frmReplace window(bench.ws, bench.desktop, 0, 0);
  QCOMPARE(window.windowTitle(), QString("Replace"));
  auto* replace = bench.Find<QPushButton>(&window, "cmdReplace");
  QVERIFY(!replace->isEnabled());
  QTest::keyClicks(bench.Find<QLineEdit>(&window, "txtFind"), "[@TITLE]");
  QTest::keyClicks(bench.Find<QLineEdit>(&window, "txtReplace"), "[@NAME]");
  const std::string former_log = ReadFile(bench.ws.working.search_file);

  bench.host.message_answers.push_back(MessageAnswer::kCancel);
  QTest::mouseClick(replace, Qt::LeftButton);
  QCOMPARE(bench.host.messages[0].caption, std::string("Confirm Replace"));
  QCOMPARE(bench.host.messages[0].text,
           std::string("Are you sure you want to replace \"[@TITLE]\" with \"[@NAME]\"?"));
  QCOMPARE(ReadFile(bench.Src("index.par")), std::string("[@TITLE]:\r\nHome\r\n[@]\r\n"));
  QCOMPARE(ReadFile(bench.ws.working.search_file), former_log);
  QCOMPARE(window.results().status()->count(), 0);

  QTest::mouseClick(replace, Qt::LeftButton);
  QCOMPARE(ReadFile(bench.Src("index.par")), std::string("[@NAME]:\r\nHome\r\n[@]\r\n"));
  QCOMPARE(ReadFile(bench.Src("about.par")), std::string("[@TITLE]:\r\nAbout\r\n[@]\r\n"));
  const QStringList status = Texts(window.results().status());
  QCOMPARE(status.mid(status.size() - 2),
           (QStringList{"Complete. 4 replacements in 2 files. 1 occurrence in 1 read-only file "
                        "not replaced.",
                        "4 files checked (1 read-only file)."}));
  QCOMPARE(window.results().tree()->topLevelItem(0)->text(0),
           QString::fromStdString(bench.Src("page.tpl")) + " (1) - <title>[@NAME]</title>");
  QCOMPARE(window.results().label()->text(), QString("Detailed Replace Results"));
  QCOMPARE(replace->text(), QString("Replace"));
  SaveScreenshot(window, "replace.png");
}

void TstFrmSearch::replaceSpecialRepairsAChosenFile() {
  Bench bench;
  const std::string file = bench.home / "mac.txt";
  WriteFile(file, "one\rtwo\rthree\r\n");
  frmReplaceSpecial window(bench.ws, bench.chooser);
  window.show();
  auto* name = bench.Find<QLineEdit>(&window, "txtFileName");
  auto* replace = bench.Find<QPushButton>(&window, "cmdReplace");
  QVERIFY(!replace->isEnabled());

  bench.chooser.answers.push_back(QString::fromStdString(file));
  QTest::mouseClick(bench.Find<QPushButton>(&window, "cmdBrowse"), Qt::LeftButton);
  QCOMPARE(bench.chooser.filters(), QStringList{"All Files (*)"});
  QCOMPARE(name->text(), QString::fromStdString(file));
  QVERIFY(replace->isEnabled());
  QTest::mouseClick(replace, Qt::LeftButton);
  QCOMPARE(ReadFile(file), std::string("one\r\ntwo\r\nthree\r\n"));
  QTest::mouseClick(replace, Qt::LeftButton);  // already repaired: nothing to replace
  auto* status = bench.Find<QListWidget>(&window, "lstStatus");
  QCOMPARE(
      Texts(status),
      (QStringList{"Processing File: " + name->text(), "File fixed. 2 occurrences replaced.",
                   "Processing File: " + name->text(), "File fixed. 0 occurrences replaced."}));

  // A name typed with the other separator and blanks is tidied when the box is left.
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  name->setFocus();
  name->setText(" " + QString::fromStdString(file).replace('/', '\\') + " ");
  bench.Find<QPushButton>(&window, "cmdClose")->setFocus();
  QCOMPARE(name->text(), QString::fromStdString(file));
  SaveScreenshot(window, "replace-special.png");
}

TARVELO_WIDGET_TEST_MAIN(TstFrmSearch)

#include "tst_frm_search.moc"
