#pragma once

#include <string>

// Where the plant's repository is: an SQLite file, or a PostgreSQL server
// named by a "postgresql://" URL. The URL may carry a password; Display()
// is the text to show and to write anywhere, with the password hidden.
class QIVRepositoryLocation {
 public:
  explicit QIVRepositoryLocation(std::string where) : _where(std::move(where)) {}

  // The location a verb uses: its --repository option when given, else the
  // BIWPLAN_REPOSITORY environment variable, else repository.sqlite in the
  // user's data folder ($XDG_DATA_HOME/biwplan, else
  // ~/.local/share/biwplan).
  static QIVRepositoryLocation Resolve(const std::string& option);
  static std::string DefaultPath();

  bool IsPostgres() const;
  // The file path or the URL as given (with its password).
  const std::string& Connection() const { return _where; }
  // The URL with "***" for a password in its user part or in a
  // "password=" parameter; a file path as it is.
  std::string Display() const;

 private:
  std::string _where;
};
