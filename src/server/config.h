// The server's configuration file: one "key = value" per line, '#' begins a comment.
#pragma once

#include <cstdint>
#include <string>

struct ServerConfig {
  std::string listenHost = "127.0.0.1";
  int listenPort = 8080;  // 0: any free port, printed on stdout once bound
  // An SQLite file, or a postgresql:// URL that several servers share.
  std::string database = "moravin-ranking.db";
  // Moderation is refused to all while this is empty.
  std::string operatorToken;
  // The origin of the page that may call the API from a browser (CORS), e.g.
  // https://moravin.example; empty: no other origin may.
  std::string pageOrigin;
  // Where the web build is, for the ranking page's "watch" links (…?replay=URL).
  std::string webBuildUrl = "/play/";
  // A reverse proxy at this address passes the client's address in X-Forwarded-For.
  std::string trustedProxy;

  int httpThreads = 64;
  int verifyWorkers = 2;
  int queueSize = 16;
  int workerCpuSeconds = 20;
  int workerMemoryMb = 512;
  int seedLifetimeHours = 24;
  // Requests per minute and address: all requests, and those that start a game or submit.
  int requestsPerMinute = 600;
  int submissionsPerMinute = 30;
};

// Reads `text`; false with a one-line reason (naming the line) for an unknown key, a bad value
// or an operator token shorter than 16 characters.
bool ParseConfig(const std::string& text, ServerConfig& config, std::string& error);
