// The folder picker window. The rules (start drive, start folder, display form) are
// the core's; this window lists folders and passes the user's choice on.
#include "ui/frm_directory.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "common/paths.h"
#include "project/workspace.h"
#include "ui/frm_main_views.h"
#include "ui/option_fields.h"
#include "views/folder_picker.h"
#include "views/project_properties.h"

namespace tarvelo {
namespace {

constexpr const char* kParentEntry = "..";

}  // namespace

frmDirectory::frmDirectory(const Workspace& workspace, const QString& path, QWidget* parent)
    : QDialog(parent), ws_(workspace) {
  setObjectName(QStringLiteral("frmDirectory"));
  setWindowTitle(tr("Select a Folder"));
  result_ = PathText(NormaliseFolderPath(PathBytes(path)));

  auto* layout = new QGridLayout(this);
  auto* drive_label = new QLabel(tr("&Drive:"), this);
  cmbDrive_ = new QComboBox(this);
  cmbDrive_->setObjectName(QStringLiteral("cmbDrive"));
  drive_label->setBuddy(cmbDrive_);
  auto* folders_label = new QLabel(tr("&Folders:"), this);
  lstFolders_ = new QListWidget(this);
  lstFolders_->setObjectName(QStringLiteral("lstFolders"));
  folders_label->setBuddy(lstFolders_);
  auto* hint = new QLabel(tr("Double-Click to Select"), this);
  hint->setObjectName(QStringLiteral("labHint"));
  txtFolder_ = new QLineEdit(this);
  txtFolder_->setObjectName(QStringLiteral("txtFolder"));
  txtFolder_->setReadOnly(true);
  labDefaultDrive_ = new QLabel(tr("Using Default Drive"), this);
  labDefaultDrive_->setObjectName(QStringLiteral("labDefaultDrive"));
  QDialogButtonBox* buttons = AddOkCancel(this, tr("OK"), [this] { Confirm(); });

  layout->addWidget(drive_label, 0, 0);
  layout->addWidget(cmbDrive_, 0, 1);
  layout->addWidget(folders_label, 1, 0, Qt::AlignTop);
  layout->addWidget(lstFolders_, 1, 1);
  layout->addWidget(hint, 2, 1);
  layout->addWidget(txtFolder_, 3, 0, 1, 2);
  layout->addWidget(labDefaultDrive_, 4, 0, 1, 2);
  layout->addWidget(buttons, 5, 0, 1, 2);
  resize(420, 380);

  // The drives: the file system's roots, a letter or default drive in use, the start.
  const std::string start_drive =
      PickerStartDrive(PathBytes(path), ws_.options, ws_.program_folder);
  QStringList drives;
  for (const QFileInfo& root : QDir::drives()) drives << root.absolutePath();
  if (DefaultDriveInUse(ws_.options)) drives << PathText(ws_.options.default_drive);
  if (!start_drive.empty()) drives << PathText(start_drive);
  drives.removeDuplicates();
  cmbDrive_->addItems(drives);
  cmbDrive_->setCurrentText(PathText(start_drive));

  connect(cmbDrive_, &QComboBox::activated, this, &frmDirectory::DriveChosen);
  connect(lstFolders_, &QListWidget::itemActivated, this, &frmDirectory::FolderActivated);
  OpenFolder(PickerStartFolder(ws_.files, PathBytes(path), start_drive, ws_.options));
}

void frmDirectory::OpenFolder(const std::string& disk_folder) {
  folder_ = disk_folder;
  if (!EndsWithSeparator(folder_)) folder_ += kNativeSeparator;
  lstFolders_->clear();
  const QDir dir(PathText(folder_));
  if (!dir.isRoot()) lstFolders_->addItem(QLatin1String(kParentEntry));
  lstFolders_->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
  if (lstFolders_->count() > 0) lstFolders_->setCurrentRow(0);
  const FolderDisplay display = FolderDisplayForm(folder_, ws_.options);
  txtFolder_->setText(PathText(display.text));
  labDefaultDrive_->setVisible(display.using_default_drive);
}

void frmDirectory::DriveChosen(int index) {
  OpenFolder(DriveFolder(ws_.files, PathBytes(cmbDrive_->itemText(index))));
}

void frmDirectory::FolderActivated(QListWidgetItem* item) {
  if (item == nullptr) return;
  QDir dir(PathText(folder_));
  if (item->text() == QLatin1String(kParentEntry)) {
    dir.cdUp();
  } else if (!dir.cd(item->text())) {
    return;
  }
  OpenFolder(PathBytes(dir.absolutePath()));
}

void frmDirectory::Confirm() {
  result_ = txtFolder_->text();
  accept();
}

QString RunFolderPicker(QWidget* parent, const Workspace& workspace, const QString& path) {
  frmDirectory picker(workspace, path, parent);
  picker.exec();
  return picker.result_path();
}

}  // namespace tarvelo
