#include "QIVSqlTransaction.h"

QIVSqlTransaction::QIVSqlTransaction(QIVSqlConnection& connection, QIVSqlConnection::Transaction kind)
    : _connection(connection) {
  _connection.Begin(kind);
}

QIVSqlTransaction::~QIVSqlTransaction() {
  if (!_open) return;
  try {
    _connection.Rollback();
  } catch (const QIVSqlError&) {
    // The connection is gone; the server drops the transaction with it.
  }
}

void QIVSqlTransaction::Commit() {
  _open = false;
  _connection.Commit();
}
