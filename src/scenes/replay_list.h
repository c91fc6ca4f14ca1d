// The list of kept replays, reached from the title: the player picks one to watch, or goes back.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "media/sound.h"
#include "media/sprite.h"
#include "replay/kept_replays.h"
#include "scenes/key_help.h"
#include "scenes/scene.h"

// What the list shares with the application: the kept replays (set up by the application), and
// the replay the player chose, which the application shows from its next frame on.
struct ReplayShelf {
  KeptReplays* kept = nullptr;
  std::optional<Replay> chosen;
  std::string lastWatched;  // the file watched last: the list opens on it again
};
extern ReplayShelf g_replayShelf;

class CReplayList : public CScene {
 public:
  // The pictures the scene loads, its key-help bars' sheets apart (see ScenePictures).
  static std::span<const int> PictureIds();
  static constexpr int32_t kRowsShown = 7;

  // One kept file as the list shows it (Shift-JIS).
  struct Row {
    std::string name;
    std::string date;              // in the player's local time
    std::string detail;            // its result, or why it cannot be watched
    std::optional<Replay> replay;  // none when it cannot be watched
  };

  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;
  void Draw(CFont* const* fonts) override;
  bool LoadResources(bool deviceReset) override;
  void ReleaseResources(bool deviceReset) override;

  std::vector<Row> rows;
  int32_t cursor = 0;
  int32_t firstShown = 0;  // the row at the top of the list

 private:
  // Moves the cursor to a row (clamped), scrolling it into view.
  void MoveCursor(int32_t row);
  void PointAt(const PointerState& pointer);
  // Plays the cursor's replay through once: one that no longer plays to its result is marked so
  // instead of being shown.
  void Choose();
  void DrawRow(int32_t row, CFont* font);
  void DrawEmptyList(CFont* font);

  CSprite images[4];  // background, panel, common parts (arrows), replay sheet
  CSound sounds[2];   // cursor, decide
  bool chooseRequest = false;
  bool cancelRequest = false;
  InputDevice lastDevice = InputDevice::Keys;
  CKeyHelp keyHelp;  // the keys bound, or the pad's buttons, over the painted bar
};
