// PreviewServer: serves the generated site over HTTP on its own threads, so requests
// never wait for a generation run, and tells the pages it served to reload (a
// Server-Sent Events stream) after a run that generated Documents.
#ifndef TARVELO_CLI_PREVIEW_SERVER_H_
#define TARVELO_CLI_PREVIEW_SERVER_H_

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace tarvelo {

class PreviewServer {
 public:
  explicit PreviewServer(std::string document_root);
  ~PreviewServer();
  PreviewServer(const PreviewServer&) = delete;
  PreviewServer& operator=(const PreviewServer&) = delete;

  /// Binds the address and port (0 picks a free port); false when that cannot be done
  /// (the port is in use, the address is not this machine's).
  bool Bind(const std::string& address, int port);
  int port() const { return port_; }

  /// Starts serving on the server's own threads, which never take Ctrl+C.
  void Start();
  /// Ends every stream and request and waits for the threads.
  void Stop();

  /// The folder served from now on (the project file may have been read again).
  void SetDocumentRoot(std::string document_root);
  /// Pages served before now reload themselves.
  void NotifyReload();

 private:
  void ServeFile(const httplib::Request& request, httplib::Response& response);
  void ServeReloadStream(const httplib::Request& request, httplib::Response& response);

  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string document_root_;
  std::uint64_t generation_ = 0;  // runs that generated Documents
  bool stopping_ = false;
};

/// The script put into served HTML pages: it reloads the page when a run after
/// `generation` has generated Documents.
std::string ReloadScript(std::uint64_t generation);

}  // namespace tarvelo

#endif  // TARVELO_CLI_PREVIEW_SERVER_H_
