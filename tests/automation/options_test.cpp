#include "automation/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Parsed {
  bool ok;
  Options options;
  std::string error;
};

Parsed Parse(std::vector<std::string_view> args) {
  Parsed parsed;
  parsed.ok = ParseOptions(args, parsed.options, parsed.error);
  return parsed;
}

TEST(Options, NoArgumentsKeepTheGamesOwnBehaviour) {
  Parsed p = Parse({});
  ASSERT_TRUE(p.ok);
  EXPECT_FALSE(p.options.headless);
  EXPECT_EQ(p.options.frameLimit, 0u);
  EXPECT_FALSE(p.options.run.seedGiven);
  EXPECT_EQ(p.options.run.fps, 50);
  EXPECT_FALSE(p.options.run.timeFrames);
  EXPECT_TRUE(p.options.inputPath.empty());
  EXPECT_TRUE(p.options.recordPath.empty());
  EXPECT_TRUE(p.options.tracePath.empty());
  EXPECT_TRUE(p.options.screenshots.empty());
  EXPECT_TRUE(p.options.run.saveDir.empty());
  EXPECT_FALSE(p.options.language.has_value());  // the locale decides
}

TEST(Options, EveryOptionWithSeparateAndJoinedValues) {
  Parsed p = Parse({"--headless", "--frames", "300", "--seed=4294967295", "--fps", "0", "--input",
                    "in.txt", "--record=rec.txt", "--trace", "t.jsonl", "--screenshot", "12:a.png",
                    "--screenshot=7:dir/b:c.png", "--save-dir", "saves", "--stats=s.json"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.statsPath, "s.json");
  EXPECT_TRUE(p.options.run.timeFrames);  // statistics need the frames timed
  EXPECT_EQ(p.options.run.saveDir, "saves");
  EXPECT_TRUE(p.options.headless);
  EXPECT_EQ(p.options.frameLimit, 300u);
  EXPECT_TRUE(p.options.run.seedGiven);
  EXPECT_EQ(p.options.run.seed, 4294967295u);
  EXPECT_EQ(p.options.run.fps, 0);
  EXPECT_EQ(p.options.inputPath, "in.txt");
  EXPECT_EQ(p.options.recordPath, "rec.txt");
  EXPECT_EQ(p.options.tracePath, "t.jsonl");
  ASSERT_EQ(p.options.screenshots.size(), 2u);
  EXPECT_EQ(p.options.screenshots[0].frame, 12u);
  EXPECT_EQ(p.options.screenshots[0].path, "a.png");
  EXPECT_EQ(p.options.screenshots[1].frame, 7u);
  EXPECT_EQ(p.options.screenshots[1].path, "dir/b:c.png");  // only the first colon splits
}

TEST(Options, HelpVersionAndSeedZero) {
  Parsed p = Parse({"--help", "--version", "--seed", "0"});
  ASSERT_TRUE(p.ok);
  EXPECT_TRUE(p.options.help);
  EXPECT_TRUE(p.options.version);
  EXPECT_TRUE(p.options.run.seedGiven);
  EXPECT_EQ(p.options.run.seed, 0u);
  EXPECT_TRUE(Parse({"-h"}).options.help);
}

TEST(Options, MalformedNumbersAreRejectedWithTheOptionNamed) {
  for (std::vector<std::string_view> args :
       std::vector<std::vector<std::string_view>>{{"--frames", "0"},
                                                  {"--frames", "-3"},
                                                  {"--frames", "12x"},
                                                  {"--frames", ""},
                                                  {"--seed", "4294967296"},
                                                  {"--seed", "+1"},
                                                  {"--fps", "1001"},
                                                  {"--fps", "fast"},
                                                  {"--seed", " 5"}}) {
    Parsed p = Parse(args);
    EXPECT_FALSE(p.ok) << args[0] << " " << args[1];
    EXPECT_NE(p.error.find(args[0]), std::string::npos) << p.error;
  }
}

TEST(Options, MalformedScreenshotsAreRejected) {
  for (std::string_view value : {"12", "12:", ":a.png", "0:a.png", "x:a.png", "-1:a.png"}) {
    Parsed p = Parse({"--screenshot", value});
    EXPECT_FALSE(p.ok) << value;
    EXPECT_NE(p.error.find("FRAME:FILE"), std::string::npos) << p.error;
  }
}

TEST(Options, UnknownMissingRepeatedOrSuperfluousValues) {
  Parsed unknown = Parse({"--fullscreen"});
  EXPECT_FALSE(unknown.ok);
  EXPECT_NE(unknown.error.find("--fullscreen"), std::string::npos);

  Parsed missing = Parse({"--headless", "--trace"});
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("needs a value"), std::string::npos);

  Parsed twice = Parse({"--input", "a", "--input", "b"});
  EXPECT_FALSE(twice.ok);
  EXPECT_NE(twice.error.find("twice"), std::string::npos);

  EXPECT_FALSE(Parse({"--headless=yes"}).ok);
  EXPECT_FALSE(Parse({"--input="}).ok);
  EXPECT_FALSE(Parse({"--save-dir="}).ok);
  EXPECT_FALSE(Parse({"stray"}).ok);
}

