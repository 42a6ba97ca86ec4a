#pragma once

#include "QIVSqlConnection.h"

// A transaction held for a scope: rolled back when the scope is left
// without Commit (an error, an early return), so that a failed change
// leaves nothing half written.
class QIVSqlTransaction {
 public:
  QIVSqlTransaction(QIVSqlConnection& connection, QIVSqlConnection::Transaction kind);
  ~QIVSqlTransaction();
  QIVSqlTransaction(const QIVSqlTransaction&) = delete;
  QIVSqlTransaction& operator=(const QIVSqlTransaction&) = delete;

  void Commit();

 private:
  QIVSqlConnection& _connection;
  bool _open = true;
};
