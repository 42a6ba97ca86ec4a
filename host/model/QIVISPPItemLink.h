#pragma once

#include "QIVVar.h"

// The link that makes an object an item of an activity; its spec father
// (QIVISpecObject) is the activity.
class QIVISPPItemLink : public QIVInterface<QIVISPPItemLink> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPItemLink";

  virtual HRESULT GetItem(QIVBaseUnknown_var& item) const = 0;
  // QIVSPPItemAssigned or QIVSPPItemFromFlow.
  virtual int GetMode() const = 0;
  // Two option words the process editors keep with the link; both 0 until
  // set.
  virtual HRESULT SetOptions(int first, int second) = 0;
  virtual HRESULT GetOptions(int& first, int& second) const = 0;
};
using QIVISPPItemLink_var = QIVVar<QIVISPPItemLink>;
