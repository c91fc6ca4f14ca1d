// The one place that knows every scene class: a new scene for each SceneId.
#include "scenes/cg_room.h"
#include "scenes/controls.h"
#include "scenes/game_over.h"
#include "scenes/info.h"
#include "scenes/logo.h"
#include "scenes/music_room.h"
#include "scenes/option.h"
#include "scenes/play.h"
#include "scenes/replay_list.h"
#include "scenes/rule.h"
#include "scenes/scene_manager.h"
#include "scenes/title.h"

std::unique_ptr<CScene> CreateScene(SceneId id) {
  switch (id) {
    case Logo: return std::make_unique<CLogo>();
    case Title: return std::make_unique<CTitle>();
    case Rule: return std::make_unique<CRule>();
    case Option: return std::make_unique<COption>();
    case CGRoom: return std::make_unique<CCGRoom>();
    case MusicRoom: return std::make_unique<CMusicRoom>();
    case Info: return std::make_unique<CInfo>();
    case Play: return std::make_unique<CPlay>();
    case GameOver: return std::make_unique<CGameOver>();
    case ReplayList: return std::make_unique<CReplayList>();
    case Controls: return std::make_unique<CControls>();
    default: return nullptr;
  }
}
