#include "system/sdl/sdl_input.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace {

struct KeyCode {
  SDL_Scancode scancode;
  uint8_t dik;
};

// SDL scancodes by the DirectInput key code of the same key (US and Japanese layouts).
// clang-format off
constexpr KeyCode kKeyCodes[] = {
    {SDL_SCANCODE_ESCAPE, 0x01},       {SDL_SCANCODE_1, 0x02},           {SDL_SCANCODE_2, 0x03},
    {SDL_SCANCODE_3, 0x04},            {SDL_SCANCODE_4, 0x05},           {SDL_SCANCODE_5, 0x06},
    {SDL_SCANCODE_6, 0x07},            {SDL_SCANCODE_7, 0x08},           {SDL_SCANCODE_8, 0x09},
    {SDL_SCANCODE_9, 0x0A},            {SDL_SCANCODE_0, 0x0B},           {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D},       {SDL_SCANCODE_BACKSPACE, 0x0E},   {SDL_SCANCODE_TAB, 0x0F},
    {SDL_SCANCODE_Q, 0x10},            {SDL_SCANCODE_W, 0x11},           {SDL_SCANCODE_E, 0x12},
    {SDL_SCANCODE_R, 0x13},            {SDL_SCANCODE_T, 0x14},           {SDL_SCANCODE_Y, 0x15},
    {SDL_SCANCODE_U, 0x16},            {SDL_SCANCODE_I, 0x17},           {SDL_SCANCODE_O, 0x18},
    {SDL_SCANCODE_P, 0x19},            {SDL_SCANCODE_LEFTBRACKET, 0x1A}, {SDL_SCANCODE_RIGHTBRACKET, 0x1B},
    {SDL_SCANCODE_RETURN, 0x1C},       {SDL_SCANCODE_LCTRL, 0x1D},       {SDL_SCANCODE_A, 0x1E},
    {SDL_SCANCODE_S, 0x1F},            {SDL_SCANCODE_D, 0x20},           {SDL_SCANCODE_F, 0x21},
    {SDL_SCANCODE_G, 0x22},            {SDL_SCANCODE_H, 0x23},           {SDL_SCANCODE_J, 0x24},
    {SDL_SCANCODE_K, 0x25},            {SDL_SCANCODE_L, 0x26},           {SDL_SCANCODE_SEMICOLON, 0x27},
    {SDL_SCANCODE_APOSTROPHE, 0x28},   {SDL_SCANCODE_GRAVE, 0x29},       {SDL_SCANCODE_LSHIFT, 0x2A},
    {SDL_SCANCODE_BACKSLASH, 0x2B},    {SDL_SCANCODE_NONUSHASH, 0x2B},   {SDL_SCANCODE_Z, 0x2C},
    {SDL_SCANCODE_X, 0x2D},            {SDL_SCANCODE_C, 0x2E},           {SDL_SCANCODE_V, 0x2F},
    {SDL_SCANCODE_B, 0x30},            {SDL_SCANCODE_N, 0x31},           {SDL_SCANCODE_M, 0x32},
    {SDL_SCANCODE_COMMA, 0x33},        {SDL_SCANCODE_PERIOD, 0x34},      {SDL_SCANCODE_SLASH, 0x35},
    {SDL_SCANCODE_RSHIFT, 0x36},       {SDL_SCANCODE_KP_MULTIPLY, 0x37}, {SDL_SCANCODE_LALT, 0x38},
    {SDL_SCANCODE_SPACE, 0x39},        {SDL_SCANCODE_CAPSLOCK, 0x3A},    {SDL_SCANCODE_F1, 0x3B},
    {SDL_SCANCODE_F2, 0x3C},           {SDL_SCANCODE_F3, 0x3D},          {SDL_SCANCODE_F4, 0x3E},
    {SDL_SCANCODE_F5, 0x3F},           {SDL_SCANCODE_F6, 0x40},          {SDL_SCANCODE_F7, 0x41},
    {SDL_SCANCODE_F8, 0x42},           {SDL_SCANCODE_F9, 0x43},          {SDL_SCANCODE_F10, 0x44},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x45}, {SDL_SCANCODE_SCROLLLOCK, 0x46},  {SDL_SCANCODE_KP_7, 0x47},
    {SDL_SCANCODE_KP_8, 0x48},         {SDL_SCANCODE_KP_9, 0x49},        {SDL_SCANCODE_KP_MINUS, 0x4A},
    {SDL_SCANCODE_KP_4, 0x4B},         {SDL_SCANCODE_KP_5, 0x4C},        {SDL_SCANCODE_KP_6, 0x4D},
    {SDL_SCANCODE_KP_PLUS, 0x4E},      {SDL_SCANCODE_KP_1, 0x4F},        {SDL_SCANCODE_KP_2, 0x50},
    {SDL_SCANCODE_KP_3, 0x51},         {SDL_SCANCODE_KP_0, 0x52},        {SDL_SCANCODE_KP_PERIOD, 0x53},
    {SDL_SCANCODE_NONUSBACKSLASH, 0x56}, {SDL_SCANCODE_F11, 0x57},       {SDL_SCANCODE_F12, 0x58},
    {SDL_SCANCODE_F13, 0x64},          {SDL_SCANCODE_F14, 0x65},         {SDL_SCANCODE_F15, 0x66},
    {SDL_SCANCODE_INTERNATIONAL2, 0x70}, {SDL_SCANCODE_INTERNATIONAL1, 0x73},
    {SDL_SCANCODE_INTERNATIONAL4, 0x79}, {SDL_SCANCODE_INTERNATIONAL5, 0x7B},
    {SDL_SCANCODE_INTERNATIONAL3, 0x7D}, {SDL_SCANCODE_KP_EQUALS, 0x8D},
    {SDL_SCANCODE_AUDIOPREV, 0x90},    {SDL_SCANCODE_AUDIONEXT, 0x99},   {SDL_SCANCODE_KP_ENTER, 0x9C},
    {SDL_SCANCODE_RCTRL, 0x9D},        {SDL_SCANCODE_MUTE, 0xA0},        {SDL_SCANCODE_CALCULATOR, 0xA1},
    {SDL_SCANCODE_AUDIOPLAY, 0xA2},    {SDL_SCANCODE_AUDIOSTOP, 0xA4},   {SDL_SCANCODE_VOLUMEDOWN, 0xAE},
    {SDL_SCANCODE_VOLUMEUP, 0xB0},     {SDL_SCANCODE_AC_HOME, 0xB2},     {SDL_SCANCODE_KP_COMMA, 0xB3},
    {SDL_SCANCODE_KP_DIVIDE, 0xB5},    {SDL_SCANCODE_PRINTSCREEN, 0xB7}, {SDL_SCANCODE_RALT, 0xB8},
    {SDL_SCANCODE_PAUSE, 0xC5},        {SDL_SCANCODE_HOME, 0xC7},        {SDL_SCANCODE_UP, 0xC8},
    {SDL_SCANCODE_PAGEUP, 0xC9},       {SDL_SCANCODE_LEFT, 0xCB},        {SDL_SCANCODE_RIGHT, 0xCD},
    {SDL_SCANCODE_END, 0xCF},          {SDL_SCANCODE_DOWN, 0xD0},        {SDL_SCANCODE_PAGEDOWN, 0xD1},
    {SDL_SCANCODE_INSERT, 0xD2},       {SDL_SCANCODE_DELETE, 0xD3},      {SDL_SCANCODE_LGUI, 0xDB},
    {SDL_SCANCODE_RGUI, 0xDC},         {SDL_SCANCODE_APPLICATION, 0xDD}, {SDL_SCANCODE_POWER, 0xDE},
    {SDL_SCANCODE_SLEEP, 0xDF},        {SDL_SCANCODE_AC_SEARCH, 0xE5},   {SDL_SCANCODE_AC_BOOKMARKS, 0xE6},
    {SDL_SCANCODE_AC_REFRESH, 0xE7},   {SDL_SCANCODE_AC_STOP, 0xE8},     {SDL_SCANCODE_AC_FORWARD, 0xE9},
    {SDL_SCANCODE_AC_BACK, 0xEA},      {SDL_SCANCODE_COMPUTER, 0xEB},    {SDL_SCANCODE_MAIL, 0xEC},
    {SDL_SCANCODE_MEDIASELECT, 0xED},
};
// clang-format on

