#pragma once

#include "QIVISPPProductIO.h"
#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// Control flow between activities and the products they take in and put
// out. Type filters pass subtypes: "Activity" passes every activity,
// "LogicalActivity" every activity taking part in a logical flow (processes
// and all physical activities), "PhysicalActivity" the activities that work
// on products (assembly operations and every BIW activity); "" passes all.
class QIVISPPFlowMgt : public QIVInterface<QIVISPPFlowMgt> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPFlowMgt";

  // In the order the links were made.
  virtual QIVListValQIVBaseUnknown_var GetPreviousActivities(const QIVUnicodeString& type) const = 0;
  virtual QIVListValQIVBaseUnknown_var GetNextActivities(const QIVUnicodeString& type) const = 0;
  // A link from this activity to `next` (same document; cycles are allowed).
  // S_FALSE when the link already exists.
  virtual HRESULT AddNextActivity(const QIVBaseUnknown_var& next) = 0;
  // E_FAIL when there is no such link.
  virtual HRESULT RemoveNextActivity(const QIVBaseUnknown_var& next) = 0;

  virtual HRESULT CreateProductOutput(QIVBaseUnknown_var& output) = 0;
  virtual HRESULT CreateProductInput(QIVBaseUnknown_var& input) = 0;
  virtual HRESULT RemoveProductIO(const QIVBaseUnknown_var& productIO) = 0;
  // The activity's product inputs (direction 1) or outputs (0), in order of
  // creation.
  virtual HRESULT GetProductIOs(QIVListValQIVBaseUnknown_var& productIOs, int direction = QIVSPPProductInput) const = 0;
};
using QIVISPPFlowMgt_var = QIVVar<QIVISPPFlowMgt>;
