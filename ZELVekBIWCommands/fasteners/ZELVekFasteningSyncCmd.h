#pragma once

#include "QIVISPPChildManagement.h"
#include "QIVListVal.h"
#include "ZELUpdateWorldStepAnimCmd.h"

class ZELVekFasteningSyncDlg;

// Brings the simulated world into the state of the station that holds the
// activity the planner indicates, so that its fasteners are seen in their
// station context. The world is updated once per station: indicating
// another activity of the same station changes nothing. Cancelling puts
// the design locations back.
class ZELVekFasteningSyncCmd : public ZELUpdateWorldStepAnimCmd {
 public:
  ZELVekFasteningSyncCmd();
  ~ZELVekFasteningSyncCmd() override;

  const char* GetImplClassName() const override { return "ZELVekFasteningSyncCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Activate() override;
  void Desactivate() override;
  void Cancel() override;
  // The base settings, then the options dialog.
  void ReadSettings() override;

  bool InitSimEnv(void* data);
  bool UpdateSimWorld(void* data);
  // The indication takes activities of the current document.
  bool ActFilter(QIVPathElementAgent* agent, void* data);
  // The activity itself, or its nearest father, that is a station, an
  // assembly operation or a grouping; E_FAIL when there is none.
  static HRESULT getCurrentStation(const QIVBaseUnknown_var& object, QIVISPPChildManagement_var& station);

  // The options dialog changed the mode: the current station is
  // synchronised again in it.
  void ModeChanged(bool stationIsolation);

  const QIVISPPChildManagement_var& GetCurrentStation() const { return _currentStation; }
  const QIVListValQIVBaseUnknown_var& GetUpdatedActivities() const { return _updatedActivities; }
  ZELVekFasteningSyncDlg* GetDialog() const { return _pDialog; }

 private:
  void Synchronise(const QIVISPPChildManagement_var& station);

  QIVPathElementAgent* _pIndication = nullptr;
  ZELVekFasteningSyncDlg* _pDialog = nullptr;
  QIVISPPChildManagement_var _currentStation;
  // The activities handed to the last world update.
  QIVListValQIVBaseUnknown_var _updatedActivities;
};
