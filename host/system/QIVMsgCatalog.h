#pragma once

#include <string>
#include <unordered_map>

#include "QIVMsg.h"
#include "QIVUnicodeString.h"

// A message catalogue: the texts of one class, by key, read from the file
// "<name>.catalog". The file is taken from the directory named by the
// environment variable BIWPLAN_CATALOGS when it is there, else from the copy
// built into the program; a catalogue found in neither place is empty.
// Each catalogue is parsed once and kept for the life of the process.
class QIVMsgCatalog {
 public:
  // The text of `key` in `catalog`, or `defaultText` when the catalogue or
  // the key is missing, with the parameters put in (QIVMsg::BuildMessage).
  static QIVUnicodeString BuildMessage(const QIVUnicodeString& catalog, const QIVUnicodeString& key,
                                       const QIVUnicodeString* params = nullptr, int paramCount = 0,
                                       const QIVUnicodeString& defaultText = QIVUnicodeString());

  // The catalogue of that name, loaded on first use; never fails.
  static const QIVMsgCatalog& LoadMsgCatalog(const QIVUnicodeString& catalogName);

  // The message of `key`; a missing key gives a message made of
  // `defaultText`, which is the empty text unless the caller has one.
  QIVMsg GetCatalogMsg(const QIVUnicodeString& key,
                       const QIVUnicodeString& defaultText = QIVUnicodeString()) const;

  const std::string& GetName() const { return _name; }
  bool Contains(const QIVUnicodeString& key) const { return _texts.count(key.str()) != 0; }
  int Size() const { return static_cast<int>(_texts.size()); }

 private:
  explicit QIVMsgCatalog(std::string name) : _name(std::move(name)) {}
  void Load(const std::string& overrideDirectory);

  std::string _name;
  std::unordered_map<std::string, QIVUnicodeString> _texts;
};
