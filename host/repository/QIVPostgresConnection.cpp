#include "QIVPostgresConnection.h"

#include <libpq-fe.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "QIVSharedLibrary.h"

// libpq's functions, bound on the first connection; the library stays
// open for the rest of the run. Most runs never reach a server and do not
// map it, nor the security libraries it needs.
#define LIBPQ_FUNCTION(name) decltype(&::name) name = library.Function<decltype(&::name)>(#name)
struct QIVLibpq {
  QIVSharedLibrary library{"libpq.so.5"};
  LIBPQ_FUNCTION(PQconnectdb);
  LIBPQ_FUNCTION(PQstatus);
  LIBPQ_FUNCTION(PQerrorMessage);
  LIBPQ_FUNCTION(PQfinish);
  LIBPQ_FUNCTION(PQsetNoticeProcessor);
  LIBPQ_FUNCTION(PQprepare);
  LIBPQ_FUNCTION(PQexecPrepared);
  LIBPQ_FUNCTION(PQexec);
  LIBPQ_FUNCTION(PQresultStatus);
  LIBPQ_FUNCTION(PQresultErrorField);
  LIBPQ_FUNCTION(PQclear);
  LIBPQ_FUNCTION(PQntuples);
  LIBPQ_FUNCTION(PQnfields);
  LIBPQ_FUNCTION(PQftype);
  LIBPQ_FUNCTION(PQgetisnull);
  LIBPQ_FUNCTION(PQgetvalue);
  LIBPQ_FUNCTION(PQgetlength);
  LIBPQ_FUNCTION(PQcmdTuples);
};
#undef LIBPQ_FUNCTION

namespace {

// Throws QIVSqlError (Unreachable) when the library cannot be loaded; the
// next connection tries again.
const QIVLibpq& Pq() {
  try {
    static const QIVLibpq libpq;
    return libpq;
  } catch (const QIVSharedLibrary::Error& error) {
    throw QIVSqlError(QIVSqlError::Kind::Unreachable, error.what());
  }
}

// Type identifiers of the server's numeric column types.
constexpr Oid kInt2 = 21, kInt4 = 23, kInt8 = 20, kFloat4 = 700, kFloat8 = 701, kNumeric = 1700;

using Result = std::unique_ptr<PGresult, decltype(&::PQclear)>;

// libpq's messages end with a line feed and may run on for lines of
// detail; the first line says what went wrong.
std::string FirstLine(const char* message) {
  std::string text = message ? message : "";
  if (std::size_t end = text.find('\n'); end != std::string::npos) text.erase(end);
  return text.empty() ? "unknown error" : text;
}

// `?` placeholders become `$1`, `$2`... The statements of this program hold
// no `?` inside literals: every value is a parameter.
std::string Numbered(const std::string& sql) {
  std::string numbered;
  numbered.reserve(sql.size() + 16);
  int next = 1;
  for (char c : sql) {
    if (c == '?')
      numbered += '$' + std::to_string(next++);
    else
      numbered += c;
  }
  return numbered;
}

std::string ParameterText(const QIVVariant& value) {
  if (const std::string* text = value.Text()) return *text;
  if (const long long* integer = value.Integer()) return std::to_string(*integer);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", *value.Real());
  return buffer;
}

QIVVariant CellValue(const QIVLibpq& pq, const PGresult* result, int row, int column) {
  if (pq.PQgetisnull(result, row, column)) return QIVVariant();
  const char* text = pq.PQgetvalue(result, row, column);
  const int length = pq.PQgetlength(result, row, column);
  switch (pq.PQftype(result, column)) {
    case kInt2:
    case kInt4:
    case kInt8: {
      long long integer = 0;
      std::from_chars(text, text + length, integer);
      return QIVVariant(integer);
    }
    case kFloat4:
    case kFloat8:
    case kNumeric:
      return QIVVariant(std::strtod(text, nullptr));
    default:
      return QIVVariant(std::string(text, length));
  }
}

void IgnoreNotice(void*, const char*) {}

}  // namespace

