#include "automation/play_view.h"

#include <algorithm>

#include "save/save_data.h"
#include "scenes/play.h"

PlayView ViewOfPlay(const CPlay& play) {
  PlayView view;
  std::copy(std::begin(play.map.lines), std::end(play.map.lines), view.lines);
  view.scroll = play.map.scroll;
  view.speed = play.map.speed;
  view.accelerate = play.map.accelerate;
  view.cursor = play.map.cursor;
  if (g_saveData) {
    view.distance = g_saveData->distance;
    view.score = g_saveData->score;
    view.chain = g_saveData->diamondChain;
  }
  view.phase = play.phase;
  view.heroine = play.player;
  std::copy(std::begin(g_enemies), std::end(g_enemies), view.monsters);
  std::copy(std::begin(g_items), std::end(g_items), view.diamonds);
  return view;
}
