#include "save/settings_file.h"

#include <gtest/gtest.h>

#include "fakes/test_files.h"

namespace {

using test_files::TempFolder;

Settings Changed() {
  Settings settings;
  settings.pauseOnFocusLoss = false;
  BindKey(settings.bindings, Action::Cancel, 1, 44 /* space */);
  BindPadButton(settings.bindings, Action::Pause, PadY);
  return settings;
}

struct SettingsFolder {
  TempFolder dir;
  std::vector<std::string> reports;
  SettingsFile file{SystemFileAccess(),
                    [this](const std::string& line) { reports.push_back(line); }};
  std::string Folder() const { return dir.Path().string(); }
  void Write(const std::string& text) const {
    test_files::WriteBytes(dir / SettingsFile::kFileName,
                           std::vector<uint8_t>(text.begin(), text.end()));
  }
};

}  // namespace

TEST(SettingsText, RoundTripsAndRejectsWhatNoFileOfOursHolds) {
  const Settings changed = Changed();
  Settings read;
  std::string error;
  ASSERT_TRUE(DecodeSettings(EncodeSettings(changed), read, error)) << error;
  EXPECT_EQ(read, changed);

  const std::string good = EncodeSettings(Settings{});
  const std::string broken[] = {
      "",                                                         // empty
      good.substr(0, good.size() - 20),                           // cut short
      "moravin settings 2\n" + good.substr(good.find('\n') + 1),  // a later format
      good + "jump 4 5 none\n",                                   // unknown setting
      good + "up 4 5 none\n",                                     // set twice
      "moravin settings 1\npause-on-focus-loss maybe\n",          // not yes or no
  };
  for (const std::string& text : broken) {
    Settings untouched = changed;
    EXPECT_FALSE(DecodeSettings(text, untouched, error)) << text;
    EXPECT_EQ(untouched, changed) << "a failed read changes nothing";
  }
  std::string twice = good;
  twice.replace(twice.find("cancel 27"), 9, "cancel 29");  // Z, confirm's key, as well
  EXPECT_FALSE(DecodeSettings(twice, read, error));
  std::string outOfRange = good;
  outOfRange.replace(outOfRange.find("cancel 27"), 9, "cancel 999");
  EXPECT_FALSE(DecodeSettings(outOfRange, read, error));
}

TEST(SettingsFile, SurviveARestartAndDamageGivesTheDefaultsWithOneLine) {
  SettingsFolder folder;
  EXPECT_EQ(folder.file.Load(folder.Folder()), Settings{});
  EXPECT_TRUE(folder.reports.empty()) << "a first start has no settings yet";
  ASSERT_TRUE(folder.file.Store(Changed()));

  SettingsFile restarted(SystemFileAccess(), [](const std::string&) {});
  EXPECT_EQ(restarted.Load(folder.Folder()), Changed());

  folder.Write("moravin settings 1\nup 82\n");
  EXPECT_EQ(folder.file.Load(folder.Folder()), Settings{});
  ASSERT_EQ(folder.reports.size(), 1u);
  EXPECT_NE(folder.reports[0].find("defaults"), std::string::npos) << folder.reports[0];

  folder.Write(std::string(10000, 'x'));
  EXPECT_EQ(folder.file.Load(folder.Folder()), Settings{});
  EXPECT_EQ(folder.reports.size(), 2u);
}

TEST(SettingsFile, AFailedStoreIsReported) {
  SettingsFolder folder;
  test_files::WriteBytes(folder.dir / "file", std::vector<uint8_t>{1});
  folder.file.Load((folder.dir / "file").string());  // a folder that is a file
  EXPECT_FALSE(folder.file.Store(Settings{}));
  ASSERT_FALSE(folder.reports.empty());
  EXPECT_NE(folder.reports.back().find("cannot store"), std::string::npos);
}
