#include "QIVRepositoryPublication.h"

#include <cstdio>

#include "QIVProgress.h"
#include "QIVSqlTransaction.h"

namespace {

QIVSqlError Conflict(const QIVPublishedFeature& feature, const std::string& plmId) {
  return QIVSqlError(QIVSqlError::Kind::Conflict,
                     feature.kind + " \"" + feature.name + "\" (" + plmId +
                         ") was published by another planner during this publication; nothing was written;"
                         " publish again to store this document's version over it");
}

void AppendPosition(std::vector<QIVVariant>& values, const std::optional<QIVPosition>& position) {
  for (std::size_t i = 0; i < 6; ++i) values.push_back(position ? QIVVariant((*position)[i]) : QIVVariant());
}

}  // namespace

QIVRepositoryPublication::QIVRepositoryPublication(QIVRepository& repository, const QIVPublicationRequest& request)
    : _repository(repository), _request(request) {}

void QIVRepositoryPublication::Read() {
  QIVSqlConnection& connection = _repository.Connection();
  _versions.assign(_request.features.size(), 0);
  _known.assign(_request.features.size(), false);
  QIVSqlTransaction snapshot(connection, QIVSqlConnection::Transaction::Snapshot);
  for (std::size_t i = 0; i < _request.features.size(); ++i) {
    const QIVPublishedFeature& feature = _request.features[i];
    if (feature.plmId.empty()) continue;
    QIVSqlRows rows;
    connection.Run("SELECT version FROM fastener WHERE plm_id = ?", {feature.plmId}, &rows);
    if (!rows.empty() && rows[0][0].Integer()) _versions[i] = *rows[0][0].Integer();
    rows.clear();
    connection.Run("SELECT 1 FROM feature WHERE plm_id = ?", {feature.plmId}, &rows);
    _known[i] = !rows.empty();
  }
  snapshot.Commit();
}

std::vector<std::string> QIVRepositoryPublication::NewIdentifiers(std::size_t count) {
  std::vector<std::string> identifiers;
  if (count == 0) return identifiers;
  QIVSqlRows rows;
  _repository.Connection().Run("UPDATE plm_counter SET next_id = next_id + ? RETURNING next_id",
                               {static_cast<long long>(count)}, &rows);
  if (rows.empty() || !rows[0][0].Integer())
    throw QIVSqlError(QIVSqlError::Kind::Failed, "the repository's identifier counter is missing");
  const long long first = *rows[0][0].Integer() - static_cast<long long>(count);
  identifiers.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "PLM-%08lld", first + static_cast<long long>(i));
    identifiers.push_back(text);
  }
  return identifiers;
}

void QIVRepositoryPublication::WriteFeature(std::size_t index, const std::string& documentId,
                                            QIVPublicationResult& result) {
  QIVSqlConnection& connection = _repository.Connection();
  const QIVPublishedFeature& feature = _request.features[index];
  const std::string& plmId = result.plmIds[index];
  try {
    if (feature.fastener) {
      std::vector<QIVVariant> values{feature.name, documentId};
      AppendPosition(values, feature.design);
      AppendPosition(values, feature.manufacturing);
      values.push_back(plmId);
      if (_versions[index] > 0) {
        values.push_back(_versions[index]);
        if (connection.Run("UPDATE fastener SET name = ?, published_by = ?, version = version + 1,"
                           " design_x = ?, design_y = ?, design_z = ?, design_roll = ?, design_pitch = ?,"
                           " design_yaw = ?, saved_x = ?, saved_y = ?, saved_z = ?, saved_roll = ?,"
                           " saved_pitch = ?, saved_yaw = ? WHERE plm_id = ? AND version = ?",
                           values) != 1)
          throw Conflict(feature, plmId);
        result.versions[index] = _versions[index] + 1;
      } else {
        connection.Run("INSERT INTO fastener (name, published_by, design_x, design_y, design_z, design_roll,"
                       " design_pitch, design_yaw, saved_x, saved_y, saved_z, saved_roll, saved_pitch, saved_yaw,"
                       " plm_id, version) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)",
                       values);
        result.versions[index] = 1;
      }
    }
    if (_known[index]) {
      connection.Run("UPDATE feature SET kind = ?, name = ? WHERE plm_id = ?", {feature.kind, feature.name, plmId});
      connection.Run("DELETE FROM feature_attribute WHERE plm_id = ?", {plmId});
    } else {
      connection.Run("INSERT INTO feature (plm_id, kind, name) VALUES (?, ?, ?)", {plmId, feature.kind, feature.name});
    }
    for (const auto& [name, value] : feature.attributes)
      connection.Run(
          "INSERT INTO feature_attribute (plm_id, name, text_value, integer_value, real_value) VALUES (?, ?, ?, ?, ?)",
          {plmId, name, value.Text() ? value : QIVVariant(), value.Integer() ? value : QIVVariant(),
           value.Real() ? value : QIVVariant()});
  } catch (const QIVSqlError& error) {
    // A record another publication created meanwhile.
    if (error.GetKind() == QIVSqlError::Kind::Conflict) throw Conflict(feature, plmId);
    throw;
  }
}

QIVPublicationResult QIVRepositoryPublication::Write() {
  if (_versions.size() != _request.features.size()) Read();
  QIVSqlConnection& connection = _repository.Connection();
  QIVSqlTransaction transaction(connection, QIVSqlConnection::Transaction::Write);

  std::size_t missing = _request.documentId.empty() ? 1 : 0;
  for (const QIVPublishedFeature& feature : _request.features) missing += feature.plmId.empty() ? 1 : 0;
  std::vector<std::string> fresh = NewIdentifiers(missing);
  auto next = fresh.begin();

  QIVPublicationResult result;
  result.documentId = _request.documentId.empty() ? *next++ : _request.documentId;
  result.plmIds.reserve(_request.features.size());
  result.versions.assign(_request.features.size(), 0);
  for (const QIVPublishedFeature& feature : _request.features)
    result.plmIds.push_back(feature.plmId.empty() ? *next++ : feature.plmId);

  const auto total = static_cast<long long>(_request.features.size());
  for (std::size_t i = 0; i < _request.features.size(); ++i) {
    WriteFeature(i, result.documentId, result);
    QIVProgressWatcher::Raise({"publishing", static_cast<long long>(i) + 1, total});
  }

  connection.Run("DELETE FROM assignment WHERE document_id = ?", {result.documentId});
  for (const QIVPublishedAssignment& assignment : _request.assignments)
    connection.Run(
        "INSERT INTO assignment (document_id, activity_path, plm_id) VALUES (?, ?, ?) ON CONFLICT DO NOTHING",
        {result.documentId, assignment.activityPath, result.plmIds.at(assignment.feature)});
  transaction.Commit();
  return result;
}
