#pragma once

#include <string>
#include <vector>

#include "QIVSqlConnection.h"

// The repository's tables, one schema for every engine, and the steps that
// bring an older repository up to date. The table repository_schema holds
// the version; step n takes a repository from version n-1 to n.
class QIVRepositorySchema {
 public:
  static constexpr int CurrentVersion = 2;

  // The statements of each step, step 1 first.
  static const std::vector<std::vector<std::string>>& Steps();

  // The version of the repository behind the connection; 0 for an empty one.
  static int Version(QIVSqlConnection& connection);
  // Brings the repository to `target` in one write transaction and answers
  // the version it had. Throws QIVSqlError (Schema) for a repository newer
  // than this program reads, leaving it untouched.
  static int Migrate(QIVSqlConnection& connection, int target = CurrentVersion);
};
