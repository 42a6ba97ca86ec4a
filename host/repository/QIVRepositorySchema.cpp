#include "QIVRepositorySchema.h"

#include "QIVSqlTransaction.h"

namespace {

int VersionOf(QIVSqlConnection& connection) {
  QIVSqlRows rows;
  connection.Run("SELECT version FROM repository_schema", {}, &rows);
  if (rows.empty() || !rows[0][0].Integer()) return 0;
  return static_cast<int>(*rows[0][0].Integer());
}

}  // namespace

const std::vector<std::vector<std::string>>& QIVRepositorySchema::Steps() {
  static const std::vector<std::vector<std::string>> steps = {
      // 1: fasteners with their positions, the documents' assignments, the
      // identifier counter and the plant library.
      {"CREATE TABLE fastener (plm_id TEXT PRIMARY KEY, name TEXT NOT NULL, version BIGINT NOT NULL,"
       " design_x DOUBLE PRECISION, design_y DOUBLE PRECISION, design_z DOUBLE PRECISION,"
       " design_roll DOUBLE PRECISION, design_pitch DOUBLE PRECISION, design_yaw DOUBLE PRECISION,"
       " saved_x DOUBLE PRECISION, saved_y DOUBLE PRECISION, saved_z DOUBLE PRECISION,"
       " saved_roll DOUBLE PRECISION, saved_pitch DOUBLE PRECISION, saved_yaw DOUBLE PRECISION)",
       "CREATE TABLE assignment (document_id TEXT NOT NULL, activity_path TEXT NOT NULL, plm_id TEXT NOT NULL,"
       " PRIMARY KEY (document_id, plm_id, activity_path))",
       "CREATE INDEX assignment_by_fastener ON assignment (plm_id)",
       "CREATE TABLE plm_counter (next_id BIGINT NOT NULL)",
       "INSERT INTO plm_counter (next_id) VALUES (1)",
       "CREATE TABLE library_plant_type (name TEXT PRIMARY KEY, derivesfrom TEXT)",
       "CREATE TABLE library_plant_type_set (position BIGINT PRIMARY KEY, name TEXT NOT NULL, master BIGINT NOT NULL)",
       "CREATE TABLE library_resource (name TEXT PRIMARY KEY, plantype_name TEXT NOT NULL)",
       "CREATE TABLE library_template (name TEXT PRIMARY KEY, position BIGINT NOT NULL)",
       "CREATE TABLE library_station (template_name TEXT NOT NULL, position BIGINT NOT NULL, name TEXT NOT NULL,"
       " station_type TEXT NOT NULL, estimated_investment_cost DOUBLE PRECISION NOT NULL,"
       " point_fastening_rate DOUBLE PRECISION NOT NULL, curve_fastening_rate DOUBLE PRECISION NOT NULL,"
       " proc_uses_plant TEXT, PRIMARY KEY (template_name, name))"},
      // 2: feature records of every kind with typed attributes; a fastener
      // remembers the document that published it. Fasteners stored before
      // become feature records of their own.
      {"CREATE TABLE feature (plm_id TEXT PRIMARY KEY, kind TEXT NOT NULL, name TEXT NOT NULL)",
       "CREATE TABLE feature_attribute (plm_id TEXT NOT NULL, name TEXT NOT NULL, text_value TEXT,"
       " integer_value BIGINT, real_value DOUBLE PRECISION, PRIMARY KEY (plm_id, name))",
       "ALTER TABLE fastener ADD COLUMN published_by TEXT",
       "INSERT INTO feature (plm_id, kind, name) SELECT plm_id, 'fastener', name FROM fastener"},
  };
  return steps;
}

int QIVRepositorySchema::Version(QIVSqlConnection& connection) {
  try {
    return VersionOf(connection);
  } catch (const QIVSqlError& error) {
    if (error.GetKind() == QIVSqlError::Kind::Unreachable) throw;
    return 0;
  }
}

int QIVRepositorySchema::Migrate(QIVSqlConnection& connection, int target) {
  const int found = Version(connection);
  if (found == target) return found;
  QIVSqlTransaction transaction(connection, QIVSqlConnection::Transaction::Write);
  connection.Run("CREATE TABLE IF NOT EXISTS repository_schema (version BIGINT NOT NULL)");
  // Another program may have migrated it while this one waited.
  const int version = VersionOf(connection);
  if (version > CurrentVersion)
    throw QIVSqlError(QIVSqlError::Kind::Schema,
                      "the repository has schema version " + std::to_string(version) +
                          ", newer than this biwplan reads (" + std::to_string(CurrentVersion) +
                          "); use a newer biwplan");
  for (int step = version + 1; step <= target; ++step)
    for (const std::string& statement : Steps()[step - 1]) connection.Run(statement);
  if (version == 0)
    connection.Run("INSERT INTO repository_schema (version) VALUES (?)", {target});
  else if (version < target)
    connection.Run("UPDATE repository_schema SET version = ?", {target});
  transaction.Commit();
  return version;
}
