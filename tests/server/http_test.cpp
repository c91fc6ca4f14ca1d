// The API over real HTTP on loopback: what the HTTP library adds, the body limit above all.
#include <gtest/gtest.h>
#include <httplib.h>

#include <future>
#include <thread>

#include "server/http_server.h"
#include "server_test_support.h"

namespace {

TEST(Http, ServesTheApiAndRefusesOversizedBodiesUnread) {
  TestDatabase database("sqlite");
  DatabasePool pool(database.Location(), 2);
  Store store(pool);
  store.Migrate(0);
  FakeVerifier verifier;
  RateLimiter limiter(100'000, 100'000);
  Metrics metrics;
  ServerConfig config;
  config.listenPort = 0;
  config.httpThreads = 4;
  config.pageOrigin = "https://moravin.example";
  Api api(config, "1.0.0",
          {store, verifier, limiter, metrics, [] { return int64_t{1000}; }, [] { return 5u; }});
  StopSwitch stop;
  std::promise<int> bound;
  std::thread server([&] {
    Serve(
        api, config, ApiLimits{}.maxBodyBytes, [&](int port) { bound.set_value(port); }, stop);
  });
  httplib::Client client("127.0.0.1", bound.get_future().get());

  const auto ranking =
      client.Get("/api/v1/ranking?period=day", {{"Origin", "https://moravin.example"}});
  ASSERT_TRUE(ranking);
  EXPECT_EQ(ranking->status, 200);
  EXPECT_EQ(ranking->get_header_value("Access-Control-Allow-Origin"), "https://moravin.example");
  EXPECT_EQ(ranking->get_header_value("Content-Type"), "application/json");

  const auto start = client.Post("/api/v1/games");
  ASSERT_TRUE(start);
  EXPECT_EQ(start->status, 201);
  // A name in the query, percent-encoded as browsers send it.
  const auto notReplay = client.Post("/api/v1/runs?name=%E3%81%B4%E3%81%B4%E3%82%8B",
                                     std::string(1 << 20, 'x'), "application/octet-stream");
  ASSERT_TRUE(notReplay);
  EXPECT_EQ(notReplay->status, 422);
  EXPECT_EQ(notReplay->body, "{\"error\":\"replay: not a replay file\"}\n");
  const auto oversized = client.Post("/api/v1/runs?name=ann", std::string((1 << 20) + 1, 'x'),
                                     "application/octet-stream");
  ASSERT_TRUE(oversized);
  EXPECT_EQ(oversized->status, 413);

  stop.Request();
  server.join();
}

}  // namespace
