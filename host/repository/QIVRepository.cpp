#include "QIVRepository.h"

#include <algorithm>
#include <filesystem>

#include "QIVPostgresConnection.h"
#include "QIVRepositoryPublication.h"
#include "QIVRepositorySchema.h"
#include "QIVSqlTransaction.h"
#include "QIVSqliteConnection.h"

namespace {

std::string TextOf(const QIVVariant& value) { return value.Text() ? *value.Text() : std::string(); }
double RealOf(const QIVVariant& value) {
  if (const double* real = value.Real()) return *real;
  if (const long long* integer = value.Integer()) return static_cast<double>(*integer);
  return 0;
}
long long IntegerOf(const QIVVariant& value) { return value.Integer() ? *value.Integer() : 0; }

// Six columns from `first`; nothing when the first is null.
std::optional<QIVPosition> PositionOf(const QIVSqlRow& row, std::size_t first) {
  if (row[first].IsEmpty()) return std::nullopt;
  QIVPosition position;
  for (std::size_t i = 0; i < 6; ++i) position[i] = RealOf(row[first + i]);
  return position;
}

long long Count(QIVSqlConnection& connection, const std::string& sql) {
  QIVSqlRows rows;
  connection.Run(sql, {}, &rows);
  return rows.empty() ? 0 : IntegerOf(rows[0][0]);
}

QIVVariant AttributeValue(const QIVSqlRow& row) {
  if (!row[1].IsEmpty()) return row[1];
  if (!row[2].IsEmpty()) return QIVVariant(IntegerOf(row[2]));
  if (!row[3].IsEmpty()) return QIVVariant(RealOf(row[3]));
  return QIVVariant();
}

}  // namespace

std::unique_ptr<QIVRepository> QIVRepository::Open(const QIVRepositoryLocation& location) {
  std::unique_ptr<QIVSqlConnection> connection;
  if (location.IsPostgres()) {
    connection = std::make_unique<QIVPostgresConnection>(location.Connection());
  } else {
    const std::filesystem::path folder = std::filesystem::path(location.Connection()).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    connection = std::make_unique<QIVSqliteConnection>(location.Connection());
  }
  QIVRepositorySchema::Migrate(*connection);
  return std::make_unique<QIVRepository>(location, std::move(connection));
}

QIVRepository::QIVRepository(QIVRepositoryLocation location, std::unique_ptr<QIVSqlConnection> connection)
    : _location(std::move(location)), _connection(std::move(connection)) {}

int QIVRepository::SchemaVersion() { return QIVRepositorySchema::Version(*_connection); }

QIVRepository::Counts QIVRepository::GetCounts() {
  QIVSqlTransaction snapshot(*_connection, QIVSqlConnection::Transaction::Snapshot);
  Counts counts;
  counts.fasteners = Count(*_connection, "SELECT count(*) FROM fastener");
  counts.features = Count(*_connection, "SELECT count(*) FROM feature");
  counts.assignments = Count(*_connection, "SELECT count(*) FROM assignment");
  counts.documents = Count(*_connection, "SELECT count(DISTINCT document_id) FROM assignment");
  counts.templates = Count(*_connection, "SELECT count(*) FROM library_template");
  counts.stations = Count(*_connection, "SELECT count(*) FROM library_station");
  counts.resources = Count(*_connection, "SELECT count(*) FROM library_resource");
  counts.plantTypes = Count(*_connection, "SELECT count(*) FROM library_plant_type");
  snapshot.Commit();
  return counts;
}

namespace {
std::vector<std::string> Texts(QIVSqlConnection& connection, const std::string& sql) {
  QIVSqlRows rows;
  connection.Run(sql, {}, &rows);
  std::vector<std::string> texts;
  texts.reserve(rows.size());
  for (const QIVSqlRow& row : rows) texts.push_back(TextOf(row[0]));
  return texts;
}
}  // namespace

