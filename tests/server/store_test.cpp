// The store against real databases: SQLite, and PostgreSQL when tests/server/with_postgres.sh
// runs one.
#include "server/store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "server_test_support.h"

namespace {

constexpr int64_t kStoreMonday = 1'773'619'200'000;  // 2026-03-16 00:00 UTC
constexpr int64_t kStoreDay = 86'400'000;

class StoreTest : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    if (!database_.Available()) GTEST_SKIP() << "no PostgreSQL: run through with_postgres.sh";
    pool_ = std::make_unique<DatabasePool>(database_.Location(), 4);
    store_ = std::make_unique<Store>(*pool_);
    store_->Migrate(kStoreMonday);
  }

  // Issues a seed at `issuedAt` and accepts a run on it at `acceptedAt`.
  int64_t AddRun(const std::string& name, int64_t score, int64_t acceptedAt,
                 int64_t issuedAt = kStoreMonday) {
    const uint32_t seed = *store_->IssueSeed(issuedAt, [this] { return nextSeed_++; });
    NewRun run{seed, {0, name, score, score / 10, 3, 5000, "1.0.0", 0}, {1, 2, 3, uint8_t(seed)}};
    int64_t id = 0;
    EXPECT_EQ(store_->Accept(run, acceptedAt, id), AcceptOutcome::Accepted);
    return id;
  }

  std::vector<std::pair<int64_t, std::string>> Places(Period period, int64_t now) {
    std::vector<std::pair<int64_t, std::string>> places;
    for (const PlacedRun& placed : store_->Top(period, now, 100))
      places.emplace_back(placed.place, placed.run.name);
    return places;
  }

  TestDatabase database_{GetParam()};
  std::unique_ptr<DatabasePool> pool_;
  std::unique_ptr<Store> store_;
  uint32_t nextSeed_ = 1000;
};

TEST_P(StoreTest, MigratesOnceAndAgainIsANoOp) {
  EXPECT_EQ(store_->SchemaVersion(), 1);
  AddRun("ann", 10, kStoreMonday);
  store_->Migrate(kStoreMonday + 1);
  EXPECT_EQ(store_->SchemaVersion(), 1);
  EXPECT_EQ(store_->Top(Period::AllTime, kStoreMonday, 10).size(), 1u);
}

