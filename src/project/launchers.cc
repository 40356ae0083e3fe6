// Building and starting the launchers' command lines, and opening files and folders
// with the desktop's association. Every command line is split here and handed over as
// program and arguments, so placeholders and file names can never reach a shell.
#include "project/launchers.h"

#include <exception>

#include "common/error.h"
#include "common/host.h"
#include "common/paths.h"
#include "common/shell_words.h"
#include "common/text.h"
#include "project/program_options.h"
#include "project/project_settings.h"

namespace tarvelo {
namespace {

/// What an empty editor, browser, image editor or XML editor setting starts.
constexpr const char* kFallbackProgram = "xdg-open";

/// How one launcher words its failure: prefix, the command line, suffix.
struct LaunchError {
  int number;
  const char* prefix;
  const char* suffix;
};

constexpr LaunchError kEditorError = {
    kErrLaunchEditor, "Error launching editor (",
    "). Please check the editor path in the Tools->Options screen."};
constexpr LaunchError kBrowserError = {
    kErrLaunchBrowser, "Error launching browser (",
    "). Please check the browser path in the Tools->Options screen."};
constexpr LaunchError kImageEditorError = {
    kErrLaunchImageEditor, "Error launching image editor (",
    "). Please check the Image Editor path in the Tools->Options screen."};
constexpr LaunchError kXmlEditorError = {
    kErrLaunchXmlEditor, "Error launching XML editor (",
    "). Please check the XML Editor path in the Tools->Options screen."};
constexpr LaunchError kCustomApplicationError = {
    kErrLaunchCustomApplication, "Error launching custom application (",
    "). Please check the Custom Application editor path in the Tools->Options screen."};
constexpr LaunchError kCustomActionError = {
    kErrLaunchCustomAction, "Error launching custom action (",
    "). Please check the custom action in the Tools->Options screen."};

bool StartsOrEndsWithQuote(const std::string& text) {
  return !text.empty() && (text.front() == '"' || text.back() == '"');
}

/// The file as it is written into a command line. Normally QuotePath's form; but an
/// apostrophe or quotation mark would open a quotation when the line is split, and a
/// tab or line feed would cut the name, so such a name is quoted with its quotation
/// marks escaped. A name the caller quoted already is the caller's own fragment.
std::string FileInCommand(const std::string& file) {
  const std::string native = ToNativeSeparators(file);
  if (StartsOrEndsWithQuote(native) || native.find_first_of("\"'\t\n") == std::string::npos) {
    return QuotePath(native);
  }
  std::string quoted = native;
  ReplaceAll(quoted, "\"", "\\\"");
  return "\"" + quoted + "\"";
}

/// The path as the desktop gets it: native separators and no enclosing quotation
/// marks, which belong to command lines only.
std::string DesktopPath(const std::string& name) {
  std::string path = ToNativeSeparators(name);
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
    path = path.substr(1, path.size() - 2);
  }
  return path;
}

std::string ProgramOr(const std::string& program, const std::string& fallback) {
  return program.empty() ? fallback : program;
}

/// Program alone, or program, a blank and the file.
std::string ProgramWithFile(const std::string& program, const std::string& file) {
  return file.empty() ? program : program + " " + FileInCommand(file);
}

/// Splits and starts a command line; any failure becomes the launcher's error.
void StartCommand(DesktopServices& desktop, const std::string& command, const LaunchError& error) {
  bool started = false;
  try {
    const std::vector<std::string> program_and_arguments = SplitCommandLine(command);
    started = !program_and_arguments.empty() && desktop.StartDetached(program_and_arguments);
  } catch (const std::exception&) {
    started = false;
  }
  if (!started) throw TarveloError(error.number, error.prefix + command + error.suffix);
}

std::string DefaultApplicationReason(int code) {
  switch (code) {
    case 2:
      return "File not found.";
    case 3:
      return "Path not found.";
    case 5:
      return "Access denied.";
    case 8:
      return "Out of memory.";
    case 11:
      return "Invalid EXE file or error in EXE image.";
    case 26:
      return "A sharing violation occurred.";
    case 27:
      return "Incomplete or invalid file association.";
    case 28:
      return "DDE Time out.";
    case 29:
      return "DDE transaction failed.";
    case 30:
      return "DDE busy.";
    case 32:
      return "DLL not found.";
    default:
      return "Unknown error.";
  }
}

}  // namespace

std::string QuotePath(const std::string& path) {
  if (path.empty() || path.find(' ') == std::string::npos || StartsOrEndsWithQuote(path)) {
    return path;
  }
  return "\"" + path + "\"";
}

std::string ExpandProjectPath(const std::string& text, const ProjectSettings& settings,
                              const ProgramOptions& options) {
  if (settings.custom_project_path.empty()) return text;
  const std::string path = settings.custom_project_path_with_drive == 1
                               ? ApplyDefaultDrive(settings.custom_project_path, options)
                               : settings.custom_project_path;
  std::string result = text;
  ReplaceAll(result, "%PROJECT_PATH%", path);
  return result;
}

