// FileStore: the port rules for separators, drives, line ends, read-only and
// whole-file rewrites.
#include "project/file_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "common/error.h"
#include "project/file_locks.h"
#include "support/raised_by.h"
#include "support/test_support.h"

namespace tarvelo {
namespace {

using namespace testing;

std::vector<std::string> ReadLines(const FileStore& files, const std::string& path) {
  TextReader reader = files.OpenTextFile(path);
  std::vector<std::string> lines;
  while (!reader.AtEndOfStream()) lines.push_back(reader.ReadLine());
  reader.Close();
  return lines;
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileStoreTest, LinesEndAtLfAndKeepALoneCr) {
  TempDir dir;
  FileStore files;
  WriteFile(dir / "a.txt", "one\r\ntwo\nthr\ree\r\n\r\nlast");
  EXPECT_EQ(ReadLines(files, dir / "a.txt"),
            (std::vector<std::string>{"one", "two", "thr\ree", "", "last"}));
  WriteFile(dir / "empty.txt", "");
  EXPECT_TRUE(ReadLines(files, dir / "empty.txt").empty());
  WriteFile(dir / "crlf.txt", "x\r\n");
  EXPECT_EQ(ReadLines(files, dir / "crlf.txt"), std::vector<std::string>{"x"});
}

TEST(FileStoreTest, ReadsLinesLongerThanTheBuffer) {
  TempDir dir;
  FileStore files;
  const std::string long_line(300000, 'x');
  WriteFile(dir / "long.txt", long_line + "\r\nshort\r\n" + std::string(1, '\0') + "bin");
  const auto lines = ReadLines(files, dir / "long.txt");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], long_line);
  EXPECT_EQ(lines[1], "short");
  EXPECT_EQ(lines[2], std::string(1, '\0') + "bin");
}

// Text this program has just written is read again from memory: it must read
// exactly as its file does.
TEST(FileStoreTest, TextInMemoryReadsAsItsFile) {
  TempDir dir;
  FileStore files;
  const std::string long_line(200000, 'y');
  for (const std::string& text :
       {std::string("one\r\ntwo\nthr\ree\r\n\r\nlast"), std::string(), std::string("x\r\n"),
        long_line + "\r\n" + long_line, std::string(65536, 'z') + "\r\nend\r\n"}) {
    WriteFile(dir / "a.txt", text);
    TextReader reader = TextReader::FromText(text, dir / "a.txt");
    std::vector<std::string> lines;
    while (!reader.AtEndOfStream()) lines.push_back(reader.ReadLine());
    EXPECT_EQ(lines, ReadLines(files, dir / "a.txt")) << text.substr(0, 20);
    EXPECT_THROW(reader.ReadLine(), TarveloError);
  }
}

TEST(FileStoreTest, WritersKeepACopyOnlyWithinItsLimit) {
  TempDir dir;
  FileStore files;
  WriteFile(dir / "pass.1", std::string(300, 'o'));  // an older, longer pass file
  struct Case {
    size_t limit;
    int lines;
    bool kept;
  };
  for (const Case& c :
       {Case{1000, 3, true}, Case{1000, 0, true}, Case{10, 3, false}, Case{100000, 20000, false}}) {
    TextWriter writer = files.CreateTextFile(dir / "pass.1");
    writer.KeepCopy(c.limit);
    for (int i = 0; i < c.lines; ++i) writer.WriteLine("line " + std::to_string(i));
    std::string copy = "stale";
    EXPECT_FALSE(writer.TakeCopy(copy));  // not before Close()
    writer.Close();
    EXPECT_EQ(writer.TakeCopy(copy), c.kept) << c.limit << " " << c.lines;
    if (c.kept) {
      EXPECT_EQ(copy, ReadFile(dir / "pass.1"));
    }
  }
  TextWriter plain = files.CreateTextFile(dir / "pass.2");
  plain.WriteLine("x");
  plain.Close();
  std::string copy;
  EXPECT_FALSE(plain.TakeCopy(copy));
}

TEST(FileStoreTest, ReadingPastTheEndRaisesInputPastEnd) {
  TempDir dir;
  FileStore files;
  WriteFile(dir / "a.txt", "one");
  TextReader reader = files.OpenTextFile(dir / "a.txt");
  EXPECT_EQ(reader.ReadLine(), "one");
  EXPECT_EQ(RaisedBy([&] { reader.ReadLine(); }).number, kInputPastEndOfFile);
}

