// The launchers: the command lines they build, the program and arguments they start,
// their error texts, and opening files and folders with the desktop's association.
#include "project/launchers.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "common/error.h"
#include "project/program_options.h"
#include "project/project_settings.h"
#include "support/raised_by.h"
#include "support/recording_desktop.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using testing::RaisedBy;
using testing::RecordingDesktop;
using testing::ScriptedHost;
using Argv = std::vector<std::string>;

class LaunchersTest : public ::testing::Test {
 protected:
  ProgramOptions options;
  ProjectSettings settings;
  RecordingDesktop desktop;
  ScriptedHost host;
  Launchers launchers{options, settings, desktop, host};
};

TEST(QuotePathTest, QuotesOnlyUnquotedPathsWithBlanks) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"/site/a.html", "/site/a.html"},
      {"/my site/a.html", "\"/my site/a.html\""},
      {"\"/my site/a.html\"", "\"/my site/a.html\""},
      {"\"/my site/a.html", "\"/my site/a.html"},
      {"/my site/a.html\"", "/my site/a.html\""},
  };
  for (const auto& [path, quoted] : cases) EXPECT_EQ(QuotePath(path), quoted) << path;
}

TEST(ExpandProjectPathTest, ReplacesEveryExactPlaceholder) {
  ProgramOptions options;
  ProjectSettings settings;
  const std::string text = "%PROJECT_PATH%a %PROJECT_PATH%b %project_path%";
  EXPECT_EQ(ExpandProjectPath(text, settings, options), text);
  settings.custom_project_path = "\\proj\\";
  EXPECT_EQ(ExpandProjectPath(text, settings, options), "\\proj\\a \\proj\\b %project_path%");
  options.default_drive = "/mnt/web";
  options.enable_default_drive = 1;
  EXPECT_EQ(ExpandProjectPath("%PROJECT_PATH%", settings, options), "\\proj\\");
  settings.custom_project_path_with_drive = 1;
  EXPECT_EQ(ExpandProjectPath("%PROJECT_PATH%", settings, options), "/mnt/web\\proj\\");
  options.enable_default_drive = 0;  // the drive is the program-wide one, used only when on
  EXPECT_EQ(ExpandProjectPath("%PROJECT_PATH%", settings, options), "\\proj\\");
}

TEST(EditorCommandTest, FollowsTheOptionsOnlyWithFileAndLine) {
  struct Case {
    std::string editor, editor_options;
    Int16 add_space;
    std::string file, line, command;
  };
  const Case cases[] = {
      {"", "", 1, "/site/a.html", "", "xdg-open /site/a.html"},
      {"", "+%LINE%", 1, "", "12", "xdg-open"},
      {"gedit", "+%LINE%", 1, "/site/a.html", "", "gedit /site/a.html"},
      {"gedit", "", 1, "/site/a.html", "12", "gedit /site/a.html"},
      {"gedit", "+%LINE%", 1, "/site/a.html", "12", "gedit /site/a.html +12"},
      {"gedit", "+%LINE%", 0, "/site/a.html", "12", "gedit /site/a.html+12"},
      {"gedit", "+%LINE%", 2, "/site/a.html", "12", "gedit /site/a.html+12"},
      {"gedit", "+%line%", 0, "/site/a.html", "12", "gedit /site/a.html+%line%"},
      {"vim", "-n%LINE% %FILE% +%LINE%", 0, "/my site/a.html", "7",
       "vim -n7 \"/my site/a.html\" +7"},
      {"gedit", "", 1, "\"/my site/a.html\"", "", "gedit \"/my site/a.html\""},
      {"gedit", "", 1, "\\site\\my page.html", "", "gedit \"/site/my page.html\""},
  };
  ProgramOptions options;
  for (const Case& c : cases) {
    options.editor = c.editor;
    options.editor_options = c.editor_options;
    options.editor_options_add_space = c.add_space;
    EXPECT_EQ(EditorCommand(options, c.file, c.line), c.command) << c.editor_options;
  }
}

