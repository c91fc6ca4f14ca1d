#include "automation/trace.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "automation/shortest_float.h"
#include "game/charactor.h"
#include "game/enemies.h"
#include "media/sound.h"
#include "save/save_data.h"
#include "scenes/cg_room.h"
#include "scenes/controls.h"
#include "scenes/game_over.h"
#include "scenes/info.h"
#include "scenes/logo.h"
#include "scenes/music_room.h"
#include "scenes/option.h"
#include "scenes/play.h"
#include "scenes/ranking_note.h"
#include "scenes/ranking_setup.h"
#include "scenes/replay_list.h"
#include "scenes/rule.h"
#include "scenes/scene_manager.h"
#include "scenes/title.h"

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasItems_.empty()) {
    if (hasItems_.back()) text_ += ',';
    hasItems_.back() = true;
  }
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  text_ += bracket;
  hasItems_.push_back(false);
}

void JsonWriter::Close(char bracket) {
  text_ += bracket;
  if (!hasItems_.empty()) hasItems_.pop_back();
}

void JsonWriter::BeginObject() { Open('{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('['); }
void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::Key(std::string_view key) {
  String(key);
  text_ += ':';
  afterKey_ = true;
}

void JsonWriter::Int(int64_t value) {
  BeforeValue();
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  text_.append(buffer, result.ptr);
}

void JsonWriter::Float(float value) {
  if (!std::isfinite(value)) return Null();
  BeforeValue();
  const std::string digits = ShortestFloat(value);
  text_ += digits;
  // Whole numbers get a fraction so that readers keep them floats, and -0 stays negative.
  if (digits.find_first_of(".e") == std::string_view::npos) text_ += ".0";
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
  BeforeValue();
  text_ += "null";
}

void JsonWriter::String(std::string_view value) {
  BeforeValue();
  text_ += '"';
  for (char c : value) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text_ += '\\';
      text_ += c;
    } else if (byte < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      text_ += "\\u00";
      text_ += kHex[byte >> 4];
      text_ += kHex[byte & 15];
    } else {
      text_ += c;
    }
  }
  text_ += '"';
}

void JsonWriter::IntField(std::string_view key, int64_t value) {
  Key(key);
  Int(value);
}

void JsonWriter::FloatField(std::string_view key, float value) {
  Key(key);
  Float(value);
}

void JsonWriter::BoolField(std::string_view key, bool value) {
  Key(key);
  Bool(value);
}

void JsonWriter::Clear() {
  text_.clear();
  hasItems_.clear();
  afterKey_ = false;
}

std::string_view SceneIdName(int32_t id) {
  switch (id) {
    case Logo: return "Logo";
    case Title: return "Title";
    case Rule: return "Rule";
    case Option: return "Option";
    case CGRoom: return "CGRoom";
    case MusicRoom: return "MusicRoom";
    case Info: return "Info";
    case Play: return "Play";
    case GameOver: return "GameOver";
    case ReplayList: return "ReplayList";
    case Controls: return "Controls";
    case RankingSetup: return "RankingSetup";
    default: return {};
  }
}

SceneId SceneIdOf(const CScene* scene) {
  if (!scene) return None;
  if (dynamic_cast<const CLogo*>(scene)) return Logo;
  if (dynamic_cast<const CTitle*>(scene)) return Title;
  if (dynamic_cast<const CRule*>(scene)) return Rule;
  if (dynamic_cast<const COption*>(scene)) return Option;
  if (dynamic_cast<const CCGRoom*>(scene)) return CGRoom;
  if (dynamic_cast<const CMusicRoom*>(scene)) return MusicRoom;
  if (dynamic_cast<const CInfo*>(scene)) return Info;
  if (dynamic_cast<const CPlay*>(scene)) return Play;
  if (dynamic_cast<const CGameOver*>(scene)) return GameOver;
  if (dynamic_cast<const CReplayList*>(scene)) return ReplayList;
  if (dynamic_cast<const CControls*>(scene)) return Controls;
  if (dynamic_cast<const CRankingSetup*>(scene)) return RankingSetup;
  return None;
}

std::string_view CurrentSceneName() {
  return SceneIdName(SceneIdOf(g_sceneManager.currentScene.get()));
}

namespace {

void WriteSceneName(JsonWriter& json, const CScene* scene) {
  std::string_view name = SceneIdName(SceneIdOf(scene));
  if (name.empty()) return json.Null();
  json.String(name);
}

// [[x, y, kind], ...] of the live entries of a character table.
template <class Table>
void WriteCharacters(JsonWriter& json, const Table& table) {
  json.BeginArray();
  for (const CCharactor& character : table) {
    if (character.kind == 0) continue;
    json.BeginArray();
    json.Float(character.x);
    json.Float(character.y);
    json.Int(character.kind);
    json.EndArray();
  }
  json.EndArray();
}

void WritePlayState(JsonWriter& json, const CPlay& play) {
  json.IntField("phase", play.phase);
  json.IntField("phaseFrame", play.phaseFrame);
  json.IntField("fade", play.fade);
  json.Key("heroine");
  json.BeginObject();
  json.FloatField("x", play.player.x);
  json.FloatField("y", play.player.y);
  json.IntField("kind", play.player.kind);
  json.IntField("pose", play.player.pose);
  json.BoolField("grounded", play.player.grounded);
  json.EndObject();
  json.IntField("cursor", play.map.cursor);
  json.FloatField("scroll", play.map.scroll);
  json.FloatField("speed", play.map.speed);
  json.Key("enemies");
  WriteCharacters(json, g_enemies);
  json.Key("items");
  WriteCharacters(json, g_items);
}

void WriteGameOverState(JsonWriter& json, const CGameOver& gameOver) {
  static constexpr const char* kRankingStates[] = {"none",   "unranked", "sending",
                                                   "placed", "queued",   "refused"};
  json.IntField("rank", gameOver.rank);
  json.IntField("phase", gameOver.phase);
  json.Key("ranking");
  json.String(kRankingStates[int(g_rankingNote.state)]);
  json.IntField("place", g_rankingNote.place);
}

void WriteTitleState(JsonWriter& json, const CTitle& title) {
  json.IntField("menuLevel", title.menuLevel);
  json.IntField("topCursor", title.topCursor);
  json.IntField("subCursor", title.subCursor);
}

// The list of kept replays: how many, which has the cursor and which is at the top, and which
// can be watched.
void WriteReplayListState(JsonWriter& json, const CReplayList& list) {
  json.IntField("rows", static_cast<int64_t>(list.rows.size()));
  json.IntField("cursor", list.cursor);
  json.IntField("firstShown", list.firstShown);
  json.Key("watchable");
  json.BeginArray();
  for (const CReplayList::Row& row : list.rows) json.Bool(row.replay.has_value());
  json.EndArray();
}

// The rule and info scenes: the first line of the text shown.
void WriteReadingState(JsonWriter& json, const CReadingScene& reading) {
  json.IntField("firstLine", reading.window ? reading.window->firstLine : 0);
}

void WriteRankingSetupState(JsonWriter& json, const CRankingSetup& setup) {
  json.IntField("row", setup.row);
  json.IntField("column", setup.column);
  json.IntField("page", setup.page);
  json.BoolField("optedIn", setup.optedIn);
  json.Key("name");
  json.String(setup.name);
}

// The current scene's own values; an empty object when there is no scene.
void WriteSceneState(JsonWriter& json, const CScene* scene) {
  json.BeginObject();
  switch (SceneIdOf(scene)) {
    case Logo: json.IntField("counter", static_cast<const CLogo&>(*scene).counter); break;
    case Title: WriteTitleState(json, static_cast<const CTitle&>(*scene)); break;
    case Rule:
    case Info: WriteReadingState(json, static_cast<const CReadingScene&>(*scene)); break;
    case Option: json.IntField("cursor", static_cast<const COption&>(*scene).cursor); break;
    case CGRoom: json.IntField("cursor", static_cast<const CCGRoom&>(*scene).cursor); break;
    case MusicRoom: json.IntField("cursor", static_cast<const CMusicRoom&>(*scene).cursor); break;
    case Play: WritePlayState(json, static_cast<const CPlay&>(*scene)); break;
    case GameOver: WriteGameOverState(json, static_cast<const CGameOver&>(*scene)); break;
    case ReplayList: WriteReplayListState(json, static_cast<const CReplayList&>(*scene)); break;
    case RankingSetup:
      WriteRankingSetupState(json, static_cast<const CRankingSetup&>(*scene));
      break;
    default: break;
  }
  json.EndObject();
}

void WriteSaveRecord(JsonWriter& json, const SaveData& save) {
  json.IntField("score", save.score);
  json.IntField("highScore", save.highScore);
  json.IntField("distance", save.distance);
  json.IntField("diamondChain", save.diamondChain);
  json.IntField("fullScreen", save.fullScreen);
  json.IntField("bgmVolume", save.bgmVolume);
  json.IntField("seVolume", save.seVolume);
  json.IntField("ruleTopic", save.ruleTopic);
  json.IntField("inGameMenu", save.inGameMenu);
}

// The WAVE ids playing now, in increasing order so that the line does not depend on the order
// in which scenes loaded their sounds.
void WritePlayingSounds(JsonWriter& json) {
  constexpr int kMaxListed = 64;
  int ids[kMaxListed];
  int count = PlayingSoundIds(ids, kMaxListed);
  std::sort(ids, ids + count);
  json.BeginArray();
  for (int i = 0; i < count; ++i) json.Int(ids[i]);
  json.EndArray();
}

}  // namespace

void WriteTraceFrame(JsonWriter& json, uint32_t frame) {
  json.BeginObject();
  json.IntField("frame", frame);
  json.Key("scene");
  WriteSceneName(json, g_sceneManager.currentScene.get());
  json.Key("suspended");
  json.BeginArray();
  for (const auto& scene : g_sceneManager.suspended) WriteSceneName(json, scene.get());
  json.EndArray();
  static const SaveData kNoRecord{};
  WriteSaveRecord(json, g_saveData ? *g_saveData : kNoRecord);
  json.Key("sounds");
  WritePlayingSounds(json);
  json.Key("state");
  WriteSceneState(json, g_sceneManager.currentScene.get());
  json.EndObject();
}

bool TraceFile::Open(const std::string& path) {
  out_.open(path, std::ios::binary | std::ios::trunc);
  return out_.is_open();
}

void TraceFile::WriteFrame(uint32_t frame) {
  json_.Clear();
  WriteTraceFrame(json_, frame);
  out_ << json_.Text() << '\n';
  out_.flush();
}
