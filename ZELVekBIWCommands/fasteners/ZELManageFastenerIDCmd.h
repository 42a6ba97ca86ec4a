#pragma once

#include "QIVListVal.h"
#include "QIVStateCommand.h"

class ZELManageFastenerIDDlg;

// Collects the fasteners of picked objects (fasteners, identifier
// displays, activities, feature groups, products, manufactured assemblies)
// into the list of its dialog, where the planner chooses those whose
// identifiers the view shows. Ends when the dialog is closed; the dialog's
// settings are saved as the command goes.
class ZELManageFastenerIDCmd : public QIVStateCommand {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  ZELManageFastenerIDCmd();
  ~ZELManageFastenerIDCmd() override;

  const char* GetImplClassName() const override { return "ZELManageFastenerIDCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;

  // Actions; the argument is not used.
  bool CollectFastenerFromSelectedObject(void* data);
  bool CLOSEClicked(void* data);

  // Appends the fasteners related to the product that `fasteners` does
  // not hold yet.
  static void ListFeaturesFromPart(const QIVBaseUnknown_var& product, List& fasteners);
  // Appends the fasteners of the assembly's parts.
  static void CollectFastenerFromMfgAssembly(const QIVBaseUnknown_var& assembly, List& fasteners);

  ZELManageFastenerIDDlg* GetDialog() const { return _pDlg; }

 private:
  // Appends the fasteners one picked path stands for, some perhaps there
  // already.
  void CollectFromPath(const QIVPathElement& path, bool recursive, List& found) const;

  ZELManageFastenerIDDlg* _pDlg = nullptr;
  QIVDialogAgent* _pDlgAgent = nullptr;
  QIVPathElementAgent* _pItemAgent = nullptr;
};
