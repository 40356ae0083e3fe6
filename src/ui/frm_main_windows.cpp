// frmMain's commands that open the secondary windows, each modal, and what the main
// window shows again once they close.
#include "project/startup.h"
#include "project/workspace.h"
#include "ui/frm_content_files.h"
#include "ui/frm_import_options.h"
#include "ui/frm_main.h"
#include "ui/frm_project_browser.h"
#include "ui/frm_templates.h"

namespace tarvelo {

void frmMain::viewContentFiles() {
  frmContentFiles window(ws_, desktop_, this);
  window.exec();
}

void frmMain::viewTemplates() {
  frmTemplates window(ws_, desktop_, this);
  window.exec();
}

// The browser may have reordered the history: the settings are read again and the
// Projects list refilled, keeping the selection of the columns.
void frmMain::showProjectBrowser() {
  {
    frmProjectBrowser window(ws_, desktop_, this);
    window.exec();
  }
  ReadProjectSettings(ws_, "");
  RememberSelection();
  RefreshProjects(false);
}

void frmMain::importOptions() {
  {
    frmImportOptions window(ws_, chooser_, this);
    window.exec();
  }
  SetProgramChoices();
  LoadDisplayOptions();
  RefreshProjects(true);
}

}  // namespace tarvelo
