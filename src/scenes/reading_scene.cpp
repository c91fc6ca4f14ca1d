// The shared behaviour of the rule and info scenes.
#include "scenes/reading_scene.h"

#include "scenes/scene_manager.h"
#include "scenes/texts.h"

namespace {

constexpr int kPanel = 0;
constexpr int kCaption = 1;
constexpr int kUpArrow = 2;
constexpr int kDownArrow = 3;
constexpr int kBottomBar = 4;

// The bottom bar, where a tap goes back.
constexpr ScreenRect kBottomBarRect{16, 512, 768, 80};

constexpr const char* kUpArrowBobbing = "h0[m400,80m400,70,10w10]";
constexpr const char* kDownArrowBobbing = "h0[m400,488m400,498,10w10]";

}  // namespace

CReadingScene::CReadingScene(SceneId id, std::span<CSprite> sceneImages, std::span<const int> ids,
                             std::span<MotionSprite*> sceneSprites)
    : images(sceneImages), imageIds(ids), sprites(sceneSprites), scene(id) {}

CReadingScene::~CReadingScene() { delete window; }

void CReadingScene::CreateReadingScreen(const MotionSpriteDef& caption, const char* text) {
  sprites[kPanel] = NewMotionSprite({1, 16, 8, 768, 408, 0, 0, "i1m16,80"});
  sprites[kCaption] = NewMotionSprite(caption);
  sprites[kUpArrow] = NewMotionSprite({2, 632, 56, 48, 48, 24, 24, "m400,80h1"});
  sprites[kDownArrow] = NewMotionSprite({2, 632, 8, 48, 48, 24, 24, "[m400,488m400,498,10w10]"});
  sprites[kBottomBar] = NewMotionSprite({2, 16, 416, 768, 80, 0, 0, "m16,512"});

  window = new CMessageWindow;
  window->left = 32;
  window->top = 96;
  window->width = 736;
  window->height = 336;
  window->lineHeight = 32;
  window->fontIndex = 3;
  window->breaking = Texts().breaking;
  window->Layout();
  window->state = 1;
  window->revealSpeed = -1;  // the whole text at once
  window->SetText(text);
  if (VisibleLines() >= window->lineCount - 1) sprites[kDownArrow]->SetScript("h1");
  decideRequest = upRequest = downRequest = cancelRequest = false;
}

void CReadingScene::Input(const CInput& input) {
  upRequest = input[Up].PressedOrRepeat();
  downRequest = input[Down].PressedOrRepeat();
  keyHelp.Follow(input);
  FollowDrag(input.pointer);
  if (input.CancelPressed() || input.pointer.TappedIn(kBottomBarRect)) {
    cancelRequest = true;
    SoundPlay(sounds[1]);
  }
}

void CReadingScene::FollowDrag(const PointerState& pointer) {
  if (pointer.pressed) dragFirstLine_ = window->firstLine;
  if (!pointer.dragging) return;
  // Dragging up brings up what lies below, as on a phone.
  const int32_t wanted = dragFirstLine_ + (pointer.pressY - pointer.y) / window->lineHeight;
  if (wanted < window->firstLine) upRequest = true;
  if (wanted > window->firstLine) downRequest = true;
}

// One line per press or auto-repeat step; Up wins when both are held. Each arrow shows while
// there is hidden text on its side.
void CReadingScene::Scroll() {
  const int32_t last = LastFirstLine();
  const int32_t old = window->firstLine;
  int32_t line = old;
  if (upRequest) {
    if (old > 0) line = old - 1;
  } else if (downRequest && old < last) {
    line = old + 1;
  }
  if (line == old) return;
  window->firstLine = line;
  if (line <= 0) {
    sprites[kUpArrow]->SetScript("h1");
  } else if (old <= 0) {
    sprites[kUpArrow]->SetScript(kUpArrowBobbing);
  }
  if (line >= last) {
    sprites[kDownArrow]->SetScript("h1");
  } else if (old >= last) {
    sprites[kDownArrow]->SetScript(kDownArrowBobbing);
  }
}

bool CReadingScene::Update() {
  if (cancelRequest) {
    RequestScene(Title, false);
  } else {
    Scroll();
  }
  decideRequest = upRequest = downRequest = cancelRequest = false;
  StepMotionSprites(sprites);
  window->Update();
  return true;
}

void CReadingScene::Draw(CFont* const* fonts) {
  DrawBackground(images[0]);
  DrawMotionSprites(sprites.data(), images.data(), static_cast<int>(sprites.size()));
  const std::span<MotionSprite* const> pictures = Pictures();
  window->Draw(pictures.empty() ? nullptr : pictures.data(), static_cast<int>(pictures.size()),
               fonts);
  keyHelp.Draw(KeyHelpBar::ReadingBar, fonts);
}

bool CReadingScene::LoadResources(bool deviceReset) {
  const bool helpLoaded = keyHelp.LoadResources(scene);
  return LoadMenuResources(images, imageIds, sounds, kMenuSounds, scene) && helpLoaded;
}

void CReadingScene::ReleaseResources(bool deviceReset) {
  if (!deviceReset) {
    ReleaseMotionSprites(sprites);
    delete window;
    window = nullptr;
  }
  ReleaseMenuResources(images, sounds);
  keyHelp.ReleaseResources();
}
