#pragma once

#include <memory>
#include <optional>
#include <unordered_map>
#include <string>
#include <vector>

#include "QIVRepositoryLocation.h"
#include "QIVRepositoryRecords.h"
#include "QIVSqlConnection.h"

// The plant's product-data repository: fastener records with their saved
// manufacturing positions, feature records with typed attributes, the
// assignments every process document of the plant published, and the
// plant library. One implementation over an SQL connection, whichever the
// engine. Reads see committed states only; every change is one
// transaction. Failures throw QIVSqlError with a message that names what
// failed and never the password.
class QIVRepository {
 public:
  struct Counts {
    long long fasteners = 0, features = 0, assignments = 0, documents = 0;
    long long templates = 0, stations = 0, resources = 0, plantTypes = 0;
  };

  // Opens the repository, creating it when the place is empty (a new
  // SQLite file, an empty database) and migrating an older schema.
  static std::unique_ptr<QIVRepository> Open(const QIVRepositoryLocation& location);
  QIVRepository(QIVRepositoryLocation location, std::unique_ptr<QIVSqlConnection> connection);

  const QIVRepositoryLocation& Location() const { return _location; }
  QIVSqlConnection& Connection() { return *_connection; }
  int SchemaVersion();
  Counts GetCounts();

  // Every fastener's and every feature's identifier, in identifier order.
  std::vector<std::string> GetFastenerIds();
  std::vector<std::string> GetFeatureIds();
  // The records of the identifiers found, in the order asked (an identifier
  // asked twice comes back twice).
  std::vector<QIVFastenerRecord> GetFasteners(const std::vector<std::string>& plmIds);
  // One entry per identifier, in the order asked: the named attributes the
  // feature has (all of them when `names` is empty), nothing for an
  // identifier the repository does not know.
  std::vector<std::optional<QIVAttributes>> GetAttributes(const std::vector<std::string>& plmIds,
                                                          const std::vector<std::string>& names);
  // The assignments published by every document but `documentId`, by
  // fastener, then document, then activity path.
  std::vector<QIVAssignmentRecord> GetAssignmentsOutside(const std::string& documentId);
  // The activity paths of the fastener's assignments published by other
  // documents than `documentId`: all of them read at the first call and
  // kept until this object publishes, so that a command asking for every
  // fastener of a large document queries once.
  const std::vector<std::string>& AssignmentPathsOutside(const std::string& documentId, const std::string& plmId);

  QIVLibraryContents GetLibrary();
  // Replaces the whole plant library.
  void ReplaceLibrary(const QIVLibraryContents& library);

  // Reads and writes a publication in one go (QIVRepositoryPublication).
  QIVPublicationResult Publish(const QIVPublicationRequest& request);

 private:
  QIVRepositoryLocation _location;
  std::unique_ptr<QIVSqlConnection> _connection;
  std::optional<std::string> _outsideOf;
  std::unordered_map<std::string, std::vector<std::string>> _outside;
};
