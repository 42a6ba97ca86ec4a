#include "QIVDlgFile.h"

#include "QIVVar.h"

void QIVDlgFile::SetFilterStrings(const QIVListValQIVUnicodeString& names,
                                  const QIVListValQIVUnicodeString& patterns) {
  _filters.clear();
  for (int i = 1; i <= names.Size(); ++i)
    AddFilter(names[i], i <= patterns.Size() ? patterns[i] : QIVUnicodeString());
}

void QIVDlgFile::AddFilter(const QIVUnicodeString& name, const QIVUnicodeString& pattern) {
  _filters.push_back({name, pattern});
}

QIVUserEventResult QIVDlgFile::UserChooseFile(const QIVUnicodeString& path) {
  if (path.IsEmpty()) return Refuse("needs a path");
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  _selection = path;
  return Close(QIVNotificationKind::OK);
}

QIVUserEventResult QIVDlgFile::UserCancelFile() {
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  return Close(QIVNotificationKind::Cancel);
}

QIVUserEventResult QIVDlgFile::Close(const char* kind) {
  QIVBaseUnknown_var keepAlive(this);
  SetVisibility(QIVDlgHide);
  SendNotification(kind);
  return QIVUserEventResult::Done();
}

QIVDlgFile* QIVDlgFile::WaitingBox() {
  const std::vector<QIVDialog*>& shown = VisibleDialogs();
  for (auto window = shown.rbegin(); window != shown.rend(); ++window) {
    if (auto* box = dynamic_cast<QIVDlgFile*>(*window)) return box;
  }
  return nullptr;
}

void QIVDlgFile::DescribeState(std::string& line) const {
  std::vector<QIVUnicodeString> filters;
  for (const QIVDlgFileFilter& filter : _filters) filters.push_back(filter.name + "|" + filter.pattern);
  line += " filters=" + QuoteList(filters) + " directory=" + Quote(_directory.view()) +
          " selection=" + Quote(_selection.view());
}
