// The English texts: plain ASCII, which Shift-JIS leaves as it is, with the same markup and the
// same lines as the Japanese ones. Each reading text lays out to as many lines as its Japanese
// counterpart, so the scrolling of a text is the same in both languages.
//
// The names players use: Pipiru (the heroine), Smile Line, Sulk Line and Dizzy Line (the lines
// that move, never move and move by themselves), Beardboo and Wingboo (the monsters), Moravia
// (the world) and Studio Pipiru (the makers).
#include "scenes/texts.h"

namespace {

const char* const kTitleTopDescriptions[7] = {
    "Off we go! Let's start the game!",       "It's a bit rough, but here's how to play!",
    "Set things up just the way you like!",   "Look back at the pictures you've seen!",
    "Listen to the music used in the game!",  "Quit the game. It's all ooover!",
    "What's coming next from Studio Pipiru!",
};

const char* const kHowToPlayDescriptions[4] = {
    "Here are the rules of the game!",
    "Here's which key does what!",
    "The epic, moving tale of Pipiru!",
    "Had enough for now?",
};

// The rules: five paragraphs of explanation, then one entry per character picture. Each "$N"
// line is followed by two empty lines, so the 85-pixel picture has three text lines of room.
const char kRulesText[] =
    "#000000Pipiru never stops: she just keeps walking to the right. Build her a road, and don't "
    "let her run into any monsters!\n"
    "Pick a line with Left and Right, and shift it with Up and Down. Lead Pipiru into the gaps!\n"
    "If she touches a monster, or gets pushed off the left edge of the screen, the game is over "
    "right then and there. So be careful!\n"
    "The monsters are really diamond spirits! Two that bump into each other turn into sparkly "
    "diamonds.\n"
    "Grab diamonds one after another for a chain bonus worth lots and lots of points. Go get "
    "them!\n"
    "\n"
    "\n"
    "* Meet the Cast *\n"
    "\n"
    "$5\n"
    "\n"
    "\n"
    "#FF0000Pipiru\n"
    "#000000The heroine of our story: a lively tomboy who loves collecting diamonds, too. Every "
    "diamond she grabs is worth points!\n"
    "\n"
    "$6\n"
    "\n"
    "\n"
    "#FF0000Smile Line\n"
    "#000000A very well-behaved line that moves up and down for you. Shift it around as much as "
    "you like!\n"
    "\n"
    "$7\n"
    "\n"
    "\n"
    "#FF0000Sulk Line\n"
    "#000000A stubborn line that will never, ever move, no matter what. Plan your road around "
    "it!\n"
    "\n"
    "$8\n"
    "\n"
    "\n"
    "#FF0000Dizzy Line\n"
    "#000000New this time! A line that wanders up and down all by itself. Watch how it moves, "
    "and time your moves to match it!\n"
    "\n"
    "$9\n"
    "\n"
    "\n"
    "#FF0000Beardboo\n"
    "#000000A monster that stays put. When two of them stand side by side, they turn into "
    "sparkly diamonds!\n"
    "\n"
    "$10\n"
    "\n"
    "\n"
    "#FF0000Wingboo\n"
    "#000000A monster that flies straight to the left. It turns into a diamond with any monster "
    "it hits!\n"
    "\n"
    "$11\n"
    "\n"
    "\n"
    "#FF0000Diamond\n"
    "#000000What the monsters really are. Grab them one after another for huge points. Keep the "
    "chain going!\n";

const char kControlsText[] =
    "#FF0000[On the menus]\n"
    "#000000- Up/Down (pad, arrow keys or numpad): choose an item, move the cursor\n"
    "- Left/Right (pad, arrow keys or numpad): change a setting, move the cursor\n"
    "- Pad button 1, Z or Enter: OK\n"
    "- Pad button 2, X or Esc: cancel, go back\n"
    "\n"
    "#FF0000[While playing]\n"
    "#000000- Up/Down (pad, arrow keys or numpad): shift the line up or down\n"
    "- Left/Right (pad, arrow keys or numpad): move the cursor to another line\n"
    "- Hold pad button 1, Z or Enter: the field scrolls faster\n"
    "- Esc: open the menu\n";

const char kStoryText[] =
    "#000000Pipiru, a tomboy who lives in Moravia, a world full of wonders, dreamed of faraway "
    "lands and set off on an adventure.\n"
    "Past scary monsters and strange lines, how far into this wondrous world will Pipiru get?\n";

const char* const kRuleTexts[3] = {kRulesText, kControlsText, kStoryText};

const char kInfoText[] =
    "Thank you so, so much for playing Moravin! It really means a lot to us.\n"
    "We at Studio Pipiru are a small team, and we make games together.\n"
    "Right now we're making the next story, where Pipiru sets off to explore an even bigger "
    "world!\n"
    "New monsters and lines you've never seen before are on their way, too.\n"
    "We'll be sure to tell you when it's ready, so look forward to it!\n"
    "Studio Pipiru will keep the news coming, so stay tuned for more.\n"
    "Your thoughts and cheers are what keep us going, more than anything.\n"
    "Well then, see you again in our next game! From everyone at Studio Pipiru\n";

const char* const kRankComments[6] = {
    "Phew, what a long road. Well done...",
    "You've come such a long, long way!",
    "You did it! I'm rolling in diamonds!",
    "You tried super, super hard!",
    "I-I'm not giving up!",
    "Uuu... that was no good at all!",
};

}  // namespace

const GameTexts EnglishTexts = {
    "Moravin",
    kTitleTopDescriptions,
    kHowToPlayDescriptions,
    kRuleTexts,
    kInfoText,
    kRankComments,
    LineBreaking::Words,
    {
        "Could not create the game's window.",
        "Could not start the graphics.",
        "Could not create the save data.\nThe game may not be installed correctly.",
        "Moravin could not start",
        "Could not load the pictures.",
        "Could not load the sounds.",
        "Logo error",
        "Title screen error",
        "Game screen error",
        "Game over screen error",
    },
    "REPLAY",
    "DEMO",
};
