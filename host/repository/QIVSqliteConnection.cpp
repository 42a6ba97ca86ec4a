#include "QIVSqliteConnection.h"

#include <sqlite3.h>

namespace {

// How long a writer waits for the writer before it.
constexpr int kBusyTimeoutMs = 30000;

// Resets the statement when the run ends, however it ends.
struct StatementRun {
  sqlite3_stmt* statement;
  ~StatementRun() {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
  }
};

QIVVariant ColumnValue(sqlite3_stmt* statement, int column) {
  switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
      return QIVVariant(static_cast<long long>(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
      return QIVVariant(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
      return QIVVariant();
    default:
      return QIVVariant(std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                                    sqlite3_column_bytes(statement, column)));
  }
}

}  // namespace

QIVSqliteConnection::QIVSqliteConnection(const std::string& path) {
  const int code = sqlite3_open_v2(path.c_str(), &_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (code != SQLITE_OK) {
    const std::string reason = _db ? sqlite3_errmsg(_db) : sqlite3_errstr(code);
    sqlite3_close(_db);
    _db = nullptr;
    throw QIVSqlError(QIVSqlError::Kind::Unreachable, reason);
  }
  sqlite3_busy_timeout(_db, kBusyTimeoutMs);
  try {
    // A file that is not a database shows itself at the first read.
    RunScript("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON");
  } catch (const QIVSqlError& error) {
    sqlite3_close(_db);
    _db = nullptr;
    throw QIVSqlError(QIVSqlError::Kind::Unreachable, error.what());
  }
}

QIVSqliteConnection::~QIVSqliteConnection() {
  for (auto& [sql, statement] : _statements) sqlite3_finalize(statement);
  sqlite3_close(_db);
}

void QIVSqliteConnection::Fail(int code, const std::string& what) const {
  const int primary = code & 0xff;
  QIVSqlError::Kind kind = QIVSqlError::Kind::Failed;
  if (code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE || primary == SQLITE_BUSY)
    kind = QIVSqlError::Kind::Conflict;
  throw QIVSqlError(kind, what + ": " + sqlite3_errmsg(_db));
}

sqlite3_stmt* QIVSqliteConnection::Prepared(const std::string& sql) {
  if (auto found = _statements.find(sql); found != _statements.end()) return found->second;
  sqlite3_stmt* statement = nullptr;
  const int code = sqlite3_prepare_v3(_db, sql.c_str(), static_cast<int>(sql.size() + 1), SQLITE_PREPARE_PERSISTENT,
                                      &statement, nullptr);
  if (code != SQLITE_OK) Fail(code, "cannot prepare a statement");
  _statements.emplace(sql, statement);
  return statement;
}

long long QIVSqliteConnection::Run(const std::string& sql, const std::vector<QIVVariant>& parameters,
                                   QIVSqlRows* rows) {
  StatementRun run{Prepared(sql)};
  sqlite3_stmt* statement = run.statement;
  for (int i = 0; i < static_cast<int>(parameters.size()); ++i) {
    const QIVVariant& value = parameters[i];
    if (const std::string* text = value.Text())
      sqlite3_bind_text(statement, i + 1, text->data(), static_cast<int>(text->size()), SQLITE_STATIC);
    else if (const long long* integer = value.Integer())
      sqlite3_bind_int64(statement, i + 1, *integer);
    else if (const double* real = value.Real())
      sqlite3_bind_double(statement, i + 1, *real);
    else
      sqlite3_bind_null(statement, i + 1);
  }
  int code;
  while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
    if (!rows) continue;
    QIVSqlRow& row = rows->emplace_back();
    for (int column = 0, count = sqlite3_column_count(statement); column < count; ++column)
      row.push_back(ColumnValue(statement, column));
  }
  if (code != SQLITE_DONE) Fail(sqlite3_extended_errcode(_db), "cannot run a statement");
  return sqlite3_changes64(_db);
}

void QIVSqliteConnection::RunScript(const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(_db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return;
  const std::string reason = message ? message : "unknown error";
  sqlite3_free(message);
  const int code = sqlite3_extended_errcode(_db);
  throw QIVSqlError((code & 0xff) == SQLITE_BUSY ? QIVSqlError::Kind::Conflict : QIVSqlError::Kind::Failed,
                    reason);
}

void QIVSqliteConnection::Begin(Transaction kind) {
  RunScript(kind == Transaction::Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

void QIVSqliteConnection::Commit() { RunScript("COMMIT"); }

void QIVSqliteConnection::Rollback() { RunScript("ROLLBACK"); }
