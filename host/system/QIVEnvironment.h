#pragma once

#include <optional>
#include <string>

// The process environment as the host and the module read it. Change it only
// through QIVSetEnv/QIVUnsetEnv so that readers caching a decision taken on it
// (the trace switch) see the change.
const char* QIVGetEnv(const char* name);
void QIVSetEnv(const char* name, const char* value);
void QIVUnsetEnv(const char* name);

// Grows by one on every change made through QIVSetEnv/QIVUnsetEnv.
unsigned long QIVEnvGeneration();

// Sets (or, given null, removes) a variable for the lifetime of the object
// and restores the previous state afterwards; for tests and for the
// application's command-line switches.
class QIVScopedEnv {
 public:
  QIVScopedEnv(const char* name, const char* value);
  ~QIVScopedEnv();
  QIVScopedEnv(const QIVScopedEnv&) = delete;
  QIVScopedEnv& operator=(const QIVScopedEnv&) = delete;

 private:
  std::string _name;
  std::optional<std::string> _previous;
};
