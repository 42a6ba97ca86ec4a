#include "QIVRepositoryLocation.h"

#include "QIVEnvironment.h"

QIVRepositoryLocation QIVRepositoryLocation::Resolve(const std::string& option) {
  if (!option.empty()) return QIVRepositoryLocation(option);
  if (const char* variable = QIVGetEnv("BIWPLAN_REPOSITORY"); variable && *variable)
    return QIVRepositoryLocation(variable);
  return QIVRepositoryLocation(DefaultPath());
}

std::string QIVRepositoryLocation::DefaultPath() {
  std::string folder;
  if (const char* data = QIVGetEnv("XDG_DATA_HOME"); data && *data)
    folder = data;
  else if (const char* home = QIVGetEnv("HOME"); home && *home)
    folder = std::string(home) + "/.local/share";
  else
    folder = ".";
  return folder + "/biwplan/repository.sqlite";
}

bool QIVRepositoryLocation::IsPostgres() const {
  return _where.rfind("postgresql://", 0) == 0 || _where.rfind("postgres://", 0) == 0;
}

std::string QIVRepositoryLocation::Display() const {
  if (!IsPostgres()) return _where;
  std::string shown = _where;
  const std::size_t scheme = shown.find("://") + 3;
  const std::size_t authorityEnd = shown.find_first_of("/?", scheme);
  const std::size_t at = shown.rfind('@', authorityEnd == std::string::npos ? shown.size() : authorityEnd);
  if (at != std::string::npos && at > scheme) {
    const std::size_t colon = shown.find(':', scheme);
    if (colon != std::string::npos && colon < at) shown.replace(colon + 1, at - colon - 1, "***");
  }
  for (std::size_t key = shown.find("password="); key != std::string::npos;
       key = shown.find("password=", key + 1)) {
    const std::size_t start = key + 9;
    const std::size_t end = shown.find('&', start);
    shown.replace(start, (end == std::string::npos ? shown.size() : end) - start, "***");
  }
  return shown;
}
