#include "system/recently_used.h"

#include <gtest/gtest.h>

#include <string>

// The least recently used goes first, a value found counts as used, and a value still held
// elsewhere lives on when it is dropped.
TEST(RecentlyUsed, TheLeastRecentlyUsedMakeRoomForTheNew) {
  RecentlyUsed<int, std::string> kept(10);
  auto one = std::make_shared<const std::string>("one");
  kept.Keep(1, one, 4);
  kept.Keep(2, std::make_shared<const std::string>("two"), 4);
  ASSERT_NE(kept.Find(1), nullptr);  // 2 is now the least recently used
  kept.Keep(3, std::make_shared<const std::string>("three"), 4);
  EXPECT_EQ(kept.Find(2), nullptr);
  ASSERT_NE(kept.Find(1), nullptr);
  EXPECT_EQ(*kept.Find(3), "three");
  EXPECT_EQ(kept.KeptBytes(), 8u);

  // One value the size of the budget drops all the others.
  kept.Keep(4, std::make_shared<const std::string>("four"), 10);
  EXPECT_EQ(kept.Find(1), nullptr);
  EXPECT_EQ(kept.Find(3), nullptr);
  EXPECT_EQ(kept.KeptBytes(), 10u);
  EXPECT_EQ(*one, "one");
}

TEST(RecentlyUsed, AValueLargerThanTheBudgetIsNotKeptAndDropsNothing) {
  RecentlyUsed<int, std::string> kept(10);
  kept.Keep(1, std::make_shared<const std::string>("one"), 6);
  kept.Keep(2, std::make_shared<const std::string>("huge"), 11);
  EXPECT_EQ(kept.Find(2), nullptr);
  EXPECT_NE(kept.Find(1), nullptr);
  EXPECT_EQ(kept.KeptBytes(), 6u);
}
