#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "QIVUnicodeString.h"

// A widget as a journal names it: its name ("EditorTextPathId"), or the
// path of names from its dialog ("ZELVekBIWAssignWeldDlg/FrameAccountabilityId/
// EditorWeldsOptionId") when the name alone is ambiguous among the visible
// dialogs. Widget names never hold a /.
class JournalWidgetRef {
 public:
  JournalWidgetRef() = default;

  // The reference written as `text`, or nothing with the reason when a name
  // of the path is empty.
  static std::optional<JournalWidgetRef> Parse(std::string_view text, QIVUnicodeString& reason);

  // The names from the outermost one to the widget's own.
  const std::vector<QIVUnicodeString>& GetPath() const { return _path; }
  // The widget's own name, the last of the path.
  const QIVUnicodeString& GetName() const;
  bool IsPath() const { return _path.size() > 1; }

  // The names joined by "/", as Parse reads them.
  QIVUnicodeString Format() const;

  friend bool operator==(const JournalWidgetRef&, const JournalWidgetRef&) = default;

 private:
  std::vector<QIVUnicodeString> _path;
};
