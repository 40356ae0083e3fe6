// frmMain's frame: the controls and their fixed layout in the two presets, the caption,
// the start-up that follows the configuration, the display options and closing.
#include "ui/frm_main.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "common/error.h"
#include "common/error_report.h"
#include "common/shell_words.h"
#include "generation/batch_run.h"
#include "project/history_operations.h"
#include "project/program_options.h"
#include "project/workspace.h"
#include "ui/frm_about.h"
#include "ui/frm_main_views.h"
#include "ui/widget_host.h"

namespace tarvelo {
namespace {

// The two layout presets, in twips (1/1440 inch), chosen by large-display.
struct Preset {
  int width;  // without the Macros column
  int width_macros;
  int height;
  int folders_width;
  int column_width;
  int documents_left;
  int content_left;  // Template and Content Files
  int macros_left;
  int list_height;  // Folders, Documents and Macros lists
  int content_height;
  int template_top;
  int status_top;
  int status_width;
};

constexpr Preset kNormalPreset{9935, 13665, 7845, 2175, 3615, 2400, 6120,
                               9840, 3960,  3180, 4200, 6240, 9600};
constexpr Preset kLargePreset{11030, 14985, 10190, 2775, 3855, 3000, 6960,
                              10920, 6300,  5520,  6525, 8565, 10680};

// Positions the presets leave open, in twips below the menu bar: the toolbar on
// top, the column labels, then the lists, whose top follows from the Content Files
// height and the Template's top (4200 - 240 - 3180).
constexpr int kLeft = 120;
constexpr int kLabelTop = 540;
constexpr int kLabelHeight = 240;
constexpr int kListsTop = 780;
constexpr int kGap = 60;

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

}  // namespace

frmMain::frmMain(Workspace& workspace, DesktopServices& desktop, FileChooser& chooser, Clock clock,
                 QWidget* parent)
    : QMainWindow(parent),
      ws_(workspace),
      desktop_(desktop),
      chooser_(chooser),
      clock_(std::move(clock)),
      view_(workspace) {
  setObjectName(QStringLiteral("frmMain"));
  CreateControls();
  CreateToolbar();
  CreateMenus();
  CreatePopupMenus();
  ConnectColumns();
  ConnectOptionBoxes();
  labMacros_->hide();
  lstMacros_->hide();
  txtMacroData_->hide();
  ShowAttributesToggled(false);
  SetProgramChoices();
  DisableProjectChoices();
  SetCaption();
  ResizeScreen();
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
  client_ = new QWidget(this);
  setCentralWidget(client_);

  frProjects_ = Named(new QGroupBox(tr("Projects"), client_), "frProjects");
  cmbProjects_ = Named(new ProjectsCombo(frProjects_), "cmbProjects");
  cmbProjects_->setMinimumContentsLength(8);
  cmbProjects_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cmdRefresh_ = Named(new QPushButton(tr("Refresh"), frProjects_), "cmdRefresh");
  cmdEditProjectProperties_ =
      Named(new QPushButton(tr("Properties..."), frProjects_), "cmdEditProjectProperties");
  cmdProjectFiles_ = Named(new QPushButton(tr("Definition..."), frProjects_), "cmdProjectFiles");

  labFolders_ = Named(new QLabel(tr("Folders"), client_), "labFolders");
  lstFolders_ = Named(new ColumnList(client_), "lstFolders");
  lstFoldersSorted_ = Named(new ColumnList(client_), "lstFoldersSorted");
  labDocuments_ = Named(new QLabel(tr("Documents"), client_), "labDocuments");
  lstDocuments_ = Named(new ColumnList(client_), "lstDocuments");
  tvDocuments_ = Named(new ColumnTree(client_), "tvDocuments");
  labTemplate_ = Named(new QLabel(tr("Template"), client_), "labTemplate");
  lstTemplate_ = Named(new ColumnList(client_), "lstTemplate");
  tvTemplate_ = Named(new ColumnTree(client_), "tvTemplate");
  labContentFiles_ = Named(new QLabel(tr("Content Files"), client_), "labContentFiles");
  lstContentFiles_ = Named(new ColumnList(client_), "lstContentFiles");
  tvContentFiles_ = Named(new ColumnTree(client_), "tvContentFiles");
  labMacros_ = Named(new QLabel(tr("Macros"), client_), "labMacros");
  lstMacros_ = Named(new ColumnList(client_), "lstMacros");
  txtMacroData_ = Named(new QPlainTextEdit(client_), "txtMacroData");
  txtMacroData_->setReadOnly(true);

  frDisplay_ = Named(new QGroupBox(tr("Display Options"), client_), "frDisplay");
  ckShowMacros_ = Named(new QCheckBox(tr("Show Macros"), frDisplay_), "ckShowMacros");
  ckShowAttributes_ = Named(new QCheckBox(tr("Show Attributes"), frDisplay_), "ckShowAttributes");
  ckShowPaths_ = Named(new QCheckBox(tr("Show Paths"), frDisplay_), "ckShowPaths");
  auto* display = new QVBoxLayout(frDisplay_);
  display->setContentsMargins(6, 0, 6, 2);
  display->setSpacing(0);
  for (QCheckBox* box : {ckShowMacros_, ckShowAttributes_, ckShowPaths_}) display->addWidget(box);

  frOptions_ = Named(new QGroupBox(tr("Project Generation Options"), client_), "frOptions");
  ckAutomaticallyCreateSubdirectories_ =
      Named(new QCheckBox(tr("Automatically Create Subdirectories"), frOptions_),
            "ckAutomaticallyCreateSubdirectories");
  ckGenerateModifiedOnly_ = Named(new QCheckBox(tr("Generate Modified Documents Only"), frOptions_),
                                  "ckGenerateModifiedOnly");
  ckSkipReadOnly_ =
      Named(new QCheckBox(tr("Skip Read-Only Documents"), frOptions_), "ckSkipReadOnly");
  auto* options = new QVBoxLayout(frOptions_);
  options->setContentsMargins(6, 0, 6, 2);
  options->setSpacing(0);
  for (QCheckBox* box :
       {ckAutomaticallyCreateSubdirectories_, ckGenerateModifiedOnly_, ckSkipReadOnly_}) {
    options->addWidget(box);
  }

  lstStatus_ = Named(new QListWidget(client_), "lstStatus");
  // Every status line is one line of text: measuring each row on every relayout made a
  // run slow down with the length of its list.
  lstStatus_->setUniformItemSizes(true);
  Timer2_ = Named(new QTimer(this), "Timer2");
  Timer2_->setSingleShot(true);
  connect(Timer2_, &QTimer::timeout, this, [this] { Timer2_Timer(); });
}

int frmMain::Px(int twips) const {
  // Twips are 1/1440 inch of the logical screen: 15 twips a pixel at 96 dpi. Qt
  // scales logical pixels by the screen's device pixel ratio itself.
  return qRound(twips * logicalDpiX() / 1440.0);
}

void frmMain::ResizeScreen() {
  const Preset& p = ws_.options.large_display == 1 ? kLargePreset : kNormalPreset;
  const int width = Px(macros_shown_ ? p.width_macros : p.width);
  const int height = Px(p.height);
  const int client_height = height - menuBar()->sizeHint().height();

  toolbar_->setGeometry(0, 0, width, toolbar_->sizeHint().height());
  // Edges are rounded, not sizes, so neighbours never overlap by a rounding pixel.
  auto place = [this](QWidget* widget, int left, int top, int w, int h) {
    const int x = Px(left);
    const int y = Px(top);
    widget->setGeometry(x, y, Px(left + w) - x, Px(top + h) - y);
  };
  const int lists_bottom = kListsTop + p.list_height;
  place(labFolders_, kLeft, kLabelTop, p.folders_width, kLabelHeight);
  place(lstFolders_, kLeft, kListsTop, p.folders_width, p.list_height);
  place(lstFoldersSorted_, kLeft, kListsTop, p.folders_width, p.list_height);
  place(labDocuments_, p.documents_left, kLabelTop, p.column_width, kLabelHeight);
  for (QWidget* w : {static_cast<QWidget*>(lstDocuments_), static_cast<QWidget*>(tvDocuments_)}) {
    place(w, p.documents_left, kListsTop, p.column_width, p.list_height);
  }
  place(labContentFiles_, p.content_left, kLabelTop, p.column_width, kLabelHeight);
  for (QWidget* w :
       {static_cast<QWidget*>(lstContentFiles_), static_cast<QWidget*>(tvContentFiles_)}) {
    place(w, p.content_left, kListsTop, p.column_width, p.content_height);
  }
  const int content_bottom = kListsTop + p.content_height;
  place(labTemplate_, p.content_left, content_bottom, p.column_width,
        p.template_top - content_bottom);
  for (QWidget* w : {static_cast<QWidget*>(lstTemplate_), static_cast<QWidget*>(tvTemplate_)}) {
    place(w, p.content_left, p.template_top, p.column_width, lists_bottom - p.template_top);
  }
  place(labMacros_, p.macros_left, kLabelTop, p.column_width, kLabelHeight);
  place(lstMacros_, p.macros_left, kListsTop, p.column_width, p.list_height);

  // The frames share the band between the lists and the status list.
  const int band_top = lists_bottom + kGap;
  const int band_height = p.status_top - kGap - band_top;
  const int display_width = 2175;
  const int options_width = 3900;
  const int projects_width = p.status_width - display_width - options_width - 2 * kGap;
  place(frProjects_, kLeft, band_top, projects_width, band_height);
  ArrangeProjectsFrame();
  place(frDisplay_, kLeft + projects_width + kGap, band_top, display_width, band_height);
  place(frOptions_, kLeft + projects_width + display_width + 2 * kGap, band_top, options_width,
        band_height);

  const int bottom_margin = Px(kGap);
  const int status_top = Px(p.status_top);
  lstStatus_->setGeometry(Px(kLeft), status_top, Px(kLeft + p.status_width) - Px(kLeft),
                          client_height - status_top - bottom_margin);
  const int value_top = Px(band_top);
  txtMacroData_->setGeometry(Px(p.macros_left), value_top,
                             Px(p.macros_left + p.column_width) - Px(p.macros_left),
                             client_height - value_top - bottom_margin);

  if (ws_.options.resizable_border == 1) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(width, height);
  } else {
    setFixedSize(width, height);
  }
}

