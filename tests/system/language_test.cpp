// The language of a run: named on the command line, or asked of the locale; and the bitmaps of
// that language found under the ids the game knows.
#include "system/language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "fakes/fake_resources.h"
#include "system/resources.h"

namespace {

constexpr Language kJa = Language::Japanese;
constexpr Language kEn = Language::English;

TEST(Language, CommandLineNamesOnlyJaAndEn) {
  EXPECT_EQ(LanguageNamed("ja"), kJa);
  EXPECT_EQ(LanguageNamed("en"), kEn);
  for (const char* other : {"", "JA", "EN", "en_US", "english", "de", "j"})
    EXPECT_EQ(LanguageNamed(other), std::nullopt) << other;
}

TEST(Language, LocaleLanguageDecides) {
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "en_US.UTF-8"), kEn);
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "de_DE.UTF-8"), kEn);
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "fr"), kEn);
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "sr_RS@latin"), kEn);
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "ja_JP.UTF-8"), kJa);
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "ja_JP.eucJP"), kJa);
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "ja"), kJa);
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "japanese"), kJa);
  // The locale of no language is the game's own.
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "C"), kJa);
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "C.UTF-8"), kJa);
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "POSIX"), kJa);
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, nullptr), kJa);
  EXPECT_EQ(LanguageOfLocale("", "", ""), kJa);
  // Only the language part counts: a territory or codeset that looks Japanese does not.
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "en_JP.UTF-8"), kEn);
  EXPECT_EQ(LanguageOfLocale(nullptr, nullptr, "jam_JM"), kEn);
}

TEST(Language, LcAllThenLcMessagesThenLang) {
  EXPECT_EQ(LanguageOfLocale("C", "en_US.UTF-8", "en_US.UTF-8"), kJa);
  EXPECT_EQ(LanguageOfLocale("en_GB.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8"), kEn);
  EXPECT_EQ(LanguageOfLocale(nullptr, "ja_JP.UTF-8", "en_US.UTF-8"), kJa);
  EXPECT_EQ(LanguageOfLocale(nullptr, "de_DE.UTF-8", "ja_JP.UTF-8"), kEn);
  // An empty variable counts as unset.
  EXPECT_EQ(LanguageOfLocale("", "", "de_DE.UTF-8"), kEn);
  EXPECT_EQ(LanguageOfLocale("", "en_US.UTF-8", "C"), kEn);
}

// On Windows the language comes from the user's settings, not the environment: these tests of
// the environment are POSIX ones.
#ifndef _WIN32
// Sets the three locale variables for one test and puts the old values back.
class LocaleEnvironment : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      if (const char* value = std::getenv(kNames[i])) saved_[i] = value;
      unsetenv(kNames[i]);
    }
  }
  void TearDown() override {
    for (int i = 0; i < 3; ++i) {
      if (saved_[i])
        setenv(kNames[i], saved_[i]->c_str(), 1);
      else
        unsetenv(kNames[i]);
    }
  }

  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::optional<std::string> saved_[3];
};

TEST_F(LocaleEnvironment, PreferredLanguageReadsTheEnvironment) {
  EXPECT_EQ(PreferredLanguage(), kJa);
  setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(PreferredLanguage(), kEn);
  setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
  EXPECT_EQ(PreferredLanguage(), kJa);
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  EXPECT_EQ(PreferredLanguage(), kEn);
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(PreferredLanguage(), kJa);
}
#endif

TEST(LanguageResources, EnglishTakesTheEnglishCopyOfABitmapWhereThereIsOne) {
  FakeResources all;
  const std::vector<uint8_t> english = {1, 2, 3};
  all.Replace(ResourceType::Bitmap, EnglishBitmapId(124), english);

  const LanguageResources en(all, kEn), ja(all, kJa);
  EXPECT_EQ(std::vector<uint8_t>(en.Find(ResourceType::Bitmap, 124).begin(),
                                 en.Find(ResourceType::Bitmap, 124).end()),
            english);
  // Japanese, and bitmaps without an English copy, are the shared ones.
  const auto same = [&](const IResources& r, ResourceType type, int id) {
    return r.Find(type, id).data() == all.Find(type, id).data() && !r.Find(type, id).empty();
  };
  EXPECT_TRUE(same(ja, ResourceType::Bitmap, 124));
  EXPECT_TRUE(same(en, ResourceType::Bitmap, 118));
  EXPECT_TRUE(same(en, ResourceType::Wave, 205));
  EXPECT_TRUE(same(en, ResourceType::Icon, 301));
  // A missing bitmap stays missing in both.
  all.Remove(ResourceType::Bitmap, 118);
  EXPECT_TRUE(en.Find(ResourceType::Bitmap, 118).empty());
  EXPECT_TRUE(ja.Find(ResourceType::Bitmap, 118).empty());
}

}  // namespace
