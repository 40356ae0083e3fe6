// The server answers GET (and HEAD) only: files under the document root through the
// path check of served_file.h, and the reload stream. Files are read whole per
// request; generation renames outputs into place, so a read sees the old or the new
// Document, never half of one.
#include "cli/preview_server.h"

#include <httplib.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/served_file.h"

namespace tarvelo {
namespace {

constexpr const char* kReloadPath = "/__tarvelo/reload";
// Reload streams hold a thread each, so the pool is larger than the usual few.
constexpr size_t kThreads = 32;
constexpr auto kKeepAliveEvery = std::chrono::seconds(10);

bool ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool IsHtml(const std::string& type) {
  return type.rfind("text/html", 0) == 0;
}

void NotFound(httplib::Response& response) {
  response.status = 404;
  response.set_content("Not found\n", "text/plain; charset=utf-8");
}

}  // namespace

std::string ReloadScript(std::uint64_t generation) {
  return "<script>(function(){var s=new EventSource(\"" + std::string(kReloadPath) +
         "?since=" + std::to_string(generation) +
         "\");s.onmessage=function(){s.close();location.reload();};})();</script>";
}

PreviewServer::PreviewServer(std::string document_root)
    : server_(std::make_unique<httplib::Server>()), document_root_(std::move(document_root)) {
  server_->new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
  server_->set_keep_alive_timeout(2);
  server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
    if (request.path == kReloadPath) {
      ServeReloadStream(request, response);
    } else {
      ServeFile(request, response);
    }
  });
}

PreviewServer::~PreviewServer() {
  Stop();
}

bool PreviewServer::Bind(const std::string& address, int port) {
  if (port == 0) {
    port_ = server_->bind_to_any_port(address);
    return port_ > 0;
  }
  port_ = port;
  return server_->bind_to_port(address, port);
}

void PreviewServer::Start() {
  sigset_t interrupt;
  sigset_t previous;
  sigemptyset(&interrupt);
  sigaddset(&interrupt, SIGINT);
  pthread_sigmask(SIG_BLOCK, &interrupt, &previous);
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  // Stop() before the listening loop runs would leave it running for ever.
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void PreviewServer::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) {
    server_->stop();
    thread_.join();
  }
}

void PreviewServer::SetDocumentRoot(std::string document_root) {
  std::lock_guard<std::mutex> lock(mutex_);
  document_root_ = std::move(document_root);
}

void PreviewServer::NotifyReload() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
  }
  changed_.notify_all();
}

void PreviewServer::ServeFile(const httplib::Request& request, httplib::Response& response) {
  std::string root;
  std::uint64_t generation = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    root = document_root_;
    generation = generation_;
  }
  const std::optional<std::string> path = ServedFilePath(root, request.target);
  std::string body;
  if (!path || !ReadWholeFile(*path, body)) return NotFound(response);
  const std::string type = ContentTypeFor(*path);
  if (IsHtml(type)) body = InjectBeforeBodyEnd(std::move(body), ReloadScript(generation));
  response.set_header("Cache-Control", "no-store");
  response.set_content(std::move(body), type.c_str());
}

void PreviewServer::ServeReloadStream(const httplib::Request& request,
                                      httplib::Response& response) {
  std::uint64_t since = 0;
  try {
    since = std::stoull(request.get_param_value("since"));
  } catch (const std::exception&) {
    since = 0;  // a page without a number reloads after the next run
  }
  {
    // A page from an earlier session of the server may carry a larger number.
    std::lock_guard<std::mutex> lock(mutex_);
    since = std::min(since, generation_);
  }
  response.set_header("Cache-Control", "no-store");
  response.set_chunked_content_provider(
      "text/event-stream", [this, since](size_t, httplib::DataSink& sink) {
        std::unique_lock<std::mutex> lock(mutex_);
        const bool woken = changed_.wait_for(lock, kKeepAliveEvery,
                                             [&] { return stopping_ || generation_ > since; });
        const bool reload = woken && !stopping_;
        const bool stop = stopping_;
        lock.unlock();
        if (reload) {
          const std::string event = "data: reload\n\n";
          sink.write(event.data(), event.size());
          sink.done();
        } else if (stop) {
          sink.done();
        } else {
          const std::string ping = ": ping\n\n";
          if (!sink.write(ping.data(), ping.size())) return false;
        }
        return true;
      });
}

}  // namespace tarvelo