static_assert(SDL_NUM_SCANCODES == kScancodeCount);
static_assert(SDL_SCANCODE_Z == scancode::Z && SDL_SCANCODE_RETURN == scancode::Return &&
              SDL_SCANCODE_F11 == scancode::F11 && SDL_SCANCODE_KP_0 == scancode::Keypad0 &&
              SDL_SCANCODE_UP == scancode::Up && SDL_SCANCODE_RALT == scancode::RightAlt);
static_assert(int{SDL_CONTROLLER_BUTTON_START} == int{PadStart} &&
              int{SDL_CONTROLLER_BUTTON_DPAD_RIGHT} == int{PadDpadRight} &&
              int{SDL_CONTROLLER_BUTTON_MAX} == int{PadButtonCount});

constexpr uint8_t kDown = 0x80;
constexpr int kAxisRange = 1000;
constexpr int kDeadZone = kAxisRange / 2;

}  // namespace

std::string KeyNameOf(uint16_t scancode) {
  if (scancode == scancode::None || scancode >= SDL_NUM_SCANCODES) return {};
  const SDL_Keycode key = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode));
  // Keys without a character on the layout are named by their place instead.
  const char* name = key != SDLK_UNKNOWN ? SDL_GetKeyName(key) : "";
  if (name[0] == '\0') name = SDL_GetScancodeName(static_cast<SDL_Scancode>(scancode));
  return name;
}

