// Widget tests of the main window, frmMain: the real window driven offscreen over a
// real program folder and a fixture Project, with a scripted Host (wired to the
// window's generation callbacks as the workbench's own Host is), a desktop that
// records what would be started, and a scripted file chooser. With
// TARVELO_SCREENSHOT_DIR set, the layout test also saves the screenshots of the docs.
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <memory>

#include "common/shell_words.h"
#include "project/file_locks.h"
#include "project/history_operations.h"
#include "project/launchers.h"
#include "project/program_options.h"
#include "project/project_history.h"
#include "project/project_settings.h"
#include "project/startup.h"
#include "project/workspace.h"
#include "support/widget_bench.h"
#include "ui/frm_about.h"
#include "ui/frm_main.h"
#include "ui/frm_main_views.h"

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A fixture site: three Folders (the last without Documents), a Document with a
// Content File that does not exist, Folder Globals and a Global Content File.
std::string WriteFixtureSite(const FileStore& files, const std::string& root) {
  WriteFile(root + "/src/project.txt",
            "Globals=globals.par\r\n"
            "[Pages]\r\n"
            "Globals=pages\\folder.par\r\n"
            "pages\\index.html,page.tpl,pages\\index.par\r\n"
            "pages\\about.html,page.tpl,pages\\about.par,missing.par\r\n"
            "[Articles]\r\n"
            "articles\\one.html,page.tpl,articles\\one.par\r\n"
            "[Empty]\r\n");
  WriteFile(root + "/src/page.tpl", "<h1>[@TITLE]</h1>\r\n<p>[@SITE]</p>\r\n");
  WriteFile(root + "/src/globals.par", "[@SITE]:\r\nFixture\r\n[@]\r\n");
  WriteFile(root + "/src/pages/folder.par", "[@SECTION]:\r\nPages\r\n[@]\r\n");
  WriteFile(root + "/src/pages/index.par",
            "[@TITLE]:\r\nHome\r\n[@]\r\n\r\n[@INTRO]:\r\nWelcome\r\nto the site\r\n[@]\r\n");
  WriteFile(root + "/src/pages/about.par", "[@TITLE]:\r\nAbout\r\n[@]\r\n");
  WriteFile(root + "/src/articles/one.par", "[@TITLE]:\r\nOne\r\n[@]\r\n");
  ProjectSettings settings = NewProjectSettings();
  settings.name = "Fixture Site";
  settings.project_file_path = root + "/site.web";
  settings.document_root = root + "/out/";
  settings.content_root = root + "/src/";
  settings.definition_file = "project.txt";
  WriteProjectSettings(files, settings);
  return settings.project_file_path;
}

QStringList Keys(const QTreeWidget* tree) {
  QStringList keys;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    keys << tree->topLevelItem(i)->data(0, Qt::UserRole + 1).toString();
  }
  return keys;
}

QString CurrentText(const QListWidget* list) {
  return list->currentItem() != nullptr ? list->currentItem()->text() : QString();
}

bool HasLine(const std::vector<std::string>& lines, const std::string& start) {
  for (const std::string& line : lines) {
    if (line.rfind(start, 0) == 0) return true;
  }
  return false;
}

// A program folder brought up as at start-up, the fixture site beside it, and the
// window over both.
struct Bench : ProgramBench {
  explicit Bench(const std::string& resources = "") : ProgramBench(resources) {
    site_file = WriteFixtureSite(ws.files, site.path());
  }

  // Opens the fixture site with File > Open Project.
  frmMain& StartWithSite() {
    Start();
    chooser.answers.push_back(QString::fromStdString(site_file));
    Item("mnuOpenProject")->trigger();
    return *window;
  }

  template <typename T = QListWidget>
  T* Find(const char* name) const {
    return window->findChild<T*>(QLatin1String(name));
  }
  QAction* Tool(const char* key) const {
    return Find<QToolBar>("Toolbar1")->findChild<QAction*>(QLatin1String(key));
  }
  int Px(int twips) const { return qRound(twips * window->logicalDpiX() / 1440.0); }
  ProgramOptions SavedOptions() const {
    ProgramOptions saved;
    ReadProgramOptionsFile(ws.files, ws.program_folder, "", saved);
    return saved;
  }
  std::string Src(const std::string& name) const { return site.path() + "/src/" + name; }
  std::string Out(const std::string& name) const { return site.path() + "/out/" + name; }

  std::string site_file;
};

const char* const kSamples = TARVELO_SOURCE_DIR "/samples";

}  // namespace

class TstFrmMain : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void startsUpInAnEmptyProgramFolder();
  void menusAndToolbarCarryEveryCommand();
  void columnsShowTheProject();
  void showPathsAndAttributesSwitchTheColumns();
  void showMacrosWidensTheWindowAndListsMacros();
  void largePresetSizesTheWindow();
  void refreshKeepsTheSelection();
  void projectCommandsChangeTheHistory();
  void generationFromTheMenuAsksAboutMissingFiles();
  void stopEndsTheRunBetweenDocuments();
  void stopEndsTheWaitForAnotherRun();
  void launchersBuildTheCommandLines();
  void launchCommandsFollowTheOptions();
  void dragOffersTheColumnsFile();
  void windowedBatchModeClosesTheProgram();
  void batchModeProblemsKeepTheProgramOpen();
  void searchCommandsOpenTheirWindows();
  void layoutFitsItsTexts_data();
  void layoutFitsItsTexts();
  void batchExitStatusTellsHowTheRunEnded_data();
  void batchExitStatusTellsHowTheRunEnded();
  void unreadableDefinitionIsReportedOnce();
  void tutorialIsGeneratedOnAFirstStart();
  void missingCurrentProjectFileIsNamed();
  void smallCommandsFitTheirContext();
};

