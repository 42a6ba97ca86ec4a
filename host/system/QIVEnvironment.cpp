#include "QIVEnvironment.h"

#include <cstdlib>

namespace {
unsigned long generation = 0;
}

const char* QIVGetEnv(const char* name) { return name ? std::getenv(name) : nullptr; }

void QIVSetEnv(const char* name, const char* value) {
  if (!name || !*name) return;
  if (value)
    ::setenv(name, value, 1);
  else
    ::unsetenv(name);
  ++generation;
}

void QIVUnsetEnv(const char* name) { QIVSetEnv(name, nullptr); }

unsigned long QIVEnvGeneration() { return generation; }

QIVScopedEnv::QIVScopedEnv(const char* name, const char* value) : _name(name) {
  if (const char* previous = QIVGetEnv(name)) _previous = previous;
  QIVSetEnv(name, value);
}

QIVScopedEnv::~QIVScopedEnv() { QIVSetEnv(_name.c_str(), _previous ? _previous->c_str() : nullptr); }
