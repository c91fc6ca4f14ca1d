// The pictures and sounds the game carries, by id, with the size and format of each. The scenes
// load them by these names, tools/assetgen generates each to this table, and the tests' fake
// resources imitate it.
#pragma once

// The bitmaps: device-independent bitmaps without a file header.
enum BitmapId : int {
  kBitmapRewardBest = 101,  // the game over's reward picture of rank 0
  kBitmapRewardSecond,      // rank 1
  kBitmapRewardMiddle,      // ranks 2 and 3
  kBitmapRewardLow,         // ranks 4 and 5
  kBitmapPlayBackground,    // wraps horizontally
  kBitmapStones,            // stone cells and eggs
  kBitmapMonsters,
  kBitmapCursor,          // the line cursor, four frames
  kBitmapPlayUnused,      // loaded by the play, never drawn
  kBitmapStudioLogo,      // the logo scene's full screen
  kBitmapMusicRoomSheet,  // the music room's items
  kBitmapNeverLoaded,
  kBitmapScorePopups,
  kBitmapTextPanel,        // the reading pages' panel and the options' key help
  kBitmapHeroine,          // 7 x 4 frames of 85 x 85
  kBitmapCommonParts,      // labels, captions, arrows, buttons and bars of the menu scenes
  kBitmapInfoParts,        // the information item, the best-score label, the pause logo
  kBitmapTitleBackground,  // its top 600 rows are shown
  kBitmapBanners,          // the start and finish banners
  kBitmapCgRoomTiles,
  kBitmapPlayTopBar,  // the digit strip and the top bar of the play and the title
  kBitmapDiamond,     // the diamond and its sparkle
  kBitmapOptionPanel,
  kBitmapTitleLayout,       // the title's logo, panel, menu items and footer
  kBitmapGameOverTopBar,    // the digit strip and the top bar of the game over
  kBitmapRankLabels,        // and the comment box
  kBitmapGameOverUnused,    // loaded by the game over, never drawn
  kBitmapCommonBackground,  // behind every menu scene
  kBitmapPointerSheet,      // the touch and mouse hints and the play's on-screen controls
  kBitmapReplaySheet,       // the title's replay item and the replay list's parts
  kBitmapKeyHelpSheet,      // the pieces of the key-help bars, the pads' button symbols
};

// The sounds: RIFF WAVE, 16-bit stereo PCM.
enum WaveId : int {
  kWaveSpareJingle = 201,  // no scene plays it
  kWaveMiss,               // the heroine is lost
  kWaveTitleJingle,
  kWaveDiamond,  // a diamond picked up
  kWaveCursor,
  kWaveDecide,        // confirm and cancel
  kWaveSpareFanfare,  // no scene plays it
  kWavePlayMusic,     // loops
  kWaveMonsterPop,    // monsters turn into diamonds, or a diamond breaks
  kWaveGameOverJingle,
  kWaveMusicRoomTrack,  // loops
  kWaveStartJingle,
};

// What the first scene, the studio logo, shows and plays. A page carries only these in its
// module and fetches the rest after it has started.
inline constexpr int kFirstSceneBitmap = kBitmapStudioLogo;
inline constexpr int kFirstSceneWave = kWaveDecide;

// The window icon: width and height (32 bits each, little-endian), then ARGB pixels.
constexpr int kIconId = 301;

struct BitmapResource {
  int id;
  int width;
  int height;
  int bitsPerPixel;  // 24, 8 or 4
};

inline constexpr BitmapResource kBitmapResources[] = {
    {kBitmapRewardBest, 580, 420, 24},     {kBitmapRewardSecond, 580, 420, 24},
    {kBitmapRewardMiddle, 580, 420, 24},   {kBitmapRewardLow, 580, 420, 24},
    {kBitmapPlayBackground, 800, 510, 24}, {kBitmapStones, 595, 170, 8},
    {kBitmapMonsters, 510, 170, 8},        {kBitmapCursor, 340, 510, 8},
    {kBitmapPlayUnused, 595, 170, 8},      {kBitmapStudioLogo, 800, 600, 24},
    {kBitmapMusicRoomSheet, 800, 600, 8},  {kBitmapNeverLoaded, 340, 85, 4},
    {kBitmapScorePopups, 500, 200, 8},     {kBitmapTextPanel, 800, 600, 8},
    {kBitmapHeroine, 595, 340, 8},         {kBitmapCommonParts, 800, 600, 8},
    {kBitmapInfoParts, 800, 600, 8},       {kBitmapTitleBackground, 800, 667, 8},
    {kBitmapBanners, 800, 480, 24},        {kBitmapCgRoomTiles, 800, 600, 8},
    {kBitmapPlayTopBar, 800, 122, 8},      {kBitmapDiamond, 425, 255, 8},
    {kBitmapOptionPanel, 800, 600, 8},     {kBitmapTitleLayout, 800, 600, 8},
    {kBitmapGameOverTopBar, 800, 122, 8},  {kBitmapRankLabels, 800, 600, 8},
    {kBitmapGameOverUnused, 390, 65, 8},   {kBitmapCommonBackground, 800, 600, 24},
    {kBitmapPointerSheet, 800, 480, 8},    {kBitmapReplaySheet, 800, 384, 8},
    {kBitmapKeyHelpSheet, 800, 448, 8},
};

struct WaveResource {
  int id;
  int rate;        // samples a second
  double seconds;  // its length
  bool music;      // played at the music volume; the others sit above it as effects
  bool loops;      // the whole buffer repeats, so its end must flow into its start
};

inline constexpr WaveResource kWaveResources[] = {
    {kWaveSpareJingle, 44100, 1.23, false, false},
    {kWaveMiss, 32000, 0.49, false, false},
    {kWaveTitleJingle, 32000, 2.41, false, false},
    {kWaveDiamond, 44100, 0.47, false, false},
    {kWaveCursor, 44100, 0.75, false, false},
    {kWaveDecide, 44100, 0.89, false, false},
    {kWaveSpareFanfare, 44100, 2.10, false, false},
    {kWavePlayMusic, 44100, 21.18, true, true},
    {kWaveMonsterPop, 44100, 0.35, false, false},
    {kWaveGameOverJingle, 32000, 1.78, false, false},
    {kWaveMusicRoomTrack, 32000, 30.73, true, true},
    {kWaveStartJingle, 44100, 1.81, true, false},
};
