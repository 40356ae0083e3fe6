// The close rules and placement of the Find and Replace windows.
#include "ui/search_dialog.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <utility>

#include "common/host.h"
#include "ui/window_support.h"

namespace tarvelo {

SearchDialog::SearchDialog(Host& host, std::string busy_text, std::string busy_caption,
                           QWidget* parent)
    : QDialog(parent),
      host_(host),
      busy_text_(std::move(busy_text)),
      busy_caption_(std::move(busy_caption)) {}

void SearchDialog::closeEvent(QCloseEvent* event) {
  if (busy_) {
    host_.ShowMessage(busy_text_, busy_caption_, MessageButtons::kOk, MessageIcon::kExclamation);
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void SearchDialog::reject() {
  if (!busy_) QDialog::reject();
}

void SearchDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterInWorkArea(this);
}

}  // namespace tarvelo
