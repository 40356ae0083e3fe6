// Command-line parsing for the batch mode.
#include "generation/command_line.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "support/raised_by.h"

namespace tarvelo {
namespace {

TEST(CommandLineTest, ReadsEveryOptionAndKeepsTheCaseOfValues) {
  const CommandLineOptions o = ParseCommandLine(
      "  /MODE=2 /Project=/home/Me/Site.web /command=rsync -a /out host:/www "
      "/window=1 /document-root=/tmp/Out /modified-only=1  ");
  EXPECT_EQ(o.command_line,
            "/MODE=2 /Project=/home/Me/Site.web /command=rsync -a /out host:/www /window=1 "
            "/document-root=/tmp/Out /modified-only=1");
  EXPECT_TRUE(o.run);
  EXPECT_TRUE(o.close_after_run);
  EXPECT_EQ(o.project, "/home/Me/Site.web");
  EXPECT_EQ(o.command, "rsync -a /out host:/www");
  EXPECT_EQ(o.window, 1);
  EXPECT_EQ(o.document_root, "/tmp/Out");
  EXPECT_EQ(o.modified_only, 1);
}

TEST(CommandLineTest, ValuesEndAtTheNextOption) {
  const CommandLineOptions o = ParseCommandLine("/mode=2/project=c:\\site\\site.web");
  EXPECT_TRUE(o.run);
  EXPECT_EQ(o.project, "c:\\site\\site.web");
  const CommandLineOptions dashes = ParseCommandLine("--mode=1 --project=a.web");
  EXPECT_TRUE(dashes.run);
  EXPECT_FALSE(dashes.close_after_run);
  EXPECT_EQ(dashes.project, "a.web");
}

TEST(CommandLineTest, DefaultsAndOddValues) {
  const CommandLineOptions none = ParseCommandLine("");
  EXPECT_FALSE(none.run);
  EXPECT_EQ(none.modified_only, -1);
  EXPECT_EQ(none.window, 0);
  const CommandLineOptions o = ParseCommandLine("/project=a.web /mode=3 /window=yes /mode=1");
  EXPECT_TRUE(o.run);  // the last occurrence counts
  EXPECT_EQ(o.window, 0);
  EXPECT_EQ(ParseCommandLine("/project=a.web").run, false);
}

TEST(CommandLineTest, ModifiedOnlyMustBeA16BitNumber) {
  EXPECT_EQ(ParseCommandLine("/modified-only=0").modified_only, 0);
  for (const char* bad : {"/modified-only=", "/modified-only=yes"}) {
    const TarveloError e = testing::RaisedBy([&] { ParseCommandLine(bad); });
    EXPECT_EQ(e.number, kTypeMismatch) << bad;
  }
  EXPECT_EQ(testing::RaisedBy([&] { ParseCommandLine("/modified-only=40000"); }).number, kOverflow);
}

}  // namespace
}  // namespace tarvelo