uint8_t DikFromScancode(int scancode) {
  for (const KeyCode& key : kKeyCodes) {
    if (key.scancode == scancode) return key.dik;
  }
  return 0;
}

int32_t ScaleAxis(int16_t value) {
  const int32_t scaled = std::clamp(value * kAxisRange / 32767, -kAxisRange, kAxisRange);
  const int32_t magnitude = std::abs(scaled);
  if (magnitude <= kDeadZone) return 0;
  const int32_t beyond = (magnitude - kDeadZone) * kAxisRange / (kAxisRange - kDeadZone);
  return scaled < 0 ? -beyond : beyond;
}

SdlKeyboard::SdlKeyboard() { SDL_AddEventWatch(&SdlKeyboard::WatchEvent, this); }

SdlKeyboard::~SdlKeyboard() { SDL_DelEventWatch(&SdlKeyboard::WatchEvent, this); }

int SDLCALL SdlKeyboard::WatchEvent(void* self, SDL_Event* event) {
  if (event->type != SDL_KEYDOWN || event->key.repeat) return 0;
  const SDL_Scancode scancode = event->key.keysym.scancode;
  if (scancode <= 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  auto* keyboard = static_cast<SdlKeyboard*>(self);
  keyboard->pressedSincePoll_[scancode] = true;
  if (keyboard->firstPressed_ == scancode::None) keyboard->firstPressed_ = uint16_t(scancode);
  return 0;
}

void SdlKeyboard::Acquire() {
  // Presses from before (the click that gave the window focus) are not the game's.
  std::memset(pressedSincePoll_, 0, sizeof pressedSincePoll_);
  firstPressed_ = scancode::None;
  acquired_ = true;
}

uint16_t SdlKeyboard::TakePressedKey() {
  const uint16_t key = firstPressed_;
  firstPressed_ = scancode::None;
  return acquired_ ? key : scancode::None;
}

bool SdlKeyboard::Poll(uint8_t (&keys)[256]) {
  if (!acquired_) return false;
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  std::array<bool, kScancodeCount> down{};
  for (int sc = 0; sc < kScancodeCount; ++sc)
    down[size_t(sc)] = (sc < count && state[sc]) || pressedSincePoll_[sc];
  std::memset(keys, 0, sizeof keys);
  // Bound, the keys the game reads come from the bindings alone; the others (which end a demo)
  // report themselves.
  for (const KeyCode& key : kKeyCodes)
    if (down[key.scancode] && !(bindings_ && IsGameKey(key.dik))) keys[key.dik] = kDown;
  if (bindings_) GameKeysOf(*bindings_, down, keys);
  std::memset(pressedSincePoll_, 0, sizeof pressedSincePoll_);
  return true;
}

void SdlJoystick::PollController(JoyState& state) {
  state.x = ScaleAxis(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX));
  state.y = ScaleAxis(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY));
  std::array<bool, PadButtonCount> down{};
  for (int b = 0; b < PadButtonCount; ++b) {
    down[size_t(b)] =
        SDL_GameControllerGetButton(controller_, static_cast<SDL_GameControllerButton>(b)) != 0;
    if (down[size_t(b)] && !buttonsDown_[b] && firstPressed_ == PadNone) firstPressed_ = uint8_t(b);
    buttonsDown_[b] = down[size_t(b)];
  }
  static const Bindings kDefaults = DefaultBindings();
  GamePadOf(bindings_ ? *bindings_ : kDefaults, down, state);
}

