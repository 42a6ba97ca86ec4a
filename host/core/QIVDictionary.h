#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

class QIVBaseUnknown;

// Factory of a command or dialog: with no argument, or with the one opaque
// argument a few factories take. Returns an object with one reference, or
// null when it could not be built.
using QIVFactoryFunction = QIVBaseUnknown* (*)();
using QIVFactoryArgFunction = QIVBaseUnknown* (*)(void* argument);
// Builds the extension object that offers an interface for `extended`.
using QIVExtensionFunction = QIVBaseUnknown* (*)(QIVBaseUnknown* extended);

// What the argument of a factory that takes one points to: a C string, or
// an object of the program (a QIVBaseUnknown*, or null), which the factory
// does not take over.
enum class QIVFactoryArgument { Text, Object };

// The process-wide registry: factories by class name, and extensions that
// add an interface to every object of a late type.
class QIVDictionary {
 public:
  struct FactoryEntry {
    std::string className;
    QIVFactoryFunction factory = nullptr;
    QIVFactoryArgFunction factoryWithArgument = nullptr;
    QIVFactoryArgument argument = QIVFactoryArgument::Text;
  };

  static QIVDictionary& Instance();

  // Registering a name twice keeps the first entry.
  bool RegisterFactory(const std::string& className, QIVFactoryFunction factory);
  bool RegisterFactory(const std::string& className, QIVFactoryArgFunction factory,
                       QIVFactoryArgument argument = QIVFactoryArgument::Text);
  bool RegisterExtension(const std::string& lateType, const std::string& interfaceName,
                         QIVExtensionFunction factory);

  const FactoryEntry* FindFactory(const std::string& className) const;
  // Creates the object registered under the class name, passing the argument
  // to factories that take one; null when nothing is registered.
  QIVBaseUnknown* Create(const std::string& className, void* argument = nullptr) const;
  // Whether any late type has an extension offering the interface: lets a
  // failed query stop before it names the object's late types.
  bool HasExtension(const char* interfaceName) const;
  QIVBaseUnknown* CreateExtension(QIVBaseUnknown* extended, std::string_view lateType,
                                  std::string_view interfaceName) const;
  // The interfaces extensions add to the late type, by name: how a host
  // object finds the extensions that modules hang on it (the editor
  // factories of the editor manager).
  std::vector<std::string> ExtensionInterfaces(std::string_view lateType) const;

  // Class names in registration order.
  std::vector<std::string> FactoryNames() const;
  std::size_t FactoryCount() const { return _factories.size(); }
  std::size_t ExtensionCount() const { return _extensionCount; }

 private:
  QIVDictionary() = default;
  std::vector<FactoryEntry> _factories;
  std::map<std::string, std::size_t> _factoryIndex;
  // Extensions by interface name, then by late type; looked up without
  // building strings.
  std::map<std::string, std::map<std::string, QIVExtensionFunction, std::less<>>, std::less<>> _extensions;
  std::size_t _extensionCount = 0;
};

// Static registration entry: constructing one adds a factory or an extension
// to the dictionary. The load counter passed by the caller makes the entry
// register only on the first initialisation of a module.
class QIVFillDictionary {
 public:
  QIVFillDictionary(const char* className, QIVFactoryFunction factory, int* loadCounter = nullptr);
  QIVFillDictionary(const char* className, QIVFactoryArgFunction factory, int* loadCounter = nullptr,
                    QIVFactoryArgument argument = QIVFactoryArgument::Text);
  QIVFillDictionary(const char* lateType, const char* interfaceName, QIVExtensionFunction factory,
                    int* loadCounter = nullptr);
};
