#pragma once

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "QIVListVal.h"
#include "QIVPathElement.h"
#include "QIVStateCommand.h"

class ZELBIWPreviewWindow;
class ZELVekPreviewWindowManagerDlg;

// Assigns fasteners to an activity through the editor's preview window.
// The planner picks products (parts or manufactured assemblies, in the
// view, the product tree or the flow viewer) and an activity; the fasteners
// joining the products shown are listed, each with whether it may go to
// the activity and why not, and the valid ones selected are assigned.
// Closing the dialog or the preview window ends the command; the products
// shown are remembered for the editor.
class ZELVekPreviewWindowManagerCmd : public QIVStateCommand {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  ZELVekPreviewWindowManagerCmd();
  ~ZELVekPreviewWindowManagerCmd() override;

  const char* GetImplClassName() const override { return "ZELVekPreviewWindowManagerCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Init();
  bool ProductSelected(void* data);
  bool ActivitySelected(void* data);
  bool CloseDialog(void* data);
  void SetSelectedProducts(const List& products, bool toggle);
  // The product a pick in the process-flow viewer stands for.
  static HRESULT GetProductSelectedFromPFViewer(const QIVBaseUnknown_var& picked,
                                                QIVBaseUnknown_var& product);
  static QIVPathElement_var GetPathElement(const QIVBaseUnknown_var& object);
  static void BuildPathElement(const QIVBaseUnknown_var& object, QIVPathElement& path);
  void RemoveProductsFromPreviewWindow();
  void AddSelectedProductsToRemoveList();
  void AddSelectedWeldsToAssignList(const std::vector<int>& rows, int count);
  void ClearAllProducts();
  void ClearAllWeld();
  void AssignWeldsToActivity();
  void UpdateWeldsList();
  void UpdateWeldsSelectorListInDialog();
  void UpdateProductsSelectorListInDialog();
  void UpdatePreviewWindow(bool productsChanged, bool fastenersChanged);
  void UpdateCSO();
  // The fasteners joining parts of the products only, each across more
  // than one product (a manufactured assembly being one), in container
  // order.
  static void GetFastenersFromProducts(const List& products, List& result);
  static void GetAllPartsFromMfgAssembly(const QIVBaseUnknown_var& assembly, List& parts);
  static bool ArePartsScatteredAcrossGroups(const List& parts, const std::vector<List>& groups);
  bool IsValidToAssignToCurrentActivity(const QIVBaseUnknown_var& fastener,
                                        const QIVListValQIVUnicodeString& tree,
                                        QIVUnicodeString& description);

  ZELVekPreviewWindowManagerDlg* GetDialog() const { return _pDlg; }
  const List& GetShownProducts() const { return _shown; }
  const List& GetListedWelds() const { return _listedWelds; }
  bool GetPartLoadConstraint() const { return _partLoadConstraint != 0; }

 private:
  // Which listed fasteners the part-load constraint keeps off the current
  // activity, worked out once per listing.
  void PrepareLoadedParts();
  // The groups (by position) each part lies in.
  using GroupIndex = std::unordered_map<const void*, std::vector<int>>;
  static bool Scattered(const List& parts, const GroupIndex& groupsOf);

  ZELVekPreviewWindowManagerDlg* _pDlg = nullptr;
  QIVDialogAgent* _pDlgAgent = nullptr;
  QIVDialogAgent* _pWindowAgent = nullptr;
  QIVPathElementAgent* _pProductAgent = nullptr;
  QIVPathElementAgent* _pActivityAgent = nullptr;
  unsigned char _partLoadConstraint = 0;
  QIVBaseUnknown_var _activity;
  List _shown;
  List _selectedProducts;
  List _productsToRemove;
  List _listedWelds;
  List _weldsToAssign;
  QIVListValQIVUnicodeString _expandedTree;
  std::unordered_set<const void*> _notLoaded;
  bool _productsChanged = false;
  bool _fastenersChanged = false;
  QIVVar<ZELBIWPreviewWindow> _window;
};
