// The list of generated files.
#include "generation/reporting.h"

#include <gtest/gtest.h>

#include "project/file_store.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

TEST(ReportingTest, GeneratedFilesListIgnoresFailures) {
  testing::TempDir dir;
  FileStore files;
  const std::string list = dir / "generate.txt";
  WriteGeneratedFile(files, list, "", true, false);
  WriteGeneratedFile(files, list, "/out/a.html", false, true);
  WriteGeneratedFile(files, list, "/out/b.html", false, true);
  EXPECT_EQ(testing::ReadFile(list), "/out/a.html\r\n/out/b.html\r\n");
  WriteGeneratedFile(files, dir / "missing/generate.txt", "/out/c.html", false, true);
  EXPECT_FALSE(testing::Exists(dir / "missing"));
}

}  // namespace
}  // namespace tarvelo
