// End-to-end: tarvelo-cli's /find= and /replace= on a fixture Project, checking what it
// prints, search.txt, the files and the exit status.
#include <gtest/gtest.h>

#include "e2e/cli_runner.h"
#include "support/test_support.h"

namespace tarvelo::testing {
namespace {

class SearchCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    site_ = dir_ / "site";
    home_ = dir_ / "home";
    WriteSiteFile(site_, "Search Site");
    WriteFile(site_ + "/src/project.txt",
              "Globals=globals.par\r\n[Main]\r\nindex.html,page.tpl,index.par\r\n"
              "about.html,page.tpl,about.par\r\n");
    WriteFile(Src("globals.par"), "[@SITE]:\r\nSearch Site\r\n[@]\r\n");
    WriteFile(Src("page.tpl"), "<title>[@TITLE] - [@SITE]</title>\n<h1>[@TITLE]</h1>");
    WriteFile(Src("index.par"), "[@TITLE]:\r\nWelcome\r\n[@]\r\n");
    WriteFile(Src("about.par"), "[@TITLE(@x)]:\r\nAbout\r\n[@]\r\n");
    WriteFile(site_ + "/out/index.html", "<title>Welcome - Search Site</title>\r\n");
  }
  std::string Src(const std::string& name) const { return site_ + "/src/" + name; }
  CliResult Run(std::vector<std::string> extra) {
    extra.insert(extra.begin(), "/project=" + site_ + "/site.web");
    return RunCli(home_, extra);
  }
  std::string SearchLog() const { return ReadFile(home_ + "/temp/search.txt"); }

  TempDir dir_;
  std::string site_;
  std::string home_;
};

TEST_F(SearchCliTest, FindPrintsEachLineAndTheSummary) {
  const CliResult found = Run({"/find=[@TITLE]"});
  EXPECT_EQ(found.status, 0) << found.err;
  EXPECT_EQ(Lines(found.out),
            (std::vector<std::string>{Src("page.tpl") + ":1: <title>[@TITLE] - [@SITE]</title>",
                                      Src("page.tpl") + ":2: <h1>[@TITLE]</h1>",
                                      Src("index.par") + ":1: [@TITLE]:",
                                      "Complete. 3 occurrences in 2 files. 4 files checked. "}));
  EXPECT_EQ(SearchLog(), "Searching for: \"[@TITLE]\"\r\n\r\n" + Src("globals.par") +
                             "\r\n>Not found\r\n\r\n" + Src("page.tpl") +
                             "\r\n>2 occurrences found\r\n\r\n" + Src("index.par") +
                             "\r\n>1 occurrence found\r\n\r\n" + Src("about.par") +
                             "\r\n>Not found\r\n\r\n\r\nComplete. 3 occurrences in 2 files. "
                             "4 files checked. \r\n");

  const CliResult definitions =
      Run({"/find=title", "/definitions-only=1", "/ignore-case=1", "/file-types=content"});
  EXPECT_EQ(definitions.status, 0);
  EXPECT_EQ(Lines(definitions.out).back(), "Complete. 2 occurrences in 2 files. 2 files checked. ");

  const CliResult documents = Run({"/find=Welcome", "/in=documents"});
  EXPECT_EQ(Lines(documents.out).back(), "Complete. 1 occurrence in 1 file. 1 file checked. ");

  const CliResult none = Run({"/find=nowhere to", "be found"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(SearchLog().substr(0, 40), "Searching for: \"nowhere to be found\"\r\n\r\n");
}

TEST_F(SearchCliTest, ReplaceNeedsYesOffATerminal) {
  const CliResult refused = Run({"/find=[@TITLE]", "/replace=[@HEADING]"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("Confirm Replace: Are you sure you want to replace \"[@TITLE]\" "
                             "with \"[@HEADING]\"?"),
            std::string::npos);
  EXPECT_EQ(ReadFile(Src("index.par")), "[@TITLE]:\r\nWelcome\r\n[@]\r\n");

  const CliResult replaced = Run({"/find=[@TITLE]", "/replace=[@HEADING]", "--yes"});
  EXPECT_EQ(replaced.status, 0) << replaced.err;
  EXPECT_EQ(Lines(replaced.out),
            (std::vector<std::string>{
                Src("page.tpl") + ":1: <title>[@HEADING] - [@SITE]</title>",
                Src("page.tpl") + ":2: <h1>[@HEADING]</h1>", Src("index.par") + ":1: [@HEADING]:",
                "Complete. 3 replacements in 2 files. ", "4 files checked."}));
  EXPECT_EQ(ReadFile(Src("page.tpl")),
            "<title>[@HEADING] - [@SITE]</title>\r\n<h1>[@HEADING]</h1>\r\n");
  EXPECT_EQ(ReadFile(Src("about.par")), "[@TITLE(@x)]:\r\nAbout\r\n[@]\r\n");
  EXPECT_NE(SearchLog().find(Src("index.par") + "\r\n>1 replacement made.\r\n\r\n"),
            std::string::npos);

  const CliResult deleted = Run({"/find= - [@SITE]", "/replace=", "--yes"});
  EXPECT_EQ(deleted.status, 0);
  EXPECT_EQ(ReadFile(Src("page.tpl")), "<title>[@HEADING]</title>\r\n<h1>[@HEADING]</h1>\r\n");
}

TEST_F(SearchCliTest, BadSearchOptionsChangeNothing) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"/find="},
                                             {"/find=x", "/file-types=pictures"},
                                             {"/find=x", "/in=everywhere"},
                                             {"/find=x", "/replace=y", "/in=documents", "--yes"},
                                             {"/find=x", "/ignore-case=yes"}}) {
    const CliResult result = Run(arguments);
    EXPECT_EQ(result.status, 2) << arguments.back();
    EXPECT_NE(result.err.find("tarvelo-cli: "), std::string::npos);
  }
  EXPECT_EQ(ReadFile(Src("page.tpl")), "<title>[@TITLE] - [@SITE]</title>\n<h1>[@TITLE]</h1>");
}

}  // namespace
}  // namespace tarvelo::testing
