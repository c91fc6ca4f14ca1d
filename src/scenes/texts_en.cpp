// The English texts: plain ASCII, which Shift-JIS leaves as it is (but for the fast mark's "×"),
// with the markup of the Japanese ones (the same colours in the same order, the pictures on
// lines of their own). They are written for players who read no Japanese: the rules teach how
// Pipiru is lost and how the score grows, and the pages may wrap into another number of lines
// than the Japanese ones.
//
// The names players use: Pipiru (the heroine), Smile Line, Sulk Line and Dizzy Line (the lines
// that move, never move and move by themselves), Beardboo and Wingboo (the monsters), Moravia
// (the world) and Studio Pipiru (the makers).
#include "scenes/texts.h"
#include "system/shift_jis.h"

namespace {

// The title's balloon holds two lines: each description breaks where a reader pauses, so that
// no word stands alone on its line.
const char* const kTitleTopDescriptions[8] = {
    "Off we go!\nLet's start the game!",       "New to the game?\nHere's how to play!",
    "Set things up just\nthe way you like!",   "Look back at the\npictures you've seen!",
    "Listen to the music\nof the game!",       "Quit the game?\nIt's all ooover!",
    "What's coming next\nfrom Studio Pipiru!", "Watch your past\ngames once more!",
};

const char* const kHowToPlayDescriptions[4] = {
    "How to keep going\nand how to score big!",
    "Which key does what?\nIt's all here!",
    "The grand, moving\ntale of Pipiru!",
    "Had enough for now?",
};

// The rules: how the game is played, lost and scored, then one entry per character picture.
// Each "$N" line is followed by two empty lines, so the 85-pixel picture has three text lines of
// room.
const char kRulesText[] =
    "#000000Pipiru walks to the right all by herself and never stops. You can't steer her, but "
    "you can build her road!\n"
    "- Pick a line with Left and Right, and shift it with Up and Down.\n"
    "- The field scrolls to the left, faster and faster. A stone in her way stops Pipiru, and "
    "the field carries her toward the left edge. If she is pushed off the screen, the game is "
    "over, so clear the way in time!\n"
    "- She falls through gaps. Off the bottom, she comes back in at the top.\n"
    "- If a monster touches her, the game is over too. Watch the eggs: they hatch into "
    "Wingboos!\n"
    "\n"
    "Every line that scrolls in scores 100 points. Two monsters that bump into each other "
    "turn into diamonds, and each scores 500. Grab diamonds one after another for a chain: "
    "100, 200, 500, 1000, 2000, 5000, then 10000 points each! A diamond that scrolls off the "
    "left edge, or one a Wingboo smashes, breaks the chain.\n"
    "Hold Z or Enter to scroll faster, though Pipiru drifts back while you do. Esc, or button "
    "3 on a game controller, pauses the game.\n"
    "\n"
    "* Meet the Cast *\n"
    "\n"
    "$5\n"
    "\n"
    "\n"
    "#FF0000Pipiru\n"
    "#000000Our heroine: a lively tomboy from Moravia who just loves diamonds.\n"
    "\n"
    "$6\n"
    "\n"
    "\n"
    "#FF0000Smile Line\n"
    "#000000A good-natured line. Shift it up and down as much as you like!\n"
    "\n"
    "$7\n"
    "\n"
    "\n"
    "#FF0000Sulk Line\n"
    "#000000A stubborn line that won't budge. Plan your road around it!\n"
    "\n"
    "$8\n"
    "\n"
    "\n"
    "#FF0000Dizzy Line\n"
    "#000000Drifts up or down by itself, and you can't shift it. Let Pipiru cross at just the "
    "right moment!\n"
    "\n"
    "$9\n"
    "\n"
    "\n"
    "#FF0000Beardboo\n"
    "#000000A monster that stays put. Shift the lines so that two Beardboos stand side by side, "
    "and they turn into diamonds!\n"
    "\n"
    "$10\n"
    "\n"
    "\n"
    "#FF0000Wingboo\n"
    "#000000Hatches from an egg and flies straight to the left. Any monster it bumps into turns "
    "into diamonds with it, but it smashes diamonds, too!\n"
    "\n"
    "$11\n"
    "\n"
    "\n"
    "#FF0000Diamond\n"
    "#000000What the monsters really are. Each one you grab in a row is worth more than the "
    "last!\n";

const char kControlsText[] =
    "#FF0000[On the menus]\n"
    "#000000- Arrow keys: choose an item, change a setting\n"
    "- Z or Enter: OK\n"
    "- X or Esc: cancel, go back\n"
    "\n"
    "#FF0000[While playing]\n"
    "#000000- Left and Right: move the cursor to another line\n"
    "- Up and Down: shift the line under the cursor\n"
    "- Hold Z or Enter: scroll faster\n"
    "- Esc: pause the game\n"
    "\n"
    "- Alt+Enter: window or full screen, at any time\n"
    "- Numpad: 8, 2, 4 and 6 to move, 5 like Z, 0 like X\n"
    "- Controller: stick or pad to move, button 3 to pause, buttons 1 and 2 like Z and X\n"
    "- Mouse or touch: tap to choose, drag to scroll. In play, tap a line to pick it and drag "
    "it to shift it; Faster and Pause are in the top bar\n";

const char kStoryText[] =
    "#000000Pipiru is a tomboy from Moravia, a land full of wonders. She had always dreamed of "
    "faraway places, and one day she set off on an adventure!\n"
    "Scary monsters and strange lines stand in her way. How far into this wondrous world will "
    "Pipiru get?\n";

const char* const kRuleTexts[3] = {kRulesText, kControlsText, kStoryText};

const char kInfoText[] =
    "Thank you so much for playing Moravin!\n"
    "We're Studio Pipiru, a small team of game makers.\n"
    "Next, we're taking Pipiru into an even bigger world!\n"
    "New monsters and new lines are on their way, too.\n"
    "We'll tell you as soon as it's ready, so stay tuned!\n"
    "Your comments and cheers keep us going.\n"
    "See you again in our next game!\n"
    "Love, everyone at Studio Pipiru!\n";

const char* const kRankComments[6] = {
    "What a journey! You've earned a rest...", "You've come such a long, long way!",
    "You did it! I'm rolling in diamonds!",    "Nice work! You're getting the hang of it!",
    "I-I'm not giving up! One more go!",       "Boo-hoo... That was no good at all!",
};

// Each screen names itself in the captions of its loading failures.
const LoadFailureCaptions kCaptions[kScenesThatLoad] = {
    {Logo, "Logo screen error", "Logo screen error"},
    {Title, "Title screen error", "Title screen error"},
    {Rule, "How to Play screen error", "How to Play screen error"},
    {Option, "Options screen error", "Options screen error"},
    {CGRoom, "CG room error", "CG room error"},
    {MusicRoom, "Music room error", "Music room error"},
    {Info, "News screen error", "News screen error"},
    {Play, "Game screen error", "Game screen error"},
    {GameOver, "Game over screen error", "Game over screen error"},
    {ReplayList, "Replays screen error", "Replays screen error"},
};

const char* const kActions[kActionCount] = {
    "Up", "Down", "Left", "Right", "Confirm / speed up", "Cancel", "Pause", "Full screen"};

}  // namespace

