#include "QIVSharedLibrary.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace {

std::string LoaderReason() {
  const char* reason = dlerror();
  return reason ? reason : "unknown reason";
}

}  // namespace

// Bound now, not on each function's first call: a library that lacks a
// function fails here, with its name, rather than stopping the program
// halfway through the feature. It stays mapped after the close: objects
// destroyed at exit after a process-wide handle (a session's connection)
// may still call into it.
QIVSharedLibrary::QIVSharedLibrary(const std::string& name)
    : _name(name), _handle(dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) {
  if (!_handle) throw Error("cannot load " + name + ": " + LoaderReason());
}

QIVSharedLibrary::~QIVSharedLibrary() { dlclose(_handle); }

void* QIVSharedLibrary::Address(const char* symbol) const {
  dlerror();
  void* address = dlsym(_handle, symbol);
  if (!address) throw Error("cannot load " + _name + ": " + LoaderReason());
  return address;
}

std::string QIVSharedLibrary::BesideProgram(const std::string& file) {
  std::error_code failure;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failure);
  return failure ? file : (program.parent_path() / file).string();
}