// The Project list takes the frame's width; the three buttons go under it when they
// fit there, otherwise Refresh moves up beside the list.
void frmMain::ArrangeProjectsFrame() {
  delete frProjects_->layout();
  auto* rows = new QVBoxLayout(frProjects_);
  rows->setContentsMargins(6, 2, 6, 4);
  rows->setSpacing(4);
  auto* top = new QHBoxLayout;
  auto* bottom = new QHBoxLayout;
  top->setSpacing(4);
  bottom->setSpacing(4);
  top->addWidget(cmbProjects_, 1);
  const QMargins margins = rows->contentsMargins();
  const int buttons = cmdRefresh_->sizeHint().width() +
                      cmdEditProjectProperties_->sizeHint().width() +
                      cmdProjectFiles_->sizeHint().width() + 2 * bottom->spacing();
  if (buttons + margins.left() + margins.right() <= frProjects_->width()) {
    bottom->addWidget(cmdRefresh_);
  } else {
    top->addWidget(cmdRefresh_);
    bottom->addStretch(1);
  }
  bottom->addWidget(cmdEditProjectProperties_);
  bottom->addWidget(cmdProjectFiles_);
  rows->addLayout(top);
  rows->addLayout(bottom);
}

void frmMain::CenterInWorkArea() {
  const QScreen* where = screen();
  if (where == nullptr) return;
  QRect area = where->availableGeometry();
  if (area.isEmpty()) area = where->geometry();
  const QRect frame = frameGeometry();
  move(area.x() + (area.width() - frame.width()) / 2,
       area.y() + (area.height() - frame.height()) / 2);
}

