#include "QIVMsgCatalog.h"

#include <iostream>
#include <memory>
#include <string_view>

#include "QIVBuiltinCatalogs.h"
#include "QIVEnvironment.h"
#include "QIVFile.h"
#include "QIVFileInfo.h"
#include "QIVKeyValueFile.h"

namespace {
const QIVBuiltinCatalog* FindBuiltinCatalog(const std::string& name) {
  static const std::unordered_map<std::string_view, const QIVBuiltinCatalog*> index = [] {
    std::unordered_map<std::string_view, const QIVBuiltinCatalog*> byName;
    for (const QIVBuiltinCatalog& catalog : QIVBuiltinCatalogs()) byName.emplace(catalog.name, &catalog);
    return byName;
  }();
  const auto found = index.find(name);
  return found == index.end() ? nullptr : found->second;
}

// A name that could leave the catalogue directory is never looked up.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}
}  // namespace

QIVUnicodeString QIVMsgCatalog::BuildMessage(const QIVUnicodeString& catalog, const QIVUnicodeString& key,
                                             const QIVUnicodeString* params, int paramCount,
                                             const QIVUnicodeString& defaultText) {
  return LoadMsgCatalog(catalog).GetCatalogMsg(key, defaultText).BuildMessage(params, paramCount);
}

const QIVMsgCatalog& QIVMsgCatalog::LoadMsgCatalog(const QIVUnicodeString& catalogName) {
  // Keyed by the override directory too, so that pointing BIWPLAN_CATALOGS
  // elsewhere takes effect for catalogues not yet read from there.
  static std::unordered_map<std::string, std::unique_ptr<QIVMsgCatalog>> cache;
  const char* overrideDirectory = QIVGetEnv("BIWPLAN_CATALOGS");
  const std::string directory = overrideDirectory ? overrideDirectory : "";
  std::string cacheKey = directory + '\n' + catalogName.str();
  auto found = cache.find(cacheKey);
  if (found != cache.end()) return *found->second;

  std::unique_ptr<QIVMsgCatalog> catalog(new QIVMsgCatalog(catalogName.str()));
  if (IsPlainName(catalog->_name)) catalog->Load(directory);
  return *cache.emplace(std::move(cacheKey), std::move(catalog)).first->second;
}

void QIVMsgCatalog::Load(const std::string& overrideDirectory) {
  const std::string fileName = _name + ".catalog";
  std::string content;
  std::string source;
  QIVFileInfo info;
  const std::string overridePath = overrideDirectory + "/" + fileName;
  QIVUnicodeString errorText;
  if (!overrideDirectory.empty() && SUCCEEDED(QIVGetFileInfo(overridePath, info)) && info.IsRegularFile()) {
    if (SUCCEEDED(QIVReadWholeFile(overridePath, content, errorText)))
      source = overridePath;
    else
      std::cerr << errorText << "; the built-in catalogue is used\n";
  }
  if (source.empty()) {
    const QIVBuiltinCatalog* builtin = FindBuiltinCatalog(_name);
    if (!builtin) return;
    content.assign(builtin->text, builtin->size);
    source = "built-in " + fileName;
  }
  for (QIVKeyValueFile::Entry& entry : QIVKeyValueFile::Parse(content, source, std::cerr))
    _texts.emplace(std::move(entry.key), QIVUnicodeString(std::move(entry.value)));
}

QIVMsg QIVMsgCatalog::GetCatalogMsg(const QIVUnicodeString& key, const QIVUnicodeString& defaultText) const {
  const auto found = _texts.find(key.str());
  return QIVMsg(found == _texts.end() ? defaultText : found->second);
}
