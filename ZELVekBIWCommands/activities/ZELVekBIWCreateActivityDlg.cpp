#include "ZELVekBIWCreateActivityDlg.h"

#include "QIVActivityAnnouncement.h"
#include "QIVApplicationFrame.h"
#include "QIVMsgCatalog.h"
#include "QIVPathElement.h"
#include "ZELBIWActivityServices.h"
#include "ZELIBIWActivityCurveFastening.h"
#include "ZELIBIWActivityGrouping.h"
#include "ZELIBIWActivityStation.h"
#include "ZELIBIWActivityWelding.h"
#include "frame/ZELActivityAttribute.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {

constexpr const char* kCatalog = "ZELVekBIWCreateActivityDlg";
constexpr unsigned long kDialogStyle = ZELVekBIWStyle::ActivityDialog;
constexpr unsigned long kMainFrameStyle = ZELVekBIWStyle::Frame;
constexpr int kAttach = 1;

using TypeAccessor = QIVUnicodeString (*)();

struct MainFrameName {
  TypeAccessor type;
  const char* frameName;
};

// The first type that matches names the main frame.
const MainFrameName kMainFrames[] = {
    {&ZELBIWActivityServices::GetGroupingType, "FrameGroupActivityDlg"},
    {&ZELBIWActivityServices::GetStationType, "FrameStationActivityDlg"},
    {&ZELBIWActivityServices::GetLoadingType, "FrameLoadingActivityDlg"},
    {&ZELBIWActivityServices::GetUnloadingType, "FrameUnloadingActivityDlg"},
    {&ZELBIWActivityServices::GetClampingType, "FrameClampingActivityDlg"},
    {&ZELBIWActivityServices::GetUnclampingType, "FrameUnclampingActivityDlg"},
    {&ZELBIWActivityServices::GetAutoCycleTimeWeldingType, "FrameSpotWeldingActivityDlg"},
    {&ZELBIWActivityServices::GetStudWeldingType, "FrameStudWeldingActivityDlg"},
    {&ZELBIWActivityServices::GetSpotGluingType, "FrameSpotGluingActivityDlg"},
    {&ZELBIWActivityServices::GetClinchingType, "FrameClinchingActivityDlg"},
    {&ZELBIWActivityServices::GetArcWeldingType, "FrameArcWeldingActivityDlg"},
    {&ZELBIWActivityServices::GetAdhesiveApplicationType, "FrameAdhesiveApplicationActivityDlg"},
    {&ZELBIWActivityServices::GetSealantApplicationType, "FrameSealantApplicationActivityDlg"},
};

using RowDefinition = ZELActivityAttributeRow;

struct LayoutDefinition {
  const char* frameName;
  TypeAccessor type;
  const QIVIID& (*kindInterface)();
  // The fastening layouts also line their units labels up.
  bool alignsUnits;
  int rowCount;
  RowDefinition rows[ZELVekBIWCreateActivityDlg::MaxAttributeRows];
};

using G = ZELIBIWActivityGrouping;
using S = ZELIBIWActivityStation;
using W = ZELIBIWActivityWelding;
using C = ZELIBIWActivityCurveFastening;

