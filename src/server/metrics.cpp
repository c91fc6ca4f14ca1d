#include "server/metrics.h"

#include <cstdio>

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

}  // namespace

void Metrics::Histogram::Add(double seconds) {
  for (size_t i = 0; i < kBounds.size(); ++i)
    if (seconds <= kBounds[i]) ++buckets[i];
  ++count;
  sum += seconds;
}

void Metrics::CountRequest(const std::string& route, int status, double seconds) {
  std::lock_guard lock(mutex_);
  ++requests_[{route, status}];
  requestSeconds_[route].Add(seconds);
}

void Metrics::CountVerification(const std::string& outcome, double seconds) {
  std::lock_guard lock(mutex_);
  verificationSeconds_[outcome].Add(seconds);
}

void Metrics::CountBusy() {
  std::lock_guard lock(mutex_);
  ++busy_;
}

void Metrics::RenderHistogram(std::string& out, const std::string& name, const std::string& labels,
                              const Histogram& histogram) {
  const std::string prefix = labels.empty() ? "" : labels + ",";
  for (size_t i = 0; i < kBounds.size(); ++i)
    out += name + "_bucket{" + prefix + "le=\"" + Number(kBounds[i]) + "\"} " +
           std::to_string(histogram.buckets[i]) + "\n";
  out += name + "_bucket{" + prefix + "le=\"+Inf\"} " + std::to_string(histogram.count) + "\n";
  const std::string braces = labels.empty() ? "" : "{" + labels + "}";
  out += name + "_sum" + braces + " " + Number(histogram.sum) + "\n";
  out += name + "_count" + braces + " " + std::to_string(histogram.count) + "\n";
}

std::string Metrics::Render() {
  const int queued = queueLength_ ? queueLength_() : 0;
  std::lock_guard lock(mutex_);
  std::string out;
  out += "# HELP moravin_requests_total HTTP requests answered, by route and status.\n";
  out += "# TYPE moravin_requests_total counter\n";
  for (const auto& [key, count] : requests_)
    out += "moravin_requests_total{route=\"" + key.first + "\",status=\"" +
           std::to_string(key.second) + "\"} " + std::to_string(count) + "\n";
  out += "# HELP moravin_request_seconds Time to answer a request, by route.\n";
  out += "# TYPE moravin_request_seconds histogram\n";
  for (const auto& [route, histogram] : requestSeconds_)
    RenderHistogram(out, "moravin_request_seconds", "route=\"" + route + "\"", histogram);
  out += "# HELP moravin_verifications_total Runs replayed, by outcome.\n";
  out += "# TYPE moravin_verifications_total counter\n";
  for (const auto& [outcome, histogram] : verificationSeconds_)
    out += "moravin_verifications_total{outcome=\"" + outcome + "\"} " +
           std::to_string(histogram.count) + "\n";
  out += "# HELP moravin_verification_seconds Time to replay a run, queue wait excluded.\n";
  out += "# TYPE moravin_verification_seconds histogram\n";
  for (const auto& [outcome, histogram] : verificationSeconds_)
    RenderHistogram(out, "moravin_verification_seconds", "outcome=\"" + outcome + "\"", histogram);
  out += "# HELP moravin_verification_busy_total Runs refused with 503: the queue was full.\n";
  out += "# TYPE moravin_verification_busy_total counter\n";
  out += "moravin_verification_busy_total " + std::to_string(busy_) + "\n";
  out += "# HELP moravin_verification_queue Runs waiting for or in verification.\n";
  out += "# TYPE moravin_verification_queue gauge\n";
  out += "moravin_verification_queue " + std::to_string(queued) + "\n";
  return out;
}
