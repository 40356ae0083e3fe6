// frmProgramOptions: the pages, showing the options, the browse buttons and OK. Each
// caption's "&" marks its access key, unique on its page.
#include "ui/frm_program_options.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/error.h"
#include "common/error_report.h"
#include "project/launchers.h"
#include "project/workspace.h"
#include "ui/file_chooser.h"
#include "ui/frm_main_views.h"
#include "ui/option_fields.h"
#include "ui/widget_host.h"
#include "views/program_options_update.h"
#include "views/project_properties.h"

namespace tarvelo {
namespace {

// Programs on Linux have no extension, so "All Files" comes first.
constexpr const char* kProgramFilter = "All Files (*);;Program Files (*.exe *.bat *.com *.sh)";

// A "..." button no wider than its text needs.
QToolButton* BrowseButton(const char* name, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setText(QStringLiteral("..."));
  button->setToolTip(QObject::tr("Browse"));
  return button;
}

std::string Bytes(const QLineEdit* box) {
  return box->text().toStdString();
}

Int16 Flag(const QCheckBox* box) {
  return box->isChecked() ? 1 : 0;
}

// An enable box switches its text box on and off.
void Enables(QCheckBox* box, QLineEdit* text) {
  QObject::connect(box, &QCheckBox::toggled, text, &QLineEdit::setEnabled);
}

}  // namespace

frmProgramOptions::frmProgramOptions(Workspace& workspace, FileChooser& chooser, QWidget* parent)
    : QDialog(parent), ws_(workspace), chooser_(chooser) {
  setObjectName(QStringLiteral("frmProgramOptions"));
  setWindowTitle(tr("Program Options"));
  tabOptions_ = CreateOptionPages(this,
                                  {{CreateGeneralPage(), tr("General")},
                                   {CreateApplicationsPage(), tr("Applications")},
                                   {CreatePopupMenusPage(), tr("Pop-Up Menus")},
                                   {CreateAdvancedPage(), tr("Advanced")}},
                                  tr("OK"), [this] { Confirm(); });
  ShowOptions();
  SizeForPreset(this, ws_.options.large_display == 1);
}

QLineEdit* frmProgramOptions::AddProgramRow(QGridLayout* grid, int row, const QString& caption,
                                            const char* name) {
  QLineEdit* box = AddTextRow(grid, row, caption, name);
  NormaliseOnLeaving(box, false);
  QToolButton* browse =
      BrowseButton((QByteArray("cmdBrowse") + (name + 3)).constData(), grid->parentWidget());
  grid->addWidget(browse, row, 2);
  connect(browse, &QToolButton::clicked, this, [this, box] {
    const QString path =
        chooser_.OpenFileName(this, tr("Browse"), QLatin1String(kProgramFilter), QString());
    // A program path with a blank is quoted, so the command line splits it whole.
    if (!path.isEmpty()) box->setText(PathText(QuotePath(PathBytes(path))));
  });
  return box;
}

QWidget* frmProgramOptions::CreateGeneralPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  QGroupBox* general = NamedGroup(tr("General"), "frGeneral", page);
  auto* grid = new QGridLayout(general);
  txtEditor_ = AddProgramRow(grid, 0, tr("&Text Editor:"), "txtEditor");
  txtBrowser_ = AddProgramRow(grid, 1, tr("&Web Browser:"), "txtBrowser");
  txtImageEditor_ = AddProgramRow(grid, 2, tr("&Image Editor:"), "txtImageEditor");
  txtXMLEditor_ = AddProgramRow(grid, 3, tr("&XML Editor:"), "txtXMLEditor");
  layout->addWidget(general);

  QGroupBox* editor = NamedGroup(tr("Editor"), "frEditor", page);
  grid = new QGridLayout(editor);
  txtEditorOptions_ = AddTextRow(grid, 0, tr("Command &Line Options:"), "txtEditorOptions");
  ckEditorOptionsAddSpace_ = NamedCheckBox(tr("Add a &Space Between File Name and Options"),
                                           "ckEditorOptionsAddSpace", editor);
  grid->addWidget(ckEditorOptionsAddSpace_, 1, 1);
  layout->addWidget(editor);

  QGroupBox* explorer = NamedGroup(tr("Explorer"), "frExplorer", page);
  grid = new QGridLayout(explorer);
  txtBrowseFolder1_ = AddTextRow(grid, 0, tr("&Folder:"), "txtBrowseFolder1");
  NormaliseOnLeaving(txtBrowseFolder1_, false);
  QToolButton* browse = BrowseButton("cmdBrowseFolder1", explorer);
  grid->addWidget(browse, 0, 2);
  connect(browse, &QToolButton::clicked, this, [this] {
    txtBrowseFolder1_->setText(chooser_.BrowseForFolder(this, ws_, txtBrowseFolder1_->text()));
  });
  layout->addWidget(explorer);
  layout->addStretch(1);
  return page;
}

