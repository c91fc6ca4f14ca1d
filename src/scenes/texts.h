// The texts of the menu scenes, Shift-JIS with the message window's markup.
#pragma once

#include <span>

#include "scenes/message_window.h"
#include "scenes/scene.h"
#include "system/bindings.h"
#include "system/language.h"
#include "system/render_device.h"

// Descriptions typed into the title's window: top menu items 0 to 7, how-to-play items 0 to 3.
extern const char* const TitleTopDescriptions[8];
extern const char* const HowToPlayDescriptions[4];

// The how-to-play texts by topic: 0 rules, 1 controls, 2 story.
extern const char* const RulesText;
extern const char* const ControlsText;
extern const char* const StoryText;
extern const char* const RuleTexts[3];

// The makers' announcement shown by the information scene.
extern const char* const InfoText;

// The captions of one scene's loading failures.
struct LoadFailureCaptions {
  SceneId scene;
  const char* images;  // its pictures could not be loaded
  const char* sounds;  // its sounds could not be loaded
};
constexpr int kScenesThatLoad = 10;

// What the message boxes say when the game cannot go on (Shift-JIS).
struct FailureTexts {
  const char* window;    // the window could not be created (caption: the window title)
  const char* device;    // nor its render device
  const char* saveData;  // no save data could be read or created
  const char* saveDataCaption;
  const char* images;  // a scene's pictures could not be loaded
  const char* sounds;  // nor its sounds
  std::span<const LoadFailureCaptions, kScenesThatLoad> captions;  // of every scene that loads
  // The captions of `scene`'s loading failures.
  const LoadFailureCaptions& CaptionsOf(SceneId scene) const;
};

// The words of the list of kept replays. The formats are printf's.
struct ReplayListTexts {
  const char* none;          // nothing kept yet: two lines, centred in the list
  const char* date;          // year, month, day, hour, minute (all ints)
  const char* result;        // score and distance (ints)
  const char* damaged;       // a file that does not read as a replay
  const char* otherVersion;  // recorded by another version of the game (%s: that version)
  const char* doesNotPlay;   // reads, but this version no longer plays it to its result
};

// Every word the game shows in one language, Shift-JIS with the message window's markup.
// The controls page: its rows, its prompts and what it says of a binding that moved.
struct ControlsTexts {
  const char* caption;
  std::span<const char* const, kActionCount> actions;  // by Action
  const char* keysColumn;
  const char* padColumn;
  const char* pauseOnFocusLoss;
  const char* on;
  const char* off;
  const char* reset;
  const char* back;
  const char* pressKey;     // waiting for the key to bind
  const char* pressButton;  // waiting for the pad button to bind (Esc gives up)
  const char* moved;        // printf: the key or button, the action it came from
  const char* none;         // an empty slot
};

// The world ranking: the game over's line on the last game, and the page where the player takes
// part and picks a name on a grid of letters.
struct RankingTexts {
  const char* unranked;  // the game began before the server's seed came
  const char* sending;
  const char* placed;  // printf: the place (int)
  const char* ranked;  // ranked, with no place to show
  const char* queued;  // the server cannot be reached: sent later
  const char* refused;
  const char* caption;  // of the page and of its plate in the options
  const char* why;      // what taking part does
  const char* takePart;
  const char* on;
  const char* off;
  const char* nameLabel;
  const char* server;  // printf: the server's address
  const char* erase;   // the grid's action cells...
  const char* done;
  const char* needName;     // taking part without a name
  const char* choose;       // the help bar: what the arrows do...
  const char* type;         // ...what confirm does on a letter...
  const char* leave;        // ...and what Esc does
  const char* pointerHelp;  // the help bar for a finger or a mouse
};

struct GameTexts {
  const char* windowTitle;
  std::span<const char* const, 8> titleTopDescriptions;
  std::span<const char* const, 4> howToPlayDescriptions;
  std::span<const char* const, 3> ruleTexts;
  const char* infoText;
  std::span<const char* const, 6> rankComments;  // by rank, 0 best
  LineBreaking breaking;  // how the message windows break this language's lines
  Typeface typeface;      // the face its running text is drawn in
  FailureTexts failures;
  // The marks over a game shown rather than played, and beside them while it runs fast.
  const char* replayMark;
  const char* demoMark;
  const char* fastMark;
  ReplayListTexts replayList;
  ControlsTexts controls;
  RankingTexts ranking;
};

extern const GameTexts JapaneseTexts;
extern const GameTexts EnglishTexts;

// The texts of the language the game was started in.
const GameTexts& Texts();
// Chooses that language; Japanese until this is called.
void UseLanguage(Language language);
