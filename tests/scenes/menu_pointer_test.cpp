// The menus by pointer: taps choose, the mouse moves the cursor, the hints follow the device.
// The options and the reading pages are played through by the end-to-end pointer walk; the
// rooms, which no path of the game reaches, only here.
#include "scenes/menu_pointer.h"

#include "fakes/test_environment.h"
#include "scenes/cg_room.h"
#include "scenes/music_room.h"
#include "scenes/title.h"

namespace {

PointerFrame Tap(int16_t x, int16_t y) { return {x, y, PointerTapped | PointerMoved}; }
PointerFrame Hover(int16_t x, int16_t y) { return {x, y, PointerMoved}; }

class MenuPointerTest : public GameTest {
 protected:
  template <class T>
  T* Open(SceneId id) {
    g_sceneManager.RequestScene(id, false);
    RunFrame();
    return CurrentAs<T>();
  }
  size_t HintQuads() const { return device.QuadsOfBitmap(kBitmapPointerSheet).size(); }
};

TEST_F(MenuPointerTest, TheTitlesItemsAreHitInTheirScreenOrder) {
  save.ruleTopic = -1;  // the top menu
  CTitle* title = Open<CTitle>(Title);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(HintQuads(), 0u) << "keys until the pointer is used";
  RunPointerFrame(Hover(600, 425));
  EXPECT_EQ(title->topCursor, 6) << "the information item, fourth on the screen";
  EXPECT_EQ(HintQuads(), 1u);
  RunFrame({Left});
  EXPECT_EQ(HintQuads(), 0u) << "a key brings the keys' help back";
  RunPointerFrame(Hover(600, 470));
  EXPECT_EQ(title->topCursor, 7) << "the replays item, fifth";
  RunPointerFrame(Tap(600, 518));
  EXPECT_EQ(title->topCursor, 5);
  EXPECT_FALSE(RunFrame()) << "the quit item, tapped, closes the game";
}

TEST_F(MenuPointerTest, TheRoomsChooseWhatIsTapped) {
  CMusicRoom* music = Open<CMusicRoom>(MusicRoom);
  ASSERT_NE(music, nullptr);
  RunPointerFrame(Tap(400, 225));
  EXPECT_EQ(music->cursor, 2);
  EXPECT_EQ(music->playing, 0) << "a track plays";
  RunPointerFrame(Tap(400, 460));
  RunFrame();
  ASSERT_NE(CurrentAs<CTitle>(), nullptr);

  CCGRoom* room = Open<CCGRoom>(CGRoom);
  ASSERT_NE(room, nullptr);
  RunPointerFrame(Hover(484, 262));
  EXPECT_EQ(room->cursor, 6) << "row 1, column 2";
  RunPointerFrame(Tap(400, 460));
  RunFrame();
  EXPECT_NE(CurrentAs<CTitle>(), nullptr);
}

}  // namespace
