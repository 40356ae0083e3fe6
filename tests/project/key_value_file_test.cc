// The key=value format: where a key counts, what a value holds, and what the writer
// puts on disk.
#include "project/key_value_file.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "project/file_store.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

struct LookupCase {
  const char* label;
  std::string text;
  std::string expected;  // "<absent>" when the key must not be found
};

TEST(KeyValueTextTest, FindsAKeyOnlyAtTheStartOfALineBeforeEquals) {
  const LookupCase cases[] = {
      {"plain", "name=Site\r\n", "Site"},
      {"first occurrence wins", "name=One\r\nname=Two\r\n", "One"},
      {"blanks around = are no key", "name = Site\r\n", "<absent>"},
      {"a leading blank is no key", " name=Site\r\n", "<absent>"},
      {"keys are case-sensitive", "Name=Site\r\n", "<absent>"},
      {"a longer key is another key", "names=Site\r\n", "<absent>"},
      {"a key inside a value is no key", "title=x name=Site\r\n", "<absent>"},
      {"the value may hold =", "name=A=B\r\n", "A=B"},
      {"blanks are kept", "name=  Site  \r\n", "  Site  "},
      {"an empty value is a value", "name=\r\n", ""},
      {"LF line ends", "other=1\nname=Site\n", "Site"},
      {"the last line needs no line end", "other=1\r\nname=Site", "Site"},
      {"a lone CR stays in the value", "name=a\rb\r\n", "a\rb"},
      {"a later line after junk", std::string("\0\xff\x01", 3) + "\r\nname=Site\r\n", "Site"},
  };
  for (const LookupCase& c : cases) {
    EXPECT_EQ(KeyValueText::FromText(c.text).Text("name", "<absent>"), c.expected) << c.label;
  }
}

TEST(KeyValueTextTest, NumbersAreSixteenBitDecimals) {
  const KeyValueText text =
      KeyValueText::FromText("a=12\r\nb=-32768\r\nc=abc\r\nd=32768\r\ne=\r\nf=1x\r\n");
  EXPECT_EQ(text.Number("a", 5), 12);
  EXPECT_EQ(text.Number("b", 5), -32768);
  EXPECT_EQ(text.Number("missing", 5), 5);
  const std::pair<const char*, int> failures[] = {
      {"c", kTypeMismatch}, {"d", kOverflow}, {"e", kTypeMismatch}, {"f", kTypeMismatch}};
  for (const auto& [key, number] : failures) {
    const TarveloError error = RaisedBy([&] { text.Number(key, 0); });
    EXPECT_EQ(error.number, number) << key;
    EXPECT_EQ(error.description, RuntimeErrorText(number)) << key;
  }
}

TEST(KeyValueTextTest, ReadsFilesWithLongLinesAndJunk) {
  TempDir dir;
  FileStore files;
  const std::string long_value(100000, 'x');
  WriteFile(dir / "a.ini", std::string("\0\0\xfe", 3) + "\r\nlong=" + long_value +
                               "\nname=Site\r\n" + std::string(3000, '\0'));
  const KeyValueText text = KeyValueText::Read(files, dir / "a.ini");
  EXPECT_EQ(text.Text("long", ""), long_value);
  EXPECT_EQ(text.Text("name", ""), "Site");

  EXPECT_EQ(RaisedBy([&] { KeyValueText::Read(files, dir / "missing.ini"); }).number,
            kFileNotFound);
}

TEST(KeyValueWriterTest, WritesTrimmedLinesWithCrLfAndReadsThemBack) {
  TempDir dir;
  FileStore files;
  KeyValueWriter writer;
  writer.Add("name", "  My Site  ");
  writer.Add("max-docs", Int16{-7});
  writer.Add("exceptions", "A=B");
  writer.Add("empty", "");
  writer.WriteTo(files, dir / "a.ini");
  EXPECT_EQ(ReadFile(dir / "a.ini"), "name=My Site\r\nmax-docs=-7\r\nexceptions=A=B\r\nempty=\r\n");

  const KeyValueText text = KeyValueText::Read(files, dir / "a.ini");
  EXPECT_EQ(text.Text("name", ""), "My Site");
  EXPECT_EQ(text.Number("max-docs", 0), -7);
  EXPECT_EQ(text.Text("exceptions", ""), "A=B");
}

TEST(KeyValueWriterTest, AValueCannotAddALineOfItsOwn) {
  TempDir dir;
  FileStore files;
  KeyValueWriter writer;
  writer.Add("name", "Site\r\ndocument-root=/evil\nx");
  writer.Add("document-root", "/real");
  writer.WriteTo(files, dir / "a.ini");
  const KeyValueText text = KeyValueText::Read(files, dir / "a.ini");
  EXPECT_EQ(text.Text("document-root", ""), "/real");
  EXPECT_EQ(text.Text("name", ""), "Site document-root=/evil x");
}

}  // namespace
}  // namespace tarvelo
