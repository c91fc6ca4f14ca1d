#include "server/config.h"

#include <charconv>
#include <functional>
#include <map>
#include <sstream>

namespace {

constexpr size_t kMinTokenCharacters = 16;

std::string Trim(const std::string& text) {
  const size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return "";
  return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

bool ParseInt(const std::string& text, int low, int high, int& out) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
    return false;
  out = value;
  return true;
}

bool ParseListen(const std::string& text, ServerConfig& config) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  config.listenHost = text.substr(0, colon);
  return ParseInt(text.substr(colon + 1), 0, 65535, config.listenPort);
}

using Setter = std::function<bool(const std::string&, ServerConfig&)>;

Setter Text(std::string ServerConfig::*field) {
  return [field](const std::string& value, ServerConfig& config) {
    config.*field = value;
    return true;
  };
}

Setter Number(int ServerConfig::*field, int low, int high) {
  return [=](const std::string& value, ServerConfig& config) {
    return ParseInt(value, low, high, config.*field);
  };
}

const std::map<std::string, Setter>& Keys() {
  static const std::map<std::string, Setter> keys = {
      {"listen", ParseListen},
      {"database", Text(&ServerConfig::database)},
      {"operator_token", Text(&ServerConfig::operatorToken)},
      {"page_origin", Text(&ServerConfig::pageOrigin)},
      {"web_build_url", Text(&ServerConfig::webBuildUrl)},
      {"trusted_proxy", Text(&ServerConfig::trustedProxy)},
      {"http_threads", Number(&ServerConfig::httpThreads, 4, 1024)},
      {"verify_workers", Number(&ServerConfig::verifyWorkers, 1, 256)},
      {"queue_size", Number(&ServerConfig::queueSize, 1, 10'000)},
      {"worker_cpu_seconds", Number(&ServerConfig::workerCpuSeconds, 1, 3600)},
      {"worker_memory_mb", Number(&ServerConfig::workerMemoryMb, 64, 65536)},
      {"seed_lifetime_hours", Number(&ServerConfig::seedLifetimeHours, 1, 24 * 365)},
      {"requests_per_minute", Number(&ServerConfig::requestsPerMinute, 1, 1'000'000)},
      {"submissions_per_minute", Number(&ServerConfig::submissionsPerMinute, 1, 1'000'000)},
  };
  return keys;
}

}  // namespace

bool ParseConfig(const std::string& text, ServerConfig& config, std::string& error) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const std::string content = Trim(line.substr(0, line.find('#')));
    if (content.empty()) continue;
    const size_t equals = content.find('=');
    const std::string where = "line " + std::to_string(number) + ": ";
    if (equals == std::string::npos) {
      error = where + "not of the form key = value";
      return false;
    }
    const std::string key = Trim(content.substr(0, equals));
    const std::string value = Trim(content.substr(equals + 1));
    const auto setter = Keys().find(key);
    if (setter == Keys().end()) {
      error = where + "unknown key \"" + key + "\"";
      return false;
    }
    if (!setter->second(value, config)) {
      error = where + "bad value for " + key + ": \"" + value + "\"";
      return false;
    }
  }
  if (!config.operatorToken.empty() && config.operatorToken.size() < kMinTokenCharacters) {
    error = "operator_token: at least " + std::to_string(kMinTokenCharacters) + " characters";
    return false;
  }
  return true;
}