void frmMain::SetCaption() {
  if (current_project_ < 0) {
    setWindowTitle(QStringLiteral("Tarvelo CMS"));
    return;
  }
  const HistoryEntry& entry = ws_.history.entries[static_cast<size_t>(current_project_)];
  setWindowTitle(QStringLiteral("Tarvelo CMS - ") + DisplayText(ws_.settings.name) +
                 QStringLiteral(" - ") + PathText(entry.path));
}

bool frmMain::Load(const std::vector<std::string>& arguments) {
  LoadDisplayOptions();
  try {
    command_line_ = ParseCommandLine(JoinArguments(arguments));
  } catch (const TarveloError& error) {
    // A start-up failure: reported, and the program does not come up.
    ShowErrorReport(ws_.host, error);
    exit_status_ = kBatchNotStarted;
    CloseProgram();
    return false;
  }
  SetProgramChoices();
  ResizeScreen();
  CenterInWorkArea();
  // A current Project whose project file is gone: the first one still listed is shown
  // instead, and the status list says which file was missing.
  const std::string missing = ws_.history.missing_current_path;
  if (!missing.empty() && ws_.history.current_index >= 0) {
    SelectProject(ws_, ws_.history.current_index);
  }
  RefreshProjects(false);
  ws_.host.AddStatusLine("Tarvelo Content Management System " + ProgramVersion().toStdString());
  if (!missing.empty()) ws_.host.AddStatusLine("Project file not found: \t" + missing);
  if (!command_line_.command_line.empty()) {
    ws_.host.AddStatusLine("Command Line: \t" + command_line_.command_line);
  }
  if (!command_line_.project.empty() && ArmBatchRun()) {
    setWindowState(command_line_.window == 1 ? Qt::WindowMinimized : Qt::WindowNoState);
  }
  return true;
}

