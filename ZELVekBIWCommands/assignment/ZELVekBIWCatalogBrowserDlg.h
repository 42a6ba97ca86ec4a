#pragma once

#include "QIVDlgDialog.h"
#include "QIVListVal.h"

class QIVDlgEditor;
class QIVDlgLabel;
class QIVDlgPushButton;
class QIVDlgSelectorList;

// Queries the attributes of a set of fasteners and lists the identifiers
// of those that match. A query is one or more terms separated by ";", all
// of which must hold; a term is `attribute=value`, the attribute one of
// identifier, name, type or category (any case), the value compared
// exactly except that "*" stands for any run of characters. A term without
// "=" compares the identifier:
//   type=spot weld; identifier=W00*
// Typing the query or pressing Search runs it. Close (or the window's close
// box) hides the dialog and emits the close notification, which also climbs
// to the father, after which the owner reads the current query result.
class ZELVekBIWCatalogBrowserDlg : public QIVDlgDialog {
 public:
  explicit ZELVekBIWCatalogBrowserDlg(QIVCommand* parent);
  ~ZELVekBIWCatalogBrowserDlg() override;

  const char* GetImplClassName() const override { return "ZELVekBIWCatalogBrowserDlg"; }

  void SetListOfAllAvailableWelds(const QIVListValQIVBaseUnknown_var& fasteners);
  void Build();
  // The notification the dialog emits when it is closed.
  static const char* GetCloseNotification() { return GetDiaCLOSENotification(); }

  // Runs a query over the available fasteners; E_INVALIDARG (with the
  // reason in the status label) for a term naming no attribute.
  HRESULT RunQuery(const QIVUnicodeString& query);
  // The identifiers of the last query's matches, in the order of the
  // available fasteners; empty before any query.
  const QIVListValQIVUnicodeString& GetCurrentQueryResult() const { return _result; }

  // True when `text` matches `pattern`, where "*" stands for any run.
  static bool MatchesPattern(const QIVUnicodeString& text, const QIVUnicodeString& pattern);

  void OnQueryTyped(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnClose(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnWindowClose(QIVCommand* sender, const QIVNotification& notification, void* data);

  QIVDlgEditor* GetQueryEditor() const { return _pQueryEditor; }
  QIVDlgSelectorList* GetResultList() const { return _pResultList; }
  QIVDlgLabel* GetStatusLabel() const { return _pStatusLabel; }

 private:
  QIVListValQIVBaseUnknown_var _available;
  QIVListValQIVUnicodeString _result;
  QIVDlgEditor* _pQueryEditor = nullptr;
  QIVDlgPushButton* _pSearchButton = nullptr;
  QIVDlgSelectorList* _pResultList = nullptr;
  QIVDlgLabel* _pStatusLabel = nullptr;
};
