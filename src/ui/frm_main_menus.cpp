// frmMain's commands as widgets: the menu bar, the toolbar and the columns' pop-up
// menus, and which of them are enabled by the Program Options, by a current Project
// and during a generation run.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include "project/workspace.h"
#include "ui/frm_main.h"
#include "ui/frm_main_views.h"
#include "ui/icons.h"
#include "ui/widget_host.h"
#include "views/project_view.h"

namespace tarvelo {
namespace {

struct ToolButton {
  const char* key;
  const char* tip;  // empty: set by SetProgramChoices
};

// The toolbar in order; a null key is a separator (positions 5, 8, 13 and 18).
constexpr ToolButton kToolbar[] = {
    {"Generate", "Generate Project"},
    {"GenerateFolder", "Generate Folder"},
    {"GenerateDocument", "Generate Document"},
    {"Stop", "Stop Generation"},
    {nullptr, nullptr},
    {"Search", "Find"},
    {"Replace", "Replace"},
    {nullptr, nullptr},
    {"Editor", "Launch Editor"},
    {"Browser", "Launch Browser"},
    {"ImageEditor", "Launch Image Editor"},
    {"XMLEditor", "Launch XML Editor"},
    {nullptr, nullptr},
    {"CustomApplication", ""},
    {"CustomApplication2", ""},
    {"CustomApplication3", ""},
    {"BrowseFolder1", "Explore Folder"},
    {nullptr, nullptr},
    {"Log", "View Log File"},
};

// The generate commands: toolbar keys and menu items.
constexpr const char* kGenerateKeys[] = {"Generate", "GenerateFolder", "GenerateDocument"};
constexpr const char* kGenerateItems[] = {"mnuGenerateProject", "mnuGenerateFolder",
                                          "mnuGenerateDocument"};

}  // namespace

QAction* frmMain::tool(const char* key) const {
  return toolbar_->findChild<QAction*>(QLatin1String(key), Qt::FindDirectChildrenOnly);
}

QAction* frmMain::item(const char* name) const {
  return findChild<QAction*>(QLatin1String(name));
}

void frmMain::Connect(QAction* action, void (frmMain::*command)()) {
  connect(action, &QAction::triggered, this,
          [this, command] { Trap([&] { (this->*command)(); }); });
}

QAction* frmMain::AddItem(QMenu* menu, const char* name, const QString& caption,
                          void (frmMain::*command)()) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  if (command != nullptr) Connect(action, command);
  return action;
}

void frmMain::CreateToolbar() {
  toolbar_ = new QToolBar(client_);
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  toolbar_->setIconSize(QSize(16, 16));
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  for (const ToolButton& button : kToolbar) {
    if (button.key == nullptr) {
      toolbar_->addSeparator();
      continue;
    }
    const QString key = QLatin1String(button.key);
    auto* action = new QAction(ToolbarIcon(key), QLatin1String(button.tip), toolbar_);
    action->setObjectName(key);
    action->setData(key);
    action->setToolTip(QLatin1String(button.tip));
    toolbar_->addAction(action);
  }
  Connect(tool("Generate"), &frmMain::generateProject);
  Connect(tool("GenerateFolder"), &frmMain::generateFolder);
  Connect(tool("GenerateDocument"), &frmMain::generateDocument);
  Connect(tool("Stop"), &frmMain::stopGeneration);
  connect(tool("Search"), &QAction::triggered, this,
          [this] { Trap([&] { PrepareAndShowSearch(false); }); });
  connect(tool("Replace"), &QAction::triggered, this,
          [this] { Trap([&] { PrepareAndShowSearchReplace(); }); });
  Connect(tool("Editor"), &frmMain::launchEditor);
  Connect(tool("Browser"), &frmMain::launchBrowser);
  Connect(tool("ImageEditor"), &frmMain::launchImageEditor);
  Connect(tool("XMLEditor"), &frmMain::launchXmlEditor);
  const char* const custom[] = {"CustomApplication", "CustomApplication2", "CustomApplication3"};
  for (Int16 n = 1; n <= 3; ++n) {
    connect(tool(custom[n - 1]), &QAction::triggered, this,
            [this, n] { Trap([&] { launchCustomApplication(n); }); });
  }
  Connect(tool("BrowseFolder1"), &frmMain::exploreFolder);
  Connect(tool("Log"), &frmMain::viewLog);
}

