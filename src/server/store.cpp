#include "server/store.h"

#include <array>
#include <string_view>

namespace {

// The schema, one migration per version, in SQL both databases read. `{id}` and `{blob}` stand
// for the two words they spell differently: a table's own growing key, and bytes.
// Never edit a migration that has shipped: add the next one.
constexpr std::array<std::string_view, 1> kMigrations = {
    // 1: seeds, runs with their replays, hidden names.
    "CREATE TABLE seeds (seed BIGINT PRIMARY KEY, issued_at BIGINT NOT NULL);"
    "CREATE TABLE runs ("
    "  id {id} PRIMARY KEY,"
    "  seed BIGINT NOT NULL UNIQUE REFERENCES seeds (seed),"
    "  name TEXT NOT NULL,"
    "  score BIGINT NOT NULL,"
    "  distance BIGINT NOT NULL,"
    "  longest_chain BIGINT NOT NULL,"
    "  play_frames BIGINT NOT NULL,"
    "  game_version TEXT NOT NULL,"
    "  accepted_at BIGINT NOT NULL,"
    "  hidden INTEGER NOT NULL DEFAULT 0);"
    "CREATE INDEX runs_by_time ON runs (accepted_at);"
    "CREATE INDEX runs_by_name ON runs (name, score DESC);"
    "CREATE TABLE replays (run_id BIGINT PRIMARY KEY REFERENCES runs (id), bytes {blob} NOT NULL);"
    "CREATE TABLE hidden_names (name TEXT PRIMARY KEY, hidden_at BIGINT NOT NULL)",
};

std::string InDialect(std::string_view sql, Dialect dialect) {
  std::string out(sql);
  const auto replace = [&](std::string_view word, std::string_view sqlite, std::string_view pg) {
    for (size_t at; (at = out.find(word)) != std::string::npos;)
      out.replace(at, word.size(), dialect == Dialect::Sqlite ? sqlite : pg);
  };
  // SQLite's INTEGER PRIMARY KEY is its row id, which grows by itself.
  replace("{id}", "INTEGER", "BIGINT GENERATED ALWAYS AS IDENTITY");
  replace("{blob}", "BLOB", "BYTEA");
  return out;
}

std::vector<std::string> Statements(std::string_view script) {
  std::vector<std::string> statements;
  for (size_t begin = 0; begin < script.size();) {
    size_t end = script.find(';', begin);
    if (end == std::string_view::npos) end = script.size();
    statements.emplace_back(script.substr(begin, end - begin));
    begin = end + 1;
  }
  return statements;
}

// A write transaction: rolled back unless committed. SQLite takes its write lock at once
// (IMMEDIATE), so that two writers never deadlock upgrading a read.
class Transaction {
 public:
  explicit Transaction(Database& db) : db_(db) {
    db_.Query(db_.Kind() == Dialect::Sqlite ? "BEGIN IMMEDIATE" : "BEGIN");
  }
  ~Transaction() {
    if (done_ || !db_.Usable()) return;
    try {
      db_.Query("ROLLBACK");
    } catch (const DatabaseError&) {
      // The connection is gone, and the transaction with it.
    }
  }
  void Commit() {
    db_.Query("COMMIT");
    done_ = true;
  }

 private:
  Database& db_;
  bool done_ = false;
};

constexpr std::string_view kRunColumns =
    "id, name, score, distance, longest_chain, play_frames, game_version, accepted_at";

// The runs that rank: shown, of a shown name, accepted since the period began (parameter).
constexpr std::string_view kRankedRuns =
    "SELECT * FROM runs WHERE hidden = 0 AND accepted_at >= ?"
    " AND name NOT IN (SELECT name FROM hidden_names)";

RunSummary ReadRun(const SqlRow& row, size_t first = 0) {
  RunSummary run;
  run.id = row.Int(first);
  run.name = row.Text(first + 1);
  run.score = row.Int(first + 2);
  run.distance = row.Int(first + 3);
  run.longestChain = row.Int(first + 4);
  run.playFrames = row.Int(first + 5);
  run.gameVersion = row.Text(first + 6);
  run.acceptedAtMs = row.Int(first + 7);
  return run;
}

}  // namespace

