#include "fakes/test_environment.h"

#include "media/sprite.h"
#include "scenes/texts.h"
#include "system/random.h"

void GameTest::SetUp() {
  oldPlatform_ = g_platform;
  oldDevice_ = g_device;
  oldSoundBank_ = g_soundBank;
  oldResources_ = g_resources;
  oldMessageBox_ = g_messageBox;
  oldSaveData_ = g_saveData;
  oldSaveFile_ = g_saveFile;

  g_platform = &platform;
  g_device = &device;
  auto audioDevice = std::make_unique<FakeAudioDevice>();
  audio = audioDevice.get();
  soundBank.device = std::move(audioDevice);
  g_soundBank = &soundBank;
  g_resources = &resources;
  g_messageBox = &messages;
  g_saveData = &save;
  saveFile =
      std::make_unique<SaveFile>(SystemFileAccess(), saveFolder.Path().string(),
                                 [this](const std::string& line) { saveReports.push_back(line); });
  g_saveFile = saveFile.get();
  g_sceneManager.Clear();
  GameSrand(1);

  for (int i = 0; i < 6; ++i) {
    ownedFonts_[i] = std::make_unique<CFont>(device.CreateFont(FontHeights[i], Typeface::Japanese),
                                             FontHeights[i]);
    fonts[i] = ownedFonts_[i].get();
  }
  oldFonts_ = g_fonts;
  g_fonts = fonts;
  UseLanguage(Language::Japanese);
}

void GameTest::TearDown() {
  // Scenes still alive release their textures and sounds in their destructors.
  g_sceneManager.Clear();
  g_platform = oldPlatform_;
  g_device = oldDevice_;
  g_soundBank = oldSoundBank_;
  g_resources = oldResources_;
  g_messageBox = oldMessageBox_;
  g_saveData = oldSaveData_;
  g_saveFile = oldSaveFile_;
  g_fonts = oldFonts_;
  UseLanguage(Language::Japanese);
}

std::optional<SaveData> GameTest::StoredSave() const {
  const std::optional<std::vector<uint8_t>> bytes =
      test_files::ReadBytes(saveFolder / SaveFile::kFileName);
  SaveData record{};
  if (!bytes || !DecodeSaveFile(*bytes, record)) return std::nullopt;
  return record;
}

bool GameTest::RunPointerFrame(const PointerFrame& pointer) {
  pointer_ = pointer;
  return RunFrame();
}

bool GameTest::RunFrame(std::initializer_list<Button> held) {
  ++framesRun;
  for (Button b : held) input.held[b] = true;
  input.MapPointer(pointer_);
  // The pointer stays where it is, down or up, until the next pointer frame.
  pointer_.flags &= PointerDown;
  if (CScene* scene = Current()) scene->Input(input);
  input.EndFrame();
  device.ClearDrawLog();
  if (!g_sceneManager.StepScenes()) return false;  // the game closes without drawing
  if (CScene* scene = Current()) scene->Draw(fonts);
  return true;
}

bool GameTest::RunFrames(int n, std::initializer_list<Button> held) {
  for (int i = 0; i < n; ++i)
    if (!RunFrame(held)) return false;
  return true;
}
