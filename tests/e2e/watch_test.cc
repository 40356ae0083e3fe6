// End-to-end: tarvelo-cli --watch --serve=0 on a fixture Project, driven like a person
// editing in one window and looking in a browser in another. Every wait polls with a
// generous deadline, so a loaded machine only makes the test slower.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <thread>

#include "e2e/cli_runner.h"
#include "support/test_support.h"

extern char** environ;

namespace tarvelo::testing {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kDeadline = std::chrono::seconds(15);

// Polls `done` every 20 ms until it holds or the deadline passes.
bool Eventually(const std::function<bool()>& done, std::chrono::milliseconds limit = kDeadline) {
  const auto until = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

int ConnectLoopback(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Sends a raw request for `target` (sent exactly as given) and reads until `enough`
// holds for what arrived, the peer closes, or five seconds pass.
std::string Request(int port, const std::string& target,
                    const std::function<bool(const std::string&)>& enough = nullptr,
                    const std::function<void()>& after_sending = nullptr) {
  const int fd = ConnectLoopback(port);
  if (fd < 0) return "";
  const std::string request =
      "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
  if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) < 0) {
    ::close(fd);
    return "";
  }
  if (after_sending) after_sending();
  std::string reply;
  const auto until = Clock::now() + std::chrono::seconds(5);
  char buffer[4096];
  while (Clock::now() < until && !(enough && enough(reply))) {
    pollfd entry{fd, POLLIN, 0};
    if (::poll(&entry, 1, 100) <= 0) continue;
    const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    reply.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  return reply;
}

int StatusOf(const std::string& reply) {
  return reply.size() > 12 ? std::atoi(reply.c_str() + 9) : 0;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class WatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    site_ = dir_ / "site";
    home_ = dir_ / "home";
    out_ = dir_ / "cli.out";
    WriteSiteFile(site_, "Watched");
    WriteFile(site_ + "/src/project.txt",
              "[Main]\r\nindex.html,page.tpl,index.par\r\nabout.html,page.tpl,about.par\r\n");
    WriteFile(site_ + "/src/page.tpl", "<html><body>\r\n<p>[@BODY]</p>\r\n</body></html>\r\n");
    Body("index.par", "First");
    Body("about.par", "About");
    WriteFile(site_ + "/out/docs/readme.txt", "plain\n");
    ::symlink((site_ + "/site.web").c_str(), (site_ + "/out/leak.html").c_str());
  }

  void TearDown() override {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  void Body(const std::string& name, const std::string& text) {
    WriteFile(site_ + "/src/" + name, "[@BODY]:\r\n" + text + "\r\n[@]\r\n");
  }

  // Starts the watch and waits until it serves and watches; false when it did not.
  bool StartWatch() {
    std::vector<std::string> args = {TARVELO_CLI_PATH, "/project=" + site_ + "/site.web", "--watch",
                                     "--serve=0"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env = {"TARVELO_HOME=" + home_, "TZ=UTC", "PATH=/usr/bin:/bin",
                                    "HOME=" + home_};
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    const std::string serving = "Serving: \thttp://127.0.0.1:";
    return Eventually([&] {
      const std::string printed = Printed();
      const size_t at = printed.find(serving);
      if (printed.find("Watching: ") == std::string::npos || at == std::string::npos) {
        return false;
      }
      port_ = std::atoi(printed.c_str() + at + serving.size());
      return true;
    });
  }

  std::string Printed() const { return ReadFile(out_); }

  // The served page once it shows `text`; empty when it never did.
  std::string PageShowing(const std::string& target, const std::string& text) {
    std::string page;
    Eventually([&] {
      page = Request(port_, target);
      return page.find(text) != std::string::npos;
    });
    return page.find(text) != std::string::npos ? page : "";
  }

  // Ctrl+C, and the exit status once the program has ended (-1 when it did not).
  int Interrupt() {
    ::kill(pid_, SIGINT);
    int status = 0;
    const bool ended = Eventually([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; });
    if (!ended) return -1;
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  TempDir dir_;
  std::string site_;
  std::string home_;
  std::string out_;
  pid_t pid_ = -1;
  int port_ = 0;
};

TEST_F(WatchTest, SavedContentFileReachesTheBrowserWithTheReloadScript) {
  ASSERT_TRUE(StartWatch()) << Printed();
  const std::string first = PageShowing("/", "<p>First</p>");
  ASSERT_FALSE(first.empty()) << Printed();
  EXPECT_NE(first.find("<script>"), std::string::npos);
  EXPECT_LT(first.find("<script>"), first.find("</body>"));
  EXPECT_EQ(ReadFile(site_ + "/out/index.html").find("<script>"), std::string::npos);

  // The open page's reload stream fires once the save (by rename, as editors do) has
  // been generated. The output is dated later than the save, as it is when the save
  // falls in the second of the last run: the watch still knows what changed.
  SetModified(site_ + "/out/index.html", std::time(nullptr) + 3600);
  const std::string stream = Request(
      port_, "/__tarvelo/reload?since=0",
      [](const std::string& reply) { return reply.find("data: reload") != std::string::npos; },
      [&] {
        WriteFile(site_ + "/src/index.new", "[@BODY]:\r\nSecond\r\n[@]\r\n");
        ::rename((site_ + "/src/index.new").c_str(), (site_ + "/src/index.par").c_str());
      });
  EXPECT_NE(stream.find("data: reload"), std::string::npos) << Printed();
  EXPECT_FALSE(PageShowing("/index.html", "<p>Second</p>").empty()) << Printed();
  EXPECT_NE(Printed().find("Watch: index.par changed; 1 Document generated"), std::string::npos);

  const std::string readme = Request(port_, "/docs/readme.txt");
  EXPECT_EQ(StatusOf(readme), 200);
  EXPECT_EQ(readme.find("<script>"), std::string::npos);
  for (const std::string target : {"/../site.web", "/%2e%2e/site.web", "/docs/..%2f..%2fsite.web",
                                   "/leak.html", "/docs/", "/nothing-here.html"}) {
    EXPECT_EQ(StatusOf(Request(port_, target)), 404) << target;
  }
  EXPECT_EQ(Interrupt(), 0);
}

TEST_F(WatchTest, BurstOfSavesGivesAtMostTwoRuns) {
  ASSERT_TRUE(StartWatch()) << Printed();
  for (int i = 1; i <= 200; ++i) {
    Body(i % 2 == 0 ? "index.par" : "about.par", "Burst " + std::to_string(i));
  }
  EXPECT_FALSE(PageShowing("/index.html", "<p>Burst 200</p>").empty()) << Printed();
  EXPECT_FALSE(PageShowing("/about.html", "<p>Burst 199</p>").empty()) << Printed();
  // A late second run may still come; a third may not.
  Eventually([&] { return Count(Printed(), "Watch: ") > 2; }, std::chrono::milliseconds(600));
  EXPECT_LE(Count(Printed(), "Watch: "), 2u) << Printed();
  EXPECT_EQ(Interrupt(), 0);
}

TEST_F(WatchTest, ProjectFileThatVanishesIsAwaitedThenRegeneratesEverything) {
  ASSERT_TRUE(StartWatch()) << Printed();
  const std::string project = site_ + "/site.web";
  ASSERT_EQ(::rename(project.c_str(), (project + ".away").c_str()), 0);
  EXPECT_TRUE(Eventually([&] {
    return Printed().find("Watch: the project file " + project + " is missing") !=
           std::string::npos;
  })) << Printed();
  ASSERT_EQ(::rename((project + ".away").c_str(), project.c_str()), 0);
  EXPECT_TRUE(Eventually([&] {
    return Printed().find("Watch: site.web changed; 2 Documents generated") != std::string::npos;
  })) << Printed();
  EXPECT_EQ(Interrupt(), 0);
}

TEST_F(WatchTest, PortInUseEndsBeforeAnyRun) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(fd, 1), 0);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  const std::string port = std::to_string(ntohs(address.sin_port));

  const CliResult result = RunCli(home_, {"/project=" + site_ + "/site.web", "--serve=" + port});
  ::close(fd);
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("port " + port), std::string::npos) << result.err;
  EXPECT_FALSE(Exists(site_ + "/out/index.html"));
}

}  // namespace
}  // namespace tarvelo::testing
