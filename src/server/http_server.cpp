#include "server/http_server.h"

#include <httplib.h>

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