void frmMain::CreateMenus() {
  QMenuBar* bar = menuBar();
  auto add_menu = [bar](const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
  };

  QMenu* file = add_menu("mnuFile", tr("&File"));
  AddItem(file, "mnuNewProject", tr("&New Project..."), &frmMain::newProject);
  AddItem(file, "mnuOpenProject", tr("&Open Project..."), &frmMain::openProject);
  AddItem(file, "mnuRemoveProject", tr("&Remove Project"), &frmMain::removeProject);
  file->addSeparator();
  AddItem(file, "mnuExit", tr("E&xit"), &frmMain::exitProgram);

  QMenu* view = add_menu("mnuView", tr("&View"));
  AddItem(view, "mnuViewFiles", tr("Project &Definition..."), &frmMain::viewDefinition);
  AddItem(view, "mnuViewContentFiles", tr("&Content Files..."), &frmMain::viewContentFiles);
  AddItem(view, "mnuViewTemplates", tr("&Templates..."), &frmMain::viewTemplates);
  view->addSeparator();
  AddItem(view, "mnuRefreshProject", tr("&Refresh"), &frmMain::refresh);

  QMenu* search = add_menu("mnuEdit", tr("&Search"));
  connect(AddItem(search, "mnuSearch", tr("&Find..."), nullptr), &QAction::triggered, this,
          [this] { Trap([&] { PrepareAndShowSearch(false); }); });
  AddItem(search, "mnuReplace", tr("&Replace..."), &frmMain::PrepareAndShowSearchReplace);
  search->addSeparator();
  connect(AddItem(search, "mnuSearchDocuments", tr("Find in &Documents..."), nullptr),
          &QAction::triggered, this, [this] { Trap([&] { PrepareAndShowSearch(true); }); });
  search->addSeparator();
  AddItem(search, "mnuReplaceSpecial", tr("Replace &Special..."),
          &frmMain::PrepareAndShowReplaceSpecial);

  QMenu* generate = add_menu("mnuGenerate", tr("&Generate"));
  AddItem(generate, "mnuGenerateProject", tr("Generate &Project"), &frmMain::generateProject);
  AddItem(generate, "mnuGenerateFolder", tr("Generate &Folder"), &frmMain::generateFolder);
  AddItem(generate, "mnuGenerateDocument", tr("Generate &Document"), &frmMain::generateDocument);
  AddItem(generate, "mnuStopGeneration", tr("Stop Generation"), &frmMain::stopGeneration);
  generate->addSeparator();
  AddItem(generate, "mnuViewLog", tr("View &Log File"), &frmMain::viewLog);

  QMenu* tools = add_menu("mnuTools", tr("&Tools"));
  AddItem(tools, "mnuEditor", tr("Launch &Editor"), &frmMain::launchEditor);
  AddItem(tools, "mnuBrowser", tr("Launch &Browser"), &frmMain::launchBrowser);
  AddItem(tools, "mnuImageEditor", tr("Launch &Image Editor"), &frmMain::launchImageEditor);
  AddItem(tools, "mnuXMLEditor", tr("Launch &XML Editor"), &frmMain::launchXmlEditor);
  const char* const custom_names[] = {"mnuCustomApplication", "mnuCustomApplication2",
                                      "mnuCustomApplication3"};
  const QString custom_captions[] = {tr("&Launch Custom Application"),
                                     tr("L&aunch Custom Application"),
                                     tr("La&unch Custom Application")};
  for (Int16 n = 1; n <= 3; ++n) {
    connect(AddItem(tools, custom_names[n - 1], custom_captions[n - 1], nullptr),
            &QAction::triggered, this, [this, n] { Trap([&] { launchCustomApplication(n); }); });
  }
  tools->addSeparator();
  AddItem(tools, "mnuBrowseFolder1", tr("Explore &Folder"), &frmMain::exploreFolder);
  tools->addSeparator();
  AddItem(tools, "mnuProjectBrowser", tr("Project &Browser..."), &frmMain::showProjectBrowser);
  AddItem(tools, "mnuProjectProperties", tr("Project &Properties..."),
          &frmMain::editProjectProperties);
  tools->addSeparator();
  AddItem(tools, "mnuImportOptions", tr("&Import Options..."), &frmMain::importOptions);
  AddItem(tools, "mnuOptions", tr("&Options..."), &frmMain::programOptions);

  QMenu* help = add_menu("mnuHelp", tr("&Help"));
  AddItem(help, "mnuTarveloTutorial", tr("Tarvelo CMS &Tutorial..."), &frmMain::openTutorial);
  AddItem(help, "mnuTarveloOnline", tr("Tarvelo CMS &Online..."), &frmMain::openOnline);
  help->addSeparator();
  AddItem(help, "mnuAbout", tr("&About Tarvelo CMS..."), &frmMain::showAbout);

  connect(cmdRefresh_, &QPushButton::clicked, this, [this] { Trap([&] { refresh(); }); });
  connect(cmdEditProjectProperties_, &QPushButton::clicked, this,
          [this] { Trap([&] { editProjectProperties(); }); });
  connect(cmdProjectFiles_, &QPushButton::clicked, this,
          [this] { Trap([&] { viewDefinition(); }); });
  connect(cmbProjects_, &QComboBox::activated, this,
          [this](int index) { Trap([&] { pickProject(index); }); });
}

