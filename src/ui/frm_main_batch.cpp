// frmMain's command-line batch mode: Timer2 fires once, a second after start-up, so
// the window is on screen before the run; it opens the Project named on the command
// line, generates it, starts the follow-up command and, in mode 2, closes the program.
#include <QTimer>

#include "common/error.h"
#include "common/error_report.h"
#include "common/shell_words.h"
#include "generation/batch_run.h"
#include "project/launchers.h"
#include "project/workspace.h"
#include "ui/frm_main.h"

namespace tarvelo {

bool frmMain::ArmBatchRun() {
  if (command_line_.project.empty() || !command_line_.run) return false;
  Timer2_->setInterval(1000);
  Timer2_->start();
  return true;
}

void frmMain::Timer2_Timer() {
  Timer2_->stop();
  const CommandLineOptions& options = command_line_;
  if (options.project.empty() || !options.run) return;

  const BatchOpenResult opened = OpenBatchProject(ws_, options);
  if (opened != BatchOpenResult::kOpened) {
    // The box has been shown; the program stays open, in view.
    exit_status_ = kBatchNotStarted;
    if (options.window == 1) showNormal();
    return;
  }
  reset_selection_ = true;
  // The run reports a definition it cannot read; the display before it stays quiet.
  quiet_definition_errors_ = true;
  RefreshProjects(true);
  quiet_definition_errors_ = false;
  reset_selection_ = false;
  const RunResult result = GenerateBatchProject(ws_, options, clock_);
  exit_status_ = BatchExitStatus(result);

  try {
    StartBatchCommand();
  } catch (const TarveloError& error) {
    ShowErrorReport(
        ws_.host,
        TarveloError(error.number,
                     "Error processing command line options. (" + error.description + ")." + "\r" +
                         "Please verify that the command line settings are correct.",
                     error.source));
    return;
  }
  // A stop asked for during the run keeps the program open, even in mode 2.
  if (options.close_after_run && result.outcome != RunOutcome::kStopped && !ws_.stop_requested) {
    ws_.host.Pause(200);
    CloseProgram();
  }
}

void frmMain::StartBatchCommand() {
  if (command_line_.command.empty()) return;
  const std::vector<std::string> words = SplitCommandLine(command_line_.command);
  if (words.empty()) return;
  if (!desktop_.StartDetached(words)) throw FileError(kFileNotFound, words.front());
}

}  // namespace tarvelo
