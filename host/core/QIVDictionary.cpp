#include "QIVDictionary.h"

#include "QIVBaseUnknown.h"

QIVDictionary& QIVDictionary::Instance() {
  static QIVDictionary dictionary;
  return dictionary;
}

bool QIVDictionary::RegisterFactory(const std::string& className, QIVFactoryFunction factory) {
  if (_factoryIndex.count(className)) return false;
  _factoryIndex.emplace(className, _factories.size());
  _factories.push_back({className, factory, nullptr});
  return true;
}

bool QIVDictionary::RegisterFactory(const std::string& className, QIVFactoryArgFunction factory,
                                    QIVFactoryArgument argument) {
  if (_factoryIndex.count(className)) return false;
  _factoryIndex.emplace(className, _factories.size());
  _factories.push_back({className, nullptr, factory, argument});
  return true;
}

bool QIVDictionary::RegisterExtension(const std::string& lateType, const std::string& interfaceName,
                                      QIVExtensionFunction factory) {
  if (!_extensions[interfaceName].emplace(lateType, factory).second) return false;
  ++_extensionCount;
  return true;
}

const QIVDictionary::FactoryEntry* QIVDictionary::FindFactory(const std::string& className) const {
  auto it = _factoryIndex.find(className);
  return it == _factoryIndex.end() ? nullptr : &_factories[it->second];
}

QIVBaseUnknown* QIVDictionary::Create(const std::string& className, void* argument) const {
  const FactoryEntry* entry = FindFactory(className);
  if (!entry) return nullptr;
  if (entry->factoryWithArgument) return entry->factoryWithArgument(argument);
  return entry->factory ? entry->factory() : nullptr;
}

bool QIVDictionary::HasExtension(const char* interfaceName) const {
  return interfaceName && !_extensions.empty() &&
         _extensions.find(std::string_view(interfaceName)) != _extensions.end();
}

QIVBaseUnknown* QIVDictionary::CreateExtension(QIVBaseUnknown* extended, std::string_view lateType,
                                               std::string_view interfaceName) const {
  auto byInterface = _extensions.find(interfaceName);
  if (byInterface == _extensions.end()) return nullptr;
  auto byType = byInterface->second.find(lateType);
  return byType == byInterface->second.end() ? nullptr : byType->second(extended);
}

std::vector<std::string> QIVDictionary::ExtensionInterfaces(std::string_view lateType) const {
  std::vector<std::string> names;
  for (const auto& [interfaceName, byType] : _extensions)
    if (byType.find(lateType) != byType.end()) names.push_back(interfaceName);
  return names;
}

std::vector<std::string> QIVDictionary::FactoryNames() const {
  std::vector<std::string> names;
  names.reserve(_factories.size());
  for (const FactoryEntry& entry : _factories) names.push_back(entry.className);
  return names;
}

namespace {
bool FirstLoad(int* loadCounter) { return !loadCounter || (*loadCounter)++ == 0; }
}  // namespace

QIVFillDictionary::QIVFillDictionary(const char* className, QIVFactoryFunction factory, int* loadCounter) {
  if (FirstLoad(loadCounter)) QIVDictionary::Instance().RegisterFactory(className, factory);
}

QIVFillDictionary::QIVFillDictionary(const char* className, QIVFactoryArgFunction factory, int* loadCounter,
                                     QIVFactoryArgument argument) {
  if (FirstLoad(loadCounter)) QIVDictionary::Instance().RegisterFactory(className, factory, argument);
}

QIVFillDictionary::QIVFillDictionary(const char* lateType, const char* interfaceName,
                                     QIVExtensionFunction factory, int* loadCounter) {
  if (FirstLoad(loadCounter)) QIVDictionary::Instance().RegisterExtension(lateType, interfaceName, factory);
}
