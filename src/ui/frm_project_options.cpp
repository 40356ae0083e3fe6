// frmProjectOptions: the five pages and their controls. Each caption's "&" marks its
// access key, unique on its page; Tab follows the pages top to bottom, left to right.
#include "ui/frm_project_options.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "project/workspace.h"
#include "ui/option_fields.h"
#include "views/project_properties.h"

namespace tarvelo {
namespace {

// The tags' captions and control names, in ProjectTagFields order.
struct TagControl {
  const char* caption;
  const char* name;
};
constexpr TagControl kTagControls[] = {
    {"Macro &Start:", "txtMacroStart"},
    {"Macro &End:", "txtMacroEnd"},
    {"&Parameter Start:", "txtParameterStart"},
    {"Pa&rameter End:", "txtParameterEnd"},
    {"&Wildcard:", "txtWildcard"},
    {"Parent Re&ference:", "txtParentReference"},
    {"&Non-Blank Delete:", "txtNonBlankDelete"},
    {"Single &Quote Escape:", "txtSingleQuoteEscape"},
    {"Con&catenate:", "txtConcatenate"},
    {"Con&ditional Start:", "txtConditionalStart"},
    {"Conditional E&lse:", "txtConditionalElse"},
    {"Conditi&onal End:", "txtConditionalEnd"},
    {"Req&uired:", "txtRequired"},
};

// The limits' captions and control names, in ProjectLimitFields order.
constexpr TagControl kLimitControls[] = {
    {"Maximum &Folders for Project:", "txtMaxFolders"},
    {"Maximum &Global Content Files for Project:", "txtMaxGlobals"},
    {"Maximum &Documents per Folder:", "txtMaxDocs"},
    {"Maximum F&older Content Files per Folder:", "txtMaxFolderGlobals"},
    {"Maximum &Content Files per Document:", "txtMaxContentFiles"},
    {"Maximum Macros per G&lobal Content File:", "txtMaxGlobalMacros"},
    {"Maximum Macros per Folder Co&ntent File:", "txtMaxFolderGlobalMacros"},
    {"Maximum &Macros per Content File:", "txtMaxContentFileMacros"},
    {"Maximum Macros per &Project Content File:", "txtMaxProjectMacros"},
    {"Maximum P&arameters per Macro:", "txtMaxParameters"},
    {"Maximum Levels of &Nesting:", "txtMaxNestedMacros"},
};

constexpr TagControl kReservedControls[] = {
    {"Current &Date:", "txtReservedDateMacro"},
    {"Tarvelo &Project Name:", "txtReservedProjectNameMacro"},
    {"Tarvelo Fo&lder Name:", "txtReservedFolderNameMacro"},
    {"Tarvelo Doc&ument Name:", "txtReservedDocumentNameMacro"},
};

QLabel* SampleLabel(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

frmProjectOptions::frmProjectOptions(Workspace& workspace, FileChooser& chooser, bool new_project,
                                     QWidget* parent)
    : QDialog(parent),
      ws_(workspace),
      chooser_(chooser),
      new_project_(new_project),
      record_(new_project ? NewProjectSettings() : workspace.settings) {
  setObjectName(QStringLiteral("frmProjectOptions"));
  setWindowTitle(tr("Project Properties"));
  CreatePages();
  ConnectFields();
  ShowRecord();
  SizeForPreset(this, ws_.options.large_display == 1);
}

void frmProjectOptions::CreatePages() {
  tabOptions_ = CreateOptionPages(this,
                                  {{CreateGeneralPage(), tr("General")},
                                   {CreateMacrosPage(), tr("Macros")},
                                   {CreateOptimizationPage(), tr("HTML Optimization")},
                                   {CreateMemoryPage(), tr("Memory Management")},
                                   {CreateAdvancedPage(), tr("Advanced")}},
                                  new_project_ ? tr("Create") : tr("OK"), [this] { Confirm(); });
}

QWidget* frmProjectOptions::CreateGeneralPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  QGroupBox* project = NamedGroup(tr("Project"), "frProject", page);
  auto* grid = new QGridLayout(project);
  txtProjectName_ = AddTextRow(grid, 0, tr("&Name:"), "txtProjectName", 0, 2);
  txtDefinitionFile_ = AddTextRow(grid, 1, tr("De&finition File:"), "txtDefinitionFile");
  QPushButton* browse = NamedButton(tr("&Browse..."), "cmdBrowseDefinitionFile", project);
  grid->addWidget(browse, 1, 2);
  connect(browse, &QPushButton::clicked, this, [this] {
    BrowseFile(txtDefinitionFile_, tr("Project Definition Files (*.txt);;All Files (*)"),
               QStringLiteral("*.txt"));
  });
  layout->addWidget(project);

  QGroupBox* documents = NamedGroup(tr("Documents"), "frDocuments", page);
  txtDocumentRoot_ =
      AddTextRow(new QGridLayout(documents), 0, tr("&Root Path:"), "txtDocumentRoot");
  layout->addWidget(documents);

  QGroupBox* sources = NamedGroup(tr("Source Files"), "frSourceFiles", page);
  grid = new QGridLayout(sources);
  txtContentRoot_ = AddTextRow(grid, 0, tr("R&oot Path:"), "txtContentRoot");
  txtDefaultContentRoot_ = AddTextRow(grid, 1, tr("&Default Root:"), "txtDefaultContentRoot");
  layout->addWidget(sources);

  frNewProject_ = NamedGroup(tr("New Project Options"), "frNewProject", page);
  auto* options = new QVBoxLayout(frNewProject_);
  ckCreateSampleFiles_ = NamedCheckBox(tr("Create sample &Templates and Content Files"),
                                       "ckCreateSampleFiles", frNewProject_);
  ckCreateSampleDefinition_ = NamedCheckBox(tr("Create sample &Project Definition File"),
                                            "ckCreateSampleDefinition", frNewProject_);
  ckCreateRootPaths_ =
      NamedCheckBox(tr("&Create Root Paths for Documents and Content Files if they don't exist"),
                    "ckCreateRootPaths", frNewProject_);
  for (QCheckBox* box : {ckCreateSampleFiles_, ckCreateSampleDefinition_, ckCreateRootPaths_}) {
    box->setChecked(true);
    options->addWidget(box);
  }
  frNewProject_->setVisible(new_project_);
  layout->addWidget(frNewProject_);
  layout->addStretch(1);
  return page;
}

QWidget* frmProjectOptions::CreateMacrosPage() {
  auto* page = new QWidget;
  auto* layout = new QGridLayout(page);

  QGroupBox* basic = NamedGroup(tr("Macro Tags"), "frMacroTags", page);
  auto* basic_grid = new QGridLayout(basic);
  for (int i = 0; i < 4; ++i) {
    tags_[i] = AddTextRow(basic_grid, i, tr(kTagControls[i].caption), kTagControls[i].name,
                          ProjectTagFields()[i].max_length);
  }
  layout->addWidget(basic, 0, 0);

  QGroupBox* sample = NamedGroup(tr("Sample Macro Definition"), "frSampleDefinition", page);
  auto* sample_layout = new QVBoxLayout(sample);
  labSampleDefinition_ = SampleLabel(QStringLiteral("labSampleDefinition"), sample);
  labSampleValue_ = SampleLabel(QStringLiteral("labSampleValue"), sample);
  labSampleClosing_ = SampleLabel(QStringLiteral("labSampleClosing"), sample);
  for (QLabel* label : {labSampleDefinition_, labSampleValue_, labSampleClosing_}) {
    sample_layout->addWidget(label);
  }
  sample_layout->addStretch(1);
  layout->addWidget(sample, 0, 1);

  // Two columns of advanced tags, each tag with its example beside it.
  QGroupBox* advanced = NamedGroup(tr("Advanced Macro Tags"), "frAdvancedMacroTags", page);
  auto* advanced_grid = new QGridLayout(advanced);
  for (int i = 4; i < 13; ++i) {
    const int row = i < 9 ? i - 4 : i - 9;
    const int column = i < 9 ? 0 : 3;
    tags_[i] = AddTextField(advanced_grid, row, column, tr(kTagControls[i].caption),
                            kTagControls[i].name, ProjectTagFields()[i].max_length);
    tags_[i]->setMaximumWidth(tags_[i]->fontMetrics().horizontalAdvance(QStringLiteral("MMMM")));
    advanced_samples_[i - 4] = SampleLabel(
        QStringLiteral("labSample") + QLatin1String(kTagControls[i].name + 3), advanced);
    advanced_grid->addWidget(advanced_samples_[i - 4], row, column + 2);
  }
  layout->addWidget(advanced, 1, 0, 1, 2);

  ckDeleteLine_ = NamedCheckBox(tr("Dele&te entire line in Document if Macro value is blank..."),
                                "ckDeleteLine", page);
  layout->addWidget(ckDeleteLine_, 2, 0, 1, 2);
  auto* exceptions = new QGridLayout;
  txtDeleteLineExceptions_ = new QLineEdit(page);
  txtDeleteLineExceptions_->setObjectName(QStringLiteral("txtDeleteLineExceptions"));
  auto* except = new QLabel(tr("...e&xcept if Macro is:"), page);
  except->setBuddy(txtDeleteLineExceptions_);
  exceptions->addWidget(except, 0, 0);
  exceptions->addWidget(txtDeleteLineExceptions_, 0, 1);
  QPushButton* reset = NamedButton(tr("Reset Def&aults"), "cmdMacroResetDefaults", page);
  exceptions->addWidget(reset, 0, 2);
  connect(reset, &QPushButton::clicked, this, &frmProjectOptions::ResetMacroTags);
  layout->addLayout(exceptions, 3, 0, 1, 2);
  layout->setRowStretch(4, 1);
  return page;
}

QWidget* frmProjectOptions::CreateOptimizationPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  rbNoOptimization_ = new QRadioButton(tr("&No Optimization"), page);
  rbNoOptimization_->setObjectName(QStringLiteral("rbNoOptimization"));
  rbOptimizeAllExcept_ =
      new QRadioButton(tr("&Optimize All Documents Except Those Ending With:"), page);
  rbOptimizeAllExcept_->setObjectName(QStringLiteral("rbOptimizeAllExcept"));
  txtOptimizeExcludeList_ = new QLineEdit(page);
  txtOptimizeExcludeList_->setObjectName(QStringLiteral("txtOptimizeExcludeList"));
  rbOptimizeFlagsOnly_ = new QRadioButton(
      tr("Optimize Documents Using the &Flags in the Project Definition File Only"), page);
  rbOptimizeFlagsOnly_->setObjectName(QStringLiteral("rbOptimizeFlagsOnly"));
  auto* except = new QHBoxLayout;
  except->addWidget(rbOptimizeAllExcept_);
  except->addWidget(txtOptimizeExcludeList_, 1);
  layout->addWidget(rbNoOptimization_);
  layout->addLayout(except);
  layout->addWidget(rbOptimizeFlagsOnly_);

