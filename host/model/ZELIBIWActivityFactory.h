#pragma once

#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"

// Creation of activities, offered by every activity. Each kind has a pair:
// the first creates the activity as the last child of `parent`, the second
// right after `previous`, under the same father and in its flow (the new
// activity takes over the next links of `previous`, which then leads to
// it). New activities are named like their type's text, "." and the next
// number of that type (QIVSPPActivityType). Each returns the new activity,
// or an empty handle on failure.
class ZELIBIWActivityFactory : public QIVInterface<ZELIBIWActivityFactory> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWActivityFactory";

  virtual QIVBaseUnknown_var CreateStationActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateStationActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  // Any instantiable activity type by name.
  virtual QIVBaseUnknown_var CreateActivityOfType(const QIVUnicodeString& type,
                                                  const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateActivityOfTypeAfter(const QIVUnicodeString& type,
                                                       const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateLoadingActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateLoadingActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateUnloadingActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateUnloadingActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateClampingActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateClampingActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateUnclampingActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateUnclampingActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateSpotWeldingActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateSpotWeldingActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateStudWeldingActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateStudWeldingActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateSpotGluingActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateSpotGluingActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateClinchingActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateClinchingActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateArcWeldingActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateArcWeldingActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateAdhesiveApplicationActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateAdhesiveApplicationActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateSealantApplicationActivity(const QIVISPPChildManagement_var& parent) = 0;
  virtual QIVBaseUnknown_var CreateSealantApplicationActivityAfter(const QIVISPPFlowMgt_var& previous) = 0;
  virtual QIVBaseUnknown_var CreateGroupingActivity(const QIVISPPChildManagement_var& parent) = 0;
};
using ZELIBIWActivityFactory_var = QIVVar<ZELIBIWActivityFactory>;
