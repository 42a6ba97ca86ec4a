#pragma once

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "QIVDlgDialog.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVListVal.h"
#include "QIVPointerSet.h"
#include "ZELFastenerServices.h"

class QIVApplicationFrame;
class QIVDlgCheckButton;
class QIVDlgCombo;
class QIVDlgEditor;
class QIVDlgFrame;
class QIVDlgLabel;
class QIVDlgMultiList;
class QIVDlgPushButton;
class QIVDlgRadioButton;
class QIVDlgSelectorList;
class QIVDlgTabContainer;
class QIVDlgTabPage;
class ZELVekBIWCatalogBrowserDlg;
class ZELVekBIWWeldAccountability;

// The manual weld assignment dialog. The assignment page moves fasteners
// between the assignable list (left) and the list of the current fastening
// activity (right); the candidates come from one product or all of them
// and may be narrowed by a query. The accountability page tells, for each
// fastener, the activities it is assigned to.
//
// Left-list line i stands for entry i+1 of the left-list fasteners and
// right-list line i for entry i+1 of the activity's fasteners, so both are
// refilled together with their lines.
class ZELVekBIWAssignWeldDlg : public QIVDlgDialog {
 public:
  using List = QIVListValQIVBaseUnknown_var;
  using Identities = QIVPointerSet<const QIVBaseUnknown*>;

  // On the application's main window.
  ZELVekBIWAssignWeldDlg();
  ~ZELVekBIWAssignWeldDlg() override;

  const char* GetImplClassName() const override { return "ZELVekBIWAssignWeldDlg"; }

  // Makes the widgets, then Init.
  void Build();
  void Init();

  void FillComboActivity();
  void FillComboProduct();
  void FillSelectListWeldsAvailable(bool recompute);
  void FillSelectListWeldsToAssign(bool reload);
  void UpdateSelectList(bool fillLeft, bool fillRight, bool recomputeLeft, bool reloadRight);
  void UpdateListOfAllAssignedWelds();
  void UpdateListOfAllAssignableWelds(bool reloadAssigned);

  void SetCurrentActivity(const QIVBaseUnknown_var& activity);
  const QIVISPPActivity_var& GetCurrentActivity() const { return _currentActivity; }
  void SetCurrentProduct(const QIVBaseUnknown_var& product);
  const QIVIProduct_var& GetCurrentProduct() const { return _currentProduct; }
  void UpdateProduct(const QIVBaseUnknown_var& product);
  void UpdateActivity(const QIVBaseUnknown_var& activity);
  void UpdateActivityNodeVisu(const QIVBaseUnknown_var& activity);
  // Picked fasteners select their lines; with `toggle` a fastener picked
  // again is taken out of the selection.
  void UpdateSelection(const List& picked, bool toggle);
  void UpdateAccountabilityTabPage(bool refresh);
  void AccountabilitySensitivity(bool sensitive);

  void GetListOfFilteredWelds();
  // The line text without the assignment tag.
  static QIVUnicodeString FilterWeldID(const QIVUnicodeString& text);
  // "name (name<-father<-...<-top )".
  static QIVUnicodeString GetActivityFullName(const QIVBaseUnknown_var& activity);
  void GetListOfAllWeld();
  // The fasteners related to the product; false when it has none.
  static bool GetListOfAllWeldsFromProduct(const QIVBaseUnknown_var& product, List& fasteners);
  // Whether the product has a fastener: the walk above, up to the first.
  static bool HasWelds(const QIVBaseUnknown_var& product);
  static int FindWeldInListOfWeld(const QIVBaseUnknown_var& fastener, const List& fasteners);

  void HighlightWeldsInList(const List& fasteners, bool addToSelection);
  void DeHighlightWeldsInList(const List& fasteners);
  void DeHighlightAllWelds();

  void ShowListAvailableWeldIDs();
  void ShowListAssignedWeldIDs();
  void HideListWeldIDs(List& displayed);
  void UpdateListOfWeldsToShow();
  void HideShowWelds();
  void FilteredVisualization(const List& fasteners, int mode);
  void ResetFastenersDisplay();

