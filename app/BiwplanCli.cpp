#include "BiwplanCli.h"

#include <filesystem>
#include <iostream>
#include <unordered_set>

#include "BiwplanSuggestions.h"
#include "JournalObjectResolver.h"
#include "JournalPlayer.h"
#include "JournalReader.h"
#include "JournalWords.h"
#include "QIVFrmEditor.h"
#include "QIVIAlias.h"
#include "QIVISPPActivity.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELFastenerServices.h"

std::string BiwplanPrintable(const std::string& text) {
  std::string printable;
  std::string_view rest = text;
  QIVUnicodeString what;
  for (int bad; (bad = JournalWords::FindBadByte(rest, what)) >= 0; rest.remove_prefix(bad + 1)) {
    printable.append(rest.substr(0, bad));
    const unsigned char c = static_cast<unsigned char>(rest[bad]);
    printable += c == '\n' ? std::string("\\n")
                 : c == '\r' ? std::string("\\r")
                             : QIVUnicodeString::Format("\\x%02X", c).str();
  }
  return printable.append(rest);
}

int BiwplanReport(int status, const std::string& message) {
  std::cerr << "biwplan: " << BiwplanPrintable(message) << '\n';
  return status;
}

int BiwplanFail(const std::string& message) { return BiwplanReport(BiwplanExit::Failed, message); }

bool BiwplanLock(BiwplanSession& session, const std::string& path) {
  const auto waiting = [&path] {
    BiwplanReport(BiwplanExit::Ok, "waiting for " + path + ": another process is changing it");
  };
  std::string error;
  if (session.Lock(path, waiting, error)) return true;
  BiwplanFail(error + "; nothing done");
  return false;
}

bool BiwplanOpen(BiwplanSession& session, const std::string& path, bool forChange) {
  if (forChange && !BiwplanLock(session, path)) return false;
  std::string error;
  if (!session.Open(path, error)) {
    BiwplanFail(error);
    return false;
  }
  const QIVRepositoryLocation location = QIVRepositoryLocation::Resolve(std::string());
  std::error_code ignored;
  if (!location.IsPostgres() && !std::filesystem::exists(location.Connection(), ignored)) return true;
  try {
    QIVFrmEditor::GetCurrentEditor()->SetRepository(QIVRepository::Open(location));
  } catch (const QIVSqlError& failure) {
    BiwplanFail("cannot open the repository " + location.Display() + ": " + failure.what());
    return false;
  }
  return true;
}

bool BiwplanSave(BiwplanSession& session) {
  std::string error;
  if (session.Save(std::string(), error)) return true;
  BiwplanFail(error);
  return false;
}

int BiwplanPlayJournal(BiwplanSession& session, const std::string& text, const std::string& sourceName,
                       bool echo) {
  JournalReader::Result read = JournalReader::Parse(text, sourceName);
  if (!read.Succeeded()) return BiwplanFail(read.error->Format().str());
  QIVTranscript& transcript = session.Session().GetTranscript();
  transcript.SetEcho(echo ? &std::cout : nullptr);
  JournalPlayer player(session);
  std::optional<JournalError> error = player.Play(read.events);
  transcript.SetEcho(nullptr);
  if (error) return BiwplanFail(error->Format().str());
  return BiwplanExit::Ok;
}

const QIVCommandOutcome& BiwplanOutcome(BiwplanSession& session, const std::string& className) {
  static const QIVCommandOutcome none;
  const QIVCommandOutcome* outcome = session.Dispatcher().FindLastOutcome(className);
  return outcome ? *outcome : none;
}

std::string BiwplanJournalWord(const std::string& word) { return JournalWords::Quote(word).str(); }