const GameTexts EnglishTexts = {
    "Moravin",
    kTitleTopDescriptions,
    kHowToPlayDescriptions,
    kRuleTexts,
    kInfoText,
    kRankComments,
    LineBreaking::Words,
    Typeface::Proportional,
    {
        "Moravin could not open its window.",
        "Moravin could not start its graphics.",
        // Shown when the save can be neither read nor created, whatever the reason: stderr
        // names the file and the reason.
        "Moravin could not read or create its save data.",
        "Moravin could not start",
        "Could not load the pictures.",
        "Could not load the sounds.",
        kCaptions,
    },
    "REPLAY",
    "DEMO",
    "×4"_sj,
    {
        "No replays yet.\nEvery game you play is kept here.",
        "%04d-%02d-%02d %02d:%02d",
        "Score %d   Distance %d",
        "This file is damaged",
        "Recorded by version %s",
        "This version no longer plays it back",
    },
    {
        "Controls",
        kActions,
        "Keys",
        "Pad",
        "Pause when another window is chosen",
        "On",
        "Off",
        "Reset to defaults",
        "Back",
        "Press the new key",
        "Press the new button (Esc: give up)",
        "%s moved here from %s",
        "-",
    },
    {
        "Not ranked: the server's seed came too late",
        "Sending to the world ranking...",
        "World ranking: No. %d!",
        "You are in the world ranking!",
        "No server: the run will be sent later",
        "The world ranking did not take this run",
        "World ranking",
        "Your games' replays go to the ranking; see your place in the world",
        "Take part in the world ranking",
        "Yes",
        "No",
        "Name",
        "Server: %s",
        "Erase",
        "Done",
        "Choose a name first",
        "choose",
        "type",
        "back",
        "Tap a letter to type it",
    },
};
