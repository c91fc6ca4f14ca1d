#include "server/http_server.h"

#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

HttpRequest FromLibrary(const httplib::Request& in) {
  HttpRequest out;
  out.method = in.method;
  out.path = in.path;
  for (const auto& [key, value] : in.params) out.query.emplace(key, value);
  for (const auto& [key, value] : in.headers) {
    std::string name = key;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    out.headers.emplace(std::move(name), value);
  }
  out.body = in.body;
  out.remoteAddress = in.remote_addr;
  return out;
}

// The library listens with a backlog of 5 connections (CPPHTTPLIB_LISTEN_BACKLOG, fixed when
// Debian built it): a crowd of clients connecting at once would see their connections dropped
// and retried a second later. Listening again on the same socket raises the backlog; the socket
// is the one of this process that listens on `port`.
void RaiseListenBacklog(int port) {
  for (int fd = 0; fd < 1024; ++fd) {
    int listening = 0;
    socklen_t size = sizeof listening;
    sockaddr_storage address{};
    socklen_t addressSize = sizeof address;
    if (getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size) != 0 || !listening ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &addressSize) != 0)
      continue;
    const int boundPort = address.ss_family == AF_INET6
                              ? ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port)
                              : ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
    if (boundPort == port) listen(fd, SOMAXCONN);
  }
}

}  // namespace

bool Serve(Api& api, const ServerConfig& config, size_t maxBodyBytes,
           const std::function<void(int port)>& onListening, StopSwitch& stop) {
  httplib::Server server;
  const size_t threads = static_cast<size_t>(config.httpThreads);
  server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  server.set_payload_max_length(maxBodyBytes);
  // A client that sends nothing for 5 s loses its connection, so that slow clients cannot hold
  // every thread.
  server.set_read_timeout(5, 0);
  server.set_write_timeout(5, 0);
  server.set_keep_alive_timeout(5);
  const auto handler = [&api](const httplib::Request& request, httplib::Response& response) {
    const HttpResponse answer = api.Handle(FromLibrary(request));
    response.status = answer.status;
    for (const auto& [name, value] : answer.headers) response.set_header(name, value);
    if (!answer.body.empty() || !answer.contentType.empty())
      response.set_content(answer.body, answer.contentType.c_str());
  };
  server.Get(".*", handler)
      .Post(".*", handler)
      .Put(".*", handler)
      .Delete(".*", handler)
      .Patch(".*", handler)
      .Options(".*", handler);
  const int port =
      config.listenPort == 0
          ? server.bind_to_any_port(config.listenHost)
          : (server.bind_to_port(config.listenHost, config.listenPort) ? config.listenPort : -1);
  if (port < 0) {
    std::fprintf(stderr, "moravin-server: cannot listen on %s:%d\n", config.listenHost.c_str(),
                 config.listenPort);
    return false;
  }
  RaiseListenBacklog(port);
  onListening(port);
  stop.Arm([&server] { server.stop(); });
  const bool served = server.listen_after_bind();
  stop.Arm(nullptr);
  return served;
}

void StopSwitch::Request() {
  std::lock_guard lock(mutex_);
  requested_ = true;
  if (stop_) stop_();
}

void StopSwitch::Arm(std::function<void()> stop) {
  std::lock_guard lock(mutex_);
  stop_ = std::move(stop);
  if (requested_ && stop_) stop_();
}
