// frmMain's search commands: the Find, Find in Documents, Replace and Replace Special
// windows, each created afresh and shown modally for the current Folder and Document.
#include "ui/frm_main.h"
#include "ui/frm_replace.h"
#include "ui/frm_replace_special.h"
#include "ui/frm_search.h"

namespace tarvelo {

void frmMain::PrepareAndShowSearch(bool documents) {
  frmSearch window(ws_, desktop_, documents, current_folder_, current_document_, this);
  window.exec();
}

void frmMain::PrepareAndShowSearchReplace() {
  frmReplace window(ws_, desktop_, current_folder_, current_document_, this);
  window.exec();
}

void frmMain::PrepareAndShowReplaceSpecial() {
  frmReplaceSpecial window(ws_, chooser_, this);
  window.exec();
}

}  // namespace tarvelo
