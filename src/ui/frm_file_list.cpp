// The shared list window: controls, the listing in batches, the two views kept on one
// entry, and the commands on the selected file.
#include "ui/frm_file_list.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "project/launchers.h"
#include "project/workspace.h"
#include "ui/frm_main_views.h"
#include "ui/icons.h"
#include "ui/widget_host.h"
#include "ui/window_support.h"

namespace tarvelo {
namespace {

// Above this many Content File entries the listing shows its progress.
constexpr int kProgressThreshold = 200;
// The longest stretch, in milliseconds, a listing runs without letting events in.
constexpr qint64 kEventInterval = 50;

template <typename T>
T* Named(T* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

// Receives the listing and copies it into both views in batches, letting the event
// loop run between them so that Cancel and repaints get through.
class FileListWindow::Filler : public ListingObserver {
 public:
  explicit Filler(FileListWindow& window) : window_(window) {}
  ~Filler() override = default;
  Filler(const Filler&) = delete;
  Filler& operator=(const Filler&) = delete;

  bool Cancelled() override { return window_.cancel_; }
  void Added(const ListedFile& file) override { window_.rows_.push_back(file); }
  void Progress(int content_files) override {
    if (window_.ProgressBar1_ != nullptr) window_.ProgressBar1_->setValue(content_files);
    // Each turn of the event loop repaints the growing views; a few turns a second
    // keep the window responsive without spending the listing's time on drawing.
    if (since_events_.isValid() && since_events_.elapsed() < kEventInterval) return;
    Flush();
    QApplication::processEvents();
    since_events_.start();
  }

  // Adds the rows not shown yet, with the views' redrawing suspended meanwhile.
  void Flush() {
    const size_t end = window_.rows_.size();
    if (shown_ == end) return;
    window_.list_->setUpdatesEnabled(false);
    window_.tree_->setUpdatesEnabled(false);
    QList<QTreeWidgetItem*> nodes;
    for (size_t i = shown_; i < end; ++i) {
      const ListedFile& file = window_.rows_[i];
      const QString text = DisplayText(file.text);
      window_.list_->addItem(text);
      auto* node = new QTreeWidgetItem(QStringList{text});
      node->setIcon(0, StateIcon(file.role, file.state));
      node->setData(0, Qt::UserRole + 1, DisplayText(file.key));
      nodes.push_back(node);
    }
    window_.tree_->addTopLevelItems(nodes);
    window_.list_->setUpdatesEnabled(true);
    window_.tree_->setUpdatesEnabled(true);
    shown_ = end;
  }

 private:
  FileListWindow& window_;
  size_t shown_ = 0;
  QElapsedTimer since_events_;
};

FileListWindow::FileListWindow(Workspace& workspace, DesktopServices& desktop, ListingKind kind,
                               QWidget* parent)
    : QDialog(parent), ws_(workspace), desktop_(desktop), kind_(kind), view_(workspace) {
  setModal(true);
  CreateControls(kind == ListingKind::kContentFiles ? QStringLiteral("ContentFiles")
                                                    : QStringLiteral("Templates"));
  ConnectControls();
  ckShowAttributes_->setChecked(ws_.options.display_attributes == 1);
  ShowAttributes(ckShowAttributes_->isChecked());
  resize(460, 420);
}

void FileListWindow::CreateControls(const QString& noun) {
  const bool content_files = kind_ == ListingKind::kContentFiles;
  label_ = Named(new QLabel(content_files ? DisplayText(ContentFilesLabel(ws_.options))
                                          : QStringLiteral("Templates"),
                            this),
                 "lab" + noun);
  ckShowAttributes_ = Named(new QCheckBox(tr("Show Attributes"), this), "ckShowAttributes");
  list_ = Named(new ColumnList(this), "lst" + noun);
  tree_ = Named(new ColumnTree(this), "tv" + noun);
  views_ = new QStackedLayout;
  views_->addWidget(list_);
  views_->addWidget(tree_);

  auto* frame = Named(new QGroupBox(tr("Display"), this), "frDisplay");
  auto* modes = new QHBoxLayout(frame);
  const QString captions[] = {tr("All Files"), tr("Read-Only Files"), tr("Writable Files ")};
  for (int i = 0; i < 3; ++i) {
    rbDisplay_[i] =
        Named(new QRadioButton(captions[i], frame), QStringLiteral("rbDisplay%1").arg(i));
    modes->addWidget(rbDisplay_[i]);
  }
  rbDisplay_[0]->setChecked(true);

  cmdEdit_ = Named(new QPushButton(tr("Edit"), this), "cmdEdit");
  cmdClose_ = Named(new QPushButton(tr("Close"), this), "cmdClose");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdEdit_);
  if (content_files) {
    cmdCancel_ = Named(new QPushButton(tr("Cancel"), this), "cmdCancel");
    cmdCancel_->setEnabled(false);
    buttons->addWidget(cmdCancel_);
    ProgressBar1_ = Named(new QProgressBar(this), "ProgressBar1");
    ProgressBar1_->hide();
    Timer1_ = Named(new QTimer(this), "Timer1");
    Timer1_->setSingleShot(true);
    Timer1_->setInterval(0);
  }
  buttons->addStretch(1);
  buttons->addWidget(cmdClose_);
  cmdEdit_->setEnabled(false);

  auto* top = new QHBoxLayout;
  top->addWidget(label_, 1);
  top->addWidget(ckShowAttributes_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(views_, 1);
  if (ProgressBar1_ != nullptr) layout->addWidget(ProgressBar1_);
  layout->addWidget(frame);
  layout->addLayout(buttons);

  popup_ = CreateFilePopup(
      this, QStringLiteral("mnuPopup"), ws_.host, [this] { EditSelected(); },
      [this](int n) { CustomAction(n); });
}

void FileListWindow::ConnectControls() {
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { SelectRow(row); });
  connect(tree_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* node) { SelectRow(tree_->indexOfTopLevelItem(node)); });
  const auto edit = [this] { TrapErrors(ws_.host, [this] { EditSelected(); }); };
  connect(list_, &QListWidget::itemDoubleClicked, this, edit);
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, edit);
  connect(cmdEdit_, &QPushButton::clicked, this, edit);
  const auto drag = [this] {
    const ListedFile* row = SelectedRow();
    return row != nullptr ? PathText(row->resolved_path) : QString();
  };
  list_->hooks = {drag, edit};
  tree_->hooks = list_->hooks;
  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(list_), static_cast<QAbstractItemView*>(tree_)}) {
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& position) { ShowPopup(view, position); });
  }
  connect(ckShowAttributes_, &QCheckBox::toggled, this, &FileListWindow::ShowAttributes);
  for (Int16 mode = 0; mode < 3; ++mode) {
    connect(rbDisplay_[mode], &QRadioButton::clicked, this, [this, mode] { SetDisplayMode(mode); });
  }
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
  if (cmdCancel_ != nullptr)
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cancel_ = true; });
  if (Timer1_ != nullptr) connect(Timer1_, &QTimer::timeout, this, &FileListWindow::ListFiles);
}

void FileListWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (listed_once_) return;
  listed_once_ = true;
  CenterInWorkArea(this);
  // The Content Files listing may be long: it starts once the window is up.
  if (Timer1_ != nullptr) {
    Timer1_->start();
  } else {
    ListFiles();
  }
}

void FileListWindow::reject() {
  if (busy_) {
    Launchers(ws_.options, ws_.settings, desktop_, ws_.host)
        .ShowWarning(
            "There is an operation in progress. Please cancel the operation before closing the "
            "form.",
            "Loading Files");
    return;
  }
  QDialog::reject();
}

void FileListWindow::done(int result) {
  cancel_ = true;
  QDialog::done(result);
}

void FileListWindow::SetBusy(bool busy) {
  busy_ = busy;
  cmdEdit_->setEnabled(!busy);
  cmdClose_->setEnabled(!busy);
  if (cmdCancel_ != nullptr) cmdCancel_->setEnabled(busy);
  // A listing started from inside the running one would empty the views under it.
  for (QRadioButton* button : rbDisplay_) button->setEnabled(!busy);
}

void FileListWindow::ListFiles() {
  if (busy_) return;
  const bool content_files = kind_ == ListingKind::kContentFiles;
  cancel_ = false;
  SetBusy(true);
  if (ProgressBar1_ != nullptr) {
    const int total = DocumentContentFileCount(ws_.definition);
    ProgressBar1_->setMaximum(std::max(total, 1));
    ProgressBar1_->setValue(0);
    ProgressBar1_->setVisible(total > kProgressThreshold);
  }
  {
    const QSignalBlocker block_list(list_);
    const QSignalBlocker block_tree(tree_);
    list_->clear();
    tree_->setUpdatesEnabled(false);
    for (int i = tree_->topLevelItemCount() - 1; i >= 0; --i) delete tree_->takeTopLevelItem(i);
    tree_->setUpdatesEnabled(true);
    rows_.clear();
    selected_ = -1;
    Filler filler(*this);
    TrapErrors(ws_.host, [&] { ListProjectFiles(ws_, view_, kind_, display_mode_, filler); });
    filler.Flush();
  }
  if (ProgressBar1_ != nullptr) ProgressBar1_->hide();
  if (!rows_.empty()) SelectRow(0);
  if (content_files) label_->setText(DisplayText(ContentFilesLabel(ws_.options)));
  SetBusy(false);
  cmdEdit_->setEnabled(selected_ >= 0);
}

std::string FileListWindow::selected_file() const {
  const ListedFile* row = SelectedRow();
  return row != nullptr ? row->text : std::string();
}

const ListedFile* FileListWindow::SelectedRow() const {
  if (selected_ < 0 || static_cast<size_t>(selected_) >= rows_.size()) return nullptr;
  return &rows_[static_cast<size_t>(selected_)];
}

void FileListWindow::SelectRow(int row) {
  if (syncing_ || row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
  selected_ = row;
  if (!busy_) cmdEdit_->setEnabled(true);
  syncing_ = true;
  list_->setCurrentRow(row);
  tree_->setCurrentItem(tree_->topLevelItem(row));
  syncing_ = false;
}

void FileListWindow::ShowAttributes(bool shown) {
  views_->setCurrentWidget(shown ? static_cast<QWidget*>(tree_) : list_);
}

void FileListWindow::SetDisplayMode(Int16 mode) {
  if (busy_) return;
  display_mode_ = mode;
  ListFiles();
}

void FileListWindow::EditSelected() {
  const ListedFile* row = SelectedRow();
  if (row == nullptr) return;
  Launchers(ws_.options, ws_.settings, desktop_, ws_.host).LaunchEditor(row->resolved_path);
}

void FileListWindow::CustomAction(int number) {
  const ListedFile* row = SelectedRow();
  if (row == nullptr) return;
  Launchers(ws_.options, ws_.settings, desktop_, ws_.host)
      .LaunchCustomAction(row->resolved_path, static_cast<Int16>(number));
}

void FileListWindow::ShowPopup(QWidget* view, const QPoint& position) {
  PrepareFilePopup(popup_, ws_.options);
  auto* scroll = qobject_cast<QAbstractScrollArea*>(view);
  popup_->popup((scroll != nullptr ? scroll->viewport() : view)->mapToGlobal(position));
}

}  // namespace tarvelo