void Store::Migrate(int64_t nowMs) {
  WithDatabase(pool_, [&](Database& db) {
    Transaction transaction(db);
    // Two servers starting together on one PostgreSQL: the second waits for the first's schema.
    if (db.Kind() == Dialect::Postgres) db.Query("SELECT pg_advisory_xact_lock(7305372)");
    db.Query(
        "CREATE TABLE IF NOT EXISTS schema_migrations"
        " (version INTEGER PRIMARY KEY, applied_at BIGINT NOT NULL)");
    const auto rows = db.Query("SELECT COALESCE(MAX(version), 0) FROM schema_migrations");
    for (size_t version = static_cast<size_t>(rows.at(0).Int(0)); version < kMigrations.size();
         ++version) {
      for (const std::string& statement : Statements(InDialect(kMigrations[version], db.Kind())))
        db.Query(statement);
      const SqlValue params[] = {static_cast<int64_t>(version + 1), nowMs};
      db.Query("INSERT INTO schema_migrations (version, applied_at) VALUES (?, ?)", params);
    }
    transaction.Commit();
  });
}

int Store::SchemaVersion() {
  return WithDatabase(pool_, [&](Database& db) {
    return static_cast<int>(
        db.Query("SELECT COALESCE(MAX(version), 0) FROM schema_migrations").at(0).Int(0));
  });
}

std::optional<uint32_t> Store::IssueSeed(int64_t nowMs, const std::function<uint32_t()>& random) {
  return WithDatabase(pool_, [&](Database& db) -> std::optional<uint32_t> {
    for (int attempt = 0; attempt < 16; ++attempt) {
      const uint32_t seed = random();
      const SqlValue params[] = {int64_t{seed}, nowMs};
      if (!db.Query("INSERT INTO seeds (seed, issued_at) VALUES (?, ?)"
                    " ON CONFLICT DO NOTHING RETURNING seed",
                    params)
               .empty())
        return seed;
    }
    return std::nullopt;
  });
}

SeedState Store::LookUpSeed(uint32_t seed, const Blob& replay) {
  return WithDatabase(pool_, [&](Database& db) {
    SeedState state;
    const SqlValue params[] = {int64_t{seed}};
    const auto rows = db.Query(
        "SELECT s.issued_at, r.id, p.bytes FROM seeds s LEFT JOIN runs r ON r.seed = s.seed"
        " LEFT JOIN replays p ON p.run_id = r.id WHERE s.seed = ?",
        params);
    if (rows.empty()) return state;
    state.issuedAtMs = rows[0].Int(0);
    if (rows[0].IsNull(1)) {
      state.status = SeedState::Status::Fresh;
    } else {
      state.status = SeedState::Status::Used;
      state.runId = rows[0].Int(1);
      state.sameReplay = rows[0].Bytes(2) == replay;
    }
    return state;
  });
}

AcceptOutcome Store::Accept(const NewRun& run, int64_t nowMs, int64_t& runId) {
  const auto earlier = [&] {
    const SeedState state = LookUpSeed(run.seed, run.replay);
    runId = state.runId;
    if (state.status == SeedState::Status::Unknown) return AcceptOutcome::SeedUnknown;
    return state.sameReplay ? AcceptOutcome::AlreadyAccepted : AcceptOutcome::SeedUsed;
  };
  try {
    return WithDatabase(pool_, [&](Database& db) {
      Transaction transaction(db);
      const SqlValue seed[] = {int64_t{run.seed}};
      if (db.Query("SELECT 1 FROM seeds WHERE seed = ?", seed).empty())
        return AcceptOutcome::SeedUnknown;
      const RunSummary& s = run.summary;
      const SqlValue values[] = {int64_t{run.seed}, s.name,       s.score,       s.distance,
                                 s.longestChain,    s.playFrames, s.gameVersion, nowMs};
      // A second run on the seed breaks its unique key: handled below.
      runId = db.Query(
                    "INSERT INTO runs (seed, name, score, distance, longest_chain, play_frames,"
                    " game_version, accepted_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?) RETURNING id",
                    values)
                  .at(0)
                  .Int(0);
      const SqlValue replay[] = {runId, run.replay};
      db.Query("INSERT INTO replays (run_id, bytes) VALUES (?, ?)", replay);
      transaction.Commit();
      return AcceptOutcome::Accepted;
    });
  } catch (const DatabaseError& e) {
    if (e.kind != DatabaseError::Kind::Constraint) throw;
    return earlier();
  }
}