void TstFrmMain::startsUpInAnEmptyProgramFolder() {
  Bench bench(kSamples);
  QVERIFY(bench.ok);
  frmMain& window = bench.Start();
  QVERIFY(bench.loaded);
  // The sample Project is current; its definition comes from the installed resources.
  QCOMPARE(bench.host.status, std::vector<std::string>{"Tarvelo Content Management System " +
                                                       ProgramVersion().toStdString()});
  for (const auto& message : bench.host.messages) QVERIFY(message.caption != "Error");
  auto* projects = bench.Find<QComboBox>("cmbProjects");
  QCOMPARE(projects->count(), 1);
  QCOMPARE(projects->currentText(), QStringLiteral("Tarvelo CMS Overview (Sample)"));
  QCOMPARE(window.windowTitle(),
           QStringLiteral("Tarvelo CMS - Tarvelo CMS Overview (Sample) - ") +
               QString::fromStdString(SampleProjectFilePath(bench.home.path())));
  QCOMPARE(Texts(bench.Find("lstFolders")),
           (QStringList{"Overview", "Guide", "Reference", "Examples"}));
  QCOMPARE(Texts(bench.Find("lstDocuments")), (QStringList{"index.html", "style.css"}));
  QVERIFY(bench.Item("mnuGenerateProject")->isEnabled());
  QVERIFY(!bench.Item("mnuStopGeneration")->isEnabled());
  QVERIFY(!bench.Tool("Stop")->isEnabled());
  QVERIFY(!bench.Find<QTimer>("Timer2")->isActive());
}

void TstFrmMain::menusAndToolbarCarryEveryCommand() {
  Bench bench;
  bench.Start();
  const std::pair<const char*, const char*> items[] = {
      {"mnuFile", "&File"},
      {"mnuNewProject", "&New Project..."},
      {"mnuOpenProject", "&Open Project..."},
      {"mnuRemoveProject", "&Remove Project"},
      {"mnuExit", "E&xit"},
      {"mnuView", "&View"},
      {"mnuViewFiles", "Project &Definition..."},
      {"mnuViewContentFiles", "&Content Files..."},
      {"mnuViewTemplates", "&Templates..."},
      {"mnuRefreshProject", "&Refresh"},
      {"mnuEdit", "&Search"},
      {"mnuSearch", "&Find..."},
      {"mnuReplace", "&Replace..."},
      {"mnuSearchDocuments", "Find in &Documents..."},
      {"mnuReplaceSpecial", "Replace &Special..."},
      {"mnuGenerate", "&Generate"},
      {"mnuGenerateProject", "Generate &Project"},
      {"mnuGenerateFolder", "Generate &Folder"},
      {"mnuGenerateDocument", "Generate &Document"},
      {"mnuStopGeneration", "Stop Generation"},
      {"mnuViewLog", "View &Log File"},
      {"mnuTools", "&Tools"},
      {"mnuEditor", "Launch &Editor"},
      {"mnuBrowser", "Launch &Browser"},
      {"mnuImageEditor", "Launch &Image Editor"},
      {"mnuXMLEditor", "Launch &XML Editor"},
      {"mnuBrowseFolder1", "Explore &Folder"},
      {"mnuProjectBrowser", "Project &Browser..."},
      {"mnuProjectProperties", "Project &Properties..."},
      {"mnuImportOptions", "&Import Options..."},
      {"mnuOptions", "&Options..."},
      {"mnuHelp", "&Help"},
      {"mnuTarveloTutorial", "Tarvelo CMS &Tutorial..."},
      {"mnuTarveloOnline", "Tarvelo CMS &Online..."},
      {"mnuAbout", "&About Tarvelo CMS..."},
  };
  for (const auto& [name, caption] : items) {
    QAction* action = bench.Item(name);
    QVERIFY2(action != nullptr, name);
    QCOMPARE(action->text(), QString::fromUtf8(caption));
  }

  // Keys in order, separators at positions 5, 8, 13 and 18.
  QStringList keys;
  for (QAction* action : bench.Find<QToolBar>("Toolbar1")->actions()) {
    keys << (action->isSeparator() ? QStringLiteral("|") : action->objectName());
  }
  QCOMPARE(keys, (QStringList{"Generate", "GenerateFolder", "GenerateDocument", "Stop", "|",
                              "Search", "Replace", "|", "Editor", "Browser", "ImageEditor",
                              "XMLEditor", "|", "CustomApplication", "CustomApplication2",
                              "CustomApplication3", "BrowseFolder1", "|", "Log"}));
  QCOMPARE(bench.Tool("GenerateDocument")->toolTip(), QStringLiteral("Generate Document"));
  QCOMPARE(bench.Tool("Log")->toolTip(), QStringLiteral("View Log File"));
  QCOMPARE(bench.Tool("BrowseFolder1")->toolTip(), QStringLiteral("Explore Folder"));

  const std::pair<const char*, const char*> captions[] = {
      {"frProjects", "Projects"},
      {"cmdRefresh", "Refresh"},
      {"cmdEditProjectProperties", "Properties..."},
      {"cmdProjectFiles", "Definition..."},
      {"frDisplay", "Display Options"},
      {"ckShowMacros", "Show Macros"},
      {"ckShowAttributes", "Show Attributes"},
      {"ckShowPaths", "Show Paths"},
      {"frOptions", "Project Generation Options"},
      {"ckAutomaticallyCreateSubdirectories", "Automatically Create Subdirectories"},
      {"ckGenerateModifiedOnly", "Generate Modified Documents Only"},
      {"ckSkipReadOnly", "Skip Read-Only Documents"},
      {"labFolders", "Folders"},
      {"labDocuments", "Documents"},
      {"labTemplate", "Template"},
      {"labMacros", "Macros"},
  };
  for (const auto& [name, caption] : captions) {
    QWidget* widget = bench.window->findChild<QWidget*>(QLatin1String(name));
    const QVariant text = widget->property(qobject_cast<QGroupBox*>(widget) ? "title" : "text");
    QCOMPARE(text.toString(), QString::fromUtf8(caption));
  }
}

