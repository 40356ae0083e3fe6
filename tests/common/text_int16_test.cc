// The shared helpers: 16-bit conversion and arithmetic, text trimming, replacing,
// case folding, the count phrase and the path routines.
#include <gtest/gtest.h>

#include <string>

#include "common/error.h"
#include "common/int16.h"
#include "common/paths.h"
#include "common/text.h"
#include "support/raised_by.h"

namespace tarvelo {
namespace {

TEST(Int16Test, ToInt16ConvertsOrRaises) {
  const std::pair<const char*, int> converts[] = {
      {"0", 0},     {" 42 ", 42}, {"\t7", 7},   {"+5", 5}, {"-32768", -32768}, {"32767", 32767},
      {"12.5", 12}, {"13.5", 14}, {"-2.5", -2}, {"5.", 5}, {".5", 0},          {"007", 7}};
  for (const auto& [text, value] : converts) EXPECT_EQ(ToInt16(text), value) << text;

  const std::pair<const char*, int> raises[] = {
      {"32768", kOverflow},       {"-32769", kOverflow},  {"32767.5", kOverflow},
      {"99999999999", kOverflow}, {"", kTypeMismatch},    {"  ", kTypeMismatch},
      {"-", kTypeMismatch},       {".", kTypeMismatch},   {"1e3", kTypeMismatch},
      {"12abc", kTypeMismatch},   {"1 2", kTypeMismatch}, {"0x10", kTypeMismatch}};
  for (const auto& [text, number] : raises) {
    const TarveloError error = testing::RaisedBy([&] { ToInt16(text); });
    EXPECT_EQ(error.number, number) << text;
  }
}

TEST(Int16Test, ArithmeticStaysInRange) {
  EXPECT_EQ(AddInt16(32766, 1), 32767);
  EXPECT_THROW(AddInt16(-32768, -1), TarveloError);
  Int16 counter = 32767;
  EXPECT_THROW(Increment(counter), TarveloError);
  EXPECT_EQ(counter, 32767);  // unchanged by the failed step
}

TEST(TextTest, TrimRemovesSpacesOnly) {
  const struct {
    const char* text;
    const char* both;
    const char* left;
    const char* right;
  } cases[] = {{"  a b  ", "a b", "a b  ", "  a b"},
               {"", "", "", ""},
               {"   ", "", "", ""},
               {"\ta\t", "\ta\t", "\ta\t", "\ta\t"},
               {"x", "x", "x", "x"}};
  for (const auto& c : cases) {
    EXPECT_EQ(Trim(c.text), c.both) << c.text;
    EXPECT_EQ(TrimLeft(c.text), c.left) << c.text;
    EXPECT_EQ(TrimRight(c.text), c.right) << c.text;
  }
  EXPECT_FALSE(IsBlank(" \t "));
}

TEST(TextTest, ReplaceAllNeverRescansInsertedText) {
  const struct {
    const char* text;
    const char* from;
    const char* to;
    const char* result;
  } cases[] = {{"aaa", "a", "aa", "aaaaaa"}, {"abcabc", "bc", "", "aa"}, {"aaaa", "aa", "b", "bb"},
               {"xyz", "q", "r", "xyz"},     {"xyz", "", "r", "xyz"},    {"", "a", "b", ""}};
  for (const auto& c : cases) {
    std::string text = c.text;
    ReplaceAll(text, c.from, c.to);
    EXPECT_EQ(text, c.result) << c.text << " " << c.from;
  }
}

TEST(TextTest, PluralAndFoldCase) {
  EXPECT_EQ(Plural(1, "error"), "1 error");
  EXPECT_EQ(Plural(0, "error"), "0 errors");
  EXPECT_EQ(Plural(-1, "file"), "-1 files");
  EXPECT_EQ(PadNumber(12345, 4), "12345");
  // ASCII and Latin-1 capitals fold; the multiplication sign and "ß" are no capitals.
  EXPECT_EQ(FoldCase("ABC xyz [@] \xC0\xC9\xDE \xD7\xDF\xE0"),
            "abc xyz [@] \xE0\xE9\xFE \xD7\xDF\xE0");
}

TEST(PathsTest, BothSeparatorsCount) {
  const struct {
    const char* path;
    const char* folder;
    const char* name;
  } cases[] = {{"C:\\site\\page.par", "C:\\site\\", "page.par"},
               {"/site/sub\\page.par", "/site/sub\\", "page.par"},
               {"page.par", "", "page.par"},
               {"dir/", "dir/", ""},
               {"", "", ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(FolderOfPath(c.path), c.folder) << c.path;
    EXPECT_EQ(FileNameOfPath(c.path), c.name) << c.path;
  }
  EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
  EXPECT_EQ(JoinPath("C:\\a\\", "b"), "C:\\a\\b");
  EXPECT_EQ(JoinPath("", "b"), "b");
  EXPECT_EQ(ToNativeSeparators("a\\b/c"), "a/b/c");
  EXPECT_TRUE(IsRelativeName("docs\\a.txt"));
  EXPECT_FALSE(IsRelativeName("\\docs"));
  EXPECT_FALSE(IsRelativeName("/docs"));
  EXPECT_FALSE(IsRelativeName("C:docs"));
}

}  // namespace
}  // namespace tarvelo
