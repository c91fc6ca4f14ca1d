#include "media/picture_cache.h"

#include <gtest/gtest.h>

#include "fakes/test_environment.h"
#include "media/sprite.h"

namespace {

constexpr size_t kScreenPicture = 800 * 600 * 4;  // 110, 111 and 114 are this size

class PictureCacheTest : public GameTest {
 protected:
  void TearDown() override {
    g_pictures = nullptr;
    GameTest::TearDown();
  }
};

}  // namespace

// A kept picture is handed out again as it is: the resource is not even read a second time.
TEST_F(PictureCacheTest, APictureUsedAgainIsNotDecodedAgain) {
  PictureCache cache(2 * kScreenPicture);
  const auto first = cache.Get(110);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->width, 800);
  EXPECT_EQ(first->argb.front(), FakeBitmapMarker(110));
  resources.Remove(ResourceType::Bitmap, 110);
  EXPECT_EQ(cache.Get(110), first);
  EXPECT_EQ(cache.KeptBytes(), kScreenPicture);
}

TEST_F(PictureCacheTest, TheLeastRecentlyUsedPictureMakesRoom) {
  PictureCache cache(2 * kScreenPicture);
  ASSERT_NE(cache.Get(110), nullptr);
  ASSERT_NE(cache.Get(111), nullptr);
  ASSERT_NE(cache.Get(110), nullptr);  // 111 is now the least recently used
  ASSERT_NE(cache.Get(114), nullptr);
  EXPECT_EQ(cache.KeptBytes(), 2 * kScreenPicture);
  resources.Remove(ResourceType::Bitmap, 110);
  resources.Remove(ResourceType::Bitmap, 111);
  EXPECT_NE(cache.Get(110), nullptr) << "the picture used again was dropped";
  EXPECT_EQ(cache.Get(111), nullptr) << "the least recently used picture was kept";
}

TEST_F(PictureCacheTest, PicturesThatDoNotDecodeOrDoNotFitAreNotKept) {
  PictureCache cache(kScreenPicture - 1);
  ASSERT_NE(cache.Get(110), nullptr);  // handed out all the same
  EXPECT_EQ(cache.KeptBytes(), 0u);
  resources.Replace(ResourceType::Bitmap, 112, {1, 2, 3});
  EXPECT_EQ(cache.Get(112), nullptr);
  EXPECT_EQ(cache.KeptBytes(), 0u);
  ASSERT_NE(cache.Get(113), nullptr);
  EXPECT_EQ(cache.KeptBytes(), 500u * 200u * 4u);
}

// Sprites load through the program's cache, and a kept picture gives the same texture as a
// fresh decode, colour key included.
TEST_F(PictureCacheTest, SpritesLoadThroughTheCache) {
  CSprite decoded, kept, again;
  ASSERT_TRUE(LoadSpriteImage(112, decoded));
  PictureCache cache(kScreenPicture);
  g_pictures = &cache;
  ASSERT_TRUE(LoadSpriteImage(112, kept));
  EXPECT_EQ(cache.KeptBytes(), 340u * 85u * 4u);
  resources.Remove(ResourceType::Bitmap, 112);
  ASSERT_TRUE(LoadSpriteImage(112, again));
  const auto* fresh = dynamic_cast<FakeTexture*>(decoded.texture.get());
  const auto* cached = dynamic_cast<FakeTexture*>(again.texture.get());
  ASSERT_TRUE(fresh && cached);
  EXPECT_EQ(cached->pixels, fresh->pixels);
  EXPECT_EQ(cached->pixels.back(), 0x00000000u);
}

// Pictures asked for ahead are decoded one per call, in order; one kept already costs nothing
// and one that does not decode is not tried again.
TEST_F(PictureCacheTest, PrefetchedPicturesAreDecodedOnePerCall) {
  PictureCache cache(4 * kScreenPicture);
  resources.Replace(ResourceType::Bitmap, 112, {1, 2, 3});
  const int ids[] = {111, 110, 112, 111, 114};
  cache.Prefetch(ids);
  ASSERT_NE(cache.Get(110), nullptr);

  EXPECT_TRUE(cache.PrefetchOne());
  EXPECT_EQ(cache.KeptBytes(), 2 * kScreenPicture) << "111 was decoded";
  EXPECT_TRUE(cache.PrefetchOne()) << "110, kept already, was passed over for 112";
  EXPECT_EQ(cache.KeptBytes(), 2 * kScreenPicture);
  EXPECT_TRUE(cache.PrefetchOne()) << "111 was passed over for 114";
  EXPECT_EQ(cache.KeptBytes(), 3 * kScreenPicture);
  EXPECT_FALSE(cache.PrefetchOne());

  for (int id : {110, 111, 114}) resources.Remove(ResourceType::Bitmap, id);
  for (int id : {110, 111, 114}) EXPECT_NE(cache.Get(id), nullptr) << "picture " << id;
}
