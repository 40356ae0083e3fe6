// The preview server's path check, content types and script injection.
#include "cli/served_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/test_support.h"

namespace tarvelo::testing {
namespace {

TEST(ServedFilePath, ServesFilesUnderTheRootOnly) {
  TempDir dir;
  const std::string root = dir / "out";
  WriteFile(root + "/index.html", "home");
  WriteFile(root + "/docs/index.html", "docs");
  WriteFile(root + "/a b.html", "spaced");
  WriteFile(root + "/empty/.keep", "");
  WriteFile(dir / "secret.txt", "secret");
  WriteFile(dir / "out-sibling/page.html", "sibling");
  ::symlink((dir / "secret.txt").c_str(), (root + "/leak.txt").c_str());
  ::symlink((root + "/docs").c_str(), (root + "/alias").c_str());
  ::symlink((dir / "out-sibling/page.html").c_str(), (root + "/sibling.html").c_str());
  const std::string real = ServedFilePath(root, "/").value_or("");
  ASSERT_FALSE(real.empty());
  const std::string real_root = real.substr(0, real.size() - std::string("/index.html").size());

  const struct {
    const char* target;
    const char* served;  // under the root; nullptr: refused
  } cases[] = {
      {"/", "/index.html"},
      {"/index.html?reload=1#top", "/index.html"},
      {"/docs", "/docs/index.html"},
      {"/docs/", "/docs/index.html"},
      {"/a%20b.html", "/a b.html"},
      {"/alias/index.html", "/docs/index.html"},  // a symlink that stays inside
      {"/../secret.txt", nullptr},
      {"/docs/../../secret.txt", nullptr},
      {"/%2e%2e/secret.txt", nullptr},
      {"/%2E%2E/secret.txt", nullptr},
      {"/docs/..%2f..%2fsecret.txt", nullptr},
      {"/docs%5c..%5c..%5csecret.txt", nullptr},
      {"/..\\secret.txt", nullptr},
      {"/./index.html", nullptr},
      {"/../out-sibling/page.html", nullptr},
      {"/leak.txt", nullptr},
      {"/sibling.html", nullptr},  // a sibling folder whose name begins like the root's
      {"//etc/passwd", nullptr},
      {"etc/passwd", nullptr},
      {"http://127.0.0.1/index.html", nullptr},
      {"/index.html%00.txt", nullptr},
      {"/%zz", nullptr},
      {"/index.html%2", nullptr},
      {"/empty", nullptr},  // a folder without index.html is never listed
      {"/missing.html", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<std::string> served = ServedFilePath(root, c.target);
    if (c.served == nullptr) {
      EXPECT_FALSE(served.has_value()) << c.target << " gave " << served.value_or("");
    } else {
      EXPECT_EQ(served.value_or("(refused)"), real_root + c.served) << c.target;
    }
  }
}

TEST(ServedFile, ContentTypesAndTheScriptInTheBody) {
  EXPECT_EQ(ContentTypeFor("/site/index.HTML"), "text/html; charset=utf-8");
  EXPECT_EQ(ContentTypeFor("/site/style.css"), "text/css; charset=utf-8");
  EXPECT_EQ(ContentTypeFor("/site.d/README"), "application/octet-stream");

  const struct {
    const char* html;
    const char* injected;
  } cases[] = {
      {"<html><body>x</body></html>", "<html><body>x<s></body></html>"},
      {"<BODY>x</BODY>", "<BODY>x<s></BODY>"},
      {"<p>a</body> in text</p></body>", "<p>a</body> in text</p><s></body>"},
      {"no body", "no body<s>"},
  };
  for (const auto& c : cases) EXPECT_EQ(InjectBeforeBodyEnd(c.html, "<s>"), c.injected);
}

}  // namespace
}  // namespace tarvelo::testing
