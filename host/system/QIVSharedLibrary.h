#pragma once

#include <stdexcept>
#include <string>

// A shared library opened while the program runs, for features that only
// some runs use: the program does not map it, nor the libraries it needs,
// until the feature is first asked for. Closed once, with the object.
// Callers keep the library's header as the source of the types and bind
// each function by name into a table they own.
class QIVSharedLibrary {
 public:
  // Why a library or one of its functions could not be had; the text names
  // the library and gives the dynamic loader's reason.
  class Error : public std::runtime_error {
   public:
    using std::runtime_error::runtime_error;
  };

  // `name` as the dynamic loader looks it up: a SONAME ("libpq.so.5") is
  // searched where the program's own libraries are. Throws Error.
  explicit QIVSharedLibrary(const std::string& name);
  ~QIVSharedLibrary();
  QIVSharedLibrary(const QIVSharedLibrary&) = delete;
  QIVSharedLibrary& operator=(const QIVSharedLibrary&) = delete;

  // The path of `file` in the folder of the running program, where the
  // program's own modules are built and installed; `file` alone when the
  // program's path cannot be read.
  static std::string BesideProgram(const std::string& file);

  const std::string& Name() const { return _name; }

  // The function `symbol` as a pointer of type F (decltype(&function) of
  // the library's header). Throws Error when the library lacks it.
  template <typename F>
  F Function(const char* symbol) const {
    return reinterpret_cast<F>(Address(symbol));
  }

 private:
  void* Address(const char* symbol) const;

  std::string _name;
  void* _handle = nullptr;
};