QWidget* frmProgramOptions::CreateApplicationsPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  QGroupBox* custom = NamedGroup(tr("Custom Applications"), "frCustomApplications", page);
  auto* grid = new QGridLayout(custom);
  const char* const command_captions[] = {"C&ommand 1:", "Comm&and 2:", "Comma&nd 3:"};
  for (int i = 0; i < 3; ++i) {
    const QByteArray suffix = QByteArray::number(i + 1);
    application_captions_[i] =
        AddTextRow(grid, 2 * i, tr("Caption &%1:").arg(i + 1),
                   (QByteArray("txtCustomApplicationCaption") + suffix).constData());
    applications_[i] = AddProgramRow(grid, 2 * i + 1, tr(command_captions[i]),
                                     (QByteArray("txtCustomApplication") + suffix).constData());
  }
  layout->addWidget(custom);
  layout->addStretch(1);
  return page;
}

QWidget* frmProgramOptions::CreatePopupMenusPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  QGroupBox* custom = NamedGroup(tr("Custom Options"), "frCustomOptions", page);
  auto* grid = new QGridLayout(custom);
  const char* const command_captions[] = {
      "&Command 1:", "C&ommand 2:", "Co&mmand 3:", "Comm&and 4:", "Comma&nd 5:", "Comman&d 6:"};
  for (int i = 0; i < 6; ++i) {
    const QByteArray suffix = QByteArray::number(i + 1);
    const int row = i % 3;
    const int column = (i / 3) * 2;
    custom_captions_[i] = AddTextField(grid, 2 * row, column, tr("Caption &%1:").arg(i + 1),
                                       ("txtCustomCaption" + suffix).constData());
    custom_commands_[i] = AddTextField(grid, 2 * row + 1, column, tr(command_captions[i]),
                                       ("txtCustomCommand" + suffix).constData());
    NormaliseOnLeaving(custom_commands_[i], false);
  }
  layout->addWidget(custom);

  QGroupBox* action =
      NamedGroup(tr("Documents List Box Double-Click Action"), "frDocumentsAction", page);
  auto* choices = new QGridLayout(action);
  const char* const actions[] = {
      "O&pen with Associated Application",   "&View with Web Browser",  "&Edit with Text Editor",
      "Edit Content &File with Text Editor", "Edit with &Image Editor", "Edit with &XML Editor"};
  for (int i = 0; i < 6; ++i) {
    documents_actions_[i] = new QRadioButton(tr(actions[i]), action);
    documents_actions_[i]->setObjectName(QStringLiteral("rbDocumentsAction%1").arg(i));
    choices->addWidget(documents_actions_[i], i % 3, i / 3);
  }
  layout->addWidget(action);
  layout->addStretch(1);
  return page;
}

