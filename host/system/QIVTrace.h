#pragma once

#include <fstream>
#include <memory>
#include <ostream>
#include <string>

#include "QIVUnicodeString.h"

// A named trace a module writes its progress to, one line at a time. It is
// off unless the environment variable BIWPLAN_TRACE lists its name (names
// separated by commas) or reads "all"; the switch is looked at again after
// every change made through QIVSetEnv. The destination "STDERR" writes to
// standard error (or to the stream set for tests), "STDOUT" to standard
// output, anything else names a file the lines are appended to.
class QIVTrace {
 public:
  QIVTrace(const char* name, const char* description, int mode, const char* destination, int size);
  ~QIVTrace();
  QIVTrace(const QIVTrace&) = delete;
  QIVTrace& operator=(const QIVTrace&) = delete;

  // Writes `text` and a line feed when the trace is on.
  void TraPutLN(const QIVUnicodeString& text);
  bool IsActive() const;

  const std::string& GetName() const { return _name; }
  const std::string& GetDescription() const { return _description; }
  const std::string& GetDestination() const { return _destination; }
  int GetMode() const { return _mode; }
  int GetSize() const { return _size; }

  // Traces built since the process started, so tests can check that a module
  // builds its trace only once.
  static int ConstructedCount();
  // Where the "STDERR" destination writes in the current session; null
  // restores standard error.
  static void SetStandardErrorStream(std::ostream* stream);

 private:
  std::ostream* Output();

  std::string _name;
  std::string _description;
  std::string _destination;
  int _mode;
  int _size;
  std::unique_ptr<std::ofstream> _file;
  mutable unsigned long _decidedAt = 0;
  mutable bool _decided = false;
  mutable bool _active = false;
};