QMenu* frmMain::CreatePopup(const char* name,
                            const std::vector<std::pair<const char*, QString>>& items,
                            const std::function<void(int)>& custom) {
  auto* menu = new QMenu(this);
  const QString prefix = QLatin1String(name);
  menu->setObjectName(prefix);
  for (const auto& [suffix, caption] : items) {
    if (suffix == nullptr) {
      menu->addSeparator();
      continue;
    }
    menu->addAction(caption)->setObjectName(prefix + QLatin1String(suffix));
  }
  menu->addSeparator()->setObjectName(prefix + QStringLiteral("CustomSeparator"));
  for (int n = 1; n <= 6; ++n) {
    QAction* action = menu->addAction(QStringLiteral("Custom%1").arg(n));
    action->setObjectName(prefix + QStringLiteral("Custom%1").arg(n));
    connect(action, &QAction::triggered, this, [this, custom, n] { Trap([&] { custom(n); }); });
  }
  PrepareCustomItems(menu);
  return menu;
}

void frmMain::PrepareCustomItems(QMenu* menu) {
  const QString prefix = menu->objectName();
  bool any = false;
  for (int n = 1; n <= 6; ++n) {
    const CustomCommand& custom = ws_.options.custom_commands[static_cast<size_t>(n - 1)];
    QAction* action = menu->findChild<QAction*>(prefix + QStringLiteral("Custom%1").arg(n));
    const bool shown = CustomActionShown(ws_.options, n);
    action->setVisible(shown);
    if (shown) action->setText(DisplayText(custom.caption));
    any = any || shown;
  }
  menu->findChild<QAction*>(prefix + QStringLiteral("CustomSeparator"))->setVisible(any);
}

