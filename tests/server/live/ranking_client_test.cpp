// The game as the world ranking's client: the real game, headless, against a real
// moravin-server on loopback; and the HTTP client under it, against a server that never answers.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "e2e/e2e_support.h"
#include "server_process.h"
#include "system/net/background_http.h"

namespace {

using e2e::json;
namespace fs = std::filesystem;

// Skip the logo, wait a second on the title (the seed comes meanwhile, and a run's play frames
// may not exceed the time since its seed), start, and hold Z until the heroine is pushed out.
const char kGame[] = "5 Return\n8 Return\n60 Return\n70-900 Z\n";

// A socket that takes connections and never answers them.
class SilentServer {
 public:
  SilentServer() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd_, 8) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
      throw std::runtime_error("no silent server");
    port_ = ntohs(address.sin_port);
  }
  ~SilentServer() { close(fd_); }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_); }

 private:
  int fd_ = -1;
  int port_ = 0;
};

void TakePart(const e2e::TempDir& dir, const std::string& server) {
  dir.Write("Ranking.txt", "moravin ranking 1\nopted-in yes\nserver " + server + "\nname Tester\n");
}

std::string RankingOf(const json& line) {
  return line["scene"] == "GameOver" ? line["state"]["ranking"].get<std::string>() : "";
}

// Plays kGame in real time and closes the game once the game over says `until` (or anything
// but "sending" when empty); the last trace line.
json PlayRankedGame(const e2e::TempDir& dir, std::vector<e2e::Checkpoint> checkpoints = {}) {
  dir.Write("game.txt", kGame);
  e2e::RunOptions options;
  options.closeWhen = [](const json& line) {
    const std::string ranking = RankingOf(line);
    return !ranking.empty() && ranking != "sending";
  };
  const e2e::RunResult run = e2e::RunGame(dir,
                                          {"--save-dir", ".", "--fps", "50", "--frames", "1500",
                                           "--input", "game.txt", "--trace", "trace.jsonl"},
                                          std::move(checkpoints), options);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  const std::vector<json> trace = e2e::ReadTrace(dir / "trace.jsonl");
  return trace.empty() ? json() : trace.back();
}

json Ranking(const ServerProcess& server) {
  httplib::Client client("127.0.0.1", server.Port());
  const auto answer = client.Get("/api/v1/ranking?period=all");
  return answer && answer->status == 200 ? json::parse(answer->body) : json();
}

TEST(RankingClient, AnOptedInGameIsPlacedOnTheGameOverScreenAndRanked) {
  TemporaryFolder state;
  ServerProcess server(MORAVIN_SERVER_EXE, "database = " + (state.Path() / "r.db").string());
  e2e::TempDir dir;
  TakePart(dir, server.Url());
  const json last = PlayRankedGame(dir);
  EXPECT_EQ(RankingOf(last), "placed") << last.dump();
  EXPECT_EQ(last["state"]["place"], 1);
  const json ranking = Ranking(server);
  ASSERT_EQ(ranking["top"].size(), 1u) << ranking.dump();
  EXPECT_EQ(ranking["top"][0]["name"], "Tester");
  EXPECT_EQ(ranking["top"][0]["score"], last["score"]);
  EXPECT_TRUE(fs::is_empty(dir / "ranking")) << "nothing waits in the queue";
}

TEST(RankingClient, ARunTheStoppedServerMissedIsQueuedAndSentWhenItIsBack) {
  TemporaryFolder state;
  const std::string database = "database = " + (state.Path() / "r.db").string();
  e2e::TempDir dir;
  {
    ServerProcess server(MORAVIN_SERVER_EXE, database);
    TakePart(dir, server.Url());
    // Frame 100 is in the play, with the seed taken: the server goes away there.
    const json last = PlayRankedGame(dir, {{100, [&] { server.Stop(SIGTERM); }}});
    EXPECT_EQ(RankingOf(last), "queued") << last.dump();
  }
  ASSERT_EQ(std::distance(fs::directory_iterator(dir / "ranking"), fs::directory_iterator()), 1);

  // Back, on another port: the next start sends the run, within the first seconds.
  ServerProcess server(MORAVIN_SERVER_EXE, database);
  TakePart(dir, server.Url());
  const e2e::RunResult run =
      e2e::RunGame(dir, {"--save-dir", ".", "--fps", "50", "--frames", "250"});
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(fs::is_empty(dir / "ranking"));
  EXPECT_EQ(Ranking(server)["top"].size(), 1u);
}

TEST(RankingClient, AGameWhoseSeedNeverComesIsPlayedUnranked) {
  SilentServer silent;
  e2e::TempDir dir;
  TakePart(dir, silent.Url());
  dir.Write("game.txt", kGame);
  e2e::RunOptions options;
  options.closeWhen = [](const json& line) { return !RankingOf(line).empty(); };
  const auto started = std::chrono::steady_clock::now();
  const e2e::RunResult run = e2e::RunGame(dir,
                                          {"--save-dir", ".", "--fps", "0", "--frames", "1500",
                                           "--input", "game.txt", "--trace", "trace.jsonl"},
                                          {}, options);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  const std::vector<json> trace = e2e::ReadTrace(dir / "trace.jsonl");
  ASSERT_FALSE(trace.empty());
  EXPECT_EQ(RankingOf(trace.back()), "unranked");
  EXPECT_FALSE(fs::exists(dir / "ranking")) << "an unranked game is not sent";
  // The request still open when the game closes is given up, not waited for to its timeout.
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(8));
}

TEST(HttpClient, AnswersInTheBackgroundAndGivesUpAtTheTimeout) {
  TemporaryFolder state;
  ServerProcess server(MORAVIN_SERVER_EXE, "database = " + (state.Path() / "r.db").string());
  SilentServer silent;
  std::unique_ptr<IHttpClient> http = OpenHttpClient();
  HttpCall slow;
  slow.url = silent.Url() + "/healthz";
  slow.timeoutMs = 300;
  HttpCall healthy;
  healthy.url = server.Url() + "/healthz";
  const auto started = std::chrono::steady_clock::now();
  const IHttpClient::Ticket first = http->Send(slow);
  const IHttpClient::Ticket second = http->Send(healthy);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(50))
      << "sending never waits";
  std::optional<HttpReply> timedOut, answered;
  while (!answered && std::chrono::steady_clock::now() - started < std::chrono::seconds(10)) {
    if (!timedOut) timedOut = http->Take(first);
    answered = http->Take(second);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_TRUE(timedOut && answered);
  EXPECT_EQ(timedOut->status, 0);
  EXPECT_NE(timedOut->error.find("imeout"), std::string::npos) << timedOut->error;
  EXPECT_EQ(answered->status, 200);
  EXPECT_FALSE(http->Take(second)) << "an answer is taken once";
}

}  // namespace