TEST(FileStoreTest, OpenErrorsNameThePath) {
  TempDir dir;
  FileStore files;
  const TarveloError missing = RaisedBy([&] { files.OpenTextFile(dir / "missing.txt"); });
  EXPECT_EQ(missing.number, kFileNotFound);
  EXPECT_EQ(missing.description, "File not found (" + (dir / "missing.txt") + ")");
  EXPECT_EQ(RaisedBy([&] { files.OpenTextFile(dir / "nofolder/missing.txt"); }).number,
            kPathNotFound);
  EXPECT_EQ(RaisedBy([&] { files.OpenTextFile(dir.path()); }).number, kPathFileAccessError);
}

TEST(FileStoreTest, BackslashesAndDrivesMapToTheDisk) {
  TempDir dir;
  FileStore files({{'W', dir.path()}});
  WriteFile(dir / "site/page.txt", "x");
  EXPECT_TRUE(files.FileExists("W:\\site\\page.txt"));
  EXPECT_TRUE(files.FileExists("w:/site\\page.txt"));
  EXPECT_TRUE(files.FolderExists("W:\\site\\"));
  EXPECT_FALSE(files.FileExists("W:\\site"));
  EXPECT_EQ(files.DiskPath("C:\\web\\a.txt"), "/web/a.txt");
  EXPECT_EQ(files.DiskPath("rel\\a.txt"), "rel/a.txt");
}

TEST(FileStoreTest, WritersEndLinesWithCrLf) {
  TempDir dir;
  FileStore files;
  TextWriter writer = files.CreateTextFile(dir / "out.txt");
  writer.WriteLine("a");
  writer.Write("b");
  writer.Write("c");
  writer.WriteLine("");
  writer.Close();
  EXPECT_EQ(ReadFile(dir / "out.txt"), "a\r\nbc\r\n");
  TextWriter append = files.OpenTextFileForAppending(dir / "out.txt");
  append.WriteLine("d");
  append.Close();
  EXPECT_EQ(ReadFile(dir / "out.txt"), "a\r\nbc\r\nd\r\n");
  EXPECT_THROW(files.OpenTextFileForAppending(dir / "none.txt"), TarveloError);
}

TEST(FileStoreTest, CreateCutsTheOldTailAlsoWithoutClose) {
  TempDir dir;
  FileStore files;
  WriteFile(dir / "pass.0", std::string(5000, 'x'));
  TextWriter writer = files.CreateTextFile(dir / "pass.0");
  writer.WriteLine("short");
  writer.Close();
  EXPECT_EQ(ReadFile(dir / "pass.0"), "short\r\n");
  WriteFile(dir / "log.txt", "a much longer old line\r\n");
  {
    TextWriter dropped = files.CreateTextFile(dir / "log.txt");
    dropped.WriteLine("new");
  }
  EXPECT_EQ(ReadFile(dir / "log.txt"), "new\r\n");
  TextWriter empty = files.CreateTextFile(dir / "log.txt");
  empty.Close();
  EXPECT_EQ(ReadFile(dir / "log.txt"), "");
}

