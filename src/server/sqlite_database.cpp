// The database in one SQLite file, in WAL mode: readers never wait for the writer, and a
// transaction that returned from COMMIT is on the disk (synchronous=FULL) before the run it holds
// is reported as accepted.
#include <sqlite3.h>

#include <memory>

#include "server/database.h"

namespace {

class SqliteDatabase : public Database {
 public:
  explicit SqliteDatabase(const std::string& path) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
      const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      db_ = nullptr;
      throw DatabaseError(DatabaseError::Kind::Connection, "cannot open " + path + ": " + message);
    }
    // A writer waits for another (this process's other connections, or a second process) for
    // up to 10 s rather than fail.
    sqlite3_busy_timeout(db_, 10'000);
    for (const char* pragma :
         {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=ON"})
      Query(pragma, {});
  }
  ~SqliteDatabase() override { sqlite3_close(db_); }

  Dialect Kind() const override { return Dialect::Sqlite; }
  bool Usable() const override { return db_ != nullptr; }

  std::vector<SqlRow> Query(std::string_view sql, std::span<const SqlValue> params) override {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &raw, nullptr) !=
        SQLITE_OK)
      Fail(sqlite3_errcode(db_));
    std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, sqlite3_finalize);
    for (size_t i = 0; i < params.size(); ++i) Bind(raw, static_cast<int>(i + 1), params[i]);
    std::vector<SqlRow> rows;
    for (;;) {
      const int status = sqlite3_step(raw);
      if (status == SQLITE_DONE) return rows;
      if (status != SQLITE_ROW) Fail(status);
      rows.push_back(ReadRow(raw));
    }
  }

 private:
  void Bind(sqlite3_stmt* statement, int index, const SqlValue& value) {
    int status = SQLITE_OK;
    if (const auto* number = std::get_if<int64_t>(&value)) {
      status = sqlite3_bind_int64(statement, index, *number);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
      status = sqlite3_bind_text64(statement, index, text->data(), text->size(), SQLITE_TRANSIENT,
                                   SQLITE_UTF8);
    } else if (const auto* bytes = std::get_if<Blob>(&value)) {
      status =
          sqlite3_bind_blob64(statement, index, bytes->data(), bytes->size(), SQLITE_TRANSIENT);
    } else {
      status = sqlite3_bind_null(statement, index);
    }
    if (status != SQLITE_OK) Fail(status);
  }

  static SqlRow ReadRow(sqlite3_stmt* statement) {
    SqlRow row;
    const int columns = sqlite3_column_count(statement);
    for (int c = 0; c < columns; ++c) {
      switch (sqlite3_column_type(statement, c)) {
        case SQLITE_INTEGER: row.values.emplace_back(sqlite3_column_int64(statement, c)); break;
        case SQLITE_NULL: row.values.emplace_back(nullptr); break;
        case SQLITE_BLOB: {
          const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(statement, c));
          row.values.emplace_back(Blob(data, data + sqlite3_column_bytes(statement, c)));
          break;
        }
        default: {
          const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
          row.values.emplace_back(std::string(text, sqlite3_column_bytes(statement, c)));
        }
      }
    }
    return row;
  }

  [[noreturn]] void Fail(int status) {
    const auto kind = (status & 0xFF) == SQLITE_CONSTRAINT ? DatabaseError::Kind::Constraint
                                                           : DatabaseError::Kind::Other;
    throw DatabaseError(kind, std::string("SQLite: ") + sqlite3_errmsg(db_));
  }

  sqlite3* db_ = nullptr;
};

}  // namespace

std::unique_ptr<Database> OpenSqlite(const std::string& path) {
  return std::make_unique<SqliteDatabase>(path);
}