TEST(Options, AutoplayWithItsGamesAndMenuTours) {
  Parsed plain = Parse({"--autoplay"});
  ASSERT_TRUE(plain.ok) << plain.error;
  EXPECT_TRUE(plain.options.autoplay);
  EXPECT_EQ(plain.options.games, 0u);
  EXPECT_EQ(plain.options.menuTours, 0u);
  EXPECT_FALSE(Parse({}).options.autoplay);

  Parsed p = Parse({"--games=3", "--menu-tours", "5000", "--autoplay"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.games, 3u);
  EXPECT_EQ(p.options.menuTours, 5000u);

  for (std::string_view option : {"--games", "--menu-tours"}) {
    Parsed alone = Parse({option, "2"});
    EXPECT_FALSE(alone.ok) << option << " means nothing without --autoplay";
    EXPECT_NE(alone.error.find(option), std::string::npos) << alone.error;
    EXPECT_NE(alone.error.find("--autoplay"), std::string::npos) << alone.error;
    Parsed zero = Parse({"--autoplay", option, "0"});
    EXPECT_FALSE(zero.ok) << option;
    EXPECT_NE(zero.error.find(option), std::string::npos) << zero.error;
  }
  EXPECT_FALSE(Parse({"--autoplay=1"}).ok);
}

TEST(Options, LanguageIsJaOrEn) {
  Parsed ja = Parse({"--lang", "ja"});
  ASSERT_TRUE(ja.ok) << ja.error;
  EXPECT_EQ(ja.options.language, Language::Japanese);
  Parsed en = Parse({"--lang=en"});
  ASSERT_TRUE(en.ok) << en.error;
  EXPECT_EQ(en.options.language, Language::English);

  for (const char* bad : {"de", "EN", "en_US.UTF-8", ""}) {
    Parsed p = Parse({"--lang", bad});
    EXPECT_FALSE(p.ok) << bad;
    EXPECT_NE(p.error.find("--lang needs ja or en"), std::string::npos) << p.error;
  }
  EXPECT_FALSE(Parse({"--lang", "ja", "--lang", "en"}).ok);
  EXPECT_FALSE(Parse({"--lang"}).ok);
}

TEST(Options, HelpNamesEveryOption) {
  std::string help = HelpText();
  std::vector<const char*> names = {"--help",       "--version",  "--headless", "--frames",
                                    "--seed",       "--fps",      "--autoplay", "--games",
                                    "--menu-tours", "--input",    "--record",   "--trace",
                                    "--screenshot", "--save-dir", "Numpad9",    "--lang ja|en"};
  // What decides the language and where the save lives differ between systems.
#ifdef _WIN32
  names.insert(names.end(), {"%APPDATA%", "language of Windows"});
#else
  names.insert(names.end(), {"XDG_DATA_HOME", "LC_ALL", "LC_MESSAGES", "LANG"});
#endif
  for (const char* name : names) EXPECT_NE(help.find(name), std::string::npos) << name;
}

}  // namespace