// Indexed by ZELVekBIWCreateActivityDlg::Layout, in the order the types are tested.
const LayoutDefinition kLayouts[ZELVekBIWCreateActivityDlg::LayoutCount] = {
    {"GroupingAttributes",
     &ZELBIWActivityServices::GetGroupingType,
     &G::ClassId,
     false,
     4,
     {{"NoOfGroupingSpecifiedPointFasteners", "NoOfGroupingSpecifiedPointFastenersEditorName",
       "NoOfGroupingPointFastenerUnits", &ZELReadActivityAttribute<G, &G::GetNumberOfSpecifiedPointFasteners>,
       &ZELWriteActivityAttribute<G, &G::SetNumberOfSpecifiedPointFasteners>},
      {"LengthSpecifiedGroupingCurveFasteners", "LengthSpecifiedGroupingCurveFastenersEditorName",
       "LengthOfGroupingCurveFastenerUnits", &ZELReadActivityAttribute<G, &G::GetLengthOfSpecifiedCurveFasteners>,
       &ZELWriteActivityAttribute<G, &G::SetLengthOfSpecifiedCurveFasteners>},
      {"GoalInvestmentCost", "GoalInvestmentCostEditorName", "GoalInvestmentCostUnits",
       &ZELReadActivityAttribute<G, &G::GetGoalInvestmentCost>, &ZELWriteActivityAttribute<G, &G::SetGoalInvestmentCost>},
      {"ProductExitRate", "ProductExitRateEditorName", "ProdExitRateUnits",
       &ZELReadActivityAttribute<G, &G::GetProductExitRate>, &ZELWriteActivityAttribute<G, &G::SetProductExitRate>}}},
    {"StationAttributes",
     &ZELBIWActivityServices::GetStationType,
     &S::ClassId,
     false,
     4,
     {{"NoOfStationSpecifiedFastenersName", "NoOfStationPointFastenerEdtiorName",
       "NoOfStationPointFastenerUnits", &ZELReadActivityAttribute<S, &S::GetNumberOfSpecifiedPointFasteners>,
       &ZELWriteActivityAttribute<S, &S::SetNumberOfSpecifiedPointFasteners>},
      {"LengthOfStationCurveFastenersName", "LengthOfStationCurveFastenerEditorName",
       "LengthOfStationCurveFastenerUnits", &ZELReadActivityAttribute<S, &S::GetLengthOfSpecifiedCurveFasteners>,
       &ZELWriteActivityAttribute<S, &S::SetLengthOfSpecifiedCurveFasteners>},
      {"EstimatedInvestmentCost", "EstimatedInvestmentCostEditorName", "EstimatedInvestmentCostUnits",
       &ZELReadActivityAttribute<S, &S::GetEstimatedInvestmentCost>, &ZELWriteActivityAttribute<S, &S::SetEstimatedInvestmentCost>},
      {"StationProductExitRate", "StationProductExitRateEditorName", "StationProdExitRateUnits",
       &ZELReadActivityAttribute<S, &S::GetProductExitRate>, &ZELWriteActivityAttribute<S, &S::SetProductExitRate>}}},
    {"PointFasteningAttributes",
     &ZELBIWActivityServices::GetWeldingType,
     &W::ClassId,
     true,
     2,
     {{"PointFasteningRate", "_PointFasteningRateEditorName", "PointFastenerUnits",
       &ZELReadActivityAttribute<W, &W::GetPointFasteningRate>, &ZELWriteActivityAttribute<W, &W::SetPointFasteningRate>, true},
      {"SpecifiedPointFasteners", "_SpecifiedPointFastenersEditorName", "SpecifiedPointFastenersUnits",
       &ZELReadActivityAttribute<W, &W::GetNumberOfSpecifiedPointFasteners>,
       &ZELWriteActivityAttribute<W, &W::SetNumberOfSpecifiedPointFasteners>}}},
    {"CurveFasteningAttributes",
     &ZELBIWActivityServices::GetCurveFasteningType,
     &C::ClassId,
     true,
     2,
     {{"FastenerProductionRate", "_FastenerProdRateEditorName", "CurveFastenerUnits",
       &ZELReadActivityAttribute<C, &C::GetFastenerProductionRate>, &ZELWriteActivityAttribute<C, &C::SetFastenerProductionRate>},
      {"SpecifiedCurveFasteners", "_SpecifiedCurveFastenersEditorName", "SpecifiedCurveFastenersUnits",
       &ZELReadActivityAttribute<C, &C::GetLengthOfSpecifiedCurveFasteners>,
       &ZELWriteActivityAttribute<C, &C::SetLengthOfSpecifiedCurveFasteners>}}},
};

QIVDlgWindow* MainWindow() {
  QIVApplicationFrame* frame = QIVApplicationFrame::GetFrame();
  return frame ? frame->GetMainWindow() : nullptr;
}

}  // namespace

std::vector<const char*> ZELVekBIWCreateActivityDlg::GetAttributeEditorNames(Layout layout) {
  std::vector<const char*> names;
  if (layout < 0 || layout >= LayoutCount) return names;
  for (int row = 0; row < kLayouts[layout].rowCount; ++row)
    names.push_back(kLayouts[layout].rows[row].editor);
  return names;
}

ZELVekBIWCreateActivityDlg::ZELVekBIWCreateActivityDlg()
    : QIVDlgDialog(MainWindow(), "ZELVekBIWCreateActivityDlg", kDialogStyle) {}

