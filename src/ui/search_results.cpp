// The results pane of the Find and Replace windows.
#include "ui/search_results.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QWidget>
#include <algorithm>

#include "common/error.h"
#include "common/error_report.h"
#include "project/launchers.h"
#include "project/workspace.h"
#include "search/find_run.h"
#include "ui/frm_main_views.h"
#include "ui/icons.h"
#include "ui/widget_host.h"
#include "views/project_view.h"

namespace tarvelo {
namespace {

constexpr int kKeyRole = Qt::UserRole + 1;
// Nodes wait until there are a few hundred and a fifth of a second has passed: each
// addition makes the tree lay out all its rows again, so a run with a hundred
// thousand result lines adds them in a few dozen steps.
constexpr int kBatch = 512;
constexpr qint64 kBatchMilliseconds = 200;

}  // namespace

SearchResults::SearchResults(QWidget* window, Workspace& workspace, DesktopServices& desktop,
                             const char* menu_name, const QString& plain_label,
                             const QString& detailed_label)
    : QObject(window),
      ws_(workspace),
      desktop_(desktop),
      plain_label_(plain_label),
      detailed_label_(detailed_label),
      lstStatus_(new QListWidget(window)),
      labResults_(new QLabel(detailed_label, window)),
      lstResults_(new ColumnList(window)),
      tvDetailedResults_(new ColumnTree(window)),
      menu_(new QMenu(window)) {
  lstStatus_->setObjectName(QStringLiteral("lstStatus"));
  labResults_->setObjectName(QStringLiteral("labResults"));
  lstResults_->setObjectName(QStringLiteral("lstResults"));
  tvDetailedResults_->setObjectName(QStringLiteral("tvDetailedResults"));
  tvDetailedResults_->setUniformRowHeights(true);
  lstResults_->setUniformItemSizes(true);
  lstStatus_->setUniformItemSizes(true);  // long runs add thousands of lines
  lstResults_->hide();

  const QString prefix = QLatin1String(menu_name);
  menu_->setObjectName(prefix);
  QAction* edit = menu_->addAction(tr("&Edit"));
  edit->setObjectName(prefix + QStringLiteral("Edit"));
  connect(edit, &QAction::triggered, this, [this] { EditSelected(); });
  menu_->addSeparator()->setObjectName(prefix + QStringLiteral("CustomSeparator"));
  for (int n = 1; n <= 6; ++n) {
    QAction* custom = menu_->addAction(QString());
    custom->setObjectName(prefix + QStringLiteral("Custom%1").arg(n));
    connect(custom, &QAction::triggered, this, [this, n] { CustomSelected(n); });
  }

  connect(lstResults_, &QListWidget::itemClicked, this, [this] { ListClicked(); });
  connect(tvDetailedResults_, &QTreeWidget::itemClicked, this, [this] { TreeClicked(); });
  // Double-clicks open the editor; their failures are not reported.
  connect(lstResults_, &QListWidget::itemDoubleClicked, this, [this] {
    ListClicked();
    if (selected_list_file_.empty()) return;
    try {
      MakeLaunchers().LaunchEditor(selected_list_file_);
    } catch (const TarveloError&) {
    }
  });
  connect(tvDetailedResults_, &QTreeWidget::itemDoubleClicked, this, [this] {
    TreeClicked();
    if (selected_tree_file_.empty()) return;
    try {
      MakeLaunchers().LaunchEditor(selected_tree_file_, selected_tree_line_);
    } catch (const TarveloError&) {
    }
  });
  connect(lstStatus_, &QListWidget::itemDoubleClicked, this, [this] {
    try {
      MakeLaunchers().LaunchEditor(ws_.working.search_file);
    } catch (const TarveloError&) {
    }
  });
  for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(lstResults_),
                                  static_cast<QAbstractItemView*>(tvDetailedResults_)}) {
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& position) { ShowPopup(view, position); });
  }
  lstResults_->hooks.drag_file = [this] { return PathText(selected_list_file_); };
  tvDetailedResults_->hooks.drag_file = [this] { return PathText(selected_tree_file_); };
}

SearchResults::~SearchResults() {
  qDeleteAll(pending_);  // nodes not yet handed to the tree
}

Launchers SearchResults::MakeLaunchers() const {
  return Launchers(ws_.options, ws_.settings, desktop_, ws_.host);
}

bool SearchResults::TreeShown() const {
  return !tvDetailedResults_->isHidden();
}

void SearchResults::ShowDetailed(bool detailed) {
  tvDetailedResults_->setVisible(detailed);
  lstResults_->setVisible(!detailed);
  labResults_->setText(detailed ? detailed_label_ : plain_label_);
}

void SearchResults::ClearSelection() {
  selected_list_file_.clear();
  selected_tree_file_.clear();
  selected_tree_line_.clear();
}

// A path may itself hold " (" or "!": the count and the line number never do, so the
// text is split at their last occurrence.
void SearchResults::ListClicked() {
  const QListWidgetItem* item = lstResults_->currentItem();
  if (item == nullptr) return;
  const std::string text = item->data(Qt::UserRole).toString().toStdString();
  const size_t cut = text.rfind(" (");
  selected_list_file_ =
      ResolveSearchPath(ws_, cut == std::string::npos ? text : text.substr(0, cut), documents_);
}

