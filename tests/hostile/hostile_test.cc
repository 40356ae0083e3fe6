// The hostile-input corpus: the real tarvelo-cli on Projects made of binary files, huge
// lines, loops, clashing tags, outputs aimed at sources and at the program's own files,
// unreadable files and out-of-range settings. Each case names its exit status and what
// the program must say, and nothing outside the output folder may change: every byte and
// mode below the case's folder is compared before and after the run, except the output
// folder, the run's log, its list of generated files and its pass files (and what a case
// names). Big inputs are made here, at test time.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "hostile/hostile_site.h"

namespace tarvelo::testing {
namespace {

namespace fs = std::filesystem;

enum class Stream { kOut, kErr, kLog };

struct Said {
  Stream where;
  std::string text;  // "{root}" stands for the case's folder
};

struct HostileCase {
  std::string name;
  std::function<void(HostileSite&)> setup;
  int status;
  std::vector<Said> said;
  std::vector<std::string> arguments = {};
  std::vector<std::string> may_change = {};  // below root, besides the usual
  bool other_user = false;                   // needs permission bits obeyed
};

const std::string kMb10(10 << 20, 'x');

std::string Binary() {
  std::string bytes;
  for (int round = 0; round < 4; ++round) {
    for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
  }
  return bytes;
}

std::string Nul(const std::string& before, const std::string& after) {
  return before + std::string(1, '\0') + after;
}

std::string Folders(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "[F" + std::to_string(i) + "]\r\n";
  return text + "index.html,page.tpl,page.par\r\n";
}

std::string Definition(const std::string& document_line) {
  return "[Main]\r\n" + document_line + "\r\n";
}

std::string CrOnly(std::string text) {
  for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at + 1, 1);
  return text;
}

Said Out(const std::string& text) {
  return {Stream::kOut, text};
}
Said Err(const std::string& text) {
  return {Stream::kErr, text};
}
Said Log(const std::string& text) {
  return {Stream::kLog, text};
}

// What many cases say.
const Said kGenerated = Out("Generated 1 of 1 document");
const Said kCompleted = Out("Completed Project:\tHostile");
const Said kHalted = Out("Error in Project: \tHostile");
const Said kNestedTooDeep = Log("ERROR: Maximum number of nested Macros was exceeded.");
const Said kNotAProjectFile = Err("The file {root}/site.web is not a valid Project file.");
const Said kOptionsNotRecognised = Err(
    "Initialization File Version Mismatch: Tarvelo does not recognize your initialization file.");
const Said kHistoryNotRecognised =
    Err("Project History File Error: Tarvelo does not recognize your Project History File.");
const std::string kIsSource = " is a source file of this Project and was not overwritten.";
const std::string kIsOwnFile = " is one of Tarvelo's own files and was not overwritten.";

void Chmod(const HostileSite& site, const std::string& relative, unsigned mode) {
  ::chmod(site.Path(relative).c_str(), mode);
}

// A run may change the output folder, the log, the generated-files list and pass files.
bool ExpectedToChange(const std::string& relative, const std::vector<std::string>& extra) {
  const auto below = [&](const std::string& folder) {
    return relative == folder || relative.rfind(folder + "/", 0) == 0;
  };
  if (below("out") || relative == "home/temp/tarvelo.txt" || relative == "home/temp/generate.txt") {
    return true;
  }
  const std::string pass = "home/temp/tarvelo.";
  if (relative.rfind(pass, 0) == 0 && relative.size() > pass.size() &&
      relative.find_first_not_of("0123456789", pass.size()) == std::string::npos) {
    return true;
  }
  for (const std::string& path : extra) {
    if (below(path)) return true;
  }
  return false;
}

std::string Substituted(std::string text, const std::string& root) {
  for (size_t at; (at = text.find("{root}")) != std::string::npos;) text.replace(at, 6, root);
  return text;
}

// Output for a failure message, each line cut short (some cases print 10 MB names).
std::string Shortened(const std::string& text) {
  std::string shown;
  for (const std::string& line : Lines(text.substr(0, 1 << 20))) {
    shown += (line.size() > 300 ? line.substr(0, 300) + "..." : line) + "\n";
  }
  return shown;
}

void PrintTo(const HostileCase& c, std::ostream* out) {
  *out << c.name;
}

const std::vector<HostileCase>& Cases() {
  // One case a line or a few; the table reads better unwrapped.
  // clang-format off
  static const std::vector<HostileCase> cases = {
      // Binary files and NUL bytes in every input.
      {"NulInTemplate", [](auto& s) { s.Write("src/page.tpl", Nul("<p>[@TITLE]", "</p>\r\n")); }, 0, {kGenerated}},
      {"BinaryTemplate", [](auto& s) { s.Write("src/page.tpl", Binary()); }, 0, {kGenerated}},
      {"NulInContentFile", [](auto& s) { s.Write("src/page.par", Nul("[@TITLE]:\r\nHel", "lo\r\n[@]\r\n")); }, 0, {kGenerated}},
      {"BinaryContentFile", [](auto& s) { s.Write("src/page.par", Binary()); }, 0,
       {Log("WARNING: No Macro definitions found in file: {root}/src/page.par")}},
      {"NulInDefinition", [](auto& s) { s.Write("src/project.txt", Definition(Nul("index.html", ",page.tpl,page.par"))); }, 2,
       {kHalted, Log("The Project Definition file {root}/src/project.txt is not a text file (it holds null bytes).")}},
      {"NulOutputOntoTemplate", [](auto& s) { s.Write("src/project.txt", Definition(Nul("../src/page.tpl", "x,page.tpl,page.par"))); }, 2,
       {Log("The Project Definition file {root}/src/project.txt is not a text file (it holds null bytes).")}},
      {"BinaryDefinition", [](auto& s) { s.Write("src/project.txt", Binary()); }, 2,
       {kHalted, Log("The Project Definition file {root}/src/project.txt is not a text file (it holds null bytes).")}},
      {"NulInProjectFile", [](auto& s) { s.Setting("name", Nul("Hos", "tile")); }, 0,
       {kGenerated, Log(Nul("Completed Project:\tHos", "tile"))}},
      {"BinaryProjectFile", [](auto& s) { s.Write("site.web", Binary()); }, 2, {kNotAProjectFile}},
      {"NulInProgramOptions", [](auto& s) { s.Option("create-subdirectories", Nul("1", "")); }, 1,
       {kCompleted, Err("Error reading Program Data file {root}/home/tarvelo.ini. Type mismatch.")}},
      {"BinaryProgramOptions", [](auto& s) { s.Write("home/tarvelo.ini", Binary()); }, 2, {kOptionsNotRecognised}},
      {"NulInHistory", [](auto& s) { s.Write("home/projects.ini", Nul("5|" + s.Path("site.web"), "|2\r\n")); }, 0,
       {kGenerated}, {}, {"home/projects.ini"}},
      {"BinaryHistory", [](auto& s) { s.Write("home/projects.ini", Binary()); }, 2, {kHistoryNotRecognised}},
      {"BinaryGlobals", [](auto& s) {
         s.Write("src/project.txt", "Globals=globals.par\r\n" + Definition("index.html,page.tpl,page.par"));
         s.Write("src/globals.par", Binary()); }, 0,
       {kGenerated, Log("WARNING: No Macro definitions found in file: {root}/src/globals.par")}},
      {"BinaryFolderGlobals", [](auto& s) {
         s.Write("src/project.txt", "[Main]\r\nGlobals=folder.par\r\nindex.html,page.tpl,page.par\r\n");
         s.Write("src/folder.par", Binary()); }, 0,
       {kGenerated, Log("WARNING: No Macro definitions found in file: {root}/src/folder.par")}},
      {"BinaryProjectMacroFile", [](auto& s) {
         s.Setting("project-macro-file", "macros.par");
         s.Write("src/macros.par", Binary()); }, 0,
       {kGenerated, Log("WARNING: No Macro definitions found in file: {root}/src/macros.par")}},
      {"BinaryDocumentRootArgument", [](auto&) {}, 2,
       {kHalted, Log("Subdirectory does not exist.")}, {"/document-root={root}/\xff\xfe\x01/"}},
      {"DeviceAsTemplate", [](auto& s) { s.Write("src/project.txt", Definition("index.html,/dev/zero,page.par")); }, 2,
       {kHalted, Log("ERROR: Path/File access error (/dev/zero)")}},
      {"FifoAsContentFile", [](auto& s) {
         fs::remove(s.Path("src/page.par"));
         ::mkfifo(s.Path("src/page.par").c_str(), 0644); }, 2,
       {kHalted, Log("Path/File access error ({root}/src/page.par)")}},
      {"OutputIsAFifo", [](auto& s) {
         s.Write("src/page.par", "[@TITLE]:\r\nChanged\r\n[@]\r\n");
         fs::remove(s.Path("out/index.html"));
         ::mkfifo(s.Path("out/index.html").c_str(), 0644); }, 0, {kGenerated}},
      {"GeneratedFilesListIsAFifo", [](auto& s) {
         ::mkfifo(s.Path("list.fifo").c_str(), 0644);
         s.Setting("generated-files-log-file", s.Path("list.fifo")); }, 1,
       {kCompleted, Out("ERROR: The list of generated files could not be written.")}},
      // Lines of 10 MB.
      {"HugeTemplateLine", [](auto& s) { s.Write("src/page.tpl", kMb10 + "[@TITLE]\r\n"); }, 0, {kGenerated}},
      {"HugeMacroValue", [](auto& s) { s.Write("src/page.par", "[@TITLE]:\r\n" + kMb10 + "\r\n[@]\r\n"); }, 0, {kGenerated}},
      {"HugeLineWithoutLineEnd", [](auto& s) { s.Write("src/page.par", "[@TITLE]:\r\n" + kMb10); }, 0,
       {kGenerated, Log("WARNING: Possible error in Macro definition. Could not find end of Macro: [@TITLE] in file: {root}/src/page.par")}},
      {"HugeDocumentName", [](auto& s) { s.Write("src/project.txt", Definition(kMb10 + ".html,page.tpl,page.par")); }, 2,
       {kHalted, Log("ERROR: Bad file name or number ({root}/out/xxxxxxxx")}},
      {"HugeContentFileList", [](auto& s) {
         std::string list = "index.html,page.tpl";
         while (list.size() < (10u << 20)) list += ",page.par";
         s.Write("src/project.txt", Definition(list)); }, 2,
       {kHalted, Log("You have exceeded the maximum number of Content Files for the Document \"{root}/out/index.html\".")}},
      {"HugeProjectName", [](auto& s) { s.Setting("name", kMb10); }, 0, {kGenerated, Log("Completed Project:\t" + kMb10)}},
      {"HugeOptionsLine", [](auto& s) { s.Option("editor", kMb10); }, 0, {kGenerated}},
      {"HugeHistoryLine", [](auto& s) {
         s.Write("home/projects.ini", "5|" + kMb10 + "|1\r\n5|" + s.Path("site.web") + "|2\r\n"); }, 0,
       {kGenerated}, {}, {"home/projects.ini"}},
      // 40,000 Folders.
      {"FortyThousandFolders", [](auto& s) { s.Write("src/project.txt", Folders(40000)); }, 2,
       {kHalted, Log("You have exceeded the maximum number of Folders defined for this Project.")}},
      {"FortyThousandFoldersAtTheLargestLimit", [](auto& s) {
         s.Setting("max-folders", "32767");
         s.Write("src/project.txt", Folders(40000)); }, 2,
       {kHalted, Log("You have exceeded the maximum number of Folders defined for this Project.")}},
      {"FortyThousandDocumentsInAFolder", [](auto& s) {
         s.Setting("max-docs", "32767");
         std::string text = "[Main]\r\n";
         for (int i = 0; i < 40000; ++i) text += "p" + std::to_string(i) + ".html,page.tpl,page.par\r\n";
         s.Write("src/project.txt", text); }, 2,
       {kHalted, Log("You have exceeded the maximum number of Documents for the Folder \"Main\".")}},
      // Macros that refer to themselves.
      {"SelfReferencingMacro", [](auto& s) { s.Write("src/page.par", "[@TITLE]:\r\n<[@TITLE]>\r\n[@]\r\n"); }, 2, {kHalted, kNestedTooDeep}},
      {"MacroDoublingItself", [](auto& s) { s.Write("src/page.par", "[@TITLE]:\r\n[@TITLE][@TITLE]\r\n[@]\r\n"); }, 2, {kHalted, kNestedTooDeep}},
      {"MutuallyRecursiveMacros", [](auto& s) {
         s.Write("src/page.par", "[@TITLE]:\r\n[@B]\r\n[@]\r\n[@B]:\r\n[@TITLE]\r\n[@]\r\n"); }, 2, {kHalted, kNestedTooDeep}},
      {"ThreeMacrosInACycle", [](auto& s) {
         s.Write("src/page.par", "[@TITLE]:\r\na[@B]\r\n[@]\r\n[@B]:\r\nb[@C]\r\n[@]\r\n[@C]:\r\nc[@TITLE]\r\n[@]\r\n"); }, 2,
       {kHalted, kNestedTooDeep}},
      {"RecursionAcrossFiles", [](auto& s) {
         s.Write("src/project.txt", "Globals=globals.par\r\n" + Definition("index.html,page.tpl,page.par"));
         s.Write("src/globals.par", "[@G]:\r\n[@TITLE]\r\n[@]\r\n");
         s.Write("src/page.par", "[@TITLE]:\r\n[@G]\r\n[@]\r\n"); }, 2, {kHalted, kNestedTooDeep}},
      {"RecursionThroughParameters", [](auto& s) {
         s.Write("src/page.tpl", "<p>[@TITLE([@TITLE(x)])]</p>\r\n");
         s.Write("src/page.par", "[@TITLE(@P)]:\r\n[@TITLE([@P])]\r\n[@]\r\n"); }, 0, {kGenerated}},
      // Tags that are substrings of each other.
      {"StartTagEqualsEndTag", [](auto& s) {
         s.Setting("macro-start-tag", "@@");
         s.Setting("macro-end-tag", "@@");
         s.Write("src/page.tpl", "<p>@@TITLE@@</p>\r\n");
         s.Write("src/page.par", "@@TITLE@@:\r\nHello\r\n@@@@\r\n"); }, 0, {kGenerated}},
      {"EndTagInsideStartTag", [](auto& s) { s.Setting("macro-end-tag", "@"); }, 0,
       {kGenerated, Log("WARNING: Possible error in Macro definition. Could not find Macro End Tag on line: [@TITLE]: in file: {root}/src/page.par")}},
      {"ParameterTagInsideStartTag", [](auto& s) { s.Setting("parameter-start-tag", "["); }, 2,
       {kHalted, Log("Error processing macro tag and parameters: [@TITLE]")}},
      {"ConditionalTagEqualsStartTag", [](auto& s) { s.Setting("conditional-start-tag", "[@"); }, 0, {kGenerated}},
      {"WildcardTagEqualsEndTag", [](auto& s) { s.Setting("wildcard-tag", "]"); }, 0, {kGenerated}},
      {"EmptyMacroStartTag", [](auto& s) { s.Setting("macro-start-tag", ""); }, 0,
       {kGenerated, Log("Could not find end of Macro: [@TITLE] in file: {root}/src/page.par")}},
      {"LineContinuationEqualsEndTag", [](auto& s) { s.Setting("line-continuation", "]"); }, 2,
       {kHalted, Log("ERROR: Invalid tag in string: [@</p>")}},
      // Outputs outside the output folder, onto sources and onto the program's files.
      {"DotDotOutput", [](auto& s) { s.Write("src/project.txt", Definition("../escaped.html,page.tpl,page.par")); }, 0,
       {kGenerated, Log("0000:0000 {root}/out/../escaped.html")}, {}, {"escaped.html"}},
      {"AbsoluteOutput", [](auto& s) { s.Write("src/project.txt", Definition(s.Path("elsewhere/abs.html") + ",page.tpl,page.par")); }, 0,
       {kGenerated, Err("The subdirectory {root}/elsewhere/ does not exist.")}, {"--keep-going"}, {"elsewhere"}},
      {"DotDotOntoTemplate", [](auto& s) { s.Write("src/project.txt", Definition("../src/page.tpl,page.tpl,page.par")); }, 2,
       {kHalted, Log("ERROR: The output file {root}/out/../src/page.tpl" + kIsSource)}},
      {"AbsoluteOntoContentFile", [](auto& s) { s.Write("src/project.txt", Definition(s.Path("src/page.par") + ",page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/src/page.par" + kIsSource)}},
      {"OntoDefinitionFile", [](auto& s) { s.Write("src/project.txt", Definition("../src/project.txt,page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/out/../src/project.txt" + kIsSource)}},
      {"OntoProjectFile", [](auto& s) { s.Write("src/project.txt", Definition("../site.web,page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/out/../site.web" + kIsSource)}},
      {"OntoProgramOptions", [](auto& s) { s.Write("src/project.txt", Definition("../home/tarvelo.ini,page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/out/../home/tarvelo.ini" + kIsOwnFile)}},
      {"OntoHistory", [](auto& s) { s.Write("src/project.txt", Definition(s.Path("home/projects.ini") + ",page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/home/projects.ini" + kIsOwnFile)}},
      {"OntoLog", [](auto& s) { s.Write("src/project.txt", Definition("../home/temp/tarvelo.txt,page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/out/../home/temp/tarvelo.txt" + kIsOwnFile)}},
      {"OntoPassFile", [](auto& s) { s.Write("src/project.txt", Definition("../home/temp/tarvelo.1,page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/out/../home/temp/tarvelo.1" + kIsOwnFile)}},
      {"OntoGeneratedFilesList", [](auto& s) { s.Write("src/project.txt", Definition("../home/temp/generate.txt,page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/out/../home/temp/generate.txt" + kIsOwnFile)}},
      {"OntoSearchLog", [](auto& s) { s.Write("src/project.txt", Definition("../home/temp/search.txt,page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/out/../home/temp/search.txt" + kIsOwnFile)}},
      {"OntoProgram", [](auto& s) {
         s.UseCopyOfProgram();
         s.Write("src/project.txt", Definition("../bin/tarvelo-cli,page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/out/../bin/tarvelo-cli" + kIsOwnFile)}},
      {"OutputLinkToProgram", [](auto& s) {
         s.UseCopyOfProgram();
         s.Link("out/index.html", "../bin/tarvelo-cli"); }, 2,
       {Log("ERROR: The output file {root}/out/index.html" + kIsOwnFile)}},
      {"OntoProgramFolder", [](auto& s) { s.Write("src/project.txt", Definition("../home,page.tpl,page.par")); }, 2,
       {Log("ERROR: Path/File access error ({root}/out/../home)")}},
      {"ThroughLinkedFolderOntoSource", [](auto& s) {
         s.Link("out/srclink", "../src");
         s.Write("src/project.txt", Definition("srclink/page.tpl,page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/out/srclink/page.tpl" + kIsSource)}},
      {"OutputLinkToSource", [](auto& s) { s.Link("out/index.html", "../src/page.par"); }, 2,
       {Log("ERROR: The output file {root}/out/index.html" + kIsSource)}},
      {"OutputLinkToProgramOptions", [](auto& s) { s.Link("out/index.html", s.Path("home/tarvelo.ini")); }, 2,
       {Log("ERROR: The output file {root}/out/index.html" + kIsOwnFile)}},
      {"OutputHardLinkOfSource", [](auto& s) {
         fs::remove(s.Path("out/index.html"));
         fs::create_hard_link(s.Path("src/page.tpl"), s.Path("out/index.html")); }, 2,
       {Log("ERROR: The output file {root}/out/index.html" + kIsSource)}},
      {"DocumentRootIsContentRoot", [](auto& s) {
         s.Setting("document-root", s.Path("src/"));
         s.Write("src/project.txt", Definition("page.tpl,page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/src/page.tpl" + kIsSource)}},
      {"DocumentRootIsProgramFolder", [](auto& s) {
         s.Setting("document-root", s.Path("home/"));
         s.Write("src/project.txt", Definition("projects.ini,page.tpl,page.par")); }, 2,
       {Log("ERROR: The output file {root}/home/projects.ini" + kIsOwnFile)}},
      // Files the program may not read or write (as nobody when run as root).
      {"UnreadableTemplate", [](auto& s) { Chmod(s, "src/page.tpl", 0); }, 2,
       {kHalted, Log("ERROR: Permission denied ({root}/src/page.tpl)")}, {}, {}, true},
      {"UnreadableContentFile", [](auto& s) { Chmod(s, "src/page.par", 0); }, 2,
       {kHalted, Log("Permission denied ({root}/src/page.par)")}, {}, {}, true},
      {"UnreadableDefinition", [](auto& s) { Chmod(s, "src/project.txt", 0); }, 2,
       {kHalted, Log("Permission denied ({root}/src/project.txt)")}, {}, {}, true},
      {"UnreadableProjectFile", [](auto& s) { Chmod(s, "site.web", 0); }, 2, {kNotAProjectFile}, {}, {}, true},
      {"UnreadableProgramOptions", [](auto& s) { Chmod(s, "home/tarvelo.ini", 0); }, 2,
       {Err("Permission denied ({root}/home/tarvelo.ini)")}, {}, {}, true},
      {"UnreadableHistory", [](auto& s) { Chmod(s, "home/projects.ini", 0); }, 2,
       {Err("Permission denied ({root}/home/projects.ini)")}, {}, {}, true},
      {"UnreadableSourceFolder", [](auto& s) { Chmod(s, "src", 0); }, 2,
       {kHalted, Log("Could not open Project Definition file at {root}/src/project.txt.")}, {}, {}, true},
      {"UnwritableOutputFolder", [](auto& s) {
         s.Write("src/page.par", "[@TITLE]:\r\nChanged\r\n[@]\r\n");
         Chmod(s, "out", 0555); }, 2,
       {kHalted, Log("ERROR: Permission denied ({root}/out/")}, {}, {}, true},
      {"UnwritableTemporaryFilesFolder", [](auto& s) { Chmod(s, "home/temp", 0555); }, 0, {kGenerated}, {}, {}, true},
      {"UnwritableProgramFolder", [](auto& s) { Chmod(s, "home", 0555); }, 1,
       {kGenerated, Err("Error writing to Project History file {root}/home/projects.ini. Permission denied")}, {}, {}, true},
      // Folders where files belong.
      {"DefinitionFileIsAFolder", [](auto& s) { s.Folder("src/project.txt"); }, 2,
       {kHalted, Log("Could not open Project Definition file at {root}/src/project.txt.")}},
      {"TemplateIsAFolder", [](auto& s) { s.Folder("src/page.tpl"); }, 2,
       {kHalted, Log("ERROR: Path/File access error ({root}/src/page.tpl)")}},
      {"ContentFileIsAFolder", [](auto& s) { s.Folder("src/page.par"); }, 2,
       {kHalted, Log("ERROR: Could not open file at {root}/src/page.par.")}},
      {"ProjectFileIsAFolder", [](auto& s) { s.Folder("site.web"); }, 2, {kNotAProjectFile}},
      {"ProgramOptionsIsAFolder", [](auto& s) { s.Folder("home/tarvelo.ini"); }, 2,
       {Err("Error writing to Program Data file {root}/home/tarvelo.ini. Path/File access error")}},
      {"HistoryIsAFolder", [](auto& s) { s.Folder("home/projects.ini"); }, 2,
       {Err("Error writing to Project History file {root}/home/projects.ini. Path/File access error")}},
      {"OutputIsAFolder", [](auto& s) { s.Folder("out/index.html"); }, 2,
       {kHalted, Log("ERROR: Path/File access error ({root}/out/index.html)")}},
      // Symbolic links that loop.
      {"DefinitionLinkLoop", [](auto& s) { s.Link("src/project.txt", "project.txt"); }, 2,
       {kHalted, Log("Could not open Project Definition file at {root}/src/project.txt.")}},
      {"TemplateLinkLoop", [](auto& s) {
         s.Link("src/page.tpl", "other.tpl");
         s.Link("src/other.tpl", "page.tpl"); }, 2,
       {kHalted, Log("ERROR: Path/File access error: the symbolic links loop ({root}/src/page.tpl)")}},
      {"ContentFileLinkLoop", [](auto& s) { s.Link("src/page.par", "page.par"); }, 2,
       {kHalted, Log("ERROR: Could not open file at {root}/src/page.par.")}},
      {"ProjectFileLinkLoop", [](auto& s) { s.Link("site.web", "site.web"); }, 2, {kNotAProjectFile}},
      {"ProgramOptionsLinkLoop", [](auto& s) { s.Link("home/tarvelo.ini", "tarvelo.ini"); }, 2,
       {Err("Path/File access error: the symbolic links loop ({root}/home/tarvelo.ini)")}},
      {"HistoryLinkLoop", [](auto& s) { s.Link("home/projects.ini", "projects.ini"); }, 2,
       {Err("Path/File access error: the symbolic links loop ({root}/home/projects.ini)")}},
      {"OutputLinkLoop", [](auto& s) { s.Link("out/index.html", "index.html"); }, 2,
       {kHalted, Log("ERROR: Path/File access error: the symbolic links loop ({root}/out/index.html)")}},
      {"DocumentRootLinkLoop", [](auto& s) {
         s.Link("looped", "looped");
         s.Setting("document-root", s.Path("looped/")); }, 2,
       {kHalted, Log("Path/File access error ({root}/looped/)")}, {"--keep-going"}},
      // Files whose lines end with CR alone.
      {"CrOnlyDefinition", [](auto& s) { s.Write("src/project.txt", "[Main]\rindex.html,page.tpl,page.par\r"); }, 0,
       {Err("tarvelo-cli: warning: the Project Definition File {root}/src/project.txt lists no Document")}},
      {"CrOnlyTemplate", [](auto& s) { s.Write("src/page.tpl", "<p>\r[@TITLE]\r</p>\r"); }, 0, {kGenerated}},
      {"CrOnlyContentFile", [](auto& s) { s.Write("src/page.par", "[@TITLE]:\rHello\r[@]\r"); }, 0,
       {kGenerated, Log("Could not find end of Macro: [@TITLE] in file: {root}/src/page.par")}},
      {"CrOnlyProjectFile", [](auto& s) { s.Write("site.web", CrOnly(ReadFile(s.Path("site.web")))); }, 0,
       {Err("tarvelo-cli: warning: the project file {root}/site.web names no Project Definition File (its lines end with CR only)")}},
      {"CrOnlyProgramOptions", [](auto& s) { s.Write("home/tarvelo.ini", CrOnly(ReadFile(s.Path("home/tarvelo.ini")))); }, 2,
       {kOptionsNotRecognised}},
      {"CrOnlyHistory", [](auto& s) { s.Write("home/projects.ini", "5|" + s.Path("site.web") + "|2\r5|/nowhere.web|1\r"); }, 2,
       {Err("Error reading Project History file {root}/home/projects.ini. Type mismatch.")}},
      // Numbers out of range in every settings file.
      {"ProjectFileLimitAbove32767", [](auto& s) { s.Setting("max-folders", "99999"); }, 2,
       {Err("Error reading Project Data file {root}/site.web. Overflow.")}},
      {"ProjectFileNegativeLimit", [](auto& s) { s.Setting("max-docs", "-5"); }, 2,
       {kHalted, Log("You have exceeded the maximum number of Documents for the Folder \"Main\".")}},
      {"ProjectFileNegativeNesting", [](auto& s) { s.Setting("max-nested-macros", "-1"); }, 2, {kHalted, kNestedTooDeep}},
      {"ProjectFileOptimisationLevelOutOfRange", [](auto& s) { s.Setting("optimization-level", "70000"); }, 2,
       {Err("Error reading Project Data file {root}/site.web. Overflow.")}},
      {"ProjectFileUnknownOptimisationLevel", [](auto& s) {
         s.Setting("optimization-status", "1");
         s.Setting("optimization-level", "9"); }, 0, {kGenerated}},
      {"ProjectFileLimitNotANumber", [](auto& s) { s.Setting("max-content-files", "1e9"); }, 2,
       {Err("Error reading Project Data file {root}/site.web. Type mismatch.")}},
      {"ProjectFileFlagOutOfRange", [](auto& s) { s.Setting("trim-parameter-values", "-32769"); }, 2,
       {Err("Error reading Project Data file {root}/site.web. Overflow.")}},
      {"OptionsMaximumProjectsAbove32767", [](auto& s) { s.Option("maximum-projects", "99999"); }, 1,
       {kCompleted, Err("Error reading Program Data file {root}/home/tarvelo.ini. Overflow.")}},
      {"OptionsMaximumProjectsNegative", [](auto& s) { s.Option("maximum-projects", "-3"); }, 2,
       {Err("Subscript out of range. The Project History holds 0 Projects")}},
      {"OptionsMaximumProjectsZero", [](auto& s) { s.Option("maximum-projects", "0"); }, 2,
       {Err("Subscript out of range. The Project History holds 0 Projects")}},
      {"OptionsFlagOutOfRange", [](auto& s) { s.Option("create-subdirectories", "40000"); }, 1,
       {kCompleted, Err("Error reading Program Data file {root}/home/tarvelo.ini. Overflow.")}},
      {"OptionsLoggingNegative", [](auto& s) { s.Option("enable-logging", "-40000"); }, 1,
       {kCompleted, Err("Error reading Program Data file {root}/home/tarvelo.ini. Overflow.")}},
      {"HistoryStateOutOfRange", [](auto& s) { s.Write("home/projects.ini", "5|" + s.Path("site.web") + "|99999\r\n"); }, 2,
       {Err("Error reading Project History file {root}/home/projects.ini. Overflow.")}},
      {"HistoryStateNegative", [](auto& s) { s.Write("home/projects.ini", "5|" + s.Path("site.web") + "|-1\r\n"); }, 0,
       {kGenerated}, {}, {"home/projects.ini"}},
      {"HistoryStateNotANumber", [](auto& s) { s.Write("home/projects.ini", "5|" + s.Path("site.web") + "|two\r\n"); }, 2,
       {Err("Error reading Project History file {root}/home/projects.ini. Type mismatch.")}},
      {"HistoryVersionOutOfRange", [](auto& s) { s.Write("home/projects.ini", "99999|" + s.Path("site.web") + "|2\r\n"); }, 2,
       {kHistoryNotRecognised}},
  };
  // clang-format on
  return cases;
}

class HostileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileTest, RunsAsExpectedAndChangesNothingElse) {
  const HostileCase& c = GetParam();
  if (c.other_user && ::geteuid() == 0 && ::access("/usr/bin/setpriv", X_OK) != 0) {
    GTEST_SKIP() << "running as root without setpriv: permission bits cannot be tried";
  }
  HostileSite site;
  c.setup(site);
  const auto skipped = [&](const std::string& relative) {
    return ExpectedToChange(relative, c.may_change);
  };
  const TreeSnapshot before = SnapshotTree(site.root(), skipped);
  std::vector<std::string> arguments;
  for (const std::string& argument : c.arguments) {
    arguments.push_back(Substituted(argument, site.root()));
  }
  const CliResult result = site.Run(arguments, c.other_user);
  const std::string log = ReadFile(site.Path("home/temp/tarvelo.txt"));
  const std::string shown = "\n--- stdout\n" + Shortened(result.out) + "--- stderr\n" +
                            Shortened(result.err) + "--- log\n" + Shortened(log);
  EXPECT_EQ(result.status, c.status) << shown;
  for (const Said& said : c.said) {
    const std::string& text = said.where == Stream::kOut   ? result.out
                              : said.where == Stream::kErr ? result.err
                                                           : log;
    EXPECT_NE(text.find(Substituted(said.text, site.root())), std::string::npos)
        << "missing: " << Substituted(said.text, site.root()) << shown;
  }
  EXPECT_EQ(TreeDifferences(before, SnapshotTree(site.root(), skipped)), "");
}

INSTANTIATE_TEST_SUITE_P(Corpus, HostileTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tarvelo::testing
