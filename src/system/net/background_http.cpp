#include "system/net/background_http.h"

BackgroundHttpClient::BackgroundHttpClient(std::unique_ptr<IHttpTransport> transport)
    : transport_(std::move(transport)) {}

BackgroundHttpClient::~BackgroundHttpClient() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  wake_.notify_all();
  transport_->Abort();
  if (worker_.joinable()) worker_.join();
}

IHttpClient::Ticket BackgroundHttpClient::Send(HttpCall call) {
  std::lock_guard lock(mutex_);
  const Ticket ticket = next_++;
  waiting_.emplace_back(ticket, std::move(call));
  if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
  wake_.notify_one();
  return ticket;
}

std::optional<HttpReply> BackgroundHttpClient::Take(Ticket ticket) {
  std::lock_guard lock(mutex_);
  const auto found = answered_.find(ticket);
  if (found == answered_.end()) return std::nullopt;
  HttpReply reply = std::move(found->second);
  answered_.erase(found);
  return reply;
}

void BackgroundHttpClient::Work() {
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return closing_ || !waiting_.empty(); });
    if (closing_) return;
    auto [ticket, call] = std::move(waiting_.front());
    waiting_.pop_front();
    lock.unlock();
    HttpReply reply = transport_->Exchange(call, closing_);
    lock.lock();
    answered_[ticket] = std::move(reply);
  }
}