std::vector<std::string> QIVRepository::GetFastenerIds() {
  return Texts(*_connection, "SELECT plm_id FROM fastener ORDER BY plm_id");
}

std::vector<std::string> QIVRepository::GetFeatureIds() {
  return Texts(*_connection, "SELECT plm_id FROM feature ORDER BY plm_id");
}

std::vector<QIVFastenerRecord> QIVRepository::GetFasteners(const std::vector<std::string>& plmIds) {
  std::vector<QIVFastenerRecord> records;
  QIVSqlTransaction snapshot(*_connection, QIVSqlConnection::Transaction::Snapshot);
  for (const std::string& plmId : plmIds) {
    QIVSqlRows rows;
    _connection->Run(
        "SELECT plm_id, name, version, published_by, design_x, design_y, design_z, design_roll, design_pitch,"
        " design_yaw, saved_x, saved_y, saved_z, saved_roll, saved_pitch, saved_yaw FROM fastener WHERE plm_id = ?",
        {plmId}, &rows);
    if (rows.empty()) continue;
    const QIVSqlRow& row = rows[0];
    records.push_back({TextOf(row[0]), TextOf(row[1]), IntegerOf(row[2]), PositionOf(row, 4), PositionOf(row, 10),
                       TextOf(row[3])});
  }
  snapshot.Commit();
  return records;
}

std::vector<std::optional<QIVAttributes>> QIVRepository::GetAttributes(const std::vector<std::string>& plmIds,
                                                                        const std::vector<std::string>& names) {
  std::vector<std::optional<QIVAttributes>> records;
  records.reserve(plmIds.size());
  QIVSqlTransaction snapshot(*_connection, QIVSqlConnection::Transaction::Snapshot);
  for (const std::string& plmId : plmIds) {
    QIVSqlRows known;
    _connection->Run("SELECT kind FROM feature WHERE plm_id = ?", {plmId}, &known);
    if (known.empty()) {
      records.emplace_back();
      continue;
    }
    QIVSqlRows rows;
    _connection->Run("SELECT name, text_value, integer_value, real_value FROM feature_attribute WHERE plm_id = ?",
                     {plmId}, &rows);
    QIVAttributes& attributes = records.emplace_back().emplace();
    for (const QIVSqlRow& row : rows) {
      const std::string name = TextOf(row[0]);
      if (names.empty() || std::find(names.begin(), names.end(), name) != names.end())
        attributes[name] = AttributeValue(row);
    }
  }
  snapshot.Commit();
  return records;
}

std::vector<QIVAssignmentRecord> QIVRepository::GetAssignmentsOutside(const std::string& documentId) {
  QIVSqlRows rows;
  _connection->Run(
      "SELECT document_id, activity_path, plm_id FROM assignment WHERE document_id <> ?"
      " ORDER BY plm_id, document_id, activity_path",
      {documentId}, &rows);
  std::vector<QIVAssignmentRecord> assignments;
  assignments.reserve(rows.size());
  for (const QIVSqlRow& row : rows) assignments.push_back({TextOf(row[0]), TextOf(row[1]), TextOf(row[2])});
  return assignments;
}

const std::vector<std::string>& QIVRepository::AssignmentPathsOutside(const std::string& documentId,
                                                                     const std::string& plmId) {
  if (_outsideOf != documentId) {
    _outside.clear();
    for (QIVAssignmentRecord& assignment : GetAssignmentsOutside(documentId))
      _outside[assignment.plmId].push_back(std::move(assignment.activityPath));
    _outsideOf = documentId;
  }
  static const std::vector<std::string> none;
  auto found = _outside.find(plmId);
  return found == _outside.end() ? none : found->second;
}

