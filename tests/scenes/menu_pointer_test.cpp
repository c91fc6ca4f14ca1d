// The menus by pointer: taps choose, the mouse moves the cursor, the hints follow the device.
#include "scenes/menu_pointer.h"

#include "fakes/test_environment.h"
#include "scenes/cg_room.h"
#include "scenes/music_room.h"
#include "scenes/option.h"
#include "scenes/rule.h"
#include "scenes/title.h"

namespace {

PointerFrame Tap(int16_t x, int16_t y) { return {x, y, PointerTapped | PointerMoved}; }
PointerFrame Hover(int16_t x, int16_t y) { return {x, y, PointerMoved}; }
PointerFrame Held(int16_t x, int16_t y) { return {x, y, PointerDown | PointerMoved}; }

class MenuPointerTest : public GameTest {
 protected:
  template <class T>
  T* Open(SceneId id) {
    g_sceneManager.RequestScene(id, false);
    RunFrame();
    return CurrentAs<T>();
  }
  size_t HintQuads() const { return device.QuadsOfBitmap(kPointerSheetBitmap).size(); }
};

TEST(PointAtItems, ATapChoosesWhereItBeganAndAHoverOnlyPoints) {
  const ScreenRect items[2] = {{0, 0, 10, 10}, {0, 10, 10, 10}};
  PointerState tap;
  tap.tapped = tap.released = true;
  tap.pressX = 5, tap.pressY = 12, tap.x = 5, tap.y = 30;  // let go below both
  EXPECT_EQ(PointAtItems(tap, items).chosen, 1);
  EXPECT_EQ(PointAtItems(tap, items).over, 1);
  PointerState hover;
  hover.hovered = true;
  hover.x = 5, hover.y = 3;
  EXPECT_EQ(PointAtItems(hover, items).over, 0);
  EXPECT_EQ(PointAtItems(hover, items).chosen, -1);
  hover.x = 50;
  EXPECT_EQ(PointAtItems(hover, items).over, -1);
}

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
  RunPointerFrame(Tap(600, 470));
  EXPECT_EQ(title->topCursor, 5);
  EXPECT_FALSE(RunFrame()) << "the quit item, tapped, closes the game";
}

TEST_F(MenuPointerTest, OptionsChangeByTheHalfOfTheRowAndAlongTheBar) {
  COption* option = Open<COption>(Option);
  ASSERT_NE(option, nullptr);
  RunPointerFrame(Tap(100, 230));
  EXPECT_EQ(option->cursor, COption::EffectItem);
  EXPECT_EQ(save.seVolume, -1000);
  RunPointerFrame(Tap(700, 230));
  EXPECT_EQ(save.seVolume, 0);
  RunPointerFrame(Tap(600, 350));
  EXPECT_EQ(save.fullScreen, 1);
  RunPointerFrame(Held(450, 180));
  RunPointerFrame(Held(300, 180));  // dragged to an eighth of the bar
  EXPECT_EQ(save.bgmVolume, PercentVolume(10));
  RunPointerFrame(Held(900, 180));  // and beyond its end
  EXPECT_EQ(save.bgmVolume, 0);
  RunPointerFrame({900, 180, 0});
  RunPointerFrame(Tap(400, 460));
  RunFrame();
  EXPECT_NE(CurrentAs<CTitle>(), nullptr) << "the return item";
  EXPECT_TRUE(StoredSave());
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

TEST_F(MenuPointerTest, ReadingPagesScrollByADragAndGoBackByTheirBar) {
  save.ruleTopic = 0;
  CRule* rule = Open<CRule>(Rule);
  ASSERT_NE(rule, nullptr);
  RunPointerFrame(Held(400, 400));
  for (int frame = 0; frame < 10; ++frame) RunPointerFrame(Held(400, 300));
  EXPECT_EQ(rule->window->firstLine, 3) << "100 pixels up: three lines of 32";
  for (int frame = 0; frame < 10; ++frame) RunPointerFrame(Held(400, 420));
  EXPECT_EQ(rule->window->firstLine, 0) << "and never above the first";
  RunPointerFrame({400, 420, 0});
  RunPointerFrame(Tap(400, 300));
  RunFrame();
  EXPECT_EQ(CurrentAs<CRule>(), rule) << "a tap on the text does nothing";
  RunPointerFrame(Tap(400, 550));
  RunFrame();
  EXPECT_NE(CurrentAs<CTitle>(), nullptr);
}

}  // namespace
