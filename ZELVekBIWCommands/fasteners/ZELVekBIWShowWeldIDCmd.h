#pragma once

#include "QIVListVal.h"
#include "QIVStateCommand.h"

class ZELVekBIWShowWeldIDDlg;

// Lists the feature groups below a picked BIW feature in its dialog, where
// the planner switches each on or off; Apply shows the identifiers of the
// fasteners of the groups switched on and hides the others'. Further picks
// add their groups; Close ends.
class ZELVekBIWShowWeldIDCmd : public QIVStateCommand {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  ZELVekBIWShowWeldIDCmd();
  ~ZELVekBIWShowWeldIDCmd() override;

  const char* GetImplClassName() const override { return "ZELVekBIWShowWeldIDCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Activate() override;
  void Desactivate() override;
  void Cancel() override;

  // Actions; the argument is not used.
  bool BIWFeatureSelected(void* data);
  bool ApplyShowWeldIDDlg(void* data);
  bool CloseShowWeldIDDlg(void* data);

  // Appends every group below the feature (each child that has children of
  // its own, then the groups below it), depth first.
  static void GetAllJointBodies(const QIVBaseUnknown_var& feature, List& groups);
  void EmptyHSO();

  ZELVekBIWShowWeldIDDlg* GetDialog() const { return _pDlg; }

 private:
  ZELVekBIWShowWeldIDDlg* _pDlg = nullptr;
  QIVDialogAgent* _pDlgAgent = nullptr;
  QIVPathElementAgent* _pFeatureAgent = nullptr;
  List _jointBodies;
};