TEST(FileStoreTest, ReplaceLeavesTheOldFileUntilClose) {
  TempDir dir;
  FileStore files;
  WriteFile(dir / "site.web", "old\r\n");
  ::chmod((dir / "site.web").c_str(), 0640);
  {
    TextWriter writer = files.ReplaceTextFile(dir / "site.web");
    writer.WriteLine("new");
    EXPECT_EQ(ReadFile(dir / "site.web"), "old\r\n");
    // Destroyed without Close: the old file stays and no temporary file is left.
  }
  EXPECT_EQ(ReadFile(dir / "site.web"), "old\r\n");
  TextWriter writer = files.ReplaceTextFile(dir / "site.web");
  writer.WriteLine("new");
  writer.Close();
  EXPECT_EQ(ReadFile(dir / "site.web"), "new\r\n");
  struct stat st;
  ASSERT_EQ(::stat((dir / "site.web").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

// A copy from a file and bytes put from memory end the same way.
void PutByEachWay(const FileStore& files, TempDir& dir, int way, const std::string& bytes,
                  const std::string& destination, TextWriter* finished = nullptr) {
  if (way == 1) {
    files.PutBytes(bytes, destination, finished);
    return;
  }
  WriteFile(dir / "source.txt", bytes);
  files.CopyFile(dir / "source.txt", destination, finished);
}

TEST(FileStoreTest, AFinishedCopyIsPutInPlaceOnlyWhenClosed) {
  for (int way = 0; way < 2; ++way) {
    TempDir dir;
    FileStore files;
    WriteFile(dir / "out.html", "old");
    TextWriter finished;
    PutByEachWay(files, dir, way, "new", dir / "out.html", &finished);
    EXPECT_EQ(ReadFile(dir / "out.html"), "old") << way;
    finished.Close();
    EXPECT_EQ(ReadFile(dir / "out.html"), "new") << way;
    // The same bytes again: only dated, nothing handed over.
    TextWriter nothing;
    PutByEachWay(files, dir, way, "new", dir / "out.html", &nothing);
    EXPECT_EQ(nothing.BytesWritten(), 0) << way;
    nothing.Close();
    std::vector<std::string> expected{"out.html"};
    if (way == 0) expected.push_back("source.txt");
    EXPECT_EQ(Names(dir.path()), expected) << way;  // no sibling left behind
  }
}

TEST(FileStoreTest, ANewFileIsNamedWholeEvenWhenItsNameWasTakenMeanwhile) {
  for (const bool taken : {false, true}) {
    TempDir dir;
    FileStore files;
    TextWriter writer = files.ReplaceTextFile(dir / "new.html");
    writer.WriteLine("new");
    EXPECT_FALSE(files.FileExists(dir / "new.html"));
    if (taken) WriteFile(dir / "new.html", "someone else's\r\n");
    writer.Close();
    EXPECT_EQ(ReadFile(dir / "new.html"), "new\r\n");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"new.html"}) << taken;
  }
}

TEST(FileStoreTest, CopyFileOverwritesAndKeepsPermissions) {
  for (int way = 0; way < 2; ++way) {
    TempDir dir;
    FileStore files;
    WriteFile(dir / "b.txt", "old");
    ::chmod((dir / "b.txt").c_str(), 0604);
    PutByEachWay(files, dir, way, "new bytes", dir / "b.txt");
    EXPECT_EQ(ReadFile(dir / "b.txt"), "new bytes");
    struct stat st;
    ASSERT_EQ(::stat((dir / "b.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0604u);
    // A new file takes its bits from the umask.
    const mode_t mask = ::umask(027);
    PutByEachWay(files, dir, way, "fresh", dir / "c.txt");
    ::umask(mask);
    ASSERT_EQ(::stat((dir / "c.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << way;
    EXPECT_EQ(ReadFile(dir / "c.txt"), "fresh");
    EXPECT_THROW(PutByEachWay(files, dir, way, "x", dir / "no/folder.txt"), TarveloError);
  }
  TempDir dir;
  FileStore files;
  EXPECT_THROW(files.CopyFile(dir / "none.txt", dir / "c.txt"), TarveloError);
  EXPECT_FALSE(files.FileExists(dir / "c.txt"));
}

TEST(FileStoreTest, CopyOntoTheSameBytesOnlyRenewsTheTime) {
  for (int way = 0; way < 2; ++way) {
    TempDir dir;
    FileStore files;
    WriteFile(dir / "out.html", "<p>same</p>\r\n");
    testing::SetModified(dir / "out.html", 1000000000);
    struct stat before;
    ASSERT_EQ(::stat((dir / "out.html").c_str(), &before), 0);
    PutByEachWay(files, dir, way, "<p>same</p>\r\n", dir / "out.html");
    struct stat after;
    ASSERT_EQ(::stat((dir / "out.html").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << way;
    EXPECT_GT(after.st_mtim.tv_sec, 1000000000);
    // Same size, other bytes: replaced; a longer or shorter file too.
    for (const char* other : {"<p>diff</p>\r\n", "<p>diff</p>\r\n!", "<p>"}) {
      PutByEachWay(files, dir, way, other, dir / "out.html");
      EXPECT_EQ(ReadFile(dir / "out.html"), other) << way;
    }
  }
  // A large file is streamed, not held: the same rules.
  TempDir dir;
  FileStore files;
  const std::string large(3 << 20, 'L');
  WriteFile(dir / "large.txt", large);
  files.CopyFile(dir / "large.txt", dir / "copy.txt");
  EXPECT_EQ(ReadFile(dir / "copy.txt"), large);
  struct stat before;
  ASSERT_EQ(::stat((dir / "copy.txt").c_str(), &before), 0);
  files.CopyFile(dir / "large.txt", dir / "copy.txt");
  struct stat after;
  ASSERT_EQ(::stat((dir / "copy.txt").c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST(FileStoreTest, AttributesDatesAndFolders) {
  TempDir dir;
  FileStore files;
  WriteFile(dir / "a.txt", "x");
  EXPECT_EQ(files.Attributes(dir / "a.txt") & 1, 0);
  testing::SetReadOnly(dir / "a.txt", true);
  EXPECT_EQ(files.Attributes(dir / "a.txt") & 1, 1);
  testing::SetModified(dir / "a.txt", 1700000000);
  EXPECT_EQ(files.DateLastModified(dir / "a.txt"), 1700000000);
  EXPECT_THROW(files.DateLastModified(dir / "none"), TarveloError);
  const FileFacts facts = files.Examine(dir / "a.txt");
  EXPECT_TRUE(facts.exists && facts.read_only && !facts.folder);
  EXPECT_EQ(facts.modified, 1700000000);
  EXPECT_FALSE(files.Examine(dir / "none").exists);
  EXPECT_FALSE(files.Examine("").exists);
  EXPECT_TRUE(files.Examine(dir.path()).folder);
  files.CreateFolder(dir / "sub\\");
  EXPECT_TRUE(files.FolderExists(dir / "sub"));
  EXPECT_THROW(files.CreateFolder(dir / "x/y/z"), TarveloError);
}

TEST(FileStoreTest, StaleTemporarySiblingsAreRemovedButNotLiveOnes) {
  TempDir dir;
  FileStore files;
  WriteFile(dir / "page.html", "old\r\n");
  WriteFile(dir / ".page.html.tarvelo-0.tmp", "");           // a killed writer's
  WriteFile(dir / ".page.html.tarvelo-2.tmp", "");           // a live writer's
  WriteFile(dir / ".other.html.tarvelo-123456789.tmp", "");  // an older program's
  WriteFile(dir / ".notes.tmp", "");                         // not ours
  const int live = ::open((dir / ".page.html.tarvelo-2.tmp").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(live, LOCK_EX), 0);

  // The first write into the folder sweeps it, even when the file stays as it was.
  files.CopyFile(dir / "page.html", dir / "page.html");
  EXPECT_EQ(Names(dir.path()),
            (std::vector<std::string>{".notes.tmp", ".page.html.tarvelo-2.tmp", "page.html"}));
  ::close(live);
  EXPECT_EQ(files.RemoveStaleTemporaryFiles(dir.path()), 1);

  // A stale sibling that turns up later is taken over by the next write of its file.
  WriteFile(dir / ".page.html.tarvelo-0.tmp", "");
  TextWriter writer = files.ReplaceTextFile(dir / "page.html");
  writer.WriteLine("new");
  writer.Close();
  EXPECT_EQ(ReadFile(dir / "page.html"), "new\r\n");
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{".notes.tmp", "page.html"}));
}

TEST(FileStoreTest, RewritingASymbolicLinkReplacesItsTarget) {
  TempDir dir;
  FileStore files;
  WriteFile(dir / "dotfiles/projects.ini", "old\r\n");
  std::filesystem::create_directories(dir / "home");
  std::filesystem::create_symlink("../dotfiles/projects.ini", dir / "home/link1");
  std::filesystem::create_symlink("link1", dir / "home/projects.ini");
  TextWriter writer = files.ReplaceTextFile(dir / "home/projects.ini");
  writer.WriteLine("new");
  writer.Close();
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "home/projects.ini"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "home/link1"));
  EXPECT_EQ(ReadFile(dir / "dotfiles/projects.ini"), "new\r\n");

  // A loop is an error that says so, for readers and writers alike.
  std::filesystem::create_symlink("loop2", dir / "home/loop1");
  std::filesystem::create_symlink("loop1", dir / "home/loop2");
  const std::string loop =
      "Path/File access error: the symbolic links loop (" + dir / "home/loop1" + ")";
  for (int write = 0; write < 2; ++write) {
    const TarveloError error = RaisedBy([&] {
      if (write == 1) {
        files.ReplaceTextFile(dir / "home/loop1");
      } else {
        files.OpenTextFile(dir / "home/loop1");
      }
    });
    EXPECT_EQ(error.number, kPathFileAccessError) << write;
    EXPECT_EQ(error.description, loop);
  }
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "home/loop1"));
}

TEST(FileStoreTest, AFullDiskIsDiskFull) {
  FileStore files;
  TextWriter writer = files.OpenTextFileForAppending("/dev/full");
  writer.WriteLine("line");
  const TarveloError error = RaisedBy([&] { writer.Close(); });
  EXPECT_EQ(error.number, 61);
  EXPECT_EQ(error.description, "Disk full (/dev/full)");
}

TEST(FileLocksTest, FolderLocksExcludeEachOtherAndEndWithTheirHolder) {
  TempDir dir;
  FileStore files;
  FolderLock first;
  FolderLock second;
  EXPECT_TRUE(first.TryLock(files, dir.path()));
  EXPECT_FALSE(second.TryLock(files, dir.path()));
  first.Release();
  EXPECT_TRUE(second.TryLock(files, dir.path()));
  EXPECT_THROW(first.TryLock(files, dir / "missing"), TarveloError);
}

}  // namespace
}  // namespace tarvelo
