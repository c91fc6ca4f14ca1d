// One HTTP request at a time in the background, answered later: the world ranking talks to its
// server through this, and the game's frame only ever looks whether an answer has come, so no
// frame waits for the network.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct HttpCall {
  std::string method = "GET";  // GET or POST
  std::string url;
  std::string contentType;  // of the body, for a POST
  std::vector<uint8_t> body;
  int timeoutMs = 10000;  // the whole exchange, connection included
};

struct HttpReply {
  int status = 0;     // the HTTP status; 0 when no answer came (see `error`)
  std::string body;   // at most kMaxBodyBytes; a longer answer is an error
  std::string error;  // why no answer came: no network, refused, timed out, a bad certificate
  int retryAfterSeconds = 0;  // the server's Retry-After, when it gave one in seconds

  static constexpr size_t kMaxBodyBytes = 1 << 20;
};

class IHttpClient {
 public:
  using Ticket = uint32_t;
  virtual ~IHttpClient() = default;
  // Starts the call; never waits. Calls are answered in the order they were sent.
  virtual Ticket Send(HttpCall call) = 0;
  // The answer to the call, once it has come (the ticket is then spent); never waits.
  virtual std::optional<HttpReply> Take(Ticket ticket) = 0;
};
