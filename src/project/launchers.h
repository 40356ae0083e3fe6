// Launchers: the user's own programs started on the Project's files (editor, browser,
// image editor, XML editor, three custom applications, six custom actions), opening a
// file with the desktop's default application and exploring a folder. The commands
// are built here; starting them goes through the DesktopServices seam, so the rules
// are tested without starting anything. A command line is split into program and
// arguments by shell quoting rules and started directly: no shell ever sees it, and
// an empty program setting falls back to "xdg-open".
#ifndef TARVELO_PROJECT_LAUNCHERS_H_
#define TARVELO_PROJECT_LAUNCHERS_H_

#include <string>
#include <vector>

#include "common/int16.h"

namespace tarvelo {

class Host;
struct ProgramOptions;
struct ProjectSettings;

/// What the platform does for the launchers. The workbench implements it with
/// QProcess::startDetached and QDesktopServices; tests record the calls.
class DesktopServices {
 public:
  virtual ~DesktopServices() = default;
  /// Starts a program with its arguments, detached, without a shell. False when it
  /// could not be started.
  virtual bool StartDetached(const std::vector<std::string>& program_and_arguments) = 0;
  /// Opens a file or explores a folder with the desktop's association. Returns a
  /// result code: above 32 success; 2 file not found; 27 no (valid) association; 31
  /// no application chosen for the file yet; any other code up to 32 as the desktop
  /// reports it.
  virtual int OpenWithDesktop(const std::string& path, bool explore_folder) = 0;
};

/// Wraps a non-empty path that holds a blank, and neither begins nor ends with a
/// quotation mark, in quotation marks.
std::string QuotePath(const std::string& path);

/// Replaces every "%PROJECT_PATH%" by the Project's custom-project-path (with the
/// default drive when custom-project-path-with-drive is 1); unchanged when it is empty.
std::string ExpandProjectPath(const std::string& text, const ProjectSettings& settings,
                              const ProgramOptions& options);

/// The command lines the launchers start (empty when nothing is to be started). A file
/// goes in with native separators, through QuotePath; a name holding a quotation
/// mark, an apostrophe, a tab or a line feed is quoted with its quotation marks
/// escaped instead, so that splitting the line gives the name back unchanged.
std::string EditorCommand(const ProgramOptions& options, const std::string& file,
                          const std::string& line);
std::string BrowserCommand(const ProgramOptions& options, const std::string& file);
std::string ImageEditorCommand(const ProgramOptions& options, const std::string& file);
std::string XmlEditorCommand(const ProgramOptions& options, const std::string& file);
std::string CustomApplicationCommand(const ProgramOptions& options, const ProjectSettings& settings,
                                     Int16 number);
std::string CustomActionCommand(const ProgramOptions& options, const ProjectSettings& settings,
                                const std::string& file, Int16 number);

/// The launchers. Each raises its TarveloError (10007 editor, 10008 browser, 10017
/// image editor, 10021 XML editor, 10018 custom application, 10016 custom action,
/// 10020 default application) with its exact text when the start fails. The
/// references are kept, so the launchers always see the current options and settings.
class Launchers {
 public:
  Launchers(const ProgramOptions& options, const ProjectSettings& settings,
            DesktopServices& desktop, Host& host);

  void LaunchEditor(const std::string& file, const std::string& line = "");
  void LaunchBrowser(const std::string& file);
  void LaunchImageEditor(const std::string& file);
  void LaunchXMLEditor(const std::string& file);
  void LaunchCustomApplication(Int16 number);
  void LaunchCustomAction(const std::string& file, Int16 number);
  /// Mode 1 opens a file, mode 2 explores a folder (empty: "/", then ExpandProjectPath
  /// and ApplyDefaultDrive); any other mode does nothing. Result codes up to 32 are
  /// shown with ShowWarning ("Error opening file (" ...), except 31: there being no
  /// open-with chooser of the desktop's own, "xdg-open" shows the folder holding the
  /// file (the folder itself when exploring), where the user picks an application.
  void OpenWithDefaultApplication(const std::string& file, Int16 mode);
  /// A message box with the exclamation icon and an OK button.
  void ShowWarning(const std::string& prompt, const std::string& title);

 private:
  const ProgramOptions& options_;
  const ProjectSettings& settings_;
  DesktopServices& desktop_;
  Host& host_;
};

}  // namespace tarvelo

#endif  // TARVELO_PROJECT_LAUNCHERS_H_
