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
  return _extensions.emplace(std::make_pair(lateType, interfaceName), factory).second;
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

QIVBaseUnknown* QIVDictionary::CreateExtension(QIVBaseUnknown* extended, const std::string& lateType,
                                               const std::string& interfaceName) const {
  if (_extensions.empty()) return nullptr;
  auto it = _extensions.find(std::make_pair(lateType, interfaceName));
  return it == _extensions.end() ? nullptr : it->second(extended);
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