void TstFrmMain::columnsShowTheProject() {
  Bench bench;
  frmMain& window = bench.StartWithSite();
  QCOMPARE(bench.chooser.calls.size(), size_t{1});
  // The dialog starts in the folder of the current (sample) Project.
  QCOMPARE(bench.chooser.calls[0],
           (QStringList{"open", "Open Project", "Tarvelo Projects (*.web)",
                        QString::fromStdString(bench.home.path() + "/overview/*.web")}));
  QCOMPARE(bench.Find<QComboBox>("cmbProjects")->currentText(), QStringLiteral("Fixture Site"));
  QCOMPARE(window.windowTitle(), QStringLiteral("Tarvelo CMS - Fixture Site - ") +
                                     QString::fromStdString(bench.site_file));
  QCOMPARE(bench.host.status.back(), std::string("Current Project: \tFixture Site (3 Folders, "
                                                 "3 Documents)"));

  auto* folders = bench.Find("lstFolders");
  QCOMPARE(Texts(folders), (QStringList{"Pages", "Articles", "Empty"}));
  QCOMPARE(Texts(bench.Find("lstFoldersSorted")), (QStringList{"Articles", "Empty", "Pages"}));
  QVERIFY(folders->isVisibleTo(&window));
  QVERIFY(!bench.Find("lstFoldersSorted")->isVisibleTo(&window));
  QCOMPARE(Texts(bench.Find("lstDocuments")), (QStringList{"index.html", "about.html"}));
  QCOMPARE(Texts(bench.Find("lstTemplate")), QStringList{"page.tpl"});
  QCOMPARE(Texts(bench.Find("lstContentFiles")),
           (QStringList{"index.par", "folder.par", "globals.par"}));
  QCOMPARE(bench.Find<QLabel>("labContentFiles")->text(), QStringLiteral("Content Files"));

  // A Document selected refills the columns to its right, with the tree keys.
  bench.Find("lstDocuments")->setCurrentRow(1);
  QCOMPARE(window.current_document(), Int16{1});
  QCOMPARE(Texts(bench.Find("lstContentFiles")),
           (QStringList{"about.par", "missing.par", "folder.par", "globals.par"}));
  QCOMPARE(Keys(bench.Find<QTreeWidget>("tvContentFiles")),
           (QStringList{"c:10", "c:11", "c:20", "c:30"}));
  QCOMPARE(Keys(bench.Find<QTreeWidget>("tvDocuments")), (QStringList{"d:0", "d:1"}));
  QCOMPARE(Keys(bench.Find<QTreeWidget>("tvTemplate")), QStringList{"t:1"});

  // A Folder without Documents empties the three columns to its right.
  folders->setCurrentRow(2);
  QCOMPARE(window.current_folder(), Int16{2});
  QVERIFY(Texts(bench.Find("lstDocuments")).isEmpty());
  QVERIFY(Texts(bench.Find("lstTemplate")).isEmpty());
  QVERIFY(Texts(bench.Find("lstContentFiles")).isEmpty());
  folders->setCurrentRow(1);
  QCOMPARE(Texts(bench.Find("lstDocuments")), QStringList{"one.html"});
  QCOMPARE(Texts(bench.Find("lstContentFiles")), (QStringList{"one.par", "globals.par"}));
}

void TstFrmMain::showPathsAndAttributesSwitchTheColumns() {
  Bench bench;
  frmMain& window = bench.StartWithSite();
  bench.Find("lstDocuments")->setCurrentRow(1);
  bench.Find("lstContentFiles")->setCurrentRow(2);

  bench.Find<QCheckBox>("ckShowPaths")->click();
  QCOMPARE(Texts(bench.Find("lstDocuments")),
           (QStringList{"pages\\index.html", "pages\\about.html"}));
  QCOMPARE(bench.SavedOptions().display_paths, Int16{1});
  // The place is kept across the redisplay.
  QCOMPARE(CurrentText(bench.Find("lstDocuments")), QStringLiteral("pages\\about.html"));
  QCOMPARE(CurrentText(bench.Find("lstContentFiles")), QStringLiteral("pages\\folder.par"));

  auto* documents_tree = bench.Find<QTreeWidget>("tvDocuments");
  QVERIFY(!documents_tree->isVisibleTo(&window));
  bench.Find<QCheckBox>("ckShowAttributes")->click();
  QVERIFY(documents_tree->isVisibleTo(&window));
  QVERIFY(bench.Find<QTreeWidget>("tvContentFiles")->isVisibleTo(&window));
  QVERIFY(!bench.Find("lstDocuments")->isVisibleTo(&window));
  QCOMPARE(bench.SavedOptions().display_attributes, Int16{1});
  // The tree follows the same selection, and a pick in the tree moves the list.
  QCOMPARE(documents_tree->currentItem()->text(0), QStringLiteral("pages\\about.html"));
  documents_tree->setCurrentItem(documents_tree->topLevelItem(0));
  QCOMPARE(window.current_document(), Int16{0});
  QCOMPARE(bench.Find("lstDocuments")->currentRow(), 0);

  // The generation boxes are saved as they are clicked.
  bench.Find<QCheckBox>("ckSkipReadOnly")->click();
  QCOMPARE(bench.SavedOptions().skip_read_only, Int16{1});
  QCOMPARE(bench.ws.options.skip_read_only, Int16{1});
}

void TstFrmMain::showMacrosWidensTheWindowAndListsMacros() {
  Bench bench;
  frmMain& window = bench.StartWithSite();
  QCOMPARE(window.width(), bench.Px(9935));
  QCOMPARE(window.height(), bench.Px(7845));
  QVERIFY(!bench.Find("lstMacros")->isVisibleTo(&window));

  bench.Find<QCheckBox>("ckShowMacros")->click();
  QCOMPARE(window.width(), bench.Px(13665));
  QVERIFY(bench.Find("lstMacros")->isVisibleTo(&window));
  QCOMPARE(bench.SavedOptions().display_macros, Int16{1});
  QCOMPARE(Texts(bench.Find("lstContentFiles")),
           (QStringList{"index.par", "folder.par", "globals.par", "(all macros)"}));
  QCOMPARE(Texts(bench.Find("lstMacros")), (QStringList{"TITLE", "INTRO"}));
  auto* value = bench.Find<QPlainTextEdit>("txtMacroData");
  bench.Find("lstMacros")->setCurrentRow(1);
  QCOMPARE(value->toPlainText(), QStringLiteral("Welcome\nto the site"));

  bench.Find("lstContentFiles")->setCurrentRow(3);
  QCOMPARE(Texts(bench.Find("lstMacros")), (QStringList{"TITLE", "INTRO", "SECTION", "SITE"}));
  bench.Find("lstMacros")->setCurrentRow(3);
  QCOMPARE(value->toPlainText(), QStringLiteral("(globals.par)"));

  bench.Find<QCheckBox>("ckShowMacros")->click();
  QCOMPARE(window.width(), bench.Px(9935));
  QCOMPARE(bench.SavedOptions().display_macros, Int16{0});
  QCOMPARE(Texts(bench.Find("lstContentFiles")),
           (QStringList{"index.par", "folder.par", "globals.par"}));
}

void TstFrmMain::largePresetSizesTheWindow() {
  Bench bench;
  bench.ws.options.large_display = 1;
  bench.ws.options.display_macros = 1;
  frmMain& window = bench.StartWithSite();
  QCOMPARE(window.width(), bench.Px(14985));
  QCOMPARE(window.height(), bench.Px(10190));
  QCOMPARE(window.minimumWidth(), window.maximumWidth());  // no sizable border
  QCOMPARE(bench.Find("lstFolders")->width(), bench.Px(2775));
  QCOMPARE(bench.Find("lstStatus")->width(), bench.Px(10680));
  QCOMPARE(bench.Find("lstMacros")->x(), bench.Px(10920));
  bench.Find<QCheckBox>("ckShowMacros")->click();
  QCOMPARE(window.width(), bench.Px(11030));

  Bench sizable;
  sizable.ws.options.resizable_border = 1;
  frmMain& other = sizable.Start();
  QVERIFY(other.maximumWidth() > other.width());
}