void frmMain::SetProgramChoices() {
  const ProgramOptions& o = ws_.options;
  auto enable = [this](const char* key, const char* name, bool on) {
    tool(key)->setEnabled(on);
    item(name)->setEnabled(on);
  };
  enable("Log", "mnuViewLog", !o.editor.empty() && o.enable_logging == 1);
  enable("Editor", "mnuEditor", !o.editor.empty());
  enable("Browser", "mnuBrowser", !o.browser.empty());
  enable("ImageEditor", "mnuImageEditor", !o.image_editor.empty());
  enable("XMLEditor", "mnuXMLEditor", !o.xml_editor.empty());

  struct Custom {
    const char* key;
    const char* name;
    const std::string& command;
    const std::string& caption;
    const char* default_tip;
    const char* default_caption;
  };
  const Custom customs[] = {
      {"CustomApplication", "mnuCustomApplication", o.custom_application,
       o.custom_application_caption, "Launch Custom Application", "Launch &Custom Application"},
      {"CustomApplication2", "mnuCustomApplication2", o.custom_application2,
       o.custom_application_caption2, "Launch Custom Application2", "Launch &Custom Application2"},
      {"CustomApplication3", "mnuCustomApplication3", o.custom_application3,
       o.custom_application_caption3, "Launch Custom Application3", "Launch &Custom Application3"},
  };
  for (const Custom& c : customs) {
    const bool on = !c.command.empty() && !c.caption.empty();
    enable(c.key, c.name, on);
    const QString launch = QStringLiteral("Launch ") + DisplayText(c.caption);
    tool(c.key)->setToolTip(on ? launch : QLatin1String(c.default_tip));
    tool(c.key)->setText(on ? launch : QLatin1String(c.default_tip));
    item(c.name)->setText(on ? launch : QLatin1String(c.default_caption));
  }

  labContentFiles_->setText(DisplayText(ContentFilesLabel(o)));
  const bool sorted = o.sort_folders == 1;
  lstFoldersSorted_->setVisible(sorted);
  lstFolders_->setVisible(!sorted);
}

void frmMain::EnableProjectChoices() {
  const bool generate = !generating_;
  for (const char* key : kGenerateKeys) tool(key)->setEnabled(generate);
  for (const char* name : kGenerateItems) item(name)->setEnabled(generate);
  for (const char* name : {"mnuViewFiles", "mnuViewTemplates", "mnuProjectProperties",
                           "mnuRefreshProject", "mnuReplace", "mnuRemoveProject"}) {
    item(name)->setEnabled(true);
  }
  for (QMenu* menu : {mnuDocuments_, mnuContentFiles_, mnuTemplate_}) menu->setEnabled(true);
  for (QPushButton* button : {cmdEditProjectProperties_, cmdProjectFiles_, cmdRefresh_}) {
    button->setEnabled(true);
  }
}

void frmMain::DisableProjectChoices() {
  for (const char* key : kGenerateKeys) tool(key)->setEnabled(false);
  for (const char* name : kGenerateItems) item(name)->setEnabled(false);
  tool("Stop")->setEnabled(false);
  item("mnuStopGeneration")->setEnabled(false);
  for (const char* name : {"mnuViewFiles", "mnuViewTemplates", "mnuProjectProperties",
                           "mnuRefreshProject", "mnuReplace", "mnuRemoveProject"}) {
    item(name)->setEnabled(false);
  }
  for (QMenu* menu : {mnuDocuments_, mnuContentFiles_, mnuTemplate_}) menu->setEnabled(false);
  for (QPushButton* button : {cmdEditProjectProperties_, cmdProjectFiles_, cmdRefresh_}) {
    button->setEnabled(false);
  }
}

void frmMain::StartGenerate() {
  generating_ = true;
  // EndGenerate shows the Project again at the place the run started from.
  RememberSelection();
  for (const char* key : kGenerateKeys) tool(key)->setEnabled(false);
  for (const char* name : kGenerateItems) item(name)->setEnabled(false);
  tool("Stop")->setEnabled(true);
  item("mnuStopGeneration")->setEnabled(true);
  // The run works on the current Project's settings and definition, so nothing may
  // replace them before it ends.
  frProjects_->setEnabled(false);
  for (const char* name :
       {"mnuNewProject", "mnuOpenProject", "mnuRemoveProject", "mnuRefreshProject"}) {
    item(name)->setEnabled(false);
  }
}

}  // namespace tarvelo
