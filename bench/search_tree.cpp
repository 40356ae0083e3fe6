// Times the Find window over a Project whose search yields a hundred thousand result
// lines: the whole run, the longest stretch without event processing (how long a click
// on Stop or a repaint may wait) and a repaint of the filled tree. Offscreen.
// Built with `cmake --build build --target bench_search_tree`; run by bench/search.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/host.h"
#include "project/launchers.h"
#include "project/project_settings.h"
#include "project/workspace.h"
#include "ui/frm_main_views.h"
#include "ui/frm_search.h"
#include "ui/search_results.h"

namespace {

// A Host that lets events run and records the longest gap between two such moments.
class TimingHost : public tarvelo::Host {
 public:
  void AddStatusLine(const std::string&) override {}
  void ClearStatusLines() override {}
  tarvelo::MessageAnswer ShowMessage(const std::string& text, const std::string&,
                                     tarvelo::MessageButtons, tarvelo::MessageIcon) override {
    std::fprintf(stderr, "message: %s\n", text.c_str());
    return tarvelo::MessageAnswer::kOk;
  }
  int AskWithPromptBox(const std::string&, const std::string&, const tarvelo::PromptButtons&,
                       int preset) override {
    return preset;
  }
  void ProcessEvents() override {
    if (clock.isValid()) longest = std::max(longest, clock.nsecsElapsed());
    QCoreApplication::processEvents();
    clock.restart();
  }
  void Pause(int) override {}
  void Beep() override {}
  void GenerationStarted() override {}
  void GenerationEnded() override {}
  QElapsedTimer clock;
  qint64 longest = 0;
};

class NoDesktop : public tarvelo::DesktopServices {
 public:
  bool StartDetached(const std::vector<std::string>&) override { return true; }
  int OpenWithDesktop(const std::string&, bool) override { return 42; }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int files = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int lines = argc > 2 ? std::atoi(argv[2]) : 100;
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("tarvelo-tree-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root / "src");
  std::filesystem::create_directories(root / "temp");
  {
    std::ofstream definition(root / "src/project.txt", std::ios::binary);
    definition << "[Pages]\r\n";
    for (int f = 0; f < files; ++f) {
      definition << "p" << f << ".html,page.tpl,p" << f << ".par\r\n";
      std::ofstream par(root / "src" / ("p" + std::to_string(f) + ".par"), std::ios::binary);
      for (int l = 0; l < lines; ++l) par << "line " << l << " of a needle in a haystack\r\n";
    }
  }

  TimingHost host;
  tarvelo::Workspace ws(host, root.string());
  ws.settings = tarvelo::NewProjectSettings();
  ws.settings.content_root = (root / "src").string() + "/";
  ws.settings.document_root = (root / "out").string() + "/";
  ws.settings.definition_file = "project.txt";
  ws.settings.max_docs = 32767;
  const std::string temp = (root / "temp").string() + "/";
  ws.working = {temp,
                temp + "tarvelo.txt",
                temp + "search.txt",
                temp + "tarvelo",
                temp + "tarvelo.rpl",
                temp + "generate.txt"};
  NoDesktop desktop;
  tarvelo::frmSearch window(ws, desktop, false, -1, -1);
  window.show();
  window.findChild<QLineEdit*>("txtFind")->setText("needle");

  QElapsedTimer total;
  total.start();
  window.findChild<QPushButton*>("cmdSearch")->click();
  const qint64 run = total.nsecsElapsed();
  QElapsedTimer paint;
  paint.start();
  window.grab();
  const qint64 repaint = paint.nsecsElapsed();
  const int nodes = window.results().tree()->topLevelItemCount();
  std::printf(
      "%d files x %d lines: %d tree nodes; run %.2f s; longest without events %.0f ms; "
      "repaint of the filled window %.0f ms\n",
      files, lines, nodes, run / 1e9, host.longest / 1e6, repaint / 1e6);
  std::filesystem::remove_all(root);
  return nodes == files * lines ? 0 : 1;
}
