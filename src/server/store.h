// The ranking's records, in SQLite or PostgreSQL alike: the seeds issued, the runs accepted with
// their replays, what the operator hid, and the ranking made of them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "server/database.h"
#include "server/periods.h"

struct RunSummary {
  int64_t id = 0;
  std::string name;
  int64_t score = 0;
  int64_t distance = 0;
  int64_t longestChain = 0;
  int64_t playFrames = 0;
  std::string gameVersion;
  int64_t acceptedAtMs = 0;
};

// A run and its place: equal scores share a place, and the earlier run is listed first.
struct PlacedRun {
  int64_t place = 0;
  RunSummary run;
};

struct NewRun {
  uint32_t seed = 0;
  RunSummary summary;  // id and acceptedAtMs are the store's to fill in
  Blob replay;
};

// What the store knows of a seed that a run claims.
struct SeedState {
  enum class Status { Unknown, Fresh, Used } status = Status::Unknown;
  int64_t issuedAtMs = 0;
  int64_t runId = 0;        // of the run that used it
  bool sameReplay = false;  // that run has exactly the replay asked about
};

enum class AcceptOutcome {
  Accepted,
  AlreadyAccepted,  // the same replay was accepted before (a client that sent it again)
  SeedUnknown,
  SeedUsed,
};

class Store {
 public:
  explicit Store(DatabasePool& pool) : pool_(pool) {}

  // Brings the schema up to date; servers starting together on one PostgreSQL take turns.
  void Migrate(int64_t nowMs);
  int SchemaVersion();

  // A seed never issued before, remembered with the time; nullopt if `random` keeps giving
  // seeds that were.
  std::optional<uint32_t> IssueSeed(int64_t nowMs, const std::function<uint32_t()>& random);
  SeedState LookUpSeed(uint32_t seed, const Blob& replay);
  // Commits the run; `runId` is then its id (the earlier one's for AlreadyAccepted).
  AcceptOutcome Accept(const NewRun& run, int64_t nowMs, int64_t& runId);

  // Each player's best run of the period, best first.
  std::vector<PlacedRun> Top(Period period, int64_t nowMs, int64_t limit);
  // Where a run stands among the other players' best of the period; nullopt when it is hidden,
  // its name is hidden, or it is not of the period.
  std::optional<PlacedRun> PlaceOfRun(int64_t runId, Period period, int64_t nowMs);
  // The place of the name's best run of the period.
  std::optional<PlacedRun> PlaceOfName(const std::string& name, Period period, int64_t nowMs);
  std::optional<RunSummary> RunById(int64_t runId);
  // The replay of a run that is shown.
  std::optional<Blob> ReplayOf(int64_t runId);

  bool SetRunHidden(int64_t runId, bool hidden);
  void SetNameHidden(const std::string& name, bool hidden, int64_t nowMs);

  // Throws DatabaseError when the database does not answer.
  void Ping();

 private:
  DatabasePool& pool_;
};