ZELVekBIWCreateActivityDlg::~ZELVekBIWCreateActivityDlg() {
  // The widgets belong to the dialog tree and go with it.
  _mainFrame = nullptr;
  _nameLabel = nullptr;
  _nameEditor = nullptr;
  _attributeFrame = nullptr;
  _attributesButton = nullptr;
  _attributeRows = {};
  _activity = nullptr;
}

void ZELVekBIWCreateActivityDlg::GetCmdActivity(const QIVISPPAbstractActivity_var& activity) {
  if (activity) _activity = activity;
}

bool ZELVekBIWCreateActivityDlg::IsOfType(const QIVUnicodeString& type) const {
  return _activity && _activity->IsSubTypeOf(type);
}

void ZELVekBIWCreateActivityDlg::Build() {
  for (const MainFrameName& entry : kMainFrames) {
    if (!IsOfType(entry.type())) continue;
    _mainFrame = new QIVDlgFrame(this, entry.frameName, kMainFrameStyle);
    break;
  }
  if (!_mainFrame) return;

  _nameLabel = new QIVDlgLabel(_mainFrame, "LabelActivityName", 0);
  _nameEditor = new QIVDlgEditor(_mainFrame, "EditorActivityName", 0);
  _mainFrame->SetHorizontalAttachment(0, kAttach, _nameLabel);
  _mainFrame->SetHorizontalAttachment(0, kAttach, _nameEditor);
  _mainFrame->SetVerticalAttachment(2, kAttach, _nameEditor);

  // Loading, unloading, clamping and unclamping have no attributes to type.
  if (IsOfType(ZELBIWActivityServices::GetWeldingType()) ||
      IsOfType(ZELBIWActivityServices::GetCurveFasteningType()) ||
      IsOfType(ZELBIWActivityServices::GetGroupingType()) ||
      IsOfType(ZELBIWActivityServices::GetStationType())) {
    _attributesButton = new QIVDlgPushButton(_mainFrame, "AttributesButton", 0);
    TitleAttributesButton("MoreId", "More", ">>");
    _mainFrame->SetHorizontalAttachment(1, kAttach, _attributesButton);
    _hasAttributesButton = true;
  }

  AddAnalyseNotificationCB(this, GetWindCloseNotification(),
                           &ZELVekBIWCreateActivityDlg::OnZELVekBIWCreateActivityDlgWindCloseNotification);
  AddAnalyseNotificationCB(this, GetDiaCANCELNotification(),
                           &ZELVekBIWCreateActivityDlg::OnZELVekBIWCreateActivityDlgDiaCANCELNotification);
  AddAnalyseNotificationCB(this, GetDiaOKNotification(),
                           &ZELVekBIWCreateActivityDlg::OnZELVekBIWCreateActivityDlgDiaOKNotification);
  if (_hasAttributesButton)
    AddAnalyseNotificationCB(
        _attributesButton, GetPushBActivateNotification(),
        &ZELVekBIWCreateActivityDlg::OnZELVekBIWCreateActivityDlgOnAttributesPushBtnNotification);
}

void ZELVekBIWCreateActivityDlg::TitleAttributesButton(const char* key, const char* defaultText,
                                                       const char* arrows) {
  _attributesButton->SetTitle(QIVMsgCatalog::BuildMessage(kCatalog, key, nullptr, 0, defaultText) + arrows);
}

QIVUnicodeString ZELVekBIWCreateActivityDlg::GetActivityName() const {
  return _nameEditor ? _nameEditor->GetText() : QIVUnicodeString();
}

void ZELVekBIWCreateActivityDlg::SetActivityName(const QIVUnicodeString& name) {
  if (_nameEditor) _nameEditor->SetText(name);
}

void ZELVekBIWCreateActivityDlg::ForwardToCommand(const QIVNotification& notification) {
  if (!notification.kind.empty()) SendNotification(GetFather(), notification);
}

void ZELVekBIWCreateActivityDlg::OnZELVekBIWCreateActivityDlgWindCloseNotification(
    QIVCommand*, const QIVNotification& notification, void*) {
  ForwardToCommand(notification);
}

void ZELVekBIWCreateActivityDlg::OnZELVekBIWCreateActivityDlgDiaCANCELNotification(
    QIVCommand*, const QIVNotification& notification, void*) {
  ForwardToCommand(notification);
}