  frOptimizationScheme_ = NamedGroup(tr("Optimization Scheme"), "frOptimizationScheme", page);
  auto* scheme = new QVBoxLayout(frOptimizationScheme_);
  rbOptimizationLevel1_ =
      new QRadioButton(tr("Remove &Leading White Space on Each Line"), frOptimizationScheme_);
  rbOptimizationLevel1_->setObjectName(QStringLiteral("rbOptimizationLevel1"));
  rbOptimizationLevel2_ = new QRadioButton(tr("Remove Leading White Space and Remove Line &Breaks"),
                                           frOptimizationScheme_);
  rbOptimizationLevel2_->setObjectName(QStringLiteral("rbOptimizationLevel2"));
  scheme->addWidget(rbOptimizationLevel1_);
  scheme->addWidget(rbOptimizationLevel2_);
  layout->addWidget(frOptimizationScheme_);

  QPushButton* reset = NamedButton(tr("Reset Def&aults"), "cmdOptimizationResetDefaults", page);
  connect(reset, &QPushButton::clicked, this, &frmProjectOptions::ResetOptimization);
  layout->addWidget(reset, 0, Qt::AlignLeft);
  layout->addStretch(1);
  return page;
}

QWidget* frmProjectOptions::CreateMemoryPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  for (int i = 0; i < 10; ++i) {
    limits_[i] = AddTextRow(grid, i, tr(kLimitControls[i].caption), kLimitControls[i].name, 5);
    FitDigits(limits_[i]);
  }
  QPushButton* reset = NamedButton(tr("&Reset Defaults"), "cmdMemoryResetDefaults", page);
  connect(reset, &QPushButton::clicked, this, &frmProjectOptions::ResetMemoryLimits);
  grid->addWidget(reset, 10, 0, Qt::AlignLeft);
  grid->setRowStretch(11, 1);
  grid->setColumnStretch(2, 1);
  return page;
}