QWidget* frmProgramOptions::CreateAdvancedPage() {
  auto* page = new QWidget;
  auto* layout = new QGridLayout(page);

  QGroupBox* reporting = NamedGroup(tr("Reporting"), "frReporting", page);
  ckEnableLogging_ = NamedCheckBox(tr("Enable &Logging"), "ckEnableLogging", reporting);
  (new QVBoxLayout(reporting))->addWidget(ckEnableLogging_);
  layout->addWidget(reporting, 0, 0);
  QGroupBox* performance = NamedGroup(tr("Performance"), "frPerformance", page);
  ckFastFileSystem_ = NamedCheckBox(tr("O&ptimize File Input/Output During Document Generation"),
                                    "ckFastFileSystem", performance);
  (new QVBoxLayout(performance))->addWidget(ckFastFileSystem_);
  layout->addWidget(performance, 0, 1);

  QGroupBox* drive = NamedGroup(tr("Default Drive"), "frDefaultDrive", page);
  auto* grid = new QGridLayout(drive);
  ckEnableDefaultDrive_ = NamedCheckBox(tr("Default Drive for &Relative Project File Paths:"),
                                        "ckEnableDefaultDrive", drive);
  txtDefaultDrive_ = new QLineEdit(drive);
  txtDefaultDrive_->setObjectName(QStringLiteral("txtDefaultDrive"));
  NormaliseOnLeaving(txtDefaultDrive_, false);
  grid->addWidget(ckEnableDefaultDrive_, 0, 0);
  grid->addWidget(txtDefaultDrive_, 0, 1);
  Enables(ckEnableDefaultDrive_, txtDefaultDrive_);
  layout->addWidget(drive, 1, 0, 1, 2);

  QGroupBox* filters = NamedGroup(tr("File Display Filters"), "frFileDisplayFilters", page);
  grid = new QGridLayout(filters);
  ckEnableContentFileFilter_ = NamedCheckBox(tr("Display &Only Content Files Ending With:"),
                                             "ckEnableContentFileFilter", filters);
  txtContentFileFilter_ = new QLineEdit(filters);
  txtContentFileFilter_->setObjectName(QStringLiteral("txtContentFileFilter"));
  grid->addWidget(ckEnableContentFileFilter_, 0, 0);
  grid->addWidget(txtContentFileFilter_, 0, 1);
  Enables(ckEnableContentFileFilter_, txtContentFileFilter_);
  layout->addWidget(filters, 2, 0, 1, 2);

  QGroupBox* projects = NamedGroup(tr("Projects"), "frProjects", page);
  grid = new QGridLayout(projects);
  txtMaximumProjects_ = AddTextRow(grid, 0, tr("&Maximum Projects:"), "txtMaximumProjects", 6);
  FitDigits(txtMaximumProjects_);
  txtProjectFile_ = AddTextRow(grid, 1, tr("Project &History File:"), "txtProjectFile", 0, 2);
  NormaliseOnLeaving(txtProjectFile_, false);
  QToolButton* browse = BrowseButton("cmdBrowseProjectFile", projects);
  grid->addWidget(browse, 1, 3);
  grid->setColumnStretch(2, 1);
  connect(browse, &QToolButton::clicked, this, [this] {
    const QString path = chooser_.OpenFileName(this, tr("Browse"),
                                               tr("Project History Files (*.ini);;All Files (*)"),
                                               QStringLiteral("projects.ini"));
    if (!path.isEmpty()) txtProjectFile_->setText(path);
  });
  layout->addWidget(projects, 3, 0, 1, 2);

  QGroupBox* display = NamedGroup(tr("Display"), "frDisplay", page);
  auto* boxes = new QGridLayout(display);
  const std::pair<const char*, const char*> display_boxes[] = {
      {"&Auto-Refresh After Document Generation", "ckPostGenerateRefresh"},
      {"Show All Macros in a Single Lis&t", "ckDisplayAllMacros"},
      {"Show Macro Ta&gs", "ckShowMacroTags"},
      {"Resizable &Border", "ckResizableBorder"},
      {"&Sort Folders List", "ckSortFolders"},
      {"Large Scr&een", "ckLargeDisplay"},
  };
  for (int i = 0; i < 6; ++i) {
    display_[i] = NamedCheckBox(tr(display_boxes[i].first), display_boxes[i].second, display);
    boxes->addWidget(display_[i], i % 3, i / 3);
  }
  layout->addWidget(display, 4, 0, 1, 2);

  QGroupBox* errors =
      NamedGroup(tr("Error Handling During Project Generation"), "frErrorHandling", page);
  auto* error_boxes = new QHBoxLayout(errors);
  ckIgnoreGenerationErrors_ =
      NamedCheckBox(tr("Do Not Prompt on &Code Errors"), "ckIgnoreGenerationErrors", errors);
  ckIgnoreMissingFileErrors_ =
      NamedCheckBox(tr("Do Not Prompt on Missing &Files"), "ckIgnoreMissingFileErrors", errors);
  error_boxes->addWidget(ckIgnoreGenerationErrors_);
  error_boxes->addWidget(ckIgnoreMissingFileErrors_);
  layout->addWidget(errors, 5, 0, 1, 2);
  layout->setRowStretch(6, 1);
  return page;
}

