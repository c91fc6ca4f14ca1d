#include "app/world_ranking.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/fake_http_client.h"
#include "fakes/test_files.h"

namespace {

constexpr int64_t kHour = 3'600'000;
constexpr int64_t kStart = 1'800'000'000'000;

struct Ranking {
  test_files::TempFolder dir;
  FakeHttpClient http;
  int64_t now = kStart;
  std::vector<std::string> reports;
  RankingSettings settings{true, "http://127.0.0.1:8080/", "ぴぴる 2"};
  std::unique_ptr<WorldRanking> ranking = Open();

  std::unique_ptr<WorldRanking> Open() {
    return std::make_unique<WorldRanking>(
        &http, SystemFileAccess(), (dir / "ranking").string(),
        [this](const std::string& line) { reports.push_back(line); }, [this] { return now; });
  }
  std::vector<std::string> Queued() const {
    std::vector<std::string> names;
    if (std::filesystem::exists(dir / "ranking"))
      for (const auto& entry : std::filesystem::directory_iterator(dir / "ranking"))
        names.push_back(entry.path().filename().string());
    return names;
  }
  static std::string SeedAnswer(uint32_t seed, int64_t issued) {
    return R"({"seed":)" + std::to_string(seed) + R"(,"issued_at":)" + std::to_string(issued) +
           R"(,"expires_at":)" + std::to_string(issued + 24 * kHour) + R"(,"game_version":"1"})";
  }
  // A seed issued now, taken by a game.
  RankingSeed Seed(uint32_t seed) {
    ranking->KeepSeedReady(settings);
    http.Answer(201, SeedAnswer(seed, now));
    ranking->Poll(settings);
    return ranking->TakeSeed(settings).value();
  }
  static Replay Game(uint32_t seed) {
    Replay replay;
    replay.seed = seed;
    return replay;
  }
};

TEST(WorldRanking, KeepsASeedReadyAndAGameWithoutOneIsUnranked) {
  Ranking r;
  RankingSettings out = r.settings;
  out.optedIn = false;
  r.ranking->KeepSeedReady(out);
  EXPECT_TRUE(r.http.calls.empty()) << "nothing is asked of the server before the player opts in";

  r.ranking->KeepSeedReady(r.settings);
  r.ranking->KeepSeedReady(r.settings);
  ASSERT_EQ(r.http.calls.size(), 1u) << "one request at a time";
  EXPECT_EQ(r.http.Last().method, "POST");
  EXPECT_EQ(r.http.Last().url, "http://127.0.0.1:8080/api/v1/games");
  EXPECT_GT(r.http.Last().timeoutMs, 0);
  EXPECT_FALSE(r.ranking->TakeSeed(r.settings)) << "the answer has not come";
  EXPECT_EQ(r.ranking->note.state, RankingNote::State::Unranked);

  r.http.Answer(201, Ranking::SeedAnswer(4000000000u, r.now));
  r.ranking->Poll(r.settings);
  r.ranking->KeepSeedReady(r.settings);
  EXPECT_EQ(r.http.calls.size(), 1u) << "the late seed is kept for the next game";
  const std::optional<RankingSeed> seed = r.ranking->TakeSeed(r.settings);
  ASSERT_TRUE(seed);
  EXPECT_EQ(seed->seed, 4000000000u);
  EXPECT_EQ(r.ranking->note.state, RankingNote::State::None);
  EXPECT_FALSE(r.ranking->TakeSeed(r.settings)) << "a seed serves one game";

  // A seed past half its life is asked for again; a server that fails is left alone a while.
  r.ranking->KeepSeedReady(r.settings);
  r.http.Answer(201, Ranking::SeedAnswer(7, r.now));
  r.ranking->Poll(r.settings);
  r.now += 13 * kHour;
  r.ranking->KeepSeedReady(r.settings);
  ASSERT_EQ(r.http.calls.size(), 3u);
  r.http.Answer(0);
  r.ranking->Poll(r.settings);
  r.ranking->KeepSeedReady(r.settings);
  EXPECT_EQ(r.http.calls.size(), 3u);
  EXPECT_FALSE(r.ranking->TakeSeed(r.settings)) << "the old seed was dropped";
  r.now += WorldRanking::kSeedRetryMs;
  r.ranking->KeepSeedReady(r.settings);
  EXPECT_EQ(r.http.calls.size(), 4u);

  // Plain HTTP goes to this machine only.
  Ranking far;
  far.settings.server = "http://ranking.example";
  far.ranking->KeepSeedReady(far.settings);
  EXPECT_TRUE(far.http.calls.empty());
  EXPECT_EQ(far.reports.size(), 1u);
}

TEST(WorldRanking, ARunIsPlacedOrWaitsOnDiskAndIsSentAgain) {
  Ranking r;
  const RankingSeed first = r.Seed(11);
  r.ranking->Submit(Ranking::Game(11), first, r.settings);
  EXPECT_EQ(r.ranking->note.state, RankingNote::State::Sending);
  EXPECT_EQ(r.Queued().size(), 1u) << "on disk before it is sent";
  EXPECT_EQ(r.http.Last().url,
            "http://127.0.0.1:8080/api/v1/runs?name=%E3%81%B4%E3%81%B4%E3%82%8B%202");
  EXPECT_EQ(r.http.Last().body, EncodeReplay(Ranking::Game(11)));
  r.http.Answer(201, R"({"run":5,"score":900,"places":{"all":3,"week":2,"day":1}})");
  r.ranking->Poll(r.settings);
  EXPECT_EQ(r.ranking->note.state, RankingNote::State::Placed);
  EXPECT_EQ(r.ranking->note.place, 3);
  EXPECT_TRUE(r.Queued().empty());

  // The server down: the run waits and is sent again later and later, until it is placed.
  const RankingSeed second = r.Seed(12);
  r.ranking->Submit(Ranking::Game(12), second, r.settings);
  r.http.Answer(0);
  r.ranking->Poll(r.settings);
  EXPECT_EQ(r.ranking->note.state, RankingNote::State::Queued);
  const size_t sent = r.http.calls.size();
  r.now += WorldRanking::kFirstRetryMs - 1;
  r.ranking->Poll(r.settings);
  EXPECT_EQ(r.http.calls.size(), sent);
  r.now += 1;
  r.ranking->Poll(r.settings);
  ASSERT_EQ(r.http.calls.size(), sent + 1);
  r.http.Answer(503);
  r.ranking->Poll(r.settings);
  r.now += WorldRanking::kFirstRetryMs;
  r.ranking->Poll(r.settings);
  EXPECT_EQ(r.http.calls.size(), sent + 1) << "the second wait is longer";
  r.now += 3 * WorldRanking::kFirstRetryMs;
  r.ranking->Poll(r.settings);
  ASSERT_EQ(r.http.calls.size(), sent + 2);
  r.http.Answer(200, R"({"run":6,"places":{"all":1}})");
  r.ranking->Poll(r.settings);
  EXPECT_EQ(r.ranking->note.place, 1);
  EXPECT_TRUE(r.Queued().empty());
}

TEST(WorldRanking, TheNextSessionSendsWhatWasLeftAndDropsTheExpiredAndTheRefused) {
  Ranking r;
  const RankingSeed kept = r.Seed(21);
  r.ranking->Submit(Ranking::Game(21), kept, r.settings);
  r.http.Answer(0);
  RankingSeed old = r.Seed(22);
  old.expiresAtMs = r.now + 1000;
  r.ranking->Submit(Ranking::Game(22), old, r.settings);
  r.http.Answer(0);
  r.ranking->Poll(r.settings);
  ASSERT_EQ(r.Queued().size(), 2u);

  // The program closed with two runs waiting; the next start is an hour later.
  r.ranking = r.Open();
  r.now += kHour;
  const size_t sent = r.http.calls.size();
  r.ranking->Poll(r.settings);
  ASSERT_EQ(r.http.calls.size(), sent + 1) << "the expired run is not sent";
  EXPECT_EQ(r.Queued().size(), 1u);
  EXPECT_EQ(r.http.Last().body, EncodeReplay(Ranking::Game(21)));
  r.http.Answer(409, R"({"error":"seed 21 was already used by run 3"})");
  r.ranking->Poll(r.settings);
  EXPECT_TRUE(r.Queued().empty()) << "a refused run is not sent again";
  ASSERT_EQ(r.reports.size(), 2u);
  EXPECT_NE(r.reports[1].find("already used"), std::string::npos) << r.reports[1];
}

}  // namespace

TEST(WorldRankingServer, HttpsAnywhereAndPlainHttpOnlyToThisMachine) {
  EXPECT_TRUE(IsAllowedServer("https://ranking.moravin.example"));
  EXPECT_TRUE(IsAllowedServer("http://127.0.0.1:8080"));
  EXPECT_TRUE(IsAllowedServer("http://localhost/"));
  EXPECT_TRUE(IsAllowedServer("http://[::1]:9"));
  EXPECT_FALSE(IsAllowedServer("http://127.0.0.1.example.com"));
  EXPECT_FALSE(IsAllowedServer("http://ranking.moravin.example"));
  EXPECT_FALSE(IsAllowedServer("ftp://127.0.0.1"));
  EXPECT_EQ(UrlQueryValue("a b&c=d/é"), "a%20b%26c%3Dd%2F%C3%A9");
}