void TstFrmMain::refreshKeepsTheSelection() {
  Bench bench;
  frmMain& window = bench.StartWithSite();
  bench.Find("lstDocuments")->setCurrentRow(1);
  bench.Find("lstContentFiles")->setCurrentRow(2);
  bench.Item("mnuRefreshProject")->trigger();
  QCOMPARE(window.current_folder(), Int16{0});
  QCOMPARE(window.current_document(), Int16{1});
  QCOMPARE(window.current_content_file(), std::int64_t{20});
  QCOMPARE(CurrentText(bench.Find("lstContentFiles")), QStringLiteral("folder.par"));

  // A remembered Document that is gone leaves no Document selected.
  WriteFile(bench.Src("project.txt"),
            "[Pages]\r\npages\\index.html,page.tpl,pages\\index.par\r\n[Articles]\r\n"
            "articles\\one.html,page.tpl,articles\\one.par\r\n");
  bench.Find<QPushButton>("cmdRefresh")->click();
  QCOMPARE(Texts(bench.Find("lstDocuments")), QStringList{"index.html"});
  QCOMPARE(bench.Find("lstDocuments")->currentRow(), -1);
  QVERIFY(Texts(bench.Find("lstContentFiles")).isEmpty());

  // A remembered Folder row past the end leaves no Folder selected.
  bench.Find("lstFolders")->setCurrentRow(1);
  WriteFile(bench.Src("project.txt"), "[Pages]\r\npages\\index.html,page.tpl,pages\\index.par\r\n");
  bench.Item("mnuRefreshProject")->trigger();
  QCOMPARE(bench.Find("lstFolders")->currentRow(), -1);
  QVERIFY(Texts(bench.Find("lstDocuments")).isEmpty());
}

void TstFrmMain::projectCommandsChangeTheHistory() {
  Bench bench;
  frmMain& window = bench.StartWithSite();
  auto* projects = bench.Find<QComboBox>("cmbProjects");
  QCOMPARE(projects->count(), 2);

  // Opening a listed file again adds nothing.
  bench.chooser.answers.push_back(QString::fromStdString(bench.site_file));
  bench.Item("mnuOpenProject")->trigger();
  QCOMPARE(projects->count(), 2);
  // Cancelling the chooser changes nothing.
  bench.Item("mnuOpenProject")->trigger();
  QCOMPARE(projects->currentText(), QStringLiteral("Fixture Site"));

  // Picking another Project starts every column at its first entry.
  bench.Find("lstFolders")->setCurrentRow(1);
  const int fixture = projects->currentIndex();
  projects->activated(1 - fixture);
  QCOMPARE(bench.ws.history.entries[static_cast<size_t>(bench.ws.history.current_index)].name,
           std::string("Tarvelo CMS Overview (Sample)"));
  projects->activated(fixture);
  QCOMPARE(window.current_folder(), Int16{0});

  // A full history refuses a new Project.
  ResizeProjectHistory(bench.ws.history, 2);
  bench.Item("mnuNewProject")->trigger();
  QCOMPARE(bench.host.messages.back().text,
           std::string("Error # 10003 was generated by Tarvelo\rCould not create new project. "
                       "Maximum number of projects exceeded."));
  QCOMPARE(bench.host.messages.back().caption, std::string("Error"));

  // Removing the current Project leaves its files and no Project selected.
  bench.Item("mnuRemoveProject")->trigger();
  QCOMPARE(bench.host.messages.back().caption, std::string("Remove Project"));
  QCOMPARE(projects->count(), 1);
  QCOMPARE(projects->currentIndex(), -1);
  QVERIFY(Texts(bench.Find("lstFolders")).isEmpty());
  QVERIFY(!bench.Item("mnuGenerateProject")->isEnabled());
  QVERIFY(!bench.Find<QPushButton>("cmdRefresh")->isEnabled());
  QCOMPARE(window.windowTitle(), QStringLiteral("Tarvelo CMS"));
  QVERIFY(tarvelo::testing::Exists(bench.site_file));

  bench.Item("mnuExit")->trigger();
  QVERIFY(!window.isVisible());
}

void TstFrmMain::generationFromTheMenuAsksAboutMissingFiles() {
  Bench bench;
  bench.StartWithSite();
  bench.Find<QCheckBox>("ckAutomaticallyCreateSubdirectories")->click();
  bool generate_enabled = true;
  bool stop_enabled = false;
  bench.host.on_events = [&](int) {
    generate_enabled = bench.Item("mnuGenerateProject")->isEnabled();
    stop_enabled = bench.Tool("Stop")->isEnabled();
  };

  bench.host.prompt_answers = {kPromptNo};
  bench.Item("mnuGenerateProject")->trigger();
  QVERIFY(!generate_enabled);
  QVERIFY(stop_enabled);
  QCOMPARE(bench.host.prompts.size(), size_t{1});
  QCOMPARE(bench.host.prompts[0].caption, std::string("File Access Error"));
  QVERIFY(HasLine(bench.host.status, "Error in Project: \tFixture Site"));
  QVERIFY(bench.host.messages.back().text.rfind("Error # 10006 was generated by Tarvelo", 0) == 0);
  QVERIFY(tarvelo::testing::Exists(bench.Out("pages/index.html")));
  QVERIFY(!tarvelo::testing::Exists(bench.Out("pages/about.html")));
  QVERIFY(bench.Item("mnuGenerateProject")->isEnabled());
  QVERIFY(!bench.Tool("Stop")->isEnabled());

  bench.host.prompt_answers = {kPromptYesToAll};
  bench.Tool("Generate")->trigger();
  QCOMPARE(bench.host.clears, 2);
  QCOMPARE(bench.host.status.front().rfind("Starting Project: \tFixture Site", 0), size_t{0});
  QVERIFY(HasLine(bench.host.status, "Completed Project:\tFixture Site"));
  QVERIFY(tarvelo::testing::Exists(bench.Out("pages/about.html")));
  QVERIFY(tarvelo::testing::Exists(bench.Out("articles/one.html")));
  QCOMPARE(ReadFile(bench.Out("articles/one.html")),
           std::string("<h1>One</h1>\r\n<p>Fixture</p>\r\n"));

  // One Document: the current one.
  bench.Find("lstFolders")->setCurrentRow(1);
  bench.Item("mnuGenerateDocument")->trigger();
  QVERIFY(HasLine(bench.host.status, "Processing:\t" + bench.Out("articles/one.html")));
  QVERIFY(!HasLine(bench.host.status, "Processing:\t" + bench.Out("pages/index.html")));
}

