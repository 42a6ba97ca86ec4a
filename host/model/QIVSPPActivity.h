#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "QIVISPPAbstractActivity.h"
#include "QIVISPPActivity.h"
#include "QIVISPPActivityModificationEvents.h"
#include "QIVISPPActivityRoot.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPDynamicActivity.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemMgt.h"
#include "QIVIRedrawEvent.h"
#include "QIVModelObject.h"
#include "QIVSPPActivityType.h"
#include "ZELIBIWActivity.h"
#include "ZELIBIWActivityClamping.h"
#include "ZELIBIWActivityCurveFastening.h"
#include "ZELIBIWActivityFactory.h"
#include "ZELIBIWActivityGrouping.h"
#include "ZELIBIWActivityLoading.h"
#include "ZELIBIWActivityStation.h"
#include "ZELIBIWActivityUnclamping.h"
#include "ZELIBIWActivityUnloading.h"
#include "ZELIBIWActivityWelding.h"
#include "ZELIBIWItemInfo.h"
#include "ZELIUpdateManufAssly.h"

class QIVSPPItemLink;
class QIVSPPProductIO;

// Every activity of the process, whatever its type. The type (fixed at
// creation) decides which kind interfaces and attributes the activity
// offers (QIVSPPActivityType); a top activity of the process container is a
// process root and offers the root interfaces.
class QIVSPPActivity : public QIVModelObject,
                       public QIVISPPActivity,
                       public QIVISPPAbstractActivity,
                       public QIVISPPChildManagement,
                       public QIVISPPFlowMgt,
                       public QIVISPPItemMgt,
                       public QIVISPPActivityRoot,
                       public QIVISPPActivityModificationEvents,
                       public QIVISPPDynamicActivity,
                       public QIVIRedrawEvent,
                       public ZELIUpdateManufAssly,
                       public ZELIBIWItemInfo,
                       public ZELIBIWActivity,
                       public ZELIBIWActivityStation,
                       public ZELIBIWActivityGrouping,
                       public ZELIBIWActivityWelding,
                       public ZELIBIWActivityCurveFastening,
                       public ZELIBIWActivityLoading,
                       public ZELIBIWActivityUnloading,
                       public ZELIBIWActivityClamping,
                       public ZELIBIWActivityUnclamping,
                       public ZELIBIWActivityFactory {
 public:
  explicit QIVSPPActivity(const QIVSPPActivityType& type);
  ~QIVSPPActivity() override;

  const char* IsA() const override { return _type->name; }
  const char* GetImplClassName() const override { return "QIVSPPActivity"; }
  IndexKind GetIndexKind() const override { return IndexKind::Activity; }
  const char* GetKindName() const override { return "Activity"; }
  QIVUnicodeString GetSubKind() const override { return _type->name; }
  HRESULT Redraw() override;

  // QIVISPPActivity, QIVISPPAbstractActivity
  QIVUnicodeString GetName() const override { return _name; }
  HRESULT SetName(const QIVUnicodeString& name) override;
  QIVUnicodeString GetLabel() const override { return _name; }
  HRESULT SetLabel(const QIVUnicodeString& label) override { return SetName(label); }
  QIVUnicodeString GetActivityType() const override { return _type->name; }
  bool IsSubTypeOf(const QIVUnicodeString& typeName) const override;
  HRESULT GetFatherActivity(QIVBaseUnknown_var& father) const override;
  HRESULT GetCycleTime(double& seconds) const override;
  HRESULT SetCycleTime(double seconds) override;
  HRESULT GetAttributeNames(QIVListValQIVUnicodeString& names) const override;
  HRESULT GetAttribute(const QIVUnicodeString& name, double& value) const override;
  HRESULT SetAttribute(const QIVUnicodeString& name, double value) override;

  // QIVISPPChildManagement
  std::unique_ptr<QIVListValQIVBaseUnknown_var> GetChildren(const QIVUnicodeString& type = "") const override;
  int GetChildrenCount() const override { return static_cast<int>(_children.size()); }
  HRESULT FindChild(const QIVUnicodeString& name, QIVBaseUnknown_var& child) const override;
  HRESULT CreateChild(const QIVUnicodeString& type, QIVBaseUnknown_var& child) override;
  HRESULT AppendChild(const QIVBaseUnknown_var& activity) override;
  HRESULT InsertChildAfter(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& after) override;
  HRESULT RemoveChild(const QIVBaseUnknown_var& child) override;

  // QIVISPPFlowMgt, ZELIBIWItemInfo
  QIVListValQIVBaseUnknown_var GetPreviousActivities(const QIVUnicodeString& type) const override;
  QIVListValQIVBaseUnknown_var GetNextActivities(const QIVUnicodeString& type) const override;
  HRESULT AddNextActivity(const QIVBaseUnknown_var& next) override;
  HRESULT RemoveNextActivity(const QIVBaseUnknown_var& next) override;
  HRESULT CreateProductOutput(QIVBaseUnknown_var& output) override;
  HRESULT CreateProductInput(QIVBaseUnknown_var& input) override;
  HRESULT RemoveProductIO(const QIVBaseUnknown_var& productIO) override;
  HRESULT GetProductIOs(QIVListValQIVBaseUnknown_var& productIOs, int direction = QIVSPPProductInput) const override;
  HRESULT GetHandledParts(QIVListValQIVBaseUnknown_var& parts) const override;
  HRESULT GetHandledAssemblies(QIVListValQIVBaseUnknown_var& assemblies) const override;
  HRESULT GetAssignedProducts(QIVListValQIVBaseUnknown_var& products) const override;

  // QIVISPPItemMgt
  QIVListValQIVBaseUnknown_var GetItems(const QIVUnicodeString& kind = "Item", int mode = 0) const override;
  int GetItemCount() const override { return _itemOrder.Size(); }
  bool HasItem(const QIVBaseUnknown_var& item, int mode = 0) const override;
  HRESULT AddItem(const QIVBaseUnknown_var& item, int mode = QIVSPPItemAssigned,
                  QIVBaseUnknown_var* link = nullptr) override;
  HRESULT RemoveItem(const QIVBaseUnknown_var& item, int mode = 0) override;
  HRESULT RemoveItems(const QIVListValQIVBaseUnknown_var& items, int mode = 0) override;
  HRESULT GetItemLink(const QIVBaseUnknown_var& item, QIVBaseUnknown_var& link) const override;

  // Process roots: QIVISPPActivityRoot, QIVISPPActivityModificationEvents,
  // ZELIUpdateManufAssly
  HRESULT GetProcessContainer(QIVBaseUnknown_var& container) const override;
  HRESULT Dispatch(const QIVSPPActivityNotification& notification) override;
  int AddListener(Listener listener) override;
  HRESULT RemoveListener(int key) override;
  bool IsAutomaticUpdate() const override { return _automaticUpdate; }
  HRESULT SetAutomaticUpdate(bool automatic) override;

  // QIVISPPDynamicActivity
  HRESULT GetActivity(QIVBaseUnknown_var& activity) const override;
  HRESULT SetActivity(const QIVBaseUnknown_var& activity) override;

  // ZELIBIWActivity
  HRESULT IsValidItem(const QIVBaseUnknown_var& item) const override;

  // Kind attributes: ZELIBIWActivityStation, ...Grouping, ...Welding,
  // ...CurveFastening
  HRESULT GetNumberOfSpecifiedPointFasteners(double& count) const override;
  HRESULT SetNumberOfSpecifiedPointFasteners(double count) override;
  HRESULT GetLengthOfSpecifiedCurveFasteners(double& length) const override;
  HRESULT SetLengthOfSpecifiedCurveFasteners(double length) override;
  HRESULT GetEstimatedInvestmentCost(double& cost) const override;
  HRESULT SetEstimatedInvestmentCost(double cost) override;
  HRESULT GetGoalInvestmentCost(double& cost) const override;
  HRESULT SetGoalInvestmentCost(double cost) override;
  HRESULT GetProductExitRate(double& rate) const override;
  HRESULT SetProductExitRate(double rate) override;
  HRESULT GetPointFasteningRate(double& secondsPerFastener) const override;
  HRESULT SetPointFasteningRate(double secondsPerFastener) override;
  HRESULT GetFastenerProductionRate(double& millimetresPerSecond) const override;
  HRESULT SetFastenerProductionRate(double millimetresPerSecond) override;
  HRESULT Update() override;

  // ZELIBIWActivityFactory
  QIVBaseUnknown_var CreateStationActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateStationActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateActivityOfType(const QIVUnicodeString& type,
                                          const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateActivityOfTypeAfter(const QIVUnicodeString& type,
                                               const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateLoadingActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateLoadingActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateUnloadingActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateUnloadingActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateClampingActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateClampingActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateUnclampingActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateUnclampingActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateSpotWeldingActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateSpotWeldingActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateStudWeldingActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateStudWeldingActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateSpotGluingActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateSpotGluingActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateClinchingActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateClinchingActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateArcWeldingActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateArcWeldingActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateAdhesiveApplicationActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateAdhesiveApplicationActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateSealantApplicationActivity(const QIVISPPChildManagement_var& parent) override;
  QIVBaseUnknown_var CreateSealantApplicationActivityAfter(const QIVISPPFlowMgt_var& previous) override;
  QIVBaseUnknown_var CreateGroupingActivity(const QIVISPPChildManagement_var& parent) override;

  // For the model.
  const QIVSPPActivityType& Type() const { return *_type; }
  const std::vector<QIVSPPActivity*>& Children() const { return _children; }
  QIVSPPActivity* FatherActivity() const;
  bool IsProcessRoot() const;
  // Whether this activity is `other` or lies below it.
  bool IsWithin(const QIVSPPActivity* other) const;
  // Places a child (taken from its previous father) at the end, or right
  // after `after`.
  void AttachChild(QIVSPPActivity* child, QIVSPPActivity* after = nullptr);
  void DropItemLink(QIVSPPItemLink* link);
  // Tells the session's views that this activity and `item` changed: an
  // item given or taken raises no notification of its own.
  void TellItemEdited(QIVModelObject* item);
  template <class F>
  void ForEachItem(F&& visit) const {
    _itemOrder.ForEach([&](QIVSPPItemLink* link) { visit(link); });
  }

  void CollectOwned(std::vector<QIVModelObject*>& owned) const override;
  void ReleaseLinks() override;
  void ForgetReference(QIVModelObject* target) override;
  void ClearLinks() override;

 protected:
  bool Offers(std::string_view interfaceName) const override;
  std::vector<std::string> LateTypes() const override;
  bool RemoveOwnedComponent(QIVModelObject* component) override;
  void ChildLeaving(QIVModelObject* child) override;

 private:
  HRESULT ReadAttribute(const char* name, double& value) const;
  HRESULT WriteAttribute(const char* name, double value);
  HRESULT CreateProductIO(QIVSPPProductIODirection direction, QIVBaseUnknown_var& productIO);
  QIVBaseUnknown_var CreateUnder(const char* type, const QIVISPPChildManagement_var& parent);
  QIVBaseUnknown_var CreateAfter(const char* type, const QIVISPPFlowMgt_var& previous);
  QIVSPPActivity* Sibling(const QIVBaseUnknown_var& handle) const;

  const QIVSPPActivityType* _type;
  QIVUnicodeString _name;
  double _cycleTime = 0.0;
  std::vector<std::pair<const char*, double>> _attributes;
  std::vector<QIVSPPActivity*> _children;
  std::vector<QIVSPPActivity*> _next;
  std::vector<QIVSPPActivity*> _previous;
  QIVIndexedList<QIVSPPItemLink*> _itemOrder;
  std::unordered_map<QIVModelObject*, QIVVar<QIVSPPItemLink>> _itemLinks;
  std::vector<QIVVar<QIVSPPProductIO>> _productIOs;
  QIVModelObject* _standsFor = nullptr;
  bool _automaticUpdate = false;
  std::vector<std::pair<int, Listener>> _listeners;
  int _nextListenerKey = 1;
};