std::string EditorCommand(const ProgramOptions& options, const std::string& file,
                          const std::string& line) {
  const std::string program = ProgramOr(options.editor, kFallbackProgram);
  // The options carry the line number; without one they would only confuse the editor.
  if (file.empty() || options.editor_options.empty() || line.empty()) {
    return ProgramWithFile(program, file);
  }
  const std::string quoted = FileInCommand(file);
  std::string arguments = options.editor_options;
  ReplaceAll(arguments, "%LINE%", line);
  if (arguments.find("%FILE%") != std::string::npos) {
    ReplaceAll(arguments, "%FILE%", quoted);
    return program + " " + arguments;
  }
  if (options.editor_options_add_space == 1) return program + " " + quoted + " " + arguments;
  return program + " " + quoted + arguments;
}

std::string BrowserCommand(const ProgramOptions& options, const std::string& file) {
  return ProgramWithFile(ProgramOr(options.browser, kFallbackProgram), file);
}

std::string ImageEditorCommand(const ProgramOptions& options, const std::string& file) {
  return ProgramWithFile(ProgramOr(options.image_editor, kFallbackProgram), file);
}

std::string XmlEditorCommand(const ProgramOptions& options, const std::string& file) {
  const std::string program =
      ProgramOr(options.xml_editor, ProgramOr(options.editor, kFallbackProgram));
  return ProgramWithFile(program, file);
}

std::string CustomApplicationCommand(const ProgramOptions& options, const ProjectSettings& settings,
                                     Int16 number) {
  const std::string& command = number == 1   ? options.custom_application
                               : number == 2 ? options.custom_application2
                                             : options.custom_application3;
  return ExpandProjectPath(command, settings, options);
}

std::string CustomActionCommand(const ProgramOptions& options, const ProjectSettings& settings,
                                const std::string& file, Int16 number) {
  const std::string command_template =
      number >= 1 && number <= 6 ? options.custom_commands[number - 1].command : "";
  if (command_template.empty() || file.empty()) return "";
  const std::string quoted = FileInCommand(file);
  std::string command = command_template;
  if (command.find("%FILE%") != std::string::npos) {
    ReplaceAll(command, "%FILE%", quoted);
  } else {
    command += " " + quoted;
  }
  return ExpandProjectPath(command, settings, options);
}

Launchers::Launchers(const ProgramOptions& options, const ProjectSettings& settings,
                     DesktopServices& desktop, Host& host)
    : options_(options), settings_(settings), desktop_(desktop), host_(host) {}

void Launchers::LaunchEditor(const std::string& file, const std::string& line) {
  StartCommand(desktop_, EditorCommand(options_, file, line), kEditorError);
}

void Launchers::LaunchBrowser(const std::string& file) {
  StartCommand(desktop_, BrowserCommand(options_, file), kBrowserError);
}

void Launchers::LaunchImageEditor(const std::string& file) {
  StartCommand(desktop_, ImageEditorCommand(options_, file), kImageEditorError);
}

void Launchers::LaunchXMLEditor(const std::string& file) {
  StartCommand(desktop_, XmlEditorCommand(options_, file), kXmlEditorError);
}

void Launchers::LaunchCustomApplication(Int16 number) {
  const std::string command = CustomApplicationCommand(options_, settings_, number);
  if (!command.empty()) StartCommand(desktop_, command, kCustomApplicationError);
}

void Launchers::LaunchCustomAction(const std::string& file, Int16 number) {
  const std::string command = CustomActionCommand(options_, settings_, file, number);
  if (!command.empty()) StartCommand(desktop_, command, kCustomActionError);
}

void Launchers::OpenWithDefaultApplication(const std::string& file, Int16 mode) {
  // The messages name the path as the desktop got it.
  std::string path = DesktopPath(file);
  const std::string failure = "Error launching default application for ";
  try {
    int code = 100;
    std::string chooser_folder;
    if (mode == 1) {
      if (!path.empty()) {
        code = desktop_.OpenWithDesktop(path, false);
        chooser_folder = FolderOfPath(path);
        if (chooser_folder.empty()) chooser_folder = ".";
      }
    } else if (mode == 2) {
      // "/" alone is too short to take the default drive: it stays the native root.
      path = DesktopPath(ApplyDefaultDrive(
          ExpandProjectPath(file.empty() ? "/" : file, settings_, options_), options_));
      code = desktop_.OpenWithDesktop(path, true);
      chooser_folder = path;
    }
    if (code > 32) return;
    if (code == 31) {
      if (!desktop_.StartDetached({kFallbackProgram, chooser_folder})) {
        throw TarveloError(kErrDefaultApplication, failure + path + ".");
      }
      return;
    }
    ShowWarning("Error opening file (" + path + ") with default application. " +
                    DefaultApplicationReason(code),
                "Error");
  } catch (const std::exception&) {
    throw TarveloError(kErrDefaultApplication, failure + path + ".");
  }
}

void Launchers::ShowWarning(const std::string& prompt, const std::string& title) {
  host_.ShowMessage(prompt, title, MessageButtons::kOk, MessageIcon::kExclamation);
}

}  // namespace tarvelo