void TstFrmMain::stopEndsTheWaitForAnotherRun() {
  Bench bench;
  bench.StartWithSite();
  FolderLock other_run;
  QVERIFY(other_run.TryLock(bench.ws.files, bench.ws.working.temp_folder));
  const QString waiting = QString::fromStdString("Waiting for another run that uses " +
                                                 bench.ws.working.temp_folder + " to finish...");
  bool shown_while_waiting = false;
  bench.host.on_pause = [&](int) {
    const QListWidget* list = bench.window->status_list();
    shown_while_waiting = list->count() > 0 && list->item(list->count() - 1)->text() == waiting;
    QVERIFY(bench.Tool("Stop")->isEnabled());
    bench.Tool("Stop")->trigger();
  };
  bench.Item("mnuGenerateProject")->trigger();
  QVERIFY(shown_while_waiting);
  QVERIFY(HasLine(bench.host.status, "Stopped Project:  \tFixture Site"));
  QVERIFY(!tarvelo::testing::Exists(bench.Out("pages/index.html")));
  QVERIFY(bench.Item("mnuGenerateProject")->isEnabled());
}

void TstFrmMain::stopEndsTheRunBetweenDocuments() {
  Bench bench;
  bench.StartWithSite();
  bench.Find<QCheckBox>("ckAutomaticallyCreateSubdirectories")->click();
  bench.host.on_events = [&](int events) {
    if (events == 1) bench.Item("mnuStopGeneration")->trigger();
  };
  bench.Item("mnuGenerateProject")->trigger();
  QVERIFY(HasLine(bench.host.status, "Stopped Project:  \tFixture Site"));
  QVERIFY(tarvelo::testing::Exists(bench.Out("pages/index.html")));
  QVERIFY(!tarvelo::testing::Exists(bench.Out("pages/about.html")));
  QVERIFY(bench.host.prompts.empty());
}

void TstFrmMain::launchersBuildTheCommandLines() {
  Bench bench;
  ProgramOptions& options = bench.ws.options;
  options.editor = "gedit";
  options.editor_options = "+%LINE%";
  options.browser = "firefox";
  options.image_editor = "gimp";
  options.browse_folder1 = "/srv/www";
  options.custom_commands[0] = {"Copy", "cp %FILE% /tmp"};
  options.custom_commands[1] = {"No command", ""};
  bench.StartWithSite();
  const std::string definition = bench.Src("project.txt");
  const std::string index = bench.Out("pages/index.html");
  auto& started = bench.desktop.started;

  // Folders: the definition file at the Folder's line.
  bench.Find("lstFolders")->setCurrentRow(1);
  QTest::keyClick(bench.Find("lstFolders"), Qt::Key_Return);
  QCOMPARE(started.back(), (std::vector<std::string>{"gedit", definition, "+6"}));
  bench.Find("lstFolders")->setCurrentRow(0);

  // Documents: the default action, and the pop-up's items.
  options.documents_default_action = 1;
  QTest::keyClick(bench.Find("lstDocuments"), Qt::Key_Enter);
  QCOMPARE(started.back(), (std::vector<std::string>{"firefox", index}));
  bench.Item("mnuDocumentsEditImage")->trigger();
  QCOMPARE(started.back(), (std::vector<std::string>{"gimp", index}));
  bench.Item("mnuDocumentsEditContentFile")->trigger();
  QCOMPARE(started.back(), (std::vector<std::string>{"gedit", bench.Src("pages/index.par")}));
  bench.Item("mnuDocumentsOpen")->trigger();
  QCOMPARE(bench.desktop.opened.back(), std::make_pair(index, false));

  // Template: custom action 1, shown with its caption; 2 has no command and stays hidden.
  QVERIFY(bench.Item("mnuTemplateCustom1")->isVisible());
  QCOMPARE(bench.Item("mnuTemplateCustom1")->text(), QStringLiteral("Copy"));
  QVERIFY(!bench.Item("mnuTemplateCustom2")->isVisible());
  bench.Item("mnuTemplateCustom1")->trigger();
  QCOMPARE(started.back(), (std::vector<std::string>{"cp", bench.Src("page.tpl"), "/tmp"}));

  // Macros: the defining Content File at the Macro's head line.
  bench.Find<QCheckBox>("ckShowMacros")->click();
  bench.Find("lstMacros")->setCurrentRow(1);
  QTest::keyClick(bench.Find("lstMacros"), Qt::Key_Return);
  QCOMPARE(started.back(), (std::vector<std::string>{"gedit", bench.Src("pages/index.par"), "+5"}));

  // Menus: log file, editor without a file, exploring, the tutorial.
  bench.Item("mnuViewLog")->trigger();
  QCOMPARE(started.back(), (std::vector<std::string>{"gedit", bench.ws.working.log_file}));
  bench.Tool("Editor")->trigger();
  QCOMPARE(started.back(), std::vector<std::string>{"gedit"});
  bench.Item("mnuViewFiles")->trigger();
  QCOMPARE(started.back(), (std::vector<std::string>{"gedit", definition}));
  bench.Tool("BrowseFolder1")->trigger();
  QCOMPARE(bench.desktop.opened.back(), std::make_pair(std::string("/srv/www"), true));
  bench.Item("mnuTarveloTutorial")->trigger();
  const std::string guide = bench.home.path() + "/overview/index.html";
  QCOMPARE(bench.desktop.opened.back(), std::make_pair(guide, false));
  bench.Item("mnuTarveloOnline")->trigger();
  QCOMPARE(started.back(), (std::vector<std::string>{"firefox", guide}));

  // A program that does not start is reported, and the window stays usable.
  bench.desktop.start_result = false;
  bench.Find<QListWidget>("lstStatus")->itemDoubleClicked(nullptr);
  QCOMPARE(bench.host.messages.back().text,
           "Error # 10007 was generated by Tarvelo\rError launching editor (gedit " +
               bench.ws.working.log_file +
               "). Please check the editor path in the Tools->Options screen.");
  QCOMPARE(bench.host.messages.back().icon, MessageIcon::kExclamation);
}