uint8_t SdlJoystick::TakePressedButton() {
  const uint8_t button = firstPressed_;
  firstPressed_ = PadNone;
  return button;
}

PadFamily SdlJoystick::Family() {
  if (!controller_) return PadFamily::Xbox;
  switch (SDL_GameControllerGetType(controller_)) {
    case SDL_CONTROLLER_TYPE_PS3:
    case SDL_CONTROLLER_TYPE_PS4:
    case SDL_CONTROLLER_TYPE_PS5: return PadFamily::PlayStation;
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_PRO:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_LEFT:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_RIGHT:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_PAIR: return PadFamily::Nintendo;
    default: return PadFamily::Xbox;
  }
}

void SdlJoystick::Close() {
  if (controller_) SDL_GameControllerClose(controller_);
  if (joystick_) SDL_JoystickClose(joystick_);
  controller_ = nullptr;
  joystick_ = nullptr;
  std::memset(buttonsDown_, 0, sizeof buttonsDown_);
}

void SdlJoystick::Refresh() {
  const bool attached = controller_ ? SDL_GameControllerGetAttached(controller_) == SDL_TRUE
                                    : joystick_ && SDL_JoystickGetAttached(joystick_) == SDL_TRUE;
  if (attached) return;
  Close();
  const int count = SDL_NumJoysticks();
  if (count == knownDeviceCount_) return;  // nothing new to try
  knownDeviceCount_ = count;
  for (int i = 0; i < count && !controller_ && !joystick_; ++i) {
    if (SDL_IsGameController(i)) {
      controller_ = SDL_GameControllerOpen(i);
    } else {
      joystick_ = SDL_JoystickOpen(i);
    }
  }
}

bool SdlJoystick::Poll(JoyState& state) {
  if (!acquired_) return false;
  Refresh();
  state = JoyState{};
  if (controller_) {
    PollController(state);
    return true;
  }
  if (joystick_) {
    state.x = ScaleAxis(SDL_JoystickGetAxis(joystick_, 0));
    state.y = ScaleAxis(SDL_JoystickGetAxis(joystick_, 1));
    const int buttons = std::min(SDL_JoystickNumButtons(joystick_), 32);
    for (int i = 0; i < buttons; ++i) {
      if (SDL_JoystickGetButton(joystick_, i)) state.buttons[i] = kDown;
    }
    return true;
  }
  return false;
}