QIVLibraryContents QIVRepository::GetLibrary() {
  QIVLibraryContents library;
  QIVSqlTransaction snapshot(*_connection, QIVSqlConnection::Transaction::Snapshot);
  QIVSqlRows rows;
  _connection->Run("SELECT name, derivesfrom FROM library_plant_type ORDER BY name", {}, &rows);
  for (const QIVSqlRow& row : rows) library.plantTypes.push_back({TextOf(row[0]), TextOf(row[1])});
  rows.clear();
  _connection->Run("SELECT name, master FROM library_plant_type_set ORDER BY position", {}, &rows);
  for (const QIVSqlRow& row : rows) {
    if (IntegerOf(row[1]))
      library.plantTypeSetMaster = TextOf(row[0]);
    else
      library.plantTypeSetChildren.push_back(TextOf(row[0]));
  }
  rows.clear();
  _connection->Run("SELECT name, plantype_name FROM library_resource ORDER BY name", {}, &rows);
  for (const QIVSqlRow& row : rows) library.resources.push_back({TextOf(row[0]), TextOf(row[1])});
  rows.clear();
  _connection->Run("SELECT name FROM library_template ORDER BY position", {}, &rows);
  for (const QIVSqlRow& row : rows) {
    QIVLibraryTemplate& entry = library.templates.emplace_back();
    entry.name = TextOf(row[0]);
    QIVSqlRows stations;
    _connection->Run(
        "SELECT name, station_type, estimated_investment_cost, point_fastening_rate, curve_fastening_rate,"
        " proc_uses_plant FROM library_station WHERE template_name = ? ORDER BY position",
        {entry.name}, &stations);
    for (const QIVSqlRow& station : stations)
      entry.stations.push_back({TextOf(station[0]), TextOf(station[1]), RealOf(station[2]), RealOf(station[3]),
                                RealOf(station[4]), TextOf(station[5])});
  }
  snapshot.Commit();
  return library;
}

void QIVRepository::ReplaceLibrary(const QIVLibraryContents& library) {
  QIVSqlTransaction transaction(*_connection, QIVSqlConnection::Transaction::Write);
  for (const char* table : {"library_station", "library_template", "library_resource", "library_plant_type_set",
                            "library_plant_type"})
    _connection->Run(std::string("DELETE FROM ") + table);
  for (const QIVLibraryPlantType& type : library.plantTypes)
    _connection->Run("INSERT INTO library_plant_type (name, derivesfrom) VALUES (?, ?)",
                     {type.name, type.derivesFrom.empty() ? QIVVariant() : QIVVariant(type.derivesFrom)});
  long long position = 0;
  if (!library.plantTypeSetMaster.empty())
    _connection->Run("INSERT INTO library_plant_type_set (position, name, master) VALUES (?, ?, 1)",
                     {position++, library.plantTypeSetMaster});
  for (const std::string& child : library.plantTypeSetChildren)
    _connection->Run("INSERT INTO library_plant_type_set (position, name, master) VALUES (?, ?, 0)",
                     {position++, child});
  for (const QIVLibraryResource& resource : library.resources)
    _connection->Run("INSERT INTO library_resource (name, plantype_name) VALUES (?, ?)",
                     {resource.name, resource.plantTypeName});
  position = 0;
  for (const QIVLibraryTemplate& entry : library.templates) {
    _connection->Run("INSERT INTO library_template (name, position) VALUES (?, ?)", {entry.name, position++});
    long long stationPosition = 0;
    for (const QIVLibraryStation& station : entry.stations)
      _connection->Run(
          "INSERT INTO library_station (template_name, position, name, station_type, estimated_investment_cost,"
          " point_fastening_rate, curve_fastening_rate, proc_uses_plant) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
          {entry.name, stationPosition++, station.name, station.stationType, station.estimatedInvestmentCost,
           station.pointFasteningRate, station.curveFasteningRate,
           station.usesPlant.empty() ? QIVVariant() : QIVVariant(station.usesPlant)});
  }
  transaction.Commit();
}

QIVPublicationResult QIVRepository::Publish(const QIVPublicationRequest& request) {
  _outsideOf.reset();
  QIVRepositoryPublication publication(*this, request);
  publication.Read();
  return publication.Write();
}
