#pragma once

#include <string>
#include <unordered_map>

#include "QIVSqlConnection.h"

struct sqlite3;
struct sqlite3_stmt;

// A repository file opened with the embedded SQLite engine, created when
// absent. The file is in write-ahead-log mode, so readers keep reading the
// last committed state while a writer works, and a writer waits for the one
// before it rather than failing at once.
class QIVSqliteConnection : public QIVSqlConnection {
 public:
  // Throws QIVSqlError (Unreachable) when the file cannot be opened or
  // created.
  explicit QIVSqliteConnection(const std::string& path);
  ~QIVSqliteConnection() override;

  const char* EngineName() const override { return "SQLite"; }
  long long Run(const std::string& sql, const std::vector<QIVVariant>& parameters, QIVSqlRows* rows) override;
  void RunScript(const std::string& sql) override;
  void Begin(Transaction kind) override;
  void Commit() override;
  void Rollback() override;

 private:
  sqlite3_stmt* Prepared(const std::string& sql);
  [[noreturn]] void Fail(int code, const std::string& what) const;

  sqlite3* _db = nullptr;
  std::unordered_map<std::string, sqlite3_stmt*> _statements;
};
