#include "server/database.h"

#include <memory>

std::unique_ptr<Database> OpenSqlite(const std::string& path);
std::unique_ptr<Database> OpenPostgres(const std::string& url);

namespace {

bool IsPostgresUrl(const std::string& location) {
  return location.starts_with("postgresql://") || location.starts_with("postgres://");
}

template <typename T>
const T& Get(const SqlRow& row, size_t column) {
  if (column >= row.values.size() || !std::holds_alternative<T>(row.values[column]))
    throw DatabaseError(DatabaseError::Kind::Other,
                        "column " + std::to_string(column) + " has an unexpected type");
  return std::get<T>(row.values[column]);
}

}  // namespace

int64_t SqlRow::Int(size_t column) const { return Get<int64_t>(*this, column); }
const std::string& SqlRow::Text(size_t column) const { return Get<std::string>(*this, column); }
const Blob& SqlRow::Bytes(size_t column) const { return Get<Blob>(*this, column); }
bool SqlRow::IsNull(size_t column) const {
  return column >= values.size() || std::holds_alternative<std::nullptr_t>(values[column]);
}

std::unique_ptr<Database> OpenDatabase(const std::string& location) {
  if (IsPostgresUrl(location)) return OpenPostgres(location);
  return OpenSqlite(location.starts_with("sqlite:") ? location.substr(7) : location);
}

DatabasePool::DatabasePool(std::string location, size_t maxIdle)
    : location_(std::move(location)),
      maxIdle_(maxIdle),
      kind_(IsPostgresUrl(location_) ? Dialect::Postgres : Dialect::Sqlite) {}

DatabasePool::Lease::~Lease() {
  if (db_) pool_.Release(std::move(db_));
}

DatabasePool::Lease DatabasePool::Acquire() {
  {
    std::lock_guard lock(mutex_);
    if (!idle_.empty()) {
      std::unique_ptr<Database> db = std::move(idle_.back());
      idle_.pop_back();
      return Lease(*this, std::move(db));
    }
  }
  // Opening takes a round trip to the server: not under the lock.
  return Lease(*this, OpenDatabase(location_));
}

void DatabasePool::Release(std::unique_ptr<Database> db) {
  if (!db->Usable()) return;
  std::lock_guard lock(mutex_);
  if (idle_.size() < maxIdle_) idle_.push_back(std::move(db));
}
