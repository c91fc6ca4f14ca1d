// The HTTP client of the desktops: a thread of its own performs the calls one after the
// other through the system's transport, so the game's frame never waits for the network.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "system/http_client.h"

// One exchange, performed to its end (answer, error or timeout) on the client's thread. It
// gives up early, with an error, once `cancel` is set: the program is closing.
class IHttpTransport {
 public:
  virtual ~IHttpTransport() = default;
  virtual HttpReply Exchange(const HttpCall& call, const std::atomic<bool>& cancel) = 0;
  // Called from another thread once `cancel` is set, for a transport that must be told to end
  // the call in progress.
  virtual void Abort() {}
};

class BackgroundHttpClient : public IHttpClient {
 public:
  explicit BackgroundHttpClient(std::unique_ptr<IHttpTransport> transport);
  // Cancels the call in progress and drops those waiting.
  ~BackgroundHttpClient() override;

  Ticket Send(HttpCall call) override;
  std::optional<HttpReply> Take(Ticket ticket) override;

 private:
  void Work();

  std::unique_ptr<IHttpTransport> transport_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::pair<Ticket, HttpCall>> waiting_;
  std::map<Ticket, HttpReply> answered_;
  Ticket next_ = 1;
  std::atomic<bool> closing_{false};
  std::thread worker_;  // started by the first call
};

// The client of the system the game runs on, over its own transport (libcurl on Linux,
// WinHTTP on Windows).
std::unique_ptr<IHttpClient> OpenHttpClient();
