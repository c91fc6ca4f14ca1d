// The API served over HTTP by cpp-httplib: every request, whatever its method and path, goes to
// Api::Handle. Bodies beyond the API's limit are refused by the library before they are read.
#pragma once

#include <functional>
#include <mutex>
#include <string>

#include "server/api.h"

// Stops the server from another thread (on SIGTERM, say), whether it is serving yet or not.
class StopSwitch {
 public:
  void Request();
  // Called by the server once it can stop: at once if a stop was requested already.
  void Arm(std::function<void()> stop);

 private:
  std::mutex mutex_;
  std::function<void()> stop_;
  bool requested_ = false;
};

// Serves until the switch is pulled. `onListening` is given the port once bound. False, with a
// message on stderr, when the address cannot be bound.
bool Serve(Api& api, const ServerConfig& config, size_t maxBodyBytes,
           const std::function<void(int port)>& onListening, StopSwitch& stop);