void TstFrmMain::launchCommandsFollowTheOptions() {
  Bench bench;
  ProgramOptions& options = bench.ws.options;
  options.editor.clear();
  options.xml_editor = "xmlcopyeditor";
  options.custom_application = "deploy.sh %PROJECT_PATH%";
  options.custom_application_caption = "Deploy";
  options.custom_application2 = "backup.sh";
  options.enable_content_file_filter = 1;
  options.content_file_filter = " .par ";
  bench.StartWithSite();
  QVERIFY(!bench.Item("mnuEditor")->isEnabled());
  QVERIFY(!bench.Tool("Editor")->isEnabled());
  QVERIFY(!bench.Item("mnuViewLog")->isEnabled());
  QVERIFY(bench.Item("mnuXMLEditor")->isEnabled());
  QVERIFY(bench.Item("mnuCustomApplication")->isEnabled());
  QCOMPARE(bench.Item("mnuCustomApplication")->text(), QStringLiteral("Launch Deploy"));
  QCOMPARE(bench.Tool("CustomApplication")->toolTip(), QStringLiteral("Launch Deploy"));
  // A command without a caption stays off with the default texts.
  QVERIFY(!bench.Tool("CustomApplication2")->isEnabled());
  QCOMPARE(bench.Item("mnuCustomApplication2")->text(),
           QStringLiteral("Launch &Custom Application2"));
  QCOMPARE(bench.Tool("CustomApplication2")->toolTip(),
           QStringLiteral("Launch Custom Application2"));
  QCOMPARE(bench.Find<QLabel>("labContentFiles")->text(),
           QStringLiteral("Content Files (using filter *.par)"));

  bench.Tool("CustomApplication")->trigger();
  QCOMPARE(bench.desktop.started.back(), (std::vector<std::string>{"deploy.sh", "%PROJECT_PATH%"}));
  // A column still edits with the editor's fallback program.
  bench.Item("mnuTemplateEdit")->trigger();
  QCOMPARE(bench.desktop.started.back(),
           (std::vector<std::string>{"xdg-open", bench.Src("page.tpl")}));
}

void TstFrmMain::dragOffersTheColumnsFile() {
  Bench bench;
  bench.StartWithSite();
  auto drag_file = [&](const char* name) {
    return bench.window->findChild<ColumnList*>(QLatin1String(name))->hooks.drag_file();
  };
  bench.Find("lstDocuments")->setCurrentRow(1);
  const QString about = QString::fromStdString(bench.Out("pages/about.html"));
  QCOMPARE(drag_file("lstDocuments"), about);
  QCOMPARE(bench.window->findChild<ColumnTree*>("tvDocuments")->hooks.drag_file(), about);
  QCOMPARE(drag_file("lstTemplate"), QString::fromStdString(bench.Src("page.tpl")));
  bench.Find("lstContentFiles")->setCurrentRow(1);
  QCOMPARE(drag_file("lstContentFiles"), QString::fromStdString(bench.Src("missing.par")));
  QCOMPARE(drag_file("lstFolders"), QString::fromStdString(bench.Src("project.txt")));

  const std::unique_ptr<QMimeData> data(FileDropData(QStringLiteral("/site/a page.html")));
  QCOMPARE(data->urls(), QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/site/a page.html"))});
  QCOMPARE(data->urls().front().toLocalFile(), QStringLiteral("/site/a page.html"));
}

void TstFrmMain::windowedBatchModeClosesTheProgram() {
  Bench bench;
  bench.ws.options.create_subdirectories = 1;
  bench.ws.options.ignore_missing_file_errors = 1;
  const std::string marker = bench.site.path() + "/done";
  const std::vector<std::string> arguments = {"/MODE=2", "/project=" + bench.site_file, "/window=1",
                                              "/command=touch '" + marker + "'"};
  frmMain& window = bench.Start(arguments);
  QSignalSpy closed(&window, &frmMain::programClosed);
  QCOMPARE(bench.host.status.size(), size_t{2});
  QCOMPARE(bench.host.status[1], "Command Line: \t" + JoinArguments(arguments));
  auto* timer = bench.Find<QTimer>("Timer2");
  QVERIFY(timer->isActive());
  QVERIFY(timer->isSingleShot());
  QCOMPARE(timer->interval(), 1000);
  QVERIFY(window.windowState() & Qt::WindowMinimized);

  QVERIFY(closed.wait(5000));
  QVERIFY(!window.isVisible());
  QVERIFY(tarvelo::testing::Exists(bench.Out("articles/one.html")));
  QVERIFY(HasLine(bench.host.status, "Current Project: \tFixture Site"));
  QVERIFY(HasLine(bench.host.status, "Completed Project:\tFixture Site"));
  // The batch run keeps the status lines of the start.
  QCOMPARE(bench.host.status[1], "Command Line: \t" + JoinArguments(arguments));
  QCOMPARE(bench.desktop.started, (std::vector<std::vector<std::string>>{{"touch", marker}}));
  QCOMPARE(bench.host.pauses, std::vector<int>{200});
  QCOMPARE(bench.Find<QComboBox>("cmbProjects")->currentText(), QStringLiteral("Fixture Site"));
}

void TstFrmMain::batchModeProblemsKeepTheProgramOpen() {
  {
    // A stop during a mode-2 run keeps the program open.
    Bench bench;
    bench.ws.options.create_subdirectories = 1;
    frmMain& window = bench.Start({"/mode=2", "/project=" + bench.site_file});
    QVERIFY(!(window.windowState() & Qt::WindowMinimized));
    QSignalSpy closed(&window, &frmMain::programClosed);
    bench.host.on_events = [&](int) { bench.Tool("Stop")->trigger(); };
    QTRY_VERIFY_WITH_TIMEOUT(HasLine(bench.host.status, "Stopped Project:  \tFixture Site"), 5000);
    QTest::qWait(300);
    QCOMPARE(closed.count(), 0);
  }
  {
    // A file that is no project file: the box, and the window restored.
    Bench bench;
    frmMain& window = bench.Start({"/mode=2", "/project=/nowhere/site.web", "/window=1"});
    QSignalSpy closed(&window, &frmMain::programClosed);
    QTRY_COMPARE_WITH_TIMEOUT(bench.host.messages.back().caption, std::string("Command Line Error"),
                              5000);
    QVERIFY(!(window.windowState() & Qt::WindowMinimized));
    QTest::qWait(300);
    QCOMPARE(closed.count(), 0);
  }
  {
    // A project without a mode: the line, and no run.
    Bench bench;
    bench.Start({"/project=" + bench.site_file});
    QCOMPARE(bench.host.status.size(), size_t{2});
    QVERIFY(!bench.Find<QTimer>("Timer2")->isActive());
  }
  {
    // A /modified-only= value that is no number ends the start-up.
    Bench bench;
    frmMain& window = bench.Start({"/mode=2", "/modified-only=x", "/project=" + bench.site_file});
    QVERIFY(!bench.loaded);
    QCOMPARE(bench.host.messages.back().text,
             std::string("Error # 13 was generated by Tarvelo\rType mismatch"));
    QVERIFY(!window.isVisible());
    QVERIFY(!bench.Find<QTimer>("Timer2")->isActive());
  }
  {
    // A follow-up command that cannot start is reported; mode 2 then stays open.
    Bench bench;
    bench.ws.options.create_subdirectories = 1;
    bench.ws.options.ignore_missing_file_errors = 1;
    bench.desktop.start_result = false;
    frmMain& window =
        bench.Start({"/mode=2", "/project=" + bench.site_file, "/command=nothing-here"});
    QSignalSpy closed(&window, &frmMain::programClosed);
    QTRY_VERIFY_WITH_TIMEOUT(!bench.desktop.started.empty(), 5000);
    QCOMPARE(bench.host.messages.back().text,
             std::string("Error # 53 was generated by Tarvelo\rError processing command line "
                         "options. (File not found (nothing-here)).\rPlease verify that the "
                         "command line settings are correct."));
    QCOMPARE(closed.count(), 0);
  }
}

void TstFrmMain::searchCommandsOpenTheirWindows() {
  Bench bench;
  bench.StartWithSite();
  const std::pair<QAction*, QString> commands[] = {
      {bench.Item("mnuSearch"), "Find"},
      {bench.Item("mnuSearchDocuments"), "Find in Documents"},
      {bench.Item("mnuReplace"), "Replace"},
      {bench.Item("mnuReplaceSpecial"), "Replace Special"},
      {bench.Tool("Search"), "Find"},
      {bench.Tool("Replace"), "Replace"},
  };
  const size_t messages = bench.host.messages.size();
  for (const auto& [command, caption] : commands) {
    QString shown;
    QTimer::singleShot(0, [&shown] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) return;
      shown = modal->windowTitle();
      modal->close();
    });
    command->trigger();
    QCOMPARE(shown, caption);
  }
  QCOMPARE(bench.host.messages.size(), messages);  // no "not available", no error
}

