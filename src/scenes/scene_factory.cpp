// The one place that knows every scene class: a new scene for each SceneId, and its pictures.
#include "scenes/cg_room.h"
#include "scenes/controls.h"
#include "scenes/game_over.h"
#include "scenes/info.h"
#include "scenes/key_help.h"
#include "scenes/logo.h"
#include "scenes/music_room.h"
#include "scenes/option.h"
#include "scenes/play.h"
#include "scenes/ranking_setup.h"
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
    case RankingSetup: return std::make_unique<CRankingSetup>();
    default: return nullptr;
  }
}

std::vector<int> ScenePictures(SceneId id) {
  std::vector<int> ids;
  const auto add = [&ids](std::span<const int> some) {
    ids.insert(ids.end(), some.begin(), some.end());
  };
  // The menus load the sheets of their key-help bars too.
  const auto addWithHelp = [&](std::span<const int> some) {
    add(some);
    add(CKeyHelp::kSheetIds);
  };
  switch (id) {
    case Logo: add(CLogo::PictureIds()); break;
    case Title: addWithHelp(CTitle::Pictures()); break;
    case Rule: addWithHelp(CRule::PictureIds()); break;
    case Option: addWithHelp(COption::PictureIds()); break;
    case CGRoom: addWithHelp(CCGRoom::PictureIds()); break;
    case MusicRoom: addWithHelp(CMusicRoom::PictureIds()); break;
    case Info: addWithHelp(CInfo::PictureIds()); break;
    case Play: add(CPlay::Pictures()); break;
    case GameOver:
      add(CGameOver::Pictures());
      add(RankPictures);  // the one of the rank reached
      break;
    case ReplayList: addWithHelp(CReplayList::PictureIds()); break;
    case Controls: addWithHelp(CControls::PictureIds()); break;
    case RankingSetup: add(CRankingSetup::PictureIds()); break;
    default: break;
  }
  return ids;
}
