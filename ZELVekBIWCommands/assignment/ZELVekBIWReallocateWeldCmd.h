#pragma once

#include "QIVListVal.h"
#include "QIVStateCommand.h"

class QIVOtherDocumentAgent;
class ZELVekBIWReallocateWeldDlg;

// Moves fasteners from one activity to another in batches. The planner
// picks the origin; its fasteners are listed; some are selected in the
// list or picked in the view; picking a destination (through the activity
// picker, so in any window) moves them at once and lists what is left.
// Any number of moves follow until the dialog is closed.
class ZELVekBIWReallocateWeldCmd : public QIVStateCommand {
 public:
  ZELVekBIWReallocateWeldCmd();
  ~ZELVekBIWReallocateWeldCmd() override;

  const char* GetImplClassName() const override { return "ZELVekBIWReallocateWeldCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Activate() override;
  void Desactivate() override;
  void Cancel() override;

  // Actions; the argument is not used.
  bool CloseReallocateWeldDlg(void* data);
  bool ActivityOriginSelected(void* data);
  bool WeldSelected(void* data);
  bool ActivityDestinationSelected(void* data);
  // The destination's filter: never a process root, and only an activity
  // that takes at least one selected fastener (IsValidActivity).
  bool checkForRoot(QIVPathElementAgent* agent, void* data);
  bool IsValidActivity(const QIVBaseUnknown_var& activity) const;

  void MessageWeldAlreadyAssigned();
  void MessageWeldNotFromLoadedParts();
  void MessageOriginActivityNoWelds();

  ZELVekBIWReallocateWeldDlg* GetDialog() const { return _pDlg; }
  const QIVBaseUnknown_var& GetOrigin() const { return _origin; }

 private:
  ZELVekBIWReallocateWeldDlg* _pDlg = nullptr;
  QIVDialogAgent* _pDlgAgent = nullptr;
  QIVPathElementAgent* _pOriginAgent = nullptr;
  QIVOtherDocumentAgent* _pDestinationAgent = nullptr;
  QIVPathElementAgent* _pWeldAgent = nullptr;
  QIVBaseUnknown_var _origin;
  QIVBaseUnknown_var _destination;
  QIVListValQIVBaseUnknown_var _originWelds;
};
