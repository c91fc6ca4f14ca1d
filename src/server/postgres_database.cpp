// The database on a PostgreSQL server, through libpq: what several servers share.
#include <libpq-fe.h>

#include <cstdlib>
#include <memory>

#include "server/database.h"

namespace {

// Type identifiers of pg_type that come back as numbers or bytes.
constexpr Oid kBoolOid = 16, kByteaOid = 17, kInt8Oid = 20, kInt2Oid = 21, kInt4Oid = 23;

// The statements' `?` as libpq's numbered parameters: $1, $2, ...
std::string NumberParameters(std::string_view sql) {
  std::string out;
  int next = 1;
  for (char c : sql) {
    if (c == '?') {
      out += '$' + std::to_string(next++);
    } else {
      out += c;
    }
  }
  return out;
}

class PostgresDatabase : public Database {
 public:
  explicit PostgresDatabase(const std::string& url) {
    // The URL's own settings win over these defaults (expand_dbname).
    const char* keys[] = {"dbname", "connect_timeout", "application_name", nullptr};
    const char* values[] = {url.c_str(), "5", "moravin-server", nullptr};
    conn_ = PQconnectdbParams(keys, values, 1);
    if (PQstatus(conn_) != CONNECTION_OK) {
      const std::string message = PQerrorMessage(conn_);
      PQfinish(conn_);
      conn_ = nullptr;
      throw DatabaseError(DatabaseError::Kind::Connection, "PostgreSQL: " + message);
    }
    // Notices (an existing table, say) are not the server's business to print.
    PQsetNoticeProcessor(
        conn_, [](void*, const char*) {}, nullptr);
  }
  ~PostgresDatabase() override { PQfinish(conn_); }

  Dialect Kind() const override { return Dialect::Postgres; }
  bool Usable() const override { return conn_ && !broken_ && PQstatus(conn_) == CONNECTION_OK; }

  std::vector<SqlRow> Query(std::string_view sql, std::span<const SqlValue> params) override {
    std::vector<std::string> texts(params.size());
    std::vector<const char*> values(params.size());
    std::vector<int> lengths(params.size()), formats(params.size());
    for (size_t i = 0; i < params.size(); ++i) {
      if (const auto* number = std::get_if<int64_t>(&params[i])) {
        texts[i] = std::to_string(*number);
      } else if (const auto* text = std::get_if<std::string>(&params[i])) {
        texts[i] = *text;
      } else if (const auto* bytes = std::get_if<Blob>(&params[i])) {
        values[i] = reinterpret_cast<const char*>(bytes->data());
        lengths[i] = static_cast<int>(bytes->size());
        formats[i] = 1;  // binary: bytea as it is
        continue;
      } else {
        continue;  // NULL
      }
      values[i] = texts[i].c_str();
      lengths[i] = static_cast<int>(texts[i].size());
    }
    const std::string statement = NumberParameters(sql);
    std::unique_ptr<PGresult, decltype(&PQclear)> result(
        PQexecParams(conn_, statement.c_str(), static_cast<int>(params.size()), nullptr,
                     values.data(), lengths.data(), formats.data(), 0),
        PQclear);
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) Fail(result.get());
    return ReadRows(result.get());
  }

 private:
  static std::vector<SqlRow> ReadRows(PGresult* result) {
    std::vector<SqlRow> rows(static_cast<size_t>(PQntuples(result)));
    const int columns = PQnfields(result);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
      for (int c = 0; c < columns; ++c) {
        rows[r].values.push_back(ReadValue(result, r, c));
      }
    }
    return rows;
  }

  static SqlValue ReadValue(PGresult* result, int row, int column) {
    if (PQgetisnull(result, row, column)) return nullptr;
    const char* text = PQgetvalue(result, row, column);
    switch (PQftype(result, column)) {
      case kInt8Oid:
      case kInt4Oid:
      case kInt2Oid: return static_cast<int64_t>(std::strtoll(text, nullptr, 10));
      case kBoolOid: return static_cast<int64_t>(text[0] == 't');
      case kByteaOid: {
        size_t size = 0;
        unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
        if (!bytes) throw DatabaseError(DatabaseError::Kind::Other, "PostgreSQL: out of memory");
        Blob blob(bytes, bytes + size);
        PQfreemem(bytes);
        return blob;
      }
      default: return std::string(text, static_cast<size_t>(PQgetlength(result, row, column)));
    }
  }

  [[noreturn]] void Fail(PGresult* result) {
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const std::string sqlState = state ? state : "";
    auto kind = DatabaseError::Kind::Other;
    if (PQstatus(conn_) != CONNECTION_OK || sqlState.starts_with("08") ||
        sqlState.starts_with("57P")) {
      kind = DatabaseError::Kind::Connection;
      broken_ = true;  // a server shutting down may leave the socket looking open
    } else if (sqlState.starts_with("23")) {
      kind = DatabaseError::Kind::Constraint;
    }
    throw DatabaseError(kind, std::string("PostgreSQL: ") + PQerrorMessage(conn_));
  }

  PGconn* conn_ = nullptr;
  bool broken_ = false;
};

}  // namespace

std::unique_ptr<Database> OpenPostgres(const std::string& url) {
  return std::make_unique<PostgresDatabase>(url);
}