QWidget* frmProjectOptions::CreateAdvancedPage() {
  auto* page = new QWidget;
  auto* layout = new QGridLayout(page);

  auto* top = new QGridLayout;
  txtLineContinuation_ =
      AddTextRow(top, 0, tr("Line Continuation &Character:"), "txtLineContinuation", 5);
  limits_[10] = AddTextRow(top, 1, tr(kLimitControls[10].caption), kLimitControls[10].name, 5);
  FitDigits(txtLineContinuation_);
  FitDigits(limits_[10]);
  top->setColumnStretch(2, 1);
  layout->addLayout(top, 0, 0, 1, 2);

  QGroupBox* temporary = NamedGroup(tr("Temporary Files"), "frTemporaryFiles", page);
  txtTemporaryFilesPath_ =
      AddTextRow(new QGridLayout(temporary), 0, tr("&Root Path:"), "txtTemporaryFilesPath");
  layout->addWidget(temporary, 1, 0, 1, 2);

  QGroupBox* globals = NamedGroup(tr("Global Content Files"), "frGlobalContentFiles", page);
  txtGlobalContentFiles_ =
      AddTextRow(new QGridLayout(globals), 0, tr("&File List:"), "txtGlobalContentFiles");
  layout->addWidget(globals, 2, 0, 1, 2);

  QGroupBox* macro_file = NamedGroup(tr("Project Macro File"), "frProjectMacroFile", page);
  auto* grid = new QGridLayout(macro_file);
  txtProjectMacroFile_ = AddTextRow(grid, 0, tr("&Macro File:"), "txtProjectMacroFile");
  QPushButton* browse = NamedButton(tr("Br&owse..."), "cmdBrowseMacroFile", macro_file);
  grid->addWidget(browse, 0, 2);
  connect(browse, &QPushButton::clicked, this, [this] {
    BrowseFile(txtProjectMacroFile_, tr("Content Files (*.par);;All Files (*)"),
               QStringLiteral("*.par"));
  });
  ckDisplayProjectMacroFile_ = NamedCheckBox(tr("Display in Content Files List Bo&x"),
                                             "ckDisplayProjectMacroFile", macro_file);
  grid->addWidget(ckDisplayProjectMacroFile_, 1, 1, 1, 2);
  layout->addWidget(macro_file, 3, 0, 1, 2);

  QGroupBox* reserved = NamedGroup(tr("Reserved Macros"), "frReservedMacros", page);
  grid = new QGridLayout(reserved);
  for (int i = 0; i < 4; ++i) {
    reserved_[i] = AddTextField(grid, i / 2, (i % 2) * 2, tr(kReservedControls[i].caption),
                                kReservedControls[i].name);
    // The default names are shown whole.
    reserved_[i]->setMinimumWidth(
        reserved_[i]->fontMetrics().horizontalAdvance(QStringLiteral("TARVELO_DOCUMENT_NAME__")));
  }
  layout->addWidget(reserved, 4, 0, 1, 2);

  QGroupBox* custom =
      NamedGroup(tr("Custom Path For Program Options"), "frCustomProjectPath", page);
  grid = new QGridLayout(custom);
  txtCustomProjectPath_ = AddTextRow(grid, 0, tr("P&ath:"), "txtCustomProjectPath");
  ckCustomProjectPathWithDrive_ =
      NamedCheckBox(tr("Use Default Dri&ve"), "ckCustomProjectPathWithDrive", custom);
  grid->addWidget(ckCustomProjectPathWithDrive_, 0, 2);
  layout->addWidget(custom, 5, 0, 1, 2);
  layout->setRowStretch(6, 1);
  return page;
}

}  // namespace tarvelo