QIVPostgresConnection::QIVPostgresConnection(const std::string& url)
    : _pq(Pq()), _connection(_pq.PQconnectdb(url.c_str())) {
  if (!_connection) throw QIVSqlError(QIVSqlError::Kind::Unreachable, "out of memory");
  if (_pq.PQstatus(_connection) != CONNECTION_OK) {
    const std::string reason = FirstLine(_pq.PQerrorMessage(_connection));
    _pq.PQfinish(_connection);
    _connection = nullptr;
    throw QIVSqlError(QIVSqlError::Kind::Unreachable, reason);
  }
  _pq.PQsetNoticeProcessor(_connection, IgnoreNotice, nullptr);
}

QIVPostgresConnection::~QIVPostgresConnection() { _pq.PQfinish(_connection); }

void QIVPostgresConnection::Check(PGresult* raw, const char* what) {
  Result result(raw, _pq.PQclear);
  const ExecStatusType status = result ? _pq.PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return;
  const char* state = result ? _pq.PQresultErrorField(result.get(), PG_DIAG_SQLSTATE) : nullptr;
  const std::string code = state ? state : "";
  QIVSqlError::Kind kind = QIVSqlError::Kind::Failed;
  if (code == "23505" || code == "40001" || code == "40P01")
    kind = QIVSqlError::Kind::Conflict;
  else if (_pq.PQstatus(_connection) != CONNECTION_OK || code.rfind("08", 0) == 0)
    kind = QIVSqlError::Kind::Unreachable;
  const char* primary = result ? _pq.PQresultErrorField(result.get(), PG_DIAG_MESSAGE_PRIMARY) : nullptr;
  throw QIVSqlError(
      kind, std::string(what) + ": " + FirstLine(primary ? primary : _pq.PQerrorMessage(_connection)));
}

const std::string& QIVPostgresConnection::Prepared(const std::string& sql) {
  if (auto found = _statements.find(sql); found != _statements.end()) return found->second;
  std::string name = "s";
  name += std::to_string(_statements.size());
  Check(_pq.PQprepare(_connection, name.c_str(), Numbered(sql).c_str(), 0, nullptr),
        "cannot prepare a statement");
  return _statements.emplace(sql, std::move(name)).first->second;
}

long long QIVPostgresConnection::Run(const std::string& sql, const std::vector<QIVVariant>& parameters,
                                     QIVSqlRows* rows) {
  const std::string& name = Prepared(sql);
  std::vector<std::string> texts;
  std::vector<const char*> values;
  texts.reserve(parameters.size());
  for (const QIVVariant& parameter : parameters) {
    if (parameter.IsEmpty()) {
      values.push_back(nullptr);
      continue;
    }
    texts.push_back(ParameterText(parameter));
    values.push_back(texts.back().c_str());
  }
  Result result(_pq.PQexecPrepared(_connection, name.c_str(), static_cast<int>(values.size()), values.data(),
                                   nullptr, nullptr, 0),
                _pq.PQclear);
  const ExecStatusType status = result ? _pq.PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) Check(result.release(), "cannot run a statement");
  if (rows) {
    const int count = _pq.PQntuples(result.get()), columns = _pq.PQnfields(result.get());
    rows->reserve(rows->size() + count);
    for (int row = 0; row < count; ++row) {
      QIVSqlRow& values = rows->emplace_back();
      values.reserve(columns);
      for (int column = 0; column < columns; ++column)
        values.push_back(CellValue(_pq, result.get(), row, column));
    }
  }
  const char* changed = _pq.PQcmdTuples(result.get());
  return changed && *changed ? std::atoll(changed) : 0;
}

void QIVPostgresConnection::RunScript(const std::string& sql) {
  Check(_pq.PQexec(_connection, sql.c_str()), "cannot run");
}

void QIVPostgresConnection::Begin(Transaction kind) {
  RunScript(kind == Transaction::Write ? "BEGIN" : "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
}

void QIVPostgresConnection::Commit() { RunScript("COMMIT"); }

void QIVPostgresConnection::Rollback() { RunScript("ROLLBACK"); }
