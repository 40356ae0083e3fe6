// The splitting of launcher commands into words.
#include "common/shell_words.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(ShellWordsTest, SplitsLikeAShellWithoutOne) {
  struct Case {
    const char* text;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"xdg-open /a/b.html", {"xdg-open", "/a/b.html"}},
      {"  editor   'my file.txt' +12 ", {"editor", "my file.txt", "+12"}},
      {"sh -c \"echo \\\"hi\\\" $HOME\"", {"sh", "-c", "echo \"hi\" $HOME"}},
      {"a\\ b c;rm", {"a b", "c;rm"}},
      {"''", {""}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.text), c.words) << c.text;
}

}  // namespace
}  // namespace tarvelo
