#include "ZELVekBIWCatalogBrowserDlg.h"

#include <string>
#include <vector>

#include "QIVDlgEditor.h"
#include "QIVDlgLabel.h"
#include "QIVDlgPushButton.h"
#include "QIVDlgSelectorList.h"
#include "QIVIAlias.h"
#include "QIVMsgCatalog.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"

namespace {
constexpr const char* kClass = "ZELVekBIWCatalogBrowserDlg";

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

enum class Attribute { Identifier, Name, Type, Category };

struct Term {
  Attribute attribute;
  QIVUnicodeString pattern;
};

bool ParseAttribute(const std::string& word, Attribute& attribute) {
  static const std::vector<std::pair<const char*, Attribute>> kAttributes{{"identifier", Attribute::Identifier},
                                                                          {"name", Attribute::Name},
                                                                          {"type", Attribute::Type},
                                                                          {"category", Attribute::Category}};
  for (const auto& [name, value] : kAttributes)
    if (Lower(word) == name) {
      attribute = value;
      return true;
    }
  return false;
}

QIVUnicodeString AttributeOf(const QIVBaseUnknown_var& fastener, Attribute attribute) {
  switch (attribute) {
    case Attribute::Identifier:
      return ZELFastenerServices::GetWeldID(fastener);
    case Attribute::Name:
      if (QIVIAlias_var alias(fastener); alias) return alias->GetAlias();
      return QIVUnicodeString();
    case Attribute::Type:
      if (ZELIBIWFastener_var typed(fastener); typed) return typed->GetType();
      return QIVUnicodeString();
    case Attribute::Category:
      if (ZELIBIWFastener_var typed(fastener); typed) return typed->GetCategory();
      return QIVUnicodeString();
  }
  return QIVUnicodeString();
}
}  // namespace

ZELVekBIWCatalogBrowserDlg::ZELVekBIWCatalogBrowserDlg(QIVCommand* parent)
    : QIVDlgDialog(parent, kClass, 0) {
  SetTitle(Caption("Title", "Fastener Query"));
}

ZELVekBIWCatalogBrowserDlg::~ZELVekBIWCatalogBrowserDlg() = default;

void ZELVekBIWCatalogBrowserDlg::SetListOfAllAvailableWelds(const QIVListValQIVBaseUnknown_var& fasteners) {
  _available = fasteners;
  _result.RemoveAll();
}

void ZELVekBIWCatalogBrowserDlg::Build() {
  if (_pQueryEditor) return;
  QIVDlgLabel* queryLabel = new QIVDlgLabel(this, "LabelQueryId");
  queryLabel->SetTitle(Caption("LabelQueryId.Title", "Query (attribute=value; ...):"));
  queryLabel->SetGridConstraints(0, 0);
  _pQueryEditor = new QIVDlgEditor(this, "EditorQueryId");
  _pQueryEditor->SetVisibleTextWidth(40);
  _pQueryEditor->SetGridConstraints(0, 1);
  _pSearchButton = new QIVDlgPushButton(this, "PushButtonSearchId");
  _pSearchButton->SetTitle(Caption("PushButtonSearchId.Title", "Search"));
  _pSearchButton->SetGridConstraints(0, 2);
  _pResultList = new QIVDlgSelectorList(this, "SelectListResultId");
  _pResultList->SetVisibleTextHeight(10);
  _pResultList->SetGridConstraints(1, 0, 1, 3);
  _pStatusLabel = new QIVDlgLabel(this, "LabelStatusId");
  _pStatusLabel->SetGridConstraints(2, 0, 1, 3);

  SetButtonSensitivity(GetDiaOKNotification(), QIVDlgDisable);
  SetButtonSensitivity(GetDiaCANCELNotification(), QIVDlgDisable);
  SetButtonSensitivity(GetDiaAPPLYNotification(), QIVDlgDisable);

  AddAnalyseNotificationCB(_pQueryEditor, GetEditModifyNotification(), &ZELVekBIWCatalogBrowserDlg::OnQueryTyped);
  AddAnalyseNotificationCB(_pSearchButton, GetPushBActivateNotification(),
                           &ZELVekBIWCatalogBrowserDlg::OnQueryTyped);
  AddAnalyseNotificationCB(this, GetDiaCLOSENotification(), &ZELVekBIWCatalogBrowserDlg::OnClose);
  AddAnalyseNotificationCB(this, GetWindCloseNotification(), &ZELVekBIWCatalogBrowserDlg::OnWindowClose);
}

bool ZELVekBIWCatalogBrowserDlg::MatchesPattern(const QIVUnicodeString& text, const QIVUnicodeString& pattern) {
  const std::string& s = text.str();
  const std::string& p = pattern.str();
  // Greedy matching with one back-track point: the last "*" seen.
  std::size_t si = 0, pi = 0, star = std::string::npos, mark = 0;
  while (si < s.size()) {
    if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = si;
    } else if (pi < p.size() && p[pi] == s[si]) {
      ++pi;
      ++si;
    } else if (star != std::string::npos) {
      pi = star + 1;
      si = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

HRESULT ZELVekBIWCatalogBrowserDlg::RunQuery(const QIVUnicodeString& query) {
  _result.RemoveAll();
  if (_pResultList) _pResultList->ClearLine();

  std::vector<Term> terms;
  const std::string& text = query.str();
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(';', start), text.size());
    const std::string term = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (term.empty()) continue;
    const std::size_t equal = term.find('=');
    Attribute attribute = Attribute::Identifier;
    if (equal != std::string::npos && !ParseAttribute(Trimmed(term.substr(0, equal)), attribute)) {
      const QIVUnicodeString word(Trimmed(term.substr(0, equal)));
      if (_pStatusLabel)
        _pStatusLabel->SetTitle(QIVMsgCatalog::BuildMessage(kClass, "UnknownAttributeId", &word, 1,
                                                            "Unknown attribute: /p1"));
      return E_INVALIDARG;
    }
    terms.push_back({attribute, Trimmed(equal == std::string::npos ? term : term.substr(equal + 1))});
  }

  if (!terms.empty()) {
    for (const QIVBaseUnknown_var& fastener : _available) {
      bool matches = true;
      for (const Term& term : terms)
        if (!(matches = MatchesPattern(AttributeOf(fastener, term.attribute), term.pattern))) break;
      if (!matches) continue;
      _result.Append(ZELFastenerServices::GetWeldID(fastener));
      if (_pResultList) _pResultList->SetLine(_result[_result.Size()]);
    }
  }
  if (_pStatusLabel) {
    const QIVUnicodeString count = QIVUnicodeString().BuildFromNum(_result.Size(), "%d");
    _pStatusLabel->SetTitle(QIVMsgCatalog::BuildMessage(kClass, "MatchCountId", &count, 1, "/p1 fasteners match"));
  }
  return S_OK;
}

void ZELVekBIWCatalogBrowserDlg::OnQueryTyped(QIVCommand*, const QIVNotification&, void*) {
  if (_pQueryEditor) RunQuery(_pQueryEditor->GetText());
}

void ZELVekBIWCatalogBrowserDlg::OnClose(QIVCommand*, const QIVNotification& notification, void*) {
  SetVisibility(QIVDlgHide);
  // The owner may be a command waiting on the close with an agent.
  SendNotification(GetFather(), notification);
}

void ZELVekBIWCatalogBrowserDlg::OnWindowClose(QIVCommand*, const QIVNotification&, void*) {
  SendNotification(GetCloseNotification());
}