void frmProgramOptions::ShowOptions() {
  const ProgramOptions& o = ws_.options;
  txtEditor_->setText(PathText(o.editor));
  txtBrowser_->setText(PathText(o.browser));
  txtImageEditor_->setText(PathText(o.image_editor));
  txtXMLEditor_->setText(PathText(o.xml_editor));
  txtEditorOptions_->setText(DisplayText(o.editor_options));
  ckEditorOptionsAddSpace_->setChecked(o.editor_options_add_space == 1);
  txtBrowseFolder1_->setText(PathText(o.browse_folder1));
  const std::string* const captions[] = {&o.custom_application_caption,
                                         &o.custom_application_caption2,
                                         &o.custom_application_caption3};
  const std::string* const applications[] = {&o.custom_application, &o.custom_application2,
                                             &o.custom_application3};
  for (size_t i = 0; i < 3; ++i) {
    application_captions_[i]->setText(DisplayText(*captions[i]));
    applications_[i]->setText(PathText(*applications[i]));
  }
  for (size_t i = 0; i < 6; ++i) {
    custom_captions_[i]->setText(DisplayText(o.custom_commands[i].caption));
    custom_commands_[i]->setText(PathText(o.custom_commands[i].command));
  }
  const Int16 action = o.documents_default_action;
  documents_actions_[action >= 0 && action <= 5 ? action : 0]->setChecked(true);
  ckEnableLogging_->setChecked(o.enable_logging == 1);
  ckEnableDefaultDrive_->setChecked(o.enable_default_drive == 1);
  txtDefaultDrive_->setText(PathText(o.default_drive));
  txtDefaultDrive_->setEnabled(o.enable_default_drive == 1);
  ckEnableContentFileFilter_->setChecked(o.enable_content_file_filter == 1);
  txtContentFileFilter_->setText(DisplayText(o.content_file_filter));
  txtContentFileFilter_->setEnabled(o.enable_content_file_filter == 1);
  txtMaximumProjects_->setText(QString::number(o.maximum_projects));
  txtProjectFile_->setText(PathText(o.project_file));
  ckFastFileSystem_->setChecked(o.fast_file_system == 1);
  const Int16 display[] = {o.post_generate_refresh, o.display_all_macros, o.show_macro_tags,
                           o.resizable_border,      o.sort_folders,       o.large_display};
  for (size_t i = 0; i < display_.size(); ++i) display_[i]->setChecked(display[i] == 1);
  ckIgnoreGenerationErrors_->setChecked(o.ignore_generation_errors == 1);
  ckIgnoreMissingFileErrors_->setChecked(o.ignore_missing_file_errors == 1);
}

void frmProgramOptions::ReadFields(ProgramOptions& o) const {
  o.editor = PathBytes(txtEditor_->text());
  o.browser = PathBytes(txtBrowser_->text());
  o.image_editor = PathBytes(txtImageEditor_->text());
  o.xml_editor = PathBytes(txtXMLEditor_->text());
  o.editor_options = Bytes(txtEditorOptions_);
  o.editor_options_add_space = Flag(ckEditorOptionsAddSpace_);
  o.browse_folder1 = PathBytes(txtBrowseFolder1_->text());
  std::string* const captions[] = {&o.custom_application_caption, &o.custom_application_caption2,
                                   &o.custom_application_caption3};
  std::string* const applications[] = {&o.custom_application, &o.custom_application2,
                                       &o.custom_application3};
  for (size_t i = 0; i < 3; ++i) {
    *captions[i] = Bytes(application_captions_[i]);
    *applications[i] = PathBytes(applications_[i]->text());
  }
  for (size_t i = 0; i < 6; ++i) {
    o.custom_commands[i].caption = Bytes(custom_captions_[i]);
    o.custom_commands[i].command = PathBytes(custom_commands_[i]->text());
  }
  for (size_t i = 0; i < documents_actions_.size(); ++i) {
    if (documents_actions_[i]->isChecked()) o.documents_default_action = static_cast<Int16>(i);
  }
  o.enable_logging = Flag(ckEnableLogging_);
  // A switched-off drive or filter keeps its stored text for the next time.
  o.enable_default_drive = Flag(ckEnableDefaultDrive_);
  if (ckEnableDefaultDrive_->isChecked()) o.default_drive = PathBytes(txtDefaultDrive_->text());
  o.enable_content_file_filter = Flag(ckEnableContentFileFilter_);
  if (ckEnableContentFileFilter_->isChecked()) {
    o.content_file_filter = Bytes(txtContentFileFilter_);
  }
  o.project_file = PathBytes(txtProjectFile_->text());
  o.fast_file_system = Flag(ckFastFileSystem_);
  Int16* const display[] = {&o.post_generate_refresh, &o.display_all_macros, &o.show_macro_tags,
                            &o.resizable_border,      &o.sort_folders,       &o.large_display};
  for (size_t i = 0; i < display_.size(); ++i) *display[i] = Flag(display_[i]);
  o.ignore_generation_errors = Flag(ckIgnoreGenerationErrors_);
  o.ignore_missing_file_errors = Flag(ckIgnoreMissingFileErrors_);
}

void frmProgramOptions::Confirm() {
  const auto checked =
      CheckProgramOptionsFields(Bytes(txtMaximumProjects_), Bytes(txtProjectFile_));
  if (const auto* refusal = std::get_if<std::string>(&checked)) {
    ShowFieldError(ws_.host, *refusal);
    tabOptions_->setCurrentIndex(3);
    return;
  }
  ProgramOptions edited = ws_.options;
  ReadFields(edited);
  edited.maximum_projects = std::get<Int16>(checked);
  try {
    if (!StoreProgramOptions(ws_, edited)) return;
  } catch (const TarveloError& error) {
    ShowErrorReport(ws_.host, error);
    return;
  }
  accept();
}

}  // namespace tarvelo