namespace {

// What a reference of the kind may have meant: the paths of the activities
// or products, the names of the fasteners or of the other features.
std::vector<std::string> NamesOfKind(const QIVIDocument_var& document, JournalObjectRef::Kind kind) {
  std::vector<std::string> names;
  if (!document) return names;
  if (kind == JournalObjectRef::Product) {
    for (const QIVBaseUnknown_var& product : document->GetAllProducts())
      names.push_back(BiwplanProductPath(document, product));
    return names;
  }
  if (kind == JournalObjectRef::Feature) {
    for (const QIVBaseUnknown_var& datum : document->GetDatums()) {
      if (QIVITPSDatumSimple_var simple = datum)
        names.push_back(simple->GetName().str());
      else if (QIVITPSDatumTarget_var target = datum)
        names.push_back(target->GetName().str());
    }
  }
  for (const QIVBaseUnknown_var& object : document->GetAllObjects()) {
    if (kind == JournalObjectRef::Process && QIVISPPActivity_var(object))
      names.push_back(BiwplanActivityPath(document, object));
    else if (kind == JournalObjectRef::Fastener && ZELIBIWFastener_var(object))
      names.push_back(BiwplanFeatureName(object));
    else if (kind == JournalObjectRef::Feature && ZELIBIWFeature_var(object) && !ZELIBIWFastener_var(object))
      names.push_back(BiwplanFeatureName(object));
  }
  return names;
}

}  // namespace

QIVBaseUnknown_var BiwplanFindObject(BiwplanSession& session, const std::string& reference) {
  QIVUnicodeString reason;
  std::optional<JournalObjectRef> parsed = JournalObjectRef::Parse(reference, reason);
  if (!parsed) {
    BiwplanFail(reason.str());
    return QIVBaseUnknown_var();
  }
  QIVPathElement_var path = JournalObjectResolver(session.Document()).Resolve(*parsed, reason);
  if (!path) {
    const std::string text = parsed->GetText().str();
    const std::string wanted = text.substr(text.find(':') + 1);
    BiwplanFail(reason.str() + BiwplanSuggestions::Hint(wanted, NamesOfKind(session.Document(), parsed->GetKind())));
    return QIVBaseUnknown_var();
  }
  return path->GetLeaf();
}

std::string BiwplanReference(const std::string& word, JournalObjectRef::Kind kind) {
  QIVUnicodeString ignored;
  if (JournalObjectRef::Parse(word, ignored)) return word;
  return std::string(JournalObjectRef::KindName(kind)) + ":" + word;
}

QIVBaseUnknown_var BiwplanFindNamed(BiwplanSession& session, const std::string& word, JournalObjectRef::Kind kind) {
  return BiwplanFindObject(session, BiwplanReference(word, kind));
}

bool BiwplanFindFasteners(BiwplanSession& session, const std::vector<std::string>& words,
                          std::vector<BiwplanNamedFastener>& found) {
  std::unordered_set<QIVBaseUnknown*> named;
  for (const std::string& word : words) {
    const QIVBaseUnknown_var fastener = BiwplanFindNamed(session, word, JournalObjectRef::Fastener);
    if (!fastener) return false;
    if (named.insert(fastener.Identity()).second) found.push_back({BiwplanFeatureName(fastener), fastener});
  }
  return true;
}

namespace {
std::string Join(const QIVListValQIVUnicodeString& names) {
  std::string joined;
  for (const QIVUnicodeString& name : names) joined += (joined.empty() ? "" : "/") + name.str();
  return joined;
}
}  // namespace

std::string BiwplanActivityPath(const QIVIDocument_var& document, const QIVBaseUnknown_var& activity) {
  QIVListValQIVUnicodeString names;
  if (!document || FAILED(document->GetActivityPath(activity, names))) return std::string();
  return Join(names);
}

std::string BiwplanProductPath(const QIVIDocument_var& document, const QIVBaseUnknown_var& product) {
  QIVListValQIVUnicodeString names;
  if (!document || FAILED(document->GetProductPath(product, names))) return std::string();
  return Join(names);
}

std::string BiwplanFeatureName(const QIVBaseUnknown_var& feature) {
  QIVIAlias_var alias = feature;
  return alias ? alias->GetAlias().str() : std::string();
}

bool BiwplanIsAssignedTo(const QIVBaseUnknown_var& fastener, const QIVBaseUnknown_var& activity) {
  QIVListValQIVBaseUnknown_var activities;
  int count = 0;
  ZELFastenerServices::GetActivityFromAssignedWeld(fastener, activities, count);
  return activities.Contains(activity);
}
