#include "save/ranking_settings.h"

#include <gtest/gtest.h>

#include "fakes/test_files.h"

TEST(RankingSettingsText, RoundTripsAndRejectsWhatNoFileOfOursHolds) {
  RankingSettings taking;
  taking.optedIn = true;
  taking.server = "http://127.0.0.1:8080";
  taking.name = "みく the 2nd";  // spaces and kana, 11 characters
  RankingSettings read;
  std::string error;
  ASSERT_TRUE(DecodeRankingSettings(EncodeRankingSettings(taking), read, error)) << error;
  EXPECT_EQ(read, taking);
  ASSERT_TRUE(DecodeRankingSettings(EncodeRankingSettings({}), read, error)) << error;
  EXPECT_EQ(read, RankingSettings{}) << "no name is written for none";

  const std::string broken[] = {
      "",
      "moravin ranking 2\nopted-in yes\n",
      "moravin ranking 1\nopted-in maybe\n",
      "moravin ranking 1\nserver https://x\n",                  // no opted-in line
      "moravin ranking 1\nopted-in yes\nserver ftp://x\n",      // not http
      "moravin ranking 1\nopted-in yes\nname ABCDEFGHIJKLM\n",  // 13 characters
      "moravin ranking 1\nopted-in yes\nname \xff\xfe\n",       // not UTF-8
      "moravin ranking 1\nopted-in yes\nfriend Bob\n",
  };
  for (const std::string& text : broken) {
    RankingSettings untouched = taking;
    EXPECT_FALSE(DecodeRankingSettings(text, untouched, error)) << text;
    EXPECT_EQ(untouched, taking) << "a failed read changes nothing";
  }
  EXPECT_EQ(Utf8Characters("あいう12"), 5);
  EXPECT_EQ(Utf8Characters("\xe3\x81"), -1);
}

TEST(RankingFile, StoresBesideTheSaveAndADamagedFileMeansNotTakingPart) {
  test_files::TempFolder dir;
  std::vector<std::string> reports;
  RankingFile file(SystemFileAccess(), [&](const std::string& line) { reports.push_back(line); });
  EXPECT_EQ(file.Load(dir.Path().string()), RankingSettings{}) << "missing: the defaults";
  EXPECT_TRUE(reports.empty());
  RankingSettings taking;
  taking.optedIn = true;
  taking.name = "Pipiru";
  ASSERT_TRUE(file.Store(taking));
  EXPECT_EQ(file.Load(dir.Path().string()), taking);

  const std::string damaged = "moravin ranking 1\nopted-in yes\nname \n";
  test_files::WriteBytes(dir / RankingFile::kFileName,
                         std::vector<uint8_t>(damaged.begin(), damaged.end()));
  EXPECT_FALSE(file.Load(dir.Path().string()).optedIn);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("does not take part"), std::string::npos) << reports[0];

  // A folder on the way that is a file: the store fails and says so.
  RankingFile nowhere(SystemFileAccess(),
                      [&](const std::string& line) { reports.push_back(line); });
  nowhere.Load((dir / RankingFile::kFileName / "sub").string());
  const size_t before = reports.size();
  EXPECT_FALSE(nowhere.Store(taking));
  EXPECT_EQ(reports.size(), before + 1);
}