void TstFrmMain::layoutFitsItsTexts_data() {
  QTest::addColumn<int>("large");
  QTest::addColumn<bool>("macros");
  QTest::addColumn<QString>("file");
  QTest::newRow("normal") << 0 << false << "main-window.png";
  QTest::newRow("normal, Macros") << 0 << true << "main-window-macros.png";
  QTest::newRow("large") << 1 << false << "main-window-large.png";
  QTest::newRow("large, Macros") << 1 << true << "main-window-large-macros.png";
}

void TstFrmMain::layoutFitsItsTexts() {
  QFETCH(int, large);
  QFETCH(bool, macros);
  QFETCH(QString, file);
  Bench bench(kSamples);
  bench.ws.options.large_display = static_cast<Int16>(large);
  bench.ws.options.display_macros = macros ? 1 : 0;
  bench.ws.options.display_attributes = 1;
  frmMain& window = bench.Start();
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  bench.Item("mnuGenerateProject")->trigger();
  QVERIFY(HasLine(bench.host.status, "Completed Project:"));
  bench.Find("lstFolders")->setCurrentRow(1);
  if (macros) bench.Find("lstMacros")->setCurrentRow(2);

  // Every caption fits its control, and no two controls overlap.
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisible()) continue;
    if (qobject_cast<QLabel*>(widget) != nullptr || qobject_cast<QCheckBox*>(widget) != nullptr ||
        qobject_cast<QAbstractButton*>(widget) != nullptr) {
      QVERIFY2(widget->sizeHint().width() <= widget->width(), qPrintable(widget->objectName()));
      QVERIFY2(widget->minimumSizeHint().height() <= widget->height(),
               qPrintable(widget->objectName()));
    }
  }
  QList<QWidget*> placed;
  for (QWidget* widget :
       window.centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (widget->isVisible()) placed << widget;
  }
  for (int i = 0; i < placed.size(); ++i) {
    QVERIFY2(window.centralWidget()->rect().contains(placed[i]->geometry()),
             qPrintable(placed[i]->objectName()));
    for (int j = i + 1; j < placed.size(); ++j) {
      QVERIFY2(!placed[i]->geometry().intersects(placed[j]->geometry()),
               qPrintable(placed[i]->objectName() + " / " + placed[j]->objectName()));
    }
  }

  const QString folder = qEnvironmentVariable("TARVELO_SCREENSHOT_DIR");
  if (!folder.isEmpty()) {
    window.setWindowState(Qt::WindowActive);
    QVERIFY(window.grab().save(QDir(folder).filePath(file)));
  }
}

// The definition of the fixture site without its missing Content File.
const char* const kCompleteDefinition =
    "Globals=globals.par\r\n[Pages]\r\npages\\index.html,page.tpl,pages\\index.par\r\n";

void TstFrmMain::batchExitStatusTellsHowTheRunEnded_data() {
  QTest::addColumn<QString>("project");     // "site", or a path that is no project file
  QTest::addColumn<QString>("definition");  // written over project.txt; "-" deletes it
  QTest::addColumn<bool>("stop");
  QTest::addColumn<int>("status");
  QTest::addColumn<int>("reports");  // common error reports shown
  QTest::newRow("completed") << "site" << kCompleteDefinition << false << 0 << 0;
  QTest::newRow("missing file") << "site"
                                << "" << false << 1 << 0;
  QTest::newRow("unreadable definition") << "site"
                                         << "-" << false << 2 << 1;
  QTest::newRow("stopped") << "site"
                           << "" << true << 130 << 0;
  QTest::newRow("no project file") << "/nowhere/site.web"
                                   << "" << false << 2 << 0;
}

