// frmProjectOptions: showing the record in the fields, the live example captions, the
// Reset Defaults buttons, the path fields, and confirming.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "common/error.h"
#include "common/error_report.h"
#include "engine/macro_tags.h"
#include "project/new_project.h"
#include "project/workspace.h"
#include "ui/file_chooser.h"
#include "ui/frm_main_views.h"
#include "ui/frm_project_options.h"
#include "ui/option_fields.h"
#include "ui/widget_host.h"
#include "views/project_properties.h"

namespace tarvelo {
namespace {

QString Number(Int16 value) {
  return QString::number(value);
}

std::string Bytes(const QLineEdit* box) {
  return box->text().toStdString();
}

}  // namespace

void frmProjectOptions::ConnectFields() {
  for (QLineEdit* tag : tags_) {
    connect(tag, &QLineEdit::textChanged, this, &frmProjectOptions::ShowSampleMacroDefinition);
  }
  for (QRadioButton* choice : {rbNoOptimization_, rbOptimizeAllExcept_, rbOptimizeFlagsOnly_}) {
    connect(choice, &QRadioButton::toggled, this, &frmProjectOptions::OptimizationChoiceChanged);
  }
  for (QLineEdit* folder :
       {txtDocumentRoot_, txtContentRoot_, txtTemporaryFilesPath_, txtCustomProjectPath_}) {
    NormaliseOnLeaving(folder, true);
  }
  for (QLineEdit* file : {txtDefaultContentRoot_, txtDefinitionFile_, txtProjectMacroFile_}) {
    NormaliseOnLeaving(file, false);
  }
  // After the normalising above, so the other root takes the tidied text.
  connect(txtContentRoot_, &QLineEdit::editingFinished, this,
          [this] { RootLeft(txtContentRoot_, txtDocumentRoot_); });
  connect(txtDocumentRoot_, &QLineEdit::editingFinished, this,
          [this] { RootLeft(txtDocumentRoot_, txtContentRoot_); });
}

void frmProjectOptions::ShowRecord() {
  const ProjectSettings& r = record_;
  txtProjectName_->setText(DisplayText(r.name));
  txtDefinitionFile_->setText(PathText(r.definition_file));
  txtDocumentRoot_->setText(PathText(r.document_root));
  txtContentRoot_->setText(PathText(r.content_root));
  txtDefaultContentRoot_->setText(PathText(r.default_content_root));
  for (size_t i = 0; i < tags_.size(); ++i) {
    tags_[i]->setText(DisplayText(r.*(ProjectTagFields()[i].field)));
  }
  ckDeleteLine_->setChecked(r.delete_line == 1);
  txtDeleteLineExceptions_->setText(DisplayText(r.delete_line_exceptions));

  // Values out of range select the first choice of their group.
  const Int16 status = r.optimization_status >= 0 && r.optimization_status <= 2
                           ? r.optimization_status
                           : static_cast<Int16>(0);
  QRadioButton* const statuses[] = {rbNoOptimization_, rbOptimizeAllExcept_, rbOptimizeFlagsOnly_};
  statuses[status]->setChecked(true);
  txtOptimizeExcludeList_->setText(DisplayText(r.optimize_exclude_list));
  (r.optimization_level == 2 ? rbOptimizationLevel2_ : rbOptimizationLevel1_)->setChecked(true);

  ShowLimits();
  txtLineContinuation_->setText(DisplayText(r.line_continuation));
  txtTemporaryFilesPath_->setText(PathText(r.temporary_files_path));
  txtGlobalContentFiles_->setText(DisplayText(r.global_content_files));
  txtProjectMacroFile_->setText(PathText(r.project_macro_file));
  ckDisplayProjectMacroFile_->setChecked(r.display_project_macro_file == 1);
  const std::string* const reserved[] = {&r.reserved_date_macro, &r.reserved_project_name_macro,
                                         &r.reserved_folder_name_macro,
                                         &r.reserved_document_name_macro};
  for (size_t i = 0; i < reserved_.size(); ++i) reserved_[i]->setText(DisplayText(*reserved[i]));
  txtCustomProjectPath_->setText(PathText(r.custom_project_path));
  ckCustomProjectPathWithDrive_->setChecked(r.custom_project_path_with_drive == 1);
  ShowSampleMacroDefinition();
  OptimizationChoiceChanged();
}

void frmProjectOptions::ShowLimits() {
  for (size_t i = 0; i < limits_.size(); ++i) {
    limits_[i]->setText(Number(record_.*(ProjectLimitFields()[i].field)));
  }
}

void frmProjectOptions::ReadTags(ProjectSettings& settings) const {
  for (size_t i = 0; i < tags_.size(); ++i) {
    settings.*(ProjectTagFields()[i].field) = Bytes(tags_[i]);
  }
}

void frmProjectOptions::ReadFields(ProjectSettings& s) const {
  s.name = Bytes(txtProjectName_);
  s.definition_file = PathBytes(txtDefinitionFile_->text());
  s.document_root = PathBytes(txtDocumentRoot_->text());
  s.content_root = PathBytes(txtContentRoot_->text());
  s.default_content_root = PathBytes(txtDefaultContentRoot_->text());
  ReadTags(s);
  s.delete_line = ckDeleteLine_->isChecked() ? 1 : 0;
  s.delete_line_exceptions = Bytes(txtDeleteLineExceptions_);
  s.optimization_status = rbOptimizeAllExcept_->isChecked()   ? 1
                          : rbOptimizeFlagsOnly_->isChecked() ? 2
                                                              : 0;
  s.optimize_exclude_list = Bytes(txtOptimizeExcludeList_);
  s.optimization_level = rbOptimizationLevel2_->isChecked() ? 2 : 1;
  s.line_continuation = Bytes(txtLineContinuation_);
  s.temporary_files_path = PathBytes(txtTemporaryFilesPath_->text());
  s.global_content_files = Bytes(txtGlobalContentFiles_);
  s.project_macro_file = PathBytes(txtProjectMacroFile_->text());
  s.display_project_macro_file = ckDisplayProjectMacroFile_->isChecked() ? 1 : 0;
  std::string* const reserved[] = {&s.reserved_date_macro, &s.reserved_project_name_macro,
                                   &s.reserved_folder_name_macro, &s.reserved_document_name_macro};
  for (size_t i = 0; i < reserved_.size(); ++i) *reserved[i] = Bytes(reserved_[i]);
  s.custom_project_path = PathBytes(txtCustomProjectPath_->text());
  s.custom_project_path_with_drive = ckCustomProjectPathWithDrive_->isChecked() ? 1 : 0;
}

void frmProjectOptions::ShowSampleMacroDefinition() {
  ProjectSettings tags = record_;
  ReadTags(tags);
  const MacroSamples samples = ::tarvelo::ShowSampleMacroDefinition(tags);
  labSampleDefinition_->setText(DisplayText(samples.definition));
  const bool parameters = !tags.parameter_start_tag.empty() && !tags.parameter_end_tag.empty();
  labSampleValue_->setText(parameters ? DisplayText("Sample Macro definition with a parameter " +
                                                    tags.parameter_start_tag + "param1" +
                                                    tags.parameter_end_tag + ".")
                                      : tr("Sample Macro definition."));
  labSampleClosing_->setText(DisplayText(samples.closing));
  // The examples in the order of the advanced tag fields.
  const AdvancedMacroSamples& a = samples.advanced;
  const std::string* const advanced[] = {
      &a.wildcard,    &a.parent_reference,  &a.non_blank_delete, &a.single_quote_escape,
      &a.concatenate, &a.conditional_start, &a.conditional_else, &a.conditional_end,
      &a.required};
  for (size_t i = 0; i < advanced_samples_.size(); ++i) {
    advanced_samples_[i]->setText(DisplayText(*advanced[i]));
  }
}

void frmProjectOptions::OptimizationChoiceChanged() {
  const bool scheme = rbOptimizeAllExcept_->isChecked();
  frOptimizationScheme_->setEnabled(scheme);
  txtOptimizeExcludeList_->setEnabled(scheme);
}

void frmProjectOptions::ResetMacroTags() {
  ProjectSettings defaults = record_;
  ::tarvelo::ResetMacroTags(defaults);
  for (size_t i = 0; i < tags_.size(); ++i) {
    tags_[i]->setText(DisplayText(defaults.*(ProjectTagFields()[i].field)));
  }
  ckDeleteLine_->setChecked(defaults.delete_line == 1);
  txtDeleteLineExceptions_->setText(DisplayText(defaults.delete_line_exceptions));
}

void frmProjectOptions::ResetOptimization() {
  rbNoOptimization_->setChecked(true);
}

void frmProjectOptions::ResetMemoryLimits() {
  ProjectSettings defaults;
  ::tarvelo::ResetMemoryLimits(defaults);
  for (size_t i = 0; i < 10; ++i) {
    limits_[i]->setText(Number(defaults.*(ProjectLimitFields()[i].field)));
  }
}

void frmProjectOptions::BrowseFile(QLineEdit* box, const QString& filter, const QString& initial) {
  const QString path = chooser_.OpenFileName(this, tr("Browse"), filter, initial);
  if (!path.isEmpty()) box->setText(path);
}

void frmProjectOptions::RootLeft(QLineEdit* left, QLineEdit* other) {
  if (other->text().isEmpty()) other->setText(left->text());
}

void frmProjectOptions::Confirm() {
  ProjectSettings record = record_;
  ReadFields(record);
  LimitTexts limits;
  for (size_t i = 0; i < limits.size(); ++i) limits[i] = Bytes(limits_[i]);
  if (const std::optional<FieldError> error = ValidateProjectFields(record, limits)) {
    ShowFieldError(ws_.host, error->message);
    tabOptions_->setCurrentIndex(static_cast<int>(error->page));
    return;
  }
  try {
    if (new_project_) {
      // A full history is refused before any folder or file is made.
      CheckRoomForNewProject(ws_);
      NewProjectChoices choices;
      choices.sample_files = ckCreateSampleFiles_->isChecked();
      choices.sample_definition = ckCreateSampleDefinition_->isChecked();
      choices.create_roots = ckCreateRootPaths_->isChecked();
      CreateSampleProjectFiles(ws_.files, ws_.program_folder, ws_.options, record, choices);
      const QString path =
          chooser_.SaveFileName(this, tr("Save Project File"), tr("Tarvelo Projects (*.web)"),
                                PathText(ProposedProjectFile(record)));
      if (path.isEmpty()) return;
      record.project_file_path = PathBytes(path);
    }
    StoreProjectProperties(ws_, record, new_project_);
  } catch (const TarveloError& error) {
    ShowErrorReport(ws_.host, error);
    return;
  }
  accept();
}

}  // namespace tarvelo