TEST(EditorCommandTest, OtherProgramsFallBackToXdgOpen) {
  ProgramOptions options;
  EXPECT_EQ(BrowserCommand(options, "https://example.org/?a=1&b=2"),
            "xdg-open https://example.org/?a=1&b=2");
  EXPECT_EQ(ImageEditorCommand(options, "/my site/a.png"), "xdg-open \"/my site/a.png\"");
  EXPECT_EQ(XmlEditorCommand(options, "/site/a.xml"), "xdg-open /site/a.xml");
  options.editor = "kate";
  EXPECT_EQ(XmlEditorCommand(options, "/site/a.xml"), "kate /site/a.xml");
  options.xml_editor = "xmledit";
  options.browser = "firefox";
  options.image_editor = "gimp";
  EXPECT_EQ(XmlEditorCommand(options, ""), "xmledit");
  EXPECT_EQ(BrowserCommand(options, ""), "firefox");
  EXPECT_EQ(ImageEditorCommand(options, "/site/a.png"), "gimp /site/a.png");
}

// No shell sees the line, and the splitting gives every file name back whole.
TEST_F(LaunchersTest, AFileArrivesAsOneUntouchedArgument) {
  const std::string names[] = {
      "/my site/a b.html",    "/site/a;rm -rf x|cat.html", "/site/$(id)`id`$HOME.html",
      "/site/Bob's.html",     "/site/Bob's page.html",     "/site/say \"hi\".html",
      "/site/say\"hi\".html", "/site/tab\there.html",
  };
  options.editor = "gedit";
  for (const std::string& name : names) {
    desktop.started.clear();
    launchers.LaunchEditor(name);
    EXPECT_EQ(desktop.started, std::vector<Argv>{Argv({"gedit", name})}) << name;
  }
  options.editor_options = "--line=%LINE% -- %FILE%";
  desktop.started.clear();
  launchers.LaunchEditor("/my site/a;b.html", "12");
  EXPECT_EQ(desktop.started[0], Argv({"gedit", "--line=12", "--", "/my site/a;b.html"}));
}

