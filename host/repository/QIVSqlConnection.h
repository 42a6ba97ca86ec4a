#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "QIVVariant.h"

using QIVSqlRow = std::vector<QIVVariant>;
using QIVSqlRows = std::vector<QIVSqlRow>;

// Why a repository call failed. Unreachable: the server or file could not
// be opened (address, password, permissions). Conflict: another writer
// changed the same record meanwhile; nothing was written and running the
// change again works. Schema: the repository's schema is not one this
// program reads.
class QIVSqlError : public std::runtime_error {
 public:
  enum class Kind { Failed, Unreachable, Conflict, Schema };
  QIVSqlError(Kind kind, const std::string& message) : std::runtime_error(message), _kind(kind) {}
  Kind GetKind() const { return _kind; }

 private:
  Kind _kind;
};

// One open connection to an SQL engine. Statements are written once for
// every engine: `?` placeholders, standard types (TEXT, BIGINT, DOUBLE
// PRECISION), INSERT ... ON CONFLICT and RETURNING. Each engine keeps the
// statements it has prepared, so a statement run many times is parsed once.
// Failures throw QIVSqlError.
class QIVSqlConnection {
 public:
  enum class Transaction {
    // Reads that see one state of the repository from the first to the last.
    Snapshot,
    // Changes that other writers wait for; readers see all of them or none.
    Write
  };

  virtual ~QIVSqlConnection() = default;

  // "SQLite" or "PostgreSQL".
  virtual const char* EngineName() const = 0;
  // Runs one statement; appends its rows to `rows` when given. Answers the
  // number of rows changed.
  virtual long long Run(const std::string& sql, const std::vector<QIVVariant>& parameters = {},
                        QIVSqlRows* rows = nullptr) = 0;
  // Runs statements without parameters, separated by ";".
  virtual void RunScript(const std::string& sql) = 0;

  virtual void Begin(Transaction kind) = 0;
  virtual void Commit() = 0;
  virtual void Rollback() = 0;
};
