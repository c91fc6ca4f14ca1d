// The server's counters, in Prometheus' text format for /metrics: requests by route and status,
// verifications by outcome, the verification queue, and latencies as histograms.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>

class Metrics {
 public:
  // `route` is a pattern ("/api/v1/runs/{id}/replay"), never a raw path: the labels stay few.
  void CountRequest(const std::string& route, int status, double seconds);
  // `outcome`: "accepted", "rejected", "failed" (the worker broke or ran out of time).
  void CountVerification(const std::string& outcome, double seconds);
  void CountBusy();
  // Read when the metrics are rendered.
  void SetQueueLength(std::function<int()> length) { queueLength_ = std::move(length); }

  std::string Render();

 private:
  static constexpr std::array<double, 12> kBounds = {0.001, 0.0025, 0.005, 0.01, 0.025, 0.05,
                                                     0.1,   0.25,   0.5,   1,    2.5,   10};
  struct Histogram {
    std::array<uint64_t, kBounds.size()> buckets{};
    uint64_t count = 0;
    double sum = 0;
    void Add(double seconds);
  };
  static void RenderHistogram(std::string& out, const std::string& name, const std::string& labels,
                              const Histogram& histogram);

  std::mutex mutex_;
  std::map<std::pair<std::string, int>, uint64_t> requests_;
  std::map<std::string, Histogram> requestSeconds_;
  std::map<std::string, Histogram> verificationSeconds_;
  uint64_t busy_ = 0;
  std::function<int()> queueLength_;
};
