// Shared set-up of the widget tests: a scripted file chooser, a Host wired to the main
// window as the workbench's own is, list texts, screenshots for the docs, and a
// program folder brought up as at start-up with the main window over it.
#ifndef TARVELO_TESTS_SUPPORT_WIDGET_BENCH_H_
#define TARVELO_TESTS_SUPPORT_WIDGET_BENCH_H_

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTest>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "project/startup.h"
#include "project/workspace.h"
#include "support/recording_desktop.h"
#include "support/test_support.h"
#include "ui/file_chooser.h"
#include "ui/frm_main.h"

namespace tarvelo::testing {

/// Answers every file dialog from one queue (an empty queue answers "", as a cancelled
/// dialog does) and records each call as {kind, caption, filter, initial}, the kind
/// being "open", "save" or "folder".
class ScriptedChooser : public FileChooser {
 public:
  QString OpenFileName(QWidget*, const QString& caption, const QString& filter,
                       const QString& initial) override {
    return Answer({QStringLiteral("open"), caption, filter, initial});
  }
  QString SaveFileName(QWidget*, const QString& caption, const QString& filter,
                       const QString& initial) override {
    return Answer({QStringLiteral("save"), caption, filter, initial});
  }
  QString BrowseForFolder(QWidget*, const Workspace&, const QString& path) override {
    return Answer({QStringLiteral("folder"), QString(), QString(), path});
  }
  /// The filter of every call, in order.
  QStringList filters() const {
    QStringList all;
    for (const QStringList& call : calls) all << call[2];
    return all;
  }

  std::deque<QString> answers;
  std::vector<QStringList> calls;

 private:
  QString Answer(const QStringList& call) {
    calls.push_back(call);
    if (answers.empty()) return QString();
    const QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

/// The scripted Host, wired to the window's status list and generation callbacks as
/// WidgetHost is; without a window it is the plain ScriptedHost.
class WindowHost : public ScriptedHost {
 public:
  void AddStatusLine(const std::string& line) override {
    ScriptedHost::AddStatusLine(line);
    if (window == nullptr) return;
    QListWidget* list = window->status_list();
    list->addItem(QString::fromStdString(line));
    if (list->count() > 1) list->setCurrentRow(list->count() - 1);
  }
  void ClearStatusLines() override {
    ScriptedHost::ClearStatusLines();
    if (window != nullptr) window->status_list()->clear();
  }
  void GenerationStarted() override {
    ScriptedHost::GenerationStarted();
    if (window != nullptr) window->StartGenerate();
  }
  void GenerationEnded() override {
    ScriptedHost::GenerationEnded();
    if (window != nullptr) window->EndGenerate();
  }
  frmMain* window = nullptr;
};

/// The texts of a list, top to bottom.
inline QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

/// Shows `window` and saves it as `file` in TARVELO_SCREENSHOT_DIR, when that names a
/// folder.
inline void SaveScreenshot(QWidget& window, const QString& file) {
  const QString folder = qEnvironmentVariable("TARVELO_SCREENSHOT_DIR");
  if (folder.isEmpty()) return;
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QVERIFY(window.grab().save(QDir(folder).filePath(file)));
}

/// A program folder brought up as at start-up (`resources` as the installed ones), a
/// folder for Projects beside it, and, once started, the main window over them.
struct ProgramBench {
  explicit ProgramBench(const std::string& resources = "") : ws(host, home.path()) {
    ok = LoadConfiguration(ws, resources);
  }
  ~ProgramBench() { host.window = nullptr; }

  frmMain& Start(const std::vector<std::string>& arguments = {}) {
    window = std::make_unique<frmMain>(ws, desktop, chooser);
    host.window = window.get();
    loaded = window->Load(arguments);
    return *window;
  }
  /// A menu item of the main window.
  QAction* Item(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }

  TempDir home;
  TempDir site;
  WindowHost host;
  Workspace ws;
  RecordingDesktop desktop;
  ScriptedChooser chooser;
  std::unique_ptr<frmMain> window;
  bool ok = false;
  bool loaded = false;
};

}  // namespace tarvelo::testing

/// The main() of a widget test: offscreen unless a platform is named, and the
/// application carries on when a window closes, since closing one is what tests check.
#define TARVELO_WIDGET_TEST_MAIN(TestClass)                                                      \
  int main(int argc, char** argv) {                                                              \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen"); \
    QApplication app(argc, argv);                                                                \
    QApplication::setQuitOnLastWindowClosed(false);                                              \
    TestClass test;                                                                              \
    return QTest::qExec(&test, argc, argv);                                                      \
  }

#endif  // TARVELO_TESTS_SUPPORT_WIDGET_BENCH_H_
