#include "server_test_support.h"

#include <random>
#include <sstream>

TestDatabase::TestDatabase(const std::string& kind) {
  static int counter = 0;
  const std::string unique = std::to_string(getpid()) + "_" + std::to_string(++counter);
  if (kind == "sqlite") {
    folder_ = std::filesystem::temp_directory_path() / ("moravin_server_test_" + unique);
    std::filesystem::create_directories(folder_);
    location_ = (folder_ / "ranking.db").string();
    return;
  }
  const char* url = std::getenv("MORAVIN_TEST_POSTGRES_URL");
  if (!url) return;
  // A schema of its own, which the connections find first: far quicker than a database.
  adminUrl_ = url;
  schema_ = "test_" + unique;
  OpenDatabase(adminUrl_)->Query("CREATE SCHEMA " + schema_);
  location_ = adminUrl_ + "?options=-csearch_path%3D" + schema_;
}

TestDatabase::~TestDatabase() {
  if (!folder_.empty()) std::filesystem::remove_all(folder_);
  if (!schema_.empty()) OpenDatabase(adminUrl_)->Query("DROP SCHEMA " + schema_ + " CASCADE");
}

Blob FakeReplay(uint32_t seed, const std::string& version, int64_t playFrames, int64_t score) {
  const std::string text = std::to_string(seed) + " " + version + " " + std::to_string(playFrames) +
                           " " + std::to_string(score);
  return Blob(text.begin(), text.end());
}

bool FakeVerifier::ReadClaims(std::span<const uint8_t> bytes, RunClaims& claims,
                              std::string& error) {
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  int64_t score = 0;
  if (!(in >> claims.seed >> claims.gameVersion >> claims.playFrames >> score)) {
    error = "not a replay file";
    return false;
  }
  return true;
}

std::optional<Verdict> FakeVerifier::Verify(const Blob& replay, bool proven) {
  lastProven = proven;
  if (busy) return std::nullopt;
  ++verified;
  Verdict verdict;
  RunClaims claims;
  std::string error;
  std::istringstream in(std::string(replay.begin(), replay.end()));
  in >> claims.seed >> claims.gameVersion >> claims.playFrames >> verdict.score;
  verdict.ok = rejection.empty();
  verdict.error = rejection;
  verdict.playFrames = claims.playFrames;
  verdict.distance = verdict.score / 10;
  return verdict;
}
