#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "QIVStatus.h"
#include "QIVUnicodeString.h"

// A named settings repository ("ZELVekBIWSettings", ...): typed values by
// key, kept in the file "<name>.settings" of the settings directory in the
// catalogue line format (Key = "Value";). The file is read on first use and
// created when absent; a malformed line is reported on standard error with
// the file and line, and its key keeps the default. A key read with a default
// it does not have takes that default, so the next save writes it out and
// the user finds every setting in the file.
class QIVSettingsRepository {
 public:
  // The repository of that name in the current settings directory, one
  // object per file for the life of the process.
  static QIVSettingsRepository& GetRepository(const QIVUnicodeString& name);
  // BIWPLAN_SETTINGS_DIR, else $XDG_CONFIG_HOME/biwplan, else
  // $HOME/.config/biwplan; empty when none of them is set, and the settings
  // then live in memory only.
  static std::string SettingsDirectory();

  QIVUnicodeString GetText(const QIVUnicodeString& key, const QIVUnicodeString& defaultValue);
  int GetInt(const QIVUnicodeString& key, int defaultValue);
  double GetDouble(const QIVUnicodeString& key, double defaultValue);
  bool GetBool(const QIVUnicodeString& key, bool defaultValue);

  void SetText(const QIVUnicodeString& key, const QIVUnicodeString& value);
  void SetInt(const QIVUnicodeString& key, int value);
  void SetDouble(const QIVUnicodeString& key, double value);
  void SetBool(const QIVUnicodeString& key, bool value);

  bool Contains(const QIVUnicodeString& key) const { return _values.count(key.str()) != 0; }

  // Writes every key, in the order first met, over the file at once; on
  // failure the previous file stays and `errorText` says why.
  HRESULT Save(QIVUnicodeString& errorText) const;

  const std::string& GetName() const { return _name; }
  // Empty when there is no settings directory.
  const std::string& GetFilePath() const { return _filePath; }

 private:
  struct Value {
    std::string text;
    int line = 0;  // where the file gave it, 0 once set by the program
  };

  QIVSettingsRepository(std::string name, std::string filePath);
  void Load();
  template <class T>
  T Get(const QIVUnicodeString& key, const T& defaultValue);
  template <class T>
  void Set(const QIVUnicodeString& key, const T& value);
  void Put(const std::string& key, std::string text);

  std::string _name;
  std::string _filePath;
  std::vector<std::string> _keys;
  std::unordered_map<std::string, Value> _values;
};
