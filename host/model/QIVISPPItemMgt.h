#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// How an item came to an activity: assigned to it (by a planner or an
// assignment command) or handed on from the previous activity in the flow.
// Mode 0 in a query or removal means any mode.
enum QIVSPPItemMode { QIVSPPItemAnyMode = 0, QIVSPPItemAssigned = 1, QIVSPPItemFromFlow = 2 };

// The process items of an activity (products, manufactured assemblies,
// fasteners, locators, datums), each held once through an item link, in
// the order they were added.
class QIVISPPItemMgt : public QIVInterface<QIVISPPItemMgt> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPItemMgt";

  // "Item" (or "") takes every item; another kind name ("Product",
  // "MfgAssembly", "PointFastener", "CurveFastener", "Locator", "Datum",
  // "FeatureGroup") only items of that kind. Mode as QIVSPPItemMode.
  virtual QIVListValQIVBaseUnknown_var GetItems(const QIVUnicodeString& kind = "Item", int mode = 0) const = 0;
  virtual int GetItemCount() const = 0;
  virtual bool HasItem(const QIVBaseUnknown_var& item, int mode = 0) const = 0;
  // Adds a process item of the document (an item outside any document
  // joins the activity's document). S_FALSE when the item is already there
  // (its link is kept as it was); E_INVALIDARG for an object that is not a
  // process item. `link`, when given, receives the item link.
  virtual HRESULT AddItem(const QIVBaseUnknown_var& item, int mode = QIVSPPItemAssigned,
                          QIVBaseUnknown_var* link = nullptr) = 0;
  // E_FAIL when the item is not there with that mode.
  virtual HRESULT RemoveItem(const QIVBaseUnknown_var& item, int mode = 0) = 0;
  // Removes every listed item held with that mode; S_OK when at least one
  // was removed, S_FALSE when none was.
  virtual HRESULT RemoveItems(const QIVListValQIVBaseUnknown_var& items, int mode = 0) = 0;
  virtual HRESULT GetItemLink(const QIVBaseUnknown_var& item, QIVBaseUnknown_var& link) const = 0;
};
using QIVISPPItemMgt_var = QIVVar<QIVISPPItemMgt>;
