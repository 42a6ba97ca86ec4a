#pragma once

#include <dirent.h>

#include <memory>
#include <string>

#include "QIVStatus.h"
#include "QIVUnicodeString.h"

// An open directory. It owns its handle: moving hands it on, and a directory
// still open when destroyed is closed then.
class QIVDirectory {
 public:
  bool IsOpen() const { return _handle != nullptr; }
  const std::string& Path() const { return _path; }

 private:
  friend HRESULT QIVOpenDirectory(const QIVUnicodeString& path, QIVDirectory& directory);
  friend HRESULT QIVReadDirectory(QIVDirectory& directory, QIVUnicodeString& entryName);
  friend HRESULT QIVCloseDirectory(QIVDirectory& directory);

  struct Closer {
    void operator()(DIR* handle) const { closedir(handle); }
  };
  std::unique_ptr<DIR, Closer> _handle;
  std::string _path;
};

// E_FAIL when `path` is not a directory that can be read.
HRESULT QIVOpenDirectory(const QIVUnicodeString& path, QIVDirectory& directory);
// The next entry name ("." and ".." left out, in the order the file system
// gives); S_FALSE when there is none left.
HRESULT QIVReadDirectory(QIVDirectory& directory, QIVUnicodeString& entryName);
HRESULT QIVCloseDirectory(QIVDirectory& directory);

// Creates the directory and the missing ones above it; an existing directory
// is success. On failure `errorText` names the path and the reason.
HRESULT QIVCreateDirectories(const QIVUnicodeString& path, QIVUnicodeString& errorText);