TEST_F(LaunchersTest, EveryFailedStartRaisesItsOwnError) {
  struct Case {
    std::function<void(Launchers&)> launch;
    int number;
    std::string text;
  };
  options.custom_application = "sync %PROJECT_PATH%";
  options.custom_commands[2].command = "tidy -m";
  settings.custom_project_path = "/proj/";
  const std::string check = "). Please check the ";
  const Case cases[] = {
      {[](Launchers& l) { l.LaunchEditor("/my site/a.html", "3"); }, 10007,
       "Error launching editor (xdg-open \"/my site/a.html\"" + check +
           "editor path in the Tools->Options screen."},
      {[](Launchers& l) { l.LaunchBrowser(""); }, 10008,
       "Error launching browser (xdg-open" + check + "browser path in the Tools->Options screen."},
      {[](Launchers& l) { l.LaunchImageEditor("/site/a.png"); }, 10017,
       "Error launching image editor (xdg-open /site/a.png" + check +
           "Image Editor path in the Tools->Options screen."},
      {[](Launchers& l) { l.LaunchXMLEditor("/site/a.xml"); }, 10021,
       "Error launching XML editor (xdg-open /site/a.xml" + check +
           "XML Editor path in the Tools->Options screen."},
      {[](Launchers& l) { l.LaunchCustomApplication(1); }, 10018,
       "Error launching custom application (sync /proj/" + check +
           "Custom Application editor path in the Tools->Options screen."},
      {[](Launchers& l) { l.LaunchCustomAction("/site/a.html", 3); }, 10016,
       "Error launching custom action (tidy -m /site/a.html" + check +
           "custom action in the Tools->Options screen."},
  };
  desktop.start_result = false;
  for (const Case& c : cases) {
    const TarveloError e = RaisedBy([&] { c.launch(launchers); });
    EXPECT_EQ(e.number, c.number);
    EXPECT_EQ(e.description, c.text);
  }
  EXPECT_EQ(desktop.started.size(), 6u);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(LaunchersTest, ALineWithoutAProgramFailsWithoutStartingAnything) {
  options.editor = "  ";
  EXPECT_EQ(RaisedBy([&] { launchers.LaunchEditor(""); }).number, kErrLaunchEditor);
  EXPECT_TRUE(desktop.started.empty());
}

TEST_F(LaunchersTest, CustomApplicationNumbersAboveTwoMeanTheThird) {
  options.custom_application = "one";
  options.custom_application2 = "two";
  options.custom_application3 = "three %PROJECT_PATH%";
  settings.custom_project_path = "/proj";
  const std::pair<Int16, std::string> cases[] = {{1, "one"},   {2, "two"},    {3, "three"},
                                                 {0, "three"}, {-1, "three"}, {7, "three"}};
  for (const auto& [number, program] : cases) {
    desktop.started.clear();
    launchers.LaunchCustomApplication(number);
    ASSERT_EQ(desktop.started.size(), 1u) << number;
    EXPECT_EQ(desktop.started[0][0], program) << number;
  }
  EXPECT_EQ(desktop.started[0], Argv({"three", "/proj"}));
  options.custom_application2.clear();
  desktop.started.clear();
  launchers.LaunchCustomApplication(2);
  EXPECT_TRUE(desktop.started.empty());
  EXPECT_TRUE(host.messages.empty());
}

TEST(CustomActionCommandTest, PlaceholdersAndNumbers) {
  struct Case {
    Int16 number;
    std::string command_template, file, project_path, command;
  };
  const Case cases[] = {
      {1, "cp %FILE% %PROJECT_PATH%backup", "/site/a.html", "/proj/",
       "cp /site/a.html /proj/backup"},
      {1, "cp %FILE% %PROJECT_PATH%backup", "/site/a.html", "",
       "cp /site/a.html %PROJECT_PATH%backup"},
      {6, "diff %FILE% %FILE%.bak", "/my site/a", "", "diff \"/my site/a\" \"/my site/a\".bak"},
      {6, "wc -l", "/my site/a.html", "", "wc -l \"/my site/a.html\""},
      {1, "cp %FILE% /tmp", "", "", ""},
      {2, "", "/site/a.html", "", ""},
      {0, "cp %FILE% /tmp", "/site/a.html", "", ""},
      {7, "cp %FILE% /tmp", "/site/a.html", "", ""},
  };
  ProgramOptions options;
  ProjectSettings settings;
  for (const Case& c : cases) {
    for (CustomCommand& command : options.custom_commands) command.command = c.command_template;
    options.custom_commands[1].command.clear();
    settings.custom_project_path = c.project_path;
    EXPECT_EQ(CustomActionCommand(options, settings, c.file, c.number), c.command)
        << c.number << " " << c.command_template;
  }
}

TEST_F(LaunchersTest, CustomActionStartsTheExpandedCommand) {
  options.custom_commands[0].command = "cp %FILE% '%PROJECT_PATH%old copies'";
  settings.custom_project_path = "/proj/";
  launchers.LaunchCustomAction("/my site/a.html", 1);
  EXPECT_EQ(desktop.started,
            std::vector<Argv>{Argv({"cp", "/my site/a.html", "/proj/old copies"})});
  desktop.started.clear();
  launchers.LaunchCustomAction("", 1);
  launchers.LaunchCustomAction("/site/a.html", 0);
  EXPECT_TRUE(desktop.started.empty());
}

TEST_F(LaunchersTest, DefaultApplicationCodesUpTo32AreShownAsWarnings) {
  const std::pair<int, std::string> cases[] = {
      {2, "File not found."},
      {3, "Path not found."},
      {5, "Access denied."},
      {8, "Out of memory."},
      {11, "Invalid EXE file or error in EXE image."},
      {26, "A sharing violation occurred."},
      {27, "Incomplete or invalid file association."},
      {28, "DDE Time out."},
      {29, "DDE transaction failed."},
      {30, "DDE busy."},
      {32, "DLL not found."},
      {0, "Unknown error."},
      {12, "Unknown error."},
  };
  for (const auto& [code, reason] : cases) {
    host.messages.clear();
    desktop.open_result = code;
    launchers.OpenWithDefaultApplication("\\site\\a b.html", 1);
    ASSERT_EQ(host.messages.size(), 1u) << code;
    EXPECT_EQ(host.messages[0].text,
              "Error opening file (/site/a b.html) with default application. " + reason);
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].buttons, MessageButtons::kOk);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::kExclamation);
  }
  EXPECT_EQ(desktop.opened.back(), std::make_pair(std::string("/site/a b.html"), false));
  EXPECT_TRUE(desktop.started.empty());
}

