// One connection to the ranking's database, SQLite or PostgreSQL, behind the few calls the store
// makes: a statement with parameters, its rows back. The statements are the same for both:
// parameters are written `?`, and the words that differ between the two are named by Dialect.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

using Blob = std::vector<uint8_t>;
using SqlValue = std::variant<std::nullptr_t, int64_t, std::string, Blob>;

struct SqlRow {
  std::vector<SqlValue> values;

  int64_t Int(size_t column) const;
  const std::string& Text(size_t column) const;
  const Blob& Bytes(size_t column) const;
  bool IsNull(size_t column) const;
};

class DatabaseError : public std::runtime_error {
 public:
  enum class Kind {
    Constraint,  // a unique key or another constraint refused the statement
    Connection,  // the server went away: the connection is dead and must be replaced
    Other,
  };
  DatabaseError(Kind kind, const std::string& message) : std::runtime_error(message), kind(kind) {}
  Kind kind;
};

enum class Dialect { Sqlite, Postgres };

class Database {
 public:
  virtual ~Database() = default;
  virtual Dialect Kind() const = 0;
  // Runs one statement; throws DatabaseError when it fails.
  virtual std::vector<SqlRow> Query(std::string_view sql,
                                    std::span<const SqlValue> params = {}) = 0;
  // False once the connection cannot serve any more statements.
  virtual bool Usable() const = 0;
};

// Opens `location`: a postgresql:// or postgres:// URL, or else the path of an SQLite file
// (created if missing, in WAL mode). Throws DatabaseError when it cannot.
std::unique_ptr<Database> OpenDatabase(const std::string& location);

// Connections shared by the server's threads, one thread at a time each. A connection found
// dead is dropped and a new one opened in its place on the next lease.
class DatabasePool {
 public:
  DatabasePool(std::string location, size_t maxIdle);

  class Lease {
   public:
    Lease(DatabasePool& pool, std::unique_ptr<Database> db) : pool_(pool), db_(std::move(db)) {}
    Lease(Lease&&) = default;
    ~Lease();
    Database* operator->() const { return db_.get(); }
    Database& operator*() const { return *db_; }

   private:
    DatabasePool& pool_;
    std::unique_ptr<Database> db_;
  };

  Lease Acquire();
  Dialect Kind() const { return kind_; }

 private:
  void Release(std::unique_ptr<Database> db);

  std::string location_;
  size_t maxIdle_;
  Dialect kind_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<Database>> idle_;
};

// Runs `work` with a leased connection; when the connection turns out dead, runs it once more on
// a new one (the database restarted). `work` must be safe to repeat: a transaction it began
// rolled back with the connection.
template <typename Work>
auto WithDatabase(DatabasePool& pool, Work&& work) {
  for (int attempt = 0;; ++attempt) {
    try {
      DatabasePool::Lease db = pool.Acquire();
      return work(*db);
    } catch (const DatabaseError& e) {
      if (e.kind != DatabaseError::Kind::Connection || attempt == 1) throw;
    }
  }
}