void TstFrmMain::batchExitStatusTellsHowTheRunEnded() {
  QFETCH(QString, project);
  QFETCH(QString, definition);
  QFETCH(bool, stop);
  QFETCH(int, status);
  QFETCH(int, reports);
  Bench bench;
  bench.ws.options.create_subdirectories = 1;
  bench.ws.options.ignore_missing_file_errors = 1;
  if (definition == "-") {
    ::unlink(bench.Src("project.txt").c_str());
  } else if (!definition.isEmpty()) {
    WriteFile(bench.Src("project.txt"), definition.toStdString());
  }
  if (stop) bench.host.on_events = [&](int) { bench.Tool("Stop")->trigger(); };
  const std::string file = project == "site" ? bench.site_file : project.toStdString();
  frmMain& window = bench.Start({"/mode=1", "/project=" + file});
  QCOMPARE(window.exit_status(), 0);
  const size_t before = bench.host.messages.size();
  QTRY_VERIFY_WITH_TIMEOUT(!bench.Find<QTimer>("Timer2")->isActive(), 5000);
  QCOMPARE(window.exit_status(), status);
  int shown = 0;
  for (size_t i = before; i < bench.host.messages.size(); ++i) {
    shown += bench.host.messages[i].caption == "Error" ? 1 : 0;
  }
  QCOMPARE(shown, reports);
  if (definition == "-") {
    // The halt path: the log and the generated-files list hold this run, not an older one.
    const std::string log = ReadFile(bench.ws.working.log_file);
    QVERIFY(log.rfind("Starting Project: \tFixture Site", 0) == 0);
    QVERIFY(log.find("Error in Project: \tFixture Site") != std::string::npos);
    QVERIFY(log.find("\r\nGenerated 0 of 0 documents\r\n") != std::string::npos);
    QCOMPARE(ReadFile(bench.ws.working.generated_list), std::string());
  }
}

// Generate with a definition that cannot be read: the run's halt reports it, and the
// columns read it again afterwards without a second box.
void TstFrmMain::unreadableDefinitionIsReportedOnce() {
  for (const Int16 refresh : {Int16{0}, Int16{1}}) {
    Bench bench;
    bench.StartWithSite();
    bench.ws.options.post_generate_refresh = refresh;
    ::unlink(bench.Src("project.txt").c_str());
    const size_t before = bench.host.messages.size();
    bench.Item("mnuGenerateProject")->trigger();
    QCOMPARE(bench.host.messages.size(), before + 1);
    QVERIFY(bench.host.messages.back().text.rfind("Error # 10005 was generated by Tarvelo", 0) ==
            0);
    QVERIFY(HasLine(bench.host.status, "Error in Project: \tFixture Site"));
  }
}

void TstFrmMain::tutorialIsGeneratedOnAFirstStart() {
  Bench bench(kSamples);
  bench.Start();
  const std::string index = bench.home.path() + "/overview/index.html";
  QVERIFY(!tarvelo::testing::Exists(index));
  bench.Item("mnuTarveloTutorial")->trigger();
  QVERIFY(tarvelo::testing::Exists(index));
  QCOMPARE(bench.desktop.opened, (std::vector<std::pair<std::string, bool>>{{index, false}}));
  QVERIFY(HasLine(bench.host.status, "Starting Project: \tTarvelo CMS Overview (Sample)"));
  QVERIFY(HasLine(bench.host.status, "Completed Project:\tTarvelo CMS Overview (Sample)"));
  QVERIFY(bench.host.prompts.empty());
  // Once it is there, the tutorial only opens.
  const size_t lines = bench.host.status.size();
  bench.Item("mnuTarveloTutorial")->trigger();
  QCOMPARE(bench.host.status.size(), lines);
  QCOMPARE(bench.desktop.opened.size(), size_t{2});
}

void TstFrmMain::missingCurrentProjectFileIsNamed() {
  Bench bench(kSamples);
  const std::string gone = bench.site.path() + "/gone.web";
  const std::string sample = SampleProjectFilePath(bench.home.path());
  WriteFile(bench.home.path() + "/projects.ini", "5|" + sample + "|1\r\n5|" + gone + "|2\r\n");
  QVERIFY(ReadProjectHistory(bench.ws));
  ReadProjectSettings(bench.ws, "");
  bench.Start();
  QCOMPARE(bench.Find<QComboBox>("cmbProjects")->currentText(),
           QStringLiteral("Tarvelo CMS Overview (Sample)"));
  QVERIFY(!Texts(bench.Find("lstFolders")).isEmpty());
  QCOMPARE(bench.host.status, (std::vector<std::string>{"Tarvelo Content Management System " +
                                                            ProgramVersion().toStdString(),
                                                        "Project file not found: \t" + gone}));
  QCOMPARE(ReadFile(bench.home.path() + "/projects.ini"), "5|" + sample + "|2\r\n");
}

void TstFrmMain::smallCommandsFitTheirContext() {
  Bench bench;
  WriteFile(bench.Src("project.txt"),
            "[Pages]\r\npages\\index.html,page.tpl,pages\\index.par\r\npages\\robots.txt\r\n");
  bench.StartWithSite();
  // Open Project starts in the current Project's folder.
  bench.Item("mnuOpenProject")->trigger();
  QCOMPARE(bench.chooser.calls.size(), size_t{2});
  QCOMPARE(bench.chooser.calls[0][3],
           QString::fromStdString(bench.home.path() + "/overview/*.web"));
  QCOMPARE(bench.chooser.calls[1][3], QString::fromStdString(bench.site.path() + "/*.web"));
  QCOMPARE(bench.chooser.calls[1][2], QStringLiteral("Tarvelo Projects (*.web)"));

  // The Template's Edit is there only for a Document with a Template.
  auto* templates = bench.Find("lstTemplate");
  for (const auto& [row, editable] : {std::pair{1, false}, std::pair{0, true}}) {
    bench.Find("lstDocuments")->setCurrentRow(row);
    templates->customContextMenuRequested(QPoint(2, 2));
    auto* popup = bench.Find<QMenu>("mnuTemplate");
    QCOMPARE(bench.Item("mnuTemplateEdit")->isEnabled(), editable);
    popup->hide();
  }

  // A long Project name shows both ends.
  auto* projects = bench.Find<QComboBox>("cmbProjects");
  projects->setItemText(projects->currentIndex(),
                        QStringLiteral("Fixture Site of a long name that cannot fit - staging"));
  const QString shown = static_cast<ProjectsCombo*>(projects)->shownText();
  QVERIFY2(shown.startsWith(QStringLiteral("Fix")) && shown.endsWith(QStringLiteral("ing")) &&
               shown.contains(QChar(0x2026)),
           qPrintable(shown));
}

TARVELO_WIDGET_TEST_MAIN(TstFrmMain)

#include "tst_frm_main.moc"