TEST_F(LaunchersTest, DefaultApplicationSuccessAndModesThatOpenNothing) {
  desktop.open_result = 33;
  launchers.OpenWithDefaultApplication("\"/my site/a.html\"", 1);
  EXPECT_EQ(desktop.opened,
            (std::vector<std::pair<std::string, bool>>{{"/my site/a.html", false}}));
  launchers.OpenWithDefaultApplication("", 1);
  launchers.OpenWithDefaultApplication("/site/a.html", 3);
  EXPECT_EQ(desktop.opened.size(), 1u);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(LaunchersTest, UnchosenApplicationShowsTheFolderInstead) {
  desktop.open_result = 31;
  launchers.OpenWithDefaultApplication("/site/a.xyz", 1);
  launchers.OpenWithDefaultApplication("a.xyz", 1);
  launchers.OpenWithDefaultApplication("/site/odd/", 2);
  EXPECT_EQ(
      desktop.started,
      (std::vector<Argv>{{"xdg-open", "/site/"}, {"xdg-open", "."}, {"xdg-open", "/site/odd/"}}));
  EXPECT_TRUE(host.messages.empty());
  desktop.start_result = false;
  const TarveloError e = RaisedBy([&] { launchers.OpenWithDefaultApplication("/site/a.xyz", 1); });
  EXPECT_EQ(e.number, kErrDefaultApplication);
  EXPECT_EQ(e.description, "Error launching default application for /site/a.xyz.");
}

TEST_F(LaunchersTest, AFailingDesktopRaisesTheDefaultApplicationError) {
  desktop.open_throws = true;
  const TarveloError e = RaisedBy([&] { launchers.OpenWithDefaultApplication("/site/a.html", 1); });
  EXPECT_EQ(e.number, 10020);
  EXPECT_EQ(e.description, "Error launching default application for /site/a.html.");
}

TEST_F(LaunchersTest, ExploreFolderExpandsAndTakesTheDefaultDrive) {
  options.default_drive = "/mnt/web";
  options.enable_default_drive = 1;
  settings.custom_project_path = "\\proj\\";
  const std::pair<std::string, std::string> cases[] = {
      {"", "/"},
      {"\\site\\", "/mnt/web/site/"},
      {"%PROJECT_PATH%out", "/mnt/web/proj/out"},
      {"/home/me", "/mnt/web/home/me"},
  };
  for (const auto& [folder, explored] : cases) {
    desktop.opened.clear();
    launchers.OpenWithDefaultApplication(folder, 2);
    EXPECT_EQ(desktop.opened, (std::vector<std::pair<std::string, bool>>{{explored, true}}))
        << folder;
  }
  desktop.open_result = 2;
  launchers.OpenWithDefaultApplication("", 2);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "Error opening file (/) with default application. File not found.");
}

}  // namespace
}  // namespace tarvelo
