#include "QIVSettingsRepository.h"

#include <charconv>
#include <iostream>
#include <memory>
#include <system_error>

#include "QIVAtomicFile.h"
#include "QIVDirectory.h"
#include "QIVEnvironment.h"
#include "QIVFile.h"
#include "QIVFileInfo.h"
#include "QIVKeyValueFile.h"

namespace {
// How each value type is written to and read from its text.
template <class T>
struct SettingCodec;

template <>
struct SettingCodec<QIVUnicodeString> {
  static constexpr const char* kind = "a text";
  static std::string Print(const QIVUnicodeString& value) { return value.str(); }
  static bool Parse(const std::string& text, QIVUnicodeString& value) {
    value = text;
    return true;
  }
};

template <class Number>
struct NumberCodec {
  static std::string Print(Number value) {
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
  }
  static bool Parse(const std::string& text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
  }
};

template <>
struct SettingCodec<int> : NumberCodec<int> {
  static constexpr const char* kind = "an integer";
};

template <>
struct SettingCodec<double> : NumberCodec<double> {
  static constexpr const char* kind = "a number";
};

template <>
struct SettingCodec<bool> {
  static constexpr const char* kind = "true or false";
  static std::string Print(bool value) { return value ? "true" : "false"; }
  static bool Parse(const std::string& text, bool& value) {
    if (text != "true" && text != "false" && text != "1" && text != "0") return false;
    value = text == "true" || text == "1";
    return true;
  }
};
}  // namespace

std::string QIVSettingsRepository::SettingsDirectory() {
  if (const char* directory = QIVGetEnv("BIWPLAN_SETTINGS_DIR"); directory && *directory) return directory;
  if (const char* config = QIVGetEnv("XDG_CONFIG_HOME"); config && *config)
    return std::string(config) + "/biwplan";
  if (const char* home = QIVGetEnv("HOME"); home && *home) return std::string(home) + "/.config/biwplan";
  return {};
}

QIVSettingsRepository& QIVSettingsRepository::GetRepository(const QIVUnicodeString& name) {
  static std::unordered_map<std::string, std::unique_ptr<QIVSettingsRepository>> cache;
  const std::string directory = SettingsDirectory();
  const std::string filePath = directory.empty() ? std::string() : directory + "/" + name.str() + ".settings";
  std::string cacheKey = filePath.empty() ? "\n" + name.str() : filePath;
  auto found = cache.find(cacheKey);
  if (found != cache.end()) return *found->second;
  std::unique_ptr<QIVSettingsRepository> repository(new QIVSettingsRepository(name.str(), filePath));
  repository->Load();
  return *cache.emplace(std::move(cacheKey), std::move(repository)).first->second;
}

QIVSettingsRepository::QIVSettingsRepository(std::string name, std::string filePath)
    : _name(std::move(name)), _filePath(std::move(filePath)) {}

void QIVSettingsRepository::Load() {
  if (_filePath.empty()) return;
  QIVUnicodeString errorText;
  QIVFileInfo info;
  if (FAILED(QIVGetFileInfo(_filePath, info))) {
    const std::string directory = _filePath.substr(0, _filePath.find_last_of('/'));
    if (FAILED(QIVCreateDirectories(directory, errorText)) || FAILED(Save(errorText)))
      std::cerr << errorText << "; settings \"" << _name << "\" are kept for this session only\n";
    return;
  }
  std::string content;
  if (FAILED(QIVReadWholeFile(_filePath, content, errorText))) {
    std::cerr << errorText << "; settings \"" << _name << "\" take their defaults\n";
    return;
  }
  for (QIVKeyValueFile::Entry& entry : QIVKeyValueFile::Parse(content, _filePath, std::cerr)) {
    _keys.push_back(entry.key);
    _values.emplace(std::move(entry.key), Value{std::move(entry.value), entry.line});
  }
}

template <class T>
T QIVSettingsRepository::Get(const QIVUnicodeString& key, const T& defaultValue) {
  using Codec = SettingCodec<T>;
  const auto found = _values.find(key.str());
  if (found != _values.end()) {
    T value;
    if (Codec::Parse(found->second.text, value)) return value;
    std::cerr << _filePath << ':' << found->second.line << ": \"" << found->second.text << "\" is not "
              << Codec::kind << " for " << key << "; the default is used\n";
  }
  Put(key.str(), Codec::Print(defaultValue));
  return defaultValue;
}

void QIVSettingsRepository::Put(const std::string& key, std::string text) {
  auto [slot, inserted] = _values.try_emplace(key);
  if (inserted) _keys.push_back(key);
  slot->second = Value{std::move(text), 0};
}

QIVUnicodeString QIVSettingsRepository::GetText(const QIVUnicodeString& key,
                                                const QIVUnicodeString& defaultValue) {
  return Get(key, defaultValue);
}
int QIVSettingsRepository::GetInt(const QIVUnicodeString& key, int defaultValue) {
  return Get(key, defaultValue);
}
double QIVSettingsRepository::GetDouble(const QIVUnicodeString& key, double defaultValue) {
  return Get(key, defaultValue);
}
bool QIVSettingsRepository::GetBool(const QIVUnicodeString& key, bool defaultValue) {
  return Get(key, defaultValue);
}

template <class T>
void QIVSettingsRepository::Set(const QIVUnicodeString& key, const T& value) {
  Put(key.str(), SettingCodec<T>::Print(value));
}

void QIVSettingsRepository::SetText(const QIVUnicodeString& key, const QIVUnicodeString& value) {
  Set(key, value);
}
void QIVSettingsRepository::SetInt(const QIVUnicodeString& key, int value) { Set(key, value); }
void QIVSettingsRepository::SetDouble(const QIVUnicodeString& key, double value) { Set(key, value); }
void QIVSettingsRepository::SetBool(const QIVUnicodeString& key, bool value) { Set(key, value); }

HRESULT QIVSettingsRepository::Save(QIVUnicodeString& errorText) const {
  if (_filePath.empty()) {
    errorText = "cannot save settings \"" + QIVUnicodeString(_name) +
                "\": no settings directory (set BIWPLAN_SETTINGS_DIR or HOME)";
    return E_FAIL;
  }
  std::string content = "// Settings \"" + _name + "\" of biwplan; the program rewrites this file.\n";
  for (const std::string& key : _keys) content += QIVKeyValueFile::FormatEntry(key, _values.at(key).text);
  return QIVWriteFileAtomically(_filePath, content, errorText);
}
