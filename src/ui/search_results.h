// SearchResults: the status list, the results list and the detailed results tree that
// the Find and Replace windows share, with their clicks, double-clicks, pop-up menu
// (Edit and the six custom actions) and drags. It is the windows' SearchReporter: the
// core's runs fill it. Tree nodes are added in batches with updates suspended, so a
// run with a hundred thousand result lines stays responsive.
#ifndef TARVELO_UI_SEARCH_RESULTS_H_
#define TARVELO_UI_SEARCH_RESULTS_H_

#include <QElapsedTimer>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <string>

#include "search/search_reporter.h"

class QLabel;
class QListWidget;
class QMenu;
class QTreeWidgetItem;
class QWidget;

namespace tarvelo {

class ColumnList;
class ColumnTree;
class DesktopServices;
class Launchers;
struct Workspace;

class SearchResults : public QObject, public SearchReporter {
 public:
  /// `menu_name` names the pop-up menu and prefixes its items ("mnuSearch" gives
  /// mnuSearchEdit, mnuSearchCustom1 ...); `plain_label` / `detailed_label` are the
  /// captions of labResults.
  SearchResults(QWidget* window, Workspace& workspace, DesktopServices& desktop,
                const char* menu_name, const QString& plain_label, const QString& detailed_label);
  ~SearchResults() override;
  SearchResults(const SearchResults&) = delete;
  SearchResults& operator=(const SearchResults&) = delete;

  QListWidget* status() const { return lstStatus_; }
  QLabel* label() const { return labResults_; }
  ColumnList* list() const { return lstResults_; }
  ColumnTree* tree() const { return tvDetailedResults_; }

  /// Results are Documents (their icons, and list lines resolved under document-root).
  void set_documents(bool documents) { documents_ = documents; }
  /// Shows the tree (detailed) or the list, with the matching label.
  void ShowDetailed(bool detailed);
  /// Clears what the user picked (before a run).
  void ClearSelection();
  /// Adds the tree nodes still waiting (at the end of a run).
  void Flush();

  // SearchReporter.
  void ClearStatus() override;
  void UpdateStatus(const std::string& status) override;
  void ClearResults() override;
  void UpdateResultsStatus(const std::string& status) override;
  void UpdateDetailedResultsStatus(const std::string& file_without_path,
                                   const std::string& file_with_path, const std::string& text_line,
                                   std::int32_t occurrences, std::int32_t line_number) override;

  const std::string& selected_list_file() const { return selected_list_file_; }
  const std::string& selected_tree_file() const { return selected_tree_file_; }
  const std::string& selected_tree_line() const { return selected_tree_line_; }

 private:
  void ListClicked();
  void TreeClicked();
  void ShowPopup(QWidget* view, const QPoint& position);
  void EditSelected();
  void CustomSelected(int number);
  Launchers MakeLaunchers() const;
  bool TreeShown() const;
  QIcon IconFor(const std::string& file_without_path, const std::string& file_with_path);

  Workspace& ws_;
  DesktopServices& desktop_;
  QString plain_label_;
  QString detailed_label_;
  bool documents_ = false;
  std::string selected_list_file_;
  std::string selected_tree_file_;
  std::string selected_tree_line_;
  QSet<QString> keys_;
  QList<QTreeWidgetItem*> pending_;
  QHash<QString, QIcon> icons_;
  QElapsedTimer flush_clock_;  // since the last nodes were added

  QListWidget* lstStatus_;
  QLabel* labResults_;
  ColumnList* lstResults_;
  ColumnTree* tvDetailedResults_;
  QMenu* menu_;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_SEARCH_RESULTS_H_