void frmMain::CloseProgram() {
  close();
  Q_EMIT programClosed();
}

void frmMain::closeEvent(QCloseEvent* event) {
  // Closing during a run lets the Document in progress finish, then the run stops.
  if (generating_) ws_.stop_requested = true;
  event->accept();
}

void frmMain::Trap(const std::function<void()>& command) {
  try {
    command();
  } catch (const TarveloError& error) {
    ShowErrorReport(ws_.host, error);
  } catch (const std::exception& error) {
    ShowErrorReport(ws_.host, TarveloError(kInvalidProcedureCall, error.what()));
  }
}

// --- Display options ---

void frmMain::ConnectOptionBoxes() {
  connect(ckShowMacros_, &QCheckBox::toggled, this, [this](bool checked) {
    SaveDisplayOptions();
    Trap([&] { ShowMacrosToggled(checked); });
  });
  connect(ckShowAttributes_, &QCheckBox::toggled, this, [this](bool checked) {
    SaveDisplayOptions();
    ShowAttributesToggled(checked);
  });
  connect(ckShowPaths_, &QCheckBox::toggled, this, [this] {
    SaveDisplayOptions();
    Trap([&] { ShowPathsToggled(); });
  });
  for (QCheckBox* box :
       {ckAutomaticallyCreateSubdirectories_, ckGenerateModifiedOnly_, ckSkipReadOnly_}) {
    connect(box, &QCheckBox::toggled, this, [this] { SaveDisplayOptions(); });
  }
}

void frmMain::LoadDisplayOptions() {
  loading_options_ = true;
  const ProgramOptions& o = ws_.options;
  ckShowMacros_->setChecked(o.display_macros == 1);
  ckShowPaths_->setChecked(o.display_paths == 1);
  ckShowAttributes_->setChecked(o.display_attributes == 1);
  ckGenerateModifiedOnly_->setChecked(o.modified_only == 1);
  ckSkipReadOnly_->setChecked(o.skip_read_only == 1);
  ckAutomaticallyCreateSubdirectories_->setChecked(o.create_subdirectories == 1);
  loading_options_ = false;
}

void frmMain::SaveDisplayOptions() {
  if (loading_options_) return;
  ProgramOptions& o = ws_.options;
  o.display_macros = ckShowMacros_->isChecked() ? 1 : 0;
  o.display_paths = ckShowPaths_->isChecked() ? 1 : 0;
  o.display_attributes = ckShowAttributes_->isChecked() ? 1 : 0;
  o.modified_only = ckGenerateModifiedOnly_->isChecked() ? 1 : 0;
  o.skip_read_only = ckSkipReadOnly_->isChecked() ? 1 : 0;
  o.create_subdirectories = ckAutomaticallyCreateSubdirectories_->isChecked() ? 1 : 0;
  // Only these keys: another instance may have changed others since this one read them.
  Trap([&] {
    UpdateProgramOptionsFile(ws_.files, ws_.program_folder, "", [&o](ProgramOptions& file) {
      file.display_macros = o.display_macros;
      file.display_paths = o.display_paths;
      file.display_attributes = o.display_attributes;
      file.modified_only = o.modified_only;
      file.skip_read_only = o.skip_read_only;
      file.create_subdirectories = o.create_subdirectories;
    });
  });
}

void frmMain::ShowMacrosToggled(bool checked) {
  macros_shown_ = checked;
  labMacros_->setVisible(checked);
  lstMacros_->setVisible(checked);
  txtMacroData_->setVisible(checked);
  ResizeScreen();
  CenterInWorkArea();
  if (ws_.options.display_all_macros == 1) {
    // "(all macros)" comes and goes with the column; the user's place is kept.
    RememberSelection();
    DisplayCurrentProject(false);
  } else {
    DisplayMacros();
  }
}

void frmMain::ShowAttributesToggled(bool checked) {
  lstDocuments_->setVisible(!checked);
  lstTemplate_->setVisible(!checked);
  lstContentFiles_->setVisible(!checked);
  tvDocuments_->setVisible(checked);
  tvTemplate_->setVisible(checked);
  tvContentFiles_->setVisible(checked);
}

void frmMain::ShowPathsToggled() {
  RememberSelection();
  DisplayCurrentProject(false);
}

void frmMain::RememberSelection() {
  remembered_folder_row_ = VisibleFoldersList()->currentRow();
  remembered_document_ = current_document_;
  remembered_content_file_ = current_content_file_;
}

}  // namespace tarvelo