TEST_P(StoreTest, SeedsAreIssuedOnceAndUsedOnce) {
  // A generator that repeats itself: the store skips the seeds it issued already.
  std::vector<uint32_t> draws = {7, 7, 7, 8};
  size_t next = 0;
  const auto repeating = [&] { return draws[std::min(next++, draws.size() - 1)]; };
  EXPECT_EQ(store_->IssueSeed(kStoreMonday, repeating), 7u);
  EXPECT_EQ(store_->IssueSeed(kStoreMonday, repeating), 8u);
  EXPECT_EQ(store_->IssueSeed(kStoreMonday, [] { return 7u; }), std::nullopt);

  const Blob replay = {1, 2, 3};
  EXPECT_EQ(store_->LookUpSeed(7, replay).status, SeedState::Status::Fresh);
  EXPECT_EQ(store_->LookUpSeed(9, replay).status, SeedState::Status::Unknown);
  int64_t id = 0, other = 0;
  NewRun run{7, {0, "ann", 100, 10, 1, 300, "1.0.0", 0}, replay};
  EXPECT_EQ(store_->Accept(run, kStoreMonday + 60'000, id), AcceptOutcome::Accepted);
  EXPECT_EQ(store_->Accept(run, kStoreMonday + 70'000, other), AcceptOutcome::AlreadyAccepted);
  EXPECT_EQ(other, id);
  run.replay = {1, 2, 4};
  EXPECT_EQ(store_->Accept(run, kStoreMonday + 70'000, other), AcceptOutcome::SeedUsed);
  EXPECT_EQ(other, id);
  run.seed = 9;
  EXPECT_EQ(store_->Accept(run, kStoreMonday + 70'000, other), AcceptOutcome::SeedUnknown);
  const SeedState used = store_->LookUpSeed(7, replay);
  EXPECT_EQ(used.status, SeedState::Status::Used);
  EXPECT_TRUE(used.sameReplay);
  EXPECT_EQ(used.issuedAtMs, kStoreMonday);
  EXPECT_EQ(store_->ReplayOf(id), replay);
}

TEST_P(StoreTest, RanksEachNamesBestRunWithTiesSharingAPlace) {
  const int64_t annsFirst = AddRun("ann", 500, kStoreMonday + 1);
  AddRun("bob", 700, kStoreMonday + 2);
  AddRun("ann", 900, kStoreMonday + 3);  // ann's best
  AddRun("cat", 700, kStoreMonday + 4);  // ties with bob, later
  AddRun("dan", 100, kStoreMonday + 5);
  const std::vector<std::pair<int64_t, std::string>> expected = {
      {1, "ann"}, {2, "bob"}, {2, "cat"}, {4, "dan"}};
  EXPECT_EQ(Places(Period::AllTime, kStoreMonday + 10), expected);
  EXPECT_EQ(store_->Top(Period::AllTime, kStoreMonday + 10, 2).size(), 2u);
  // Ann's weaker run stands where it would: behind bob and cat.
  const auto weaker = store_->PlaceOfRun(annsFirst, Period::AllTime, kStoreMonday + 10);
  ASSERT_TRUE(weaker);
  EXPECT_EQ(weaker->place, 3);
  EXPECT_EQ(store_->PlaceOfName("cat", Period::AllTime, kStoreMonday + 10)->place, 2);
  EXPECT_EQ(store_->PlaceOfName("eve", Period::AllTime, kStoreMonday + 10), std::nullopt);
}

TEST_P(StoreTest, PeriodsHoldTheRunsAcceptedInThem) {
  const int64_t lastWeek = AddRun("last-week", 900, kStoreMonday - 1);
  AddRun("monday", 500, kStoreMonday + 1);
  AddRun("today", 100, kStoreMonday + 2 * kStoreDay + 5);
  const int64_t now = kStoreMonday + 2 * kStoreDay + 10;
  EXPECT_EQ(Places(Period::AllTime, now).size(), 3u);
  const std::vector<std::pair<int64_t, std::string>> week = {{1, "monday"}, {2, "today"}};
  EXPECT_EQ(Places(Period::Week, now), week);
  const std::vector<std::pair<int64_t, std::string>> day = {{1, "today"}};
  EXPECT_EQ(Places(Period::Day, now), day);
  EXPECT_EQ(store_->PlaceOfRun(lastWeek, Period::Week, now), std::nullopt);
  EXPECT_EQ(store_->PlaceOfRun(lastWeek, Period::AllTime, now)->place, 1);
}

TEST_P(StoreTest, HiddenRunsAndNamesLeaveTheRankingAndTheirReplays) {
  const int64_t cheat = AddRun("cheat", 9999, kStoreMonday + 1);
  AddRun("ann", 500, kStoreMonday + 2);
  const int64_t troll = AddRun("troll", 700, kStoreMonday + 3);
  EXPECT_TRUE(store_->SetRunHidden(cheat, true));
  EXPECT_FALSE(store_->SetRunHidden(424242, true));
  store_->SetNameHidden("troll", true, kStoreMonday + 4);
  store_->SetNameHidden("troll", true, kStoreMonday + 5);  // twice is fine
  const std::vector<std::pair<int64_t, std::string>> shown = {{1, "ann"}};
  EXPECT_EQ(Places(Period::AllTime, kStoreMonday + 10), shown);
  EXPECT_EQ(store_->ReplayOf(cheat), std::nullopt);
  EXPECT_EQ(store_->ReplayOf(troll), std::nullopt);
  EXPECT_EQ(store_->PlaceOfRun(troll, Period::AllTime, kStoreMonday + 10), std::nullopt);
  store_->SetNameHidden("troll", false, kStoreMonday + 6);
  EXPECT_EQ(Places(Period::AllTime, kStoreMonday + 10).front().second, "troll");
}

TEST_P(StoreTest, ConcurrentRunsOnOneSeedAcceptOne) {
  const uint32_t seed = *store_->IssueSeed(kStoreMonday, [] { return 77u; });
  std::atomic<int> accepted = 0, refused = 0;
  std::vector<std::thread> threads;
  for (uint8_t i = 0; i < 4; ++i) {
    threads.emplace_back([&, i] {
      NewRun run{seed, {0, "racer", 100 + i, 10, 1, 300, "1.0.0", 0}, {i}};
      int64_t id = 0;
      const AcceptOutcome outcome = store_->Accept(run, kStoreMonday + 1000, id);
      (outcome == AcceptOutcome::Accepted ? accepted : refused) += 1;
      EXPECT_NE(outcome, AcceptOutcome::SeedUnknown);
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(accepted, 1);
  EXPECT_EQ(refused, 3);
  EXPECT_EQ(store_->Top(Period::AllTime, kStoreMonday + 2000, 100).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Databases, StoreTest, testing::Values("sqlite", "postgres"),
                         [](const auto& info) { return info.param; });

}  // namespace
