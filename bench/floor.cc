// The file-system floor of a generation run: the least the disk work of putting N
// outputs in place can cost, with no generator in the way. Reads every file under
// SOURCE (the outputs of a run, from the page cache) and puts its bytes under TARGET
// at the same relative path, one of three ways:
//
//   write     into empty folders: create, write, close (TARGET must not exist)
//   rename    over the old files: write a sibling, rename it over the old file
//   exchange  write a sibling, exchange it with the old file, unlink the old bytes
//
// usage: floor write|rename|exchange SOURCE TARGET     prints files and bytes put
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "floor: %s: %s\n", what.c_str(), std::strerror(errno));
  std::exit(1);
}

std::string ReadFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail(path);
  std::string bytes;
  char buffer[64 * 1024];
  ssize_t got;
  while ((got = ::read(fd, buffer, sizeof buffer)) > 0) bytes.append(buffer, got);
  if (got < 0) Fail(path);
  ::close(fd);
  return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes, int flags) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0644);
  if (fd < 0) Fail(path);
  if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) Fail(path);
  if (::close(fd) != 0) Fail(path);
}

std::string Sibling(const std::string& target) {
  const size_t slash = target.rfind('/');
  return target.substr(0, slash + 1) + "." + target.substr(slash + 1) + ".floor.tmp";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: floor write|rename|exchange SOURCE TARGET\n");
    return 2;
  }
  const std::string mode = argv[1];
  const std::filesystem::path source = argv[2];
  const std::filesystem::path target = argv[3];
  if (mode != "write" && mode != "rename" && mode != "exchange") return 2;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(source)) {
    if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
      files.push_back(std::filesystem::relative(entry.path(), source));
  }
  long long bytes_put = 0;
  std::filesystem::path made;
  for (const std::filesystem::path& relative : files) {
    const std::string bytes = ReadFile((source / relative).string());
    const std::string out = (target / relative).string();
    bytes_put += static_cast<long long>(bytes.size());
    if (mode == "write") {
      if (relative.parent_path() != made) {
        std::filesystem::create_directories((target / relative).parent_path());
        made = relative.parent_path();
      }
      WriteFile(out, bytes, O_EXCL);
      continue;
    }
    const std::string sibling = Sibling(out);
    WriteFile(sibling, bytes, O_TRUNC);
    if (mode == "rename") {
      if (::rename(sibling.c_str(), out.c_str()) != 0) Fail(out);
    } else {
      if (::renameat2(AT_FDCWD, sibling.c_str(), AT_FDCWD, out.c_str(), RENAME_EXCHANGE) != 0)
        Fail(out);
      if (::unlink(sibling.c_str()) != 0) Fail(sibling);
    }
  }
  std::printf("%zu files, %lld bytes\n", files.size(), bytes_put);
  return 0;
}
