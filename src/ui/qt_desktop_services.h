// QtDesktopServices: starting programs with QProcess::startDetached (never through a
// shell) and opening files and folders with QDesktopServices.
#ifndef TARVELO_UI_QT_DESKTOP_SERVICES_H_
#define TARVELO_UI_QT_DESKTOP_SERVICES_H_

#include "project/launchers.h"

namespace tarvelo {

class QtDesktopServices : public DesktopServices {
 public:
  bool StartDetached(const std::vector<std::string>& program_and_arguments) override;
  int OpenWithDesktop(const std::string& path, bool explore_folder) override;
};

}  // namespace tarvelo

#endif  // TARVELO_UI_QT_DESKTOP_SERVICES_H_