  // Callbacks.
  void WhenDiaClose(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenFilter(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenTabPageSelected(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenComboProductSelected(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenComboActivitySelected(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenPushButtonAssignPushed(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenPushButtonUnassignPushed(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenCheckShowHideWeldIDClick(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenLeftListSelected(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenRightListSelected(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenCheckAllProduct(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenComboOptionModified(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenCheckAllProductAccount(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenCheckOneProductAccount(QIVCommand* sender, const QIVNotification& notification, void* data);
  void UpdateLeftList(QIVCommand* sender, const QIVNotification& notification, void* data);

  // Read by the command and the tests.
  const List& GetLeftListWelds() const { return _leftWelds; }
  const List* GetActivityWelds() const { return _pListOfWeldsFromActivity.get(); }
  const List* GetFilteredWelds() const { return _pListOfFilteredWelds.get(); }
  const List& GetFasteningActivities() const { return _activities; }
  const List& GetProductsWithWelds() const { return _productsWithWelds; }
  const List& GetAvailableWeldsDisplayed() const { return _pListOfAvailableWeldsDisplayed; }
  const List& GetAssignedWeldsDisplayed() const { return _pListOfAssignedWeldsDisplayed; }
  const List& GetWeldsCurrentlyShown() const { return _pListOfWeldsCurrentlyShown; }
  bool HasNonBIWFasteners() const { return _nonBIWFasteners; }
  ZELVekBIWCatalogBrowserDlg* GetCatalogBrowser() const { return _pCatalogBrowser; }
  QIVDlgCombo* GetComboActivity() const { return _pComboActivity; }
  QIVDlgCombo* GetComboProduct() const { return _pComboProduct; }
  QIVDlgSelectorList* GetLeftList() const { return _pSelectListLeft; }
  QIVDlgSelectorList* GetRightList() const { return _pSelectListRight; }
  QIVDlgMultiList* GetAccountList() const { return _pMultiListWeldAccount; }

 private:
  // What each row of a list stands for. A fill appends each row's
  // identifier and fastener, the fasteners to a set that tells at once
  // whether the list holds one; the rows of an identifier, which picks
  // need, are indexed on the first pick after a fill.
  class LineIndex {
   public:
    void Add(const QIVUnicodeString& id, const QIVBaseUnknown_var& fastener);
    // Room for `count` lines, added without growing.
    void Reserve(std::size_t count);
    int Size() const { return static_cast<int>(_idOfRow.size()); }
    // The rows whose line shows `id`, or null.
    const std::vector<int>* RowsOf(const QIVUnicodeString& id) const;
    bool Lists(const QIVBaseUnknown* fastener) const { return _listed.count(fastener) != 0; }
    bool Lists(const QIVBaseUnknown_var& fastener) const { return Lists(fastener.Identity()); }
    void Clear();

   private:
    void Build() const;

    std::vector<QIVUnicodeString> _idOfRow;
    Identities _listed;
    mutable std::unordered_map<QIVUnicodeString, std::vector<int>> _rowsOfId;
    mutable bool _built = false;
  };
  using Membership = std::function<bool(const QIVBaseUnknown*)>;

  void BuildAssignmentPage();
  void BuildAccountabilityPage();
  QIVUnicodeString Message(const char* key, const char* text) const;
  void SetBusy() const;
  // Shows `lines` as the only lines of the list, made insensitive, its
  // count editor at 0.
  void ShowListMessage(QIVDlgSelectorList* list, QIVDlgEditor* count, LineIndex& index,
                       const std::vector<QIVUnicodeString>& lines);
  // The fasteners' identifiers, read once for the sort and the lines; the
  // fasteners and their identifiers sorted by `sort` (the list's own, which
  // remembers its last order) unless the gathering order is kept.
  static std::vector<QIVUnicodeString> SortUnlessGatheringOrder(List& fasteners,
                                                                ZELFastenerServices::WeldIDSort& sort);
  // The fasteners of the selected lines of a list, in selection order.
  List SelectedWelds(QIVDlgSelectorList* list, const List& welds) const;
  void OnListSelected(QIVDlgSelectorList* list, QIVDlgSelectorList* other, const List& welds);
  bool IsAssignedAnywhere(const QIVBaseUnknown_var& fastener) const;
  void SelectRows(QIVDlgSelectorList* list, const LineIndex& index, const List& fasteners, List& kept) const;
  void SetEditorCount(QIVDlgEditor* editor, int count);
  // `displayed` becomes `now`, its identifiers shown in that mode; those
  // `staying` tells (now's and the other list's, when it shows them) stay.
  void ReplaceDisplayedIDs(List& displayed, const List& now, const Membership& staying, int mode);

  // Widgets (owned by their parents).
  QIVDlgTabContainer* _pTabContainer = nullptr;
  QIVDlgTabPage* _pTabPageAssignment = nullptr;
  QIVDlgTabPage* _pTabPageAccountability = nullptr;
  QIVDlgCombo* _pComboProduct = nullptr;
  QIVDlgCheckButton* _pCheckAllProduct = nullptr;
  QIVDlgCombo* _pComboActivity = nullptr;
  QIVDlgSelectorList* _pSelectListLeft = nullptr;
  QIVDlgSelectorList* _pSelectListRight = nullptr;
  QIVDlgCheckButton* _pCheckShowHideLeft = nullptr;
  QIVDlgCheckButton* _pCheckShowHideRight = nullptr;
  QIVDlgPushButton* _pPushButtonAssign = nullptr;
  QIVDlgPushButton* _pPushButtonUnassign = nullptr;
  QIVDlgEditor* _pEditorNumber = nullptr;
  QIVDlgEditor* _pEditorAssignNumber = nullptr;
  QIVDlgRadioButton* _pRadioOneProduct = nullptr;
  QIVDlgRadioButton* _pRadioAllProduct = nullptr;
  QIVDlgCombo* _pComboOption = nullptr;
  QIVDlgMultiList* _pMultiListWeldAccount = nullptr;
  QIVDlgLabel* _pLabelWeldsAvailable = nullptr;
  QIVDlgEditor* _pEditorWeldsAvailable = nullptr;
  QIVDlgLabel* _pLabelWeldsOptionTitle = nullptr;
  QIVDlgEditor* _pEditorWeldsOption = nullptr;
  ZELVekBIWCatalogBrowserDlg* _pCatalogBrowser = nullptr;
  std::unique_ptr<ZELVekBIWWeldAccountability> _accountability;

  QIVIProduct_var _currentProduct;
  QIVISPPActivity_var _currentActivity;

  std::unique_ptr<List> _pListOfWeldsFromProduct;
  std::unique_ptr<List> _pListOfAllWelds;
  std::unique_ptr<List> _pListOfWeldsFromActivity;
  List _allAssigned;
  Identities _allAssignedIndex;
  List _activities;
  List _allProducts;
  List _productsWithWelds;
  std::unique_ptr<List> _pListOfAssignableWelds;
  List _visibleAtInit;
  std::unique_ptr<List> _pListOfFilteredWelds;
  List _leftWelds;
  List _pListOfAvailableWeldsDisplayed;
  List _pListOfAssignedWeldsDisplayed;
  List _pListOfWeldsToShow;
  List _pListOfWeldsCurrentlyShown;
  LineIndex _leftIndex;
  LineIndex _rightIndex;
  ZELFastenerServices::WeldIDSort _leftSort;
  ZELFastenerServices::WeldIDSort _rightSort;
  // How many of the fasteners to show are the left list's, at their head.
  int _leftWeldsToShow = 0;

  unsigned char _allProductsFlag = 0;
  bool _showIDsLeft = true;
  bool _showIDsRight = true;
  bool _nonBIWFasteners = false;
  QIVApplicationFrame* _pFrame = nullptr;
};