std::vector<PlacedRun> Store::Top(Period period, int64_t nowMs, int64_t limit) {
  return WithDatabase(pool_, [&](Database& db) {
    const std::string sql = "WITH ranked AS (" + std::string(kRankedRuns) +
                            "), best AS (SELECT *, ROW_NUMBER() OVER (PARTITION BY name"
                            " ORDER BY score DESC, accepted_at, id) AS nth FROM ranked)"
                            " SELECT RANK() OVER (ORDER BY score DESC), " +
                            std::string(kRunColumns) +
                            " FROM best WHERE nth = 1 ORDER BY score DESC, accepted_at, id LIMIT ?";
    const SqlValue params[] = {PeriodStart(period, nowMs), limit};
    std::vector<PlacedRun> top;
    for (const SqlRow& row : db.Query(sql, params)) top.push_back({row.Int(0), ReadRun(row, 1)});
    return top;
  });
}

std::optional<PlacedRun> Store::PlaceOfRun(int64_t runId, Period period, int64_t nowMs) {
  return WithDatabase(pool_, [&](Database& db) -> std::optional<PlacedRun> {
    const int64_t since = PeriodStart(period, nowMs);
    const SqlValue id[] = {since, runId};
    const auto runs = db.Query("WITH ranked AS (" + std::string(kRankedRuns) + ") SELECT " +
                                   std::string(kRunColumns) + " FROM ranked WHERE id = ?",
                               id);
    if (runs.empty()) return std::nullopt;
    PlacedRun placed{1, ReadRun(runs[0])};
    // One place for each other player whose best is higher.
    const SqlValue params[] = {since, placed.run.name, placed.run.score};
    placed.place += db.Query("WITH ranked AS (" + std::string(kRankedRuns) +
                                 ") SELECT COUNT(DISTINCT name) FROM ranked"
                                 " WHERE name <> ? AND score > ?",
                             params)
                        .at(0)
                        .Int(0);
    return placed;
  });
}

std::optional<PlacedRun> Store::PlaceOfName(const std::string& name, Period period, int64_t nowMs) {
  const auto best = WithDatabase(pool_, [&](Database& db) {
    const SqlValue params[] = {PeriodStart(period, nowMs), name};
    return db.Query("WITH ranked AS (" + std::string(kRankedRuns) +
                        ") SELECT id FROM ranked WHERE name = ?"
                        " ORDER BY score DESC, accepted_at, id LIMIT 1",
                    params);
  });
  if (best.empty()) return std::nullopt;
  return PlaceOfRun(best[0].Int(0), period, nowMs);
}

std::optional<RunSummary> Store::RunById(int64_t runId) {
  return WithDatabase(pool_, [&](Database& db) -> std::optional<RunSummary> {
    const SqlValue params[] = {runId};
    const auto rows =
        db.Query("SELECT " + std::string(kRunColumns) + " FROM runs WHERE id = ?", params);
    if (rows.empty()) return std::nullopt;
    return ReadRun(rows[0]);
  });
}

std::optional<Blob> Store::ReplayOf(int64_t runId) {
  return WithDatabase(pool_, [&](Database& db) -> std::optional<Blob> {
    const SqlValue params[] = {runId};
    const auto rows = db.Query(
        "SELECT p.bytes FROM replays p JOIN runs r ON r.id = p.run_id WHERE r.id = ?"
        " AND r.hidden = 0 AND r.name NOT IN (SELECT name FROM hidden_names)",
        params);
    if (rows.empty()) return std::nullopt;
    return rows[0].Bytes(0);
  });
}

bool Store::SetRunHidden(int64_t runId, bool hidden) {
  return WithDatabase(pool_, [&](Database& db) {
    const SqlValue params[] = {int64_t{hidden}, runId};
    return !db.Query("UPDATE runs SET hidden = ? WHERE id = ? RETURNING id", params).empty();
  });
}

void Store::SetNameHidden(const std::string& name, bool hidden, int64_t nowMs) {
  WithDatabase(pool_, [&](Database& db) {
    if (hidden) {
      const SqlValue params[] = {name, nowMs};
      db.Query("INSERT INTO hidden_names (name, hidden_at) VALUES (?, ?) ON CONFLICT DO NOTHING",
               params);
    } else {
      const SqlValue params[] = {name};
      db.Query("DELETE FROM hidden_names WHERE name = ?", params);
    }
  });
}

void Store::Ping() {
  WithDatabase(pool_, [&](Database& db) { db.Query("SELECT 1"); });
}
