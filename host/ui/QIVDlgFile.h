#pragma once

#include <vector>

#include "QIVDialog.h"
#include "QIVListVal.h"

struct QIVDlgFileFilter {
  QIVUnicodeString name;     // "Text files(*.txt)"
  QIVUnicodeString pattern;  // "*.txt"
};

// A file selection box. Once shown it waits for a person to choose a path
// or give up: the box then hides and emits OK or Cancel.
class QIVDlgFile : public QIVDialog {
 public:
  QIVDlgFile(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style, Role::Window) {}

  // Filters by position in the two lists; a missing pattern is empty.
  void SetFilterStrings(const QIVListValQIVUnicodeString& names, const QIVListValQIVUnicodeString& patterns);
  void AddFilter(const QIVUnicodeString& name, const QIVUnicodeString& pattern);
  const std::vector<QIVDlgFileFilter>& GetFilters() const { return _filters; }
  void SetCurrentFilter(int index) { _currentFilter = index; }
  int GetCurrentFilter() const { return _currentFilter; }
  // The extension a caller adds to a name chosen without one (".xml").
  void SetFilterPattern(const QIVUnicodeString& pattern) { _filterPattern = pattern; }
  const QIVUnicodeString& GetFilterPattern() const { return _filterPattern; }

  void SetDirectory(const QIVUnicodeString& directory) { _directory = directory; }
  const QIVUnicodeString& GetDirectory() const { return _directory; }
  // The path proposed, then the path chosen.
  void SetFileName(const QIVUnicodeString& path) { _selection = path; }
  const QIVUnicodeString& GetSelection() const { return _selection; }

  QIVUserEventResult UserChooseFile(const QIVUnicodeString& path);
  QIVUserEventResult UserCancelFile();

  // The file box shown last, which a `file` event answers; null when none
  // is shown.
  static QIVDlgFile* WaitingBox();

  const char* GetImplClassName() const override { return "QIVDlgFile"; }

 protected:
  const char* KindName() const override { return "file box"; }
  void DescribeState(std::string& line) const override;

 private:
  QIVUserEventResult Close(const char* kind);

  std::vector<QIVDlgFileFilter> _filters;
  int _currentFilter = 0;
  QIVUnicodeString _filterPattern;
  QIVUnicodeString _directory;
  QIVUnicodeString _selection;
};
