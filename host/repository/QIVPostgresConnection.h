#pragma once

#include <string>
#include <unordered_map>

#include "QIVSqlConnection.h"

struct pg_conn;
struct pg_result;
struct QIVLibpq;

// A plant's shared repository on a PostgreSQL server, reached through
// libpq with a connection URL. Credentials come from the URL, the
// environment (PGPASSWORD, PGSERVICE) or the user's pgpass file, as libpq
// reads them; this class keeps none of them. libpq is loaded on the first
// connection of the run.
class QIVPostgresConnection : public QIVSqlConnection {
 public:
  // Throws QIVSqlError (Unreachable) with libpq's reason when the server
  // cannot be reached or refuses the login, or with the loader's when
  // libpq cannot be loaded.
  explicit QIVPostgresConnection(const std::string& url);
  ~QIVPostgresConnection() override;

  const char* EngineName() const override { return "PostgreSQL"; }
  long long Run(const std::string& sql, const std::vector<QIVVariant>& parameters, QIVSqlRows* rows) override;
  void RunScript(const std::string& sql) override;
  void Begin(Transaction kind) override;
  void Commit() override;
  void Rollback() override;

 private:
  const std::string& Prepared(const std::string& sql);
  // Throws for a result that failed; frees it.
  void Check(pg_result* result, const char* what);

  const QIVLibpq& _pq;
  pg_conn* _connection = nullptr;
  std::unordered_map<std::string, std::string> _statements;
};
