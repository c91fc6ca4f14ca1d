#include "server/config.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

TEST(ServerConfig, ReadsKeysCommentsAndTheShippedExample) {
  ServerConfig config;
  std::string error;
  ASSERT_TRUE(
      ParseConfig("# comment\n\nlisten = 0.0.0.0:0  # any port\r\n"
                  "database = postgresql://u@h/db\nverify_workers=3\n",
                  config, error))
      << error;
  EXPECT_EQ(config.listenHost, "0.0.0.0");
  EXPECT_EQ(config.listenPort, 0);
  EXPECT_EQ(config.database, "postgresql://u@h/db");
  EXPECT_EQ(config.verifyWorkers, 3);

  std::ifstream example(MORAVIN_SERVER_EXAMPLE_CONFIG);
  std::stringstream text;
  text << example.rdbuf();
  ServerConfig shipped;
  EXPECT_TRUE(example && ParseConfig(text.str(), shipped, error)) << error;
  EXPECT_EQ(shipped.pageOrigin, "https://moravin.example");
}

TEST(ServerConfig, RefusesWhatItCannotUseNamingTheLine) {
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"\nport = 80", "line 2: unknown key \"port\""},
      {"listen 80", "line 1: not of the form key = value"},
      {"listen = localhost", "line 1: bad value for listen: \"localhost\""},
      {"listen = :80", "line 1: bad value for listen: \":80\""},
      {"verify_workers = 0", "line 1: bad value for verify_workers: \"0\""},
      {"queue_size = 12x", "line 1: bad value for queue_size: \"12x\""},
      {"operator_token = short", "operator_token: at least 16 characters"},
  };
  for (const auto& c : cases) {
    ServerConfig config;
    std::string error;
    EXPECT_FALSE(ParseConfig(c.text, config, error)) << c.text;
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