void ZELVekBIWCreateActivityDlg::OnZELVekBIWCreateActivityDlgDiaOKNotification(
    QIVCommand*, const QIVNotification& notification, void*) {
  ForwardToCommand(notification);
}

void ZELVekBIWCreateActivityDlg::OnZELVekBIWCreateActivityDlgOnAttributesPushBtnNotification(
    QIVCommand*, const QIVNotification&, void*) {
  if (_collapsed) {
    InsertFrame();
    if (!_attributeFrame) return;
    _attributeFrame->SetVisibility(QIVDlgShow);
    SetHorizontalAttachment(3, kAttach, _attributeFrame);
    _collapsed = false;
    TitleAttributesButton("LessId", "Less", "<<");
  } else {
    if (_attributeFrame) {
      _attributeFrame->SetVisibility(QIVDlgHide);
      ResetAttachment(_attributeFrame);
    }
    _collapsed = true;
    TitleAttributesButton("MoreId", "More", ">>");
  }
}

void ZELVekBIWCreateActivityDlg::InsertFrame() {
  for (int layout = 0; layout < LayoutCount; ++layout) {
    const LayoutDefinition& definition = kLayouts[layout];
    if (!IsOfType(definition.type())) continue;
    _attributeFrame = new QIVDlgFrame(this, definition.frameName, 0);
    for (int row = 0; row < definition.rowCount; ++row) {
      const RowDefinition& rowDefinition = definition.rows[row];
      AttributeRow& widgets = _attributeRows[layout][row];
      widgets.label = new QIVDlgLabel(_attributeFrame, rowDefinition.label, 0);
      widgets.editor = new QIVDlgEditor(_attributeFrame, rowDefinition.editor, QIVDlgEditor::NumericStyle);
      widgets.units = new QIVDlgLabel(_attributeFrame, rowDefinition.units, 0);
      _attributeFrame->SetHorizontalAttachment(row, kAttach, widgets.label);
      _attributeFrame->SetHorizontalAttachment(row, kAttach, widgets.editor);
      _attributeFrame->SetHorizontalAttachment(row, kAttach, widgets.units);
      _attributeFrame->SetVerticalAttachment(3, kAttach, widgets.editor);
      if (definition.alignsUnits) _attributeFrame->SetVerticalAttachment(5, kAttach, widgets.units);
    }
    break;
  }
  if (!_attributeFrame) return;
  GetActivityAttributes();
  _attributeFrame->SetVisibility(QIVDlgHide);
}

void ZELVekBIWCreateActivityDlg::GetActivityAttributes() {
  if (!_activity) return;
  for (int layout = 0; layout < LayoutCount; ++layout) {
    const LayoutDefinition& definition = kLayouts[layout];
    if (!IsOfType(definition.type()) || !QIVOffersInterface(_activity.get(), definition.kindInterface()))
      continue;
    for (int row = 0; row < definition.rowCount; ++row) {
      QIVDlgEditor* editor = _attributeRows[layout][row].editor;
      double value = 0.0;
      if (!editor || FAILED(definition.rows[row].read(_activity.get(), value))) continue;
      editor->SetValue(definition.rows[row].reciprocal ? ZELReciprocalRate(value) : value, 1);
    }
  }
}

void ZELVekBIWCreateActivityDlg::SetActivityAttributes() {
  if (!_activity) return;
  for (int layout = 0; layout < LayoutCount; ++layout) {
    const LayoutDefinition& definition = kLayouts[layout];
    if (!IsOfType(definition.type()) || !QIVOffersInterface(_activity.get(), definition.kindInterface()))
      continue;
    for (int row = 0; row < definition.rowCount; ++row) {
      const QIVDlgEditor* editor = _attributeRows[layout][row].editor;
      if (!editor) continue;
      const double value = editor->GetValue();
      definition.rows[row].write(_activity.get(),
                                 definition.rows[row].reciprocal ? ZELReciprocalRate(value) : value);
    }
  }
  if (QIVBaseUnknown_var object(_activity); object) DispatchModifyEvent(object.get());
}

void ZELVekBIWCreateActivityDlg::DispatchModifyEvent(QIVBaseUnknown* object) {
  QIVAnnounceActivityModification(object);
}
