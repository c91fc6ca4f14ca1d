// An HTTP client for tests: keeps the calls sent, and answers each when the test says so.
#pragma once

#include <map>
#include <vector>

#include "system/http_client.h"

class FakeHttpClient : public IHttpClient {
 public:
  Ticket Send(HttpCall call) override {
    calls.push_back(std::move(call));
    open.push_back(Ticket(calls.size()));
    return Ticket(calls.size());
  }
  std::optional<HttpReply> Take(Ticket ticket) override {
    const auto found = answers_.find(ticket);
    if (found == answers_.end()) return std::nullopt;
    HttpReply reply = found->second;
    answers_.erase(found);
    return reply;
  }
  // Answers the oldest call not answered yet.
  void Answer(int status, std::string body = {}) {
    HttpReply reply;
    reply.status = status;
    reply.body = std::move(body);
    if (status == 0) reply.error = "Could not connect to server";
    answers_[open.front()] = reply;
    open.erase(open.begin());
  }
  const HttpCall& Last() const { return calls.back(); }

  std::vector<HttpCall> calls;
  std::vector<Ticket> open;  // calls sent and not answered yet, oldest first

 private:
  std::map<Ticket, HttpReply> answers_;
};