void SearchResults::TreeClicked() {
  const QTreeWidgetItem* node = tvDetailedResults_->currentItem();
  if (node == nullptr) return;
  const std::string key = node->data(0, kKeyRole).toString().toStdString();
  const size_t cut = key.rfind('!');
  selected_tree_file_ = key.substr(0, cut);
  selected_tree_line_ = cut == std::string::npos ? std::string() : key.substr(cut + 1);
}

void SearchResults::ShowPopup(QWidget* view, const QPoint& position) {
  const QString prefix = menu_->objectName();
  bool any = false;
  for (int n = 1; n <= 6; ++n) {
    QAction* action = menu_->findChild<QAction*>(prefix + QStringLiteral("Custom%1").arg(n));
    const bool shown = CustomActionShown(ws_.options, n);
    action->setVisible(shown);
    if (shown) {
      action->setText(DisplayText(ws_.options.custom_commands[static_cast<size_t>(n - 1)].caption));
    }
    any = any || shown;
  }
  menu_->findChild<QAction*>(prefix + QStringLiteral("CustomSeparator"))->setVisible(any);
  auto* scroll = qobject_cast<QAbstractScrollArea*>(view);
  menu_->popup((scroll != nullptr ? scroll->viewport() : view)->mapToGlobal(position));
}

void SearchResults::EditSelected() {
  try {
    if (TreeShown()) {
      if (!selected_tree_file_.empty()) {
        MakeLaunchers().LaunchEditor(selected_tree_file_, selected_tree_line_);
      }
    } else if (!selected_list_file_.empty()) {
      MakeLaunchers().LaunchEditor(selected_list_file_);
    }
  } catch (const TarveloError& error) {
    ShowErrorReport(ws_.host, error);
  }
}

void SearchResults::CustomSelected(int number) {
  const std::string& file = TreeShown() ? selected_tree_file_ : selected_list_file_;
  if (file.empty()) return;
  try {
    MakeLaunchers().LaunchCustomAction(file, static_cast<Int16>(number));
  } catch (const TarveloError& error) {
    ShowErrorReport(ws_.host, error);
  }
}

void SearchResults::ClearStatus() {
  lstStatus_->clear();
}

void SearchResults::UpdateStatus(const std::string& status) {
  lstStatus_->addItem(DisplayText(status));
  if (lstStatus_->count() > 1) lstStatus_->setCurrentRow(lstStatus_->count() - 1);
}

void SearchResults::ClearResults() {
  lstResults_->clear();
  qDeleteAll(pending_);
  pending_.clear();
  keys_.clear();
  icons_.clear();
  flush_clock_.invalidate();
  tvDetailedResults_->setUpdatesEnabled(false);
  tvDetailedResults_->clear();
  tvDetailedResults_->setUpdatesEnabled(true);
}

void SearchResults::UpdateResultsStatus(const std::string& status) {
  auto* item = new QListWidgetItem(DisplayText(status));
  item->setData(Qt::UserRole, QString::fromStdString(status));
  lstResults_->addItem(item);
  if (lstResults_->count() > 1) lstResults_->setCurrentRow(lstResults_->count() - 1);
}

QIcon SearchResults::IconFor(const std::string& file_without_path,
                             const std::string& file_with_path) {
  const QString key = QString::fromStdString(file_with_path);
  const auto found = icons_.constFind(key);
  if (found != icons_.constEnd()) return *found;
  const FileState state = ProjectView(ws_).StateOf(file_without_path, documents_);
  const QIcon icon = StateIcon(documents_ ? FileRole::kDocument : FileRole::kContentFile, state);
  icons_.insert(key, icon);
  return icon;
}

void SearchResults::UpdateDetailedResultsStatus(const std::string& file_without_path,
                                                const std::string& file_with_path,
                                                const std::string& text_line,
                                                std::int32_t occurrences,
                                                std::int32_t line_number) {
  const QString key = QString::fromStdString(file_with_path + "!" + std::to_string(line_number));
  if (keys_.contains(key)) return;  // a duplicate node is dropped silently
  keys_.insert(key);
  auto* node = new QTreeWidgetItem;
  node->setText(
      0, DisplayText(file_with_path + " (" + std::to_string(occurrences) + ") - " + text_line));
  node->setData(0, kKeyRole, key);
  node->setIcon(0, IconFor(file_without_path, file_with_path));
  pending_.append(node);
  if (pending_.size() >= kBatch &&
      (!flush_clock_.isValid() || flush_clock_.elapsed() >= kBatchMilliseconds)) {
    Flush();
  }
}

void SearchResults::Flush() {
  if (pending_.isEmpty()) return;
  tvDetailedResults_->setUpdatesEnabled(false);
  tvDetailedResults_->addTopLevelItems(pending_);
  pending_.clear();
  const int count = tvDetailedResults_->topLevelItemCount();
  if (count > 1) {
    const QSignalBlocker quiet(tvDetailedResults_);  // selecting is not the user's pick
    tvDetailedResults_->setCurrentItem(tvDetailedResults_->topLevelItem(count - 1));
  }
  tvDetailedResults_->setUpdatesEnabled(true);
  flush_clock_.start();
}

}  // namespace tarvelo
