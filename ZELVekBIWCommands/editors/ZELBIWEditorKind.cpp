#include "ZELBIWEditorKind.h"

#include "QIVISPPActivity.h"
#include "ZELIBIWActivityClamping.h"
#include "ZELIBIWActivityCurveFastening.h"
#include "ZELIBIWActivityGrouping.h"
#include "ZELIBIWActivityLoading.h"
#include "ZELIBIWActivityStation.h"
#include "ZELIBIWActivityUnclamping.h"
#include "ZELIBIWActivityUnloading.h"
#include "ZELIBIWActivityWelding.h"

namespace {

using S = ZELIBIWActivityStation;
using G = ZELIBIWActivityGrouping;
using W = ZELIBIWActivityWelding;
using C = ZELIBIWActivityCurveFastening;
using A = QIVISPPActivity;

template <class I>
HRESULT UpdateThrough(QIVBaseUnknown* activity) {
  QIVVar<I> kind(activity);
  return kind ? kind->Update() : E_FAIL;
}

}  // namespace

const std::vector<ZELBIWEditorKind>& ZELBIWEditorKind::All() {
  static const std::vector<ZELBIWEditorKind> kinds = {
      {ZELBIWEditorKindId::Station,
       "ZELBIWStationEditor",
       "ZELBIWStationBaseProperties",
       "ZELBIWStationEditorFactory",
       "ZELBIWStationEditPropertyDlg",
       "{7271F370-748A-11D6-B6A1-000629B03A28}",
       {"BIWActivityStation"},
       {{&ZELBIWAnswers<S>, "BIWActivityStation"}},
       &ZELBIWAnswers<S>,
       "StationPageFrame",
       "StationAttributes",
       {{"NoOfSpecifiedFasteners", "PrefixEditorName", "NoOfSpecifiedPointFastenersUnits",
         &ZELReadActivityAttribute<S, &S::GetNumberOfSpecifiedPointFasteners>,
         &ZELWriteActivityAttribute<S, &S::SetNumberOfSpecifiedPointFasteners>},
        {"LengthOfSpecifiedCurveFasteners", "PrefixEditorName", "LengthOfSpecifiedCurveFastenersUnits",
         &ZELReadActivityAttribute<S, &S::GetLengthOfSpecifiedCurveFasteners>,
         &ZELWriteActivityAttribute<S, &S::SetLengthOfSpecifiedCurveFasteners>},
        {"EstimatedInvestmentCost", "PrefixEditorName", "EstimatedInvestmentCostUnits",
         &ZELReadActivityAttribute<S, &S::GetEstimatedInvestmentCost>,
         &ZELWriteActivityAttribute<S, &S::SetEstimatedInvestmentCost>},
        {"ProductExitRate", "ProductExitRateEditorName", "ProdExitRateUnits",
         &ZELReadActivityAttribute<S, &S::GetProductExitRate>,
         &ZELWriteActivityAttribute<S, &S::SetProductExitRate>}},
       "StationEditorTitle",
       {},
       nullptr},
      {ZELBIWEditorKindId::Grouping,
       "ZELBIWGroupingEditor",
       "ZELBIWGroupingBaseProperties",
       "ZELBIWGroupingEditorFactory",
       "ZELBIWGroupingEditPropertyDlg",
       "{800C6CA2-73ED-11D6-89A4-00B0D035801B}",
       {"BIWActivityGrouping"},
       {{&ZELBIWAnswers<G>, "BIWActivityGrouping"}},
       &ZELBIWAnswers<G>,
       "GroupingPageFrame",
       "GroupingAttributes",
       {{"NoOfSpecifiedFasteners", "NoOfSpecifiedFastenersEditorName", "NoOfSpecifiedFastenersUnits",
         &ZELReadActivityAttribute<G, &G::GetNumberOfSpecifiedPointFasteners>,
         &ZELWriteActivityAttribute<G, &G::SetNumberOfSpecifiedPointFasteners>},
        {"LengthSpecifiedCurveFasteners", "LengthSpecifiedCurveFastenersEditorName", "LengthCurveFastenerUnits",
         &ZELReadActivityAttribute<G, &G::GetLengthOfSpecifiedCurveFasteners>,
         &ZELWriteActivityAttribute<G, &G::SetLengthOfSpecifiedCurveFasteners>},
        {"GoalInvestmentCost", "GoalInvestmentCostEditorName", "GoalInvestmentCostUnits",
         &ZELReadActivityAttribute<G, &G::GetGoalInvestmentCost>,
         &ZELWriteActivityAttribute<G, &G::SetGoalInvestmentCost>},
        {"ProductExitRate", "ProductExitRateEditorName", "ProdExitRateUnits",
         &ZELReadActivityAttribute<G, &G::GetProductExitRate>,
         &ZELWriteActivityAttribute<G, &G::SetProductExitRate>}},
       "GroupingEditorTitle",
       {},
       nullptr},
      {ZELBIWEditorKindId::Welding,
       "ZELBIWWeldingEditor",
       "ZELBIWWeldingBaseProperties",
       "ZELBIWWeldingEditorFactory",
       "ZELBIWWeldingEditPropertyDlg",
       "{739D7430-748A-11D6-B6A1-000629B03A28}",
       {"BIWActivityWelding"},
       {{&ZELBIWAnswers<W>, "BIWActivityWelding"}},
       &ZELBIWAnswers<W>,
       "WeldingPageFrame",
       "WeldingAttributes",
       {{"PointFasteningRate", "_PointFasteningRateEditorName", "PointFasteningRateUnits",
         &ZELReadActivityAttribute<W, &W::GetPointFasteningRate>,
         &ZELWriteActivityAttribute<W, &W::SetPointFasteningRate>, true},
        {"SpecifiedPointFasteners", "_SpecifiedPointFastenersEditorName", "SpecifiedPointFastenersUnits",
         &ZELReadActivityAttribute<W, &W::GetNumberOfSpecifiedPointFasteners>,
         &ZELWriteActivityAttribute<W, &W::SetNumberOfSpecifiedPointFasteners>}},
       "WeldingEditorTitle",
       {},
       &UpdateThrough<W>},
      {ZELBIWEditorKindId::CurveFastening,
       "ZELBIWCurveFasteningEditor",
       "ZELBIWCurveFasteningBaseProperties",
       "ZELBIWCurveFasteningEditorFactory",
       "ZELBIWCurveFasteningEditPropertyDlg",
       "{20369282-7783-11D6-89A4-00B0D035801B}",
       {"BIWActivityCurveFastening"},
       {{&ZELBIWAnswers<C>, "BIWActivityCurveFastening"}},
       &ZELBIWAnswers<C>,
       "CurveFasteningPageFrame",
       "CurveFasteningAttributes",
       {{"FastenerProductionRate", "_FastenerProdRateEditorName", "FastenerProductionRateUnits",
         &ZELReadActivityAttribute<C, &C::GetFastenerProductionRate>,
         &ZELWriteActivityAttribute<C, &C::SetFastenerProductionRate>},
        {"SpecifiedCurveFasteners", "_SpecifiedCurveFastenersEditorName", "SpecifiedCurveFastenersUnits",
         &ZELReadActivityAttribute<C, &C::GetLengthOfSpecifiedCurveFasteners>,
         &ZELWriteActivityAttribute<C, &C::SetLengthOfSpecifiedCurveFasteners>}},
       "CurveFasteningEditorTitle",
       {},
       &UpdateThrough<C>},
      {ZELBIWEditorKindId::NonValueAdded,
       "ZELBIWNonValueAddedEditor",
       "ZELBIWNonValueAddedBaseProperties",
       "ZELBIWNonValueAddedEditorFactory",
       "ZELBIWNonValueAddedEditPropertyDlg",
       "{A3D10DF8-4CE2-0000-020A-6E0A25000000}",
       {"BIWActivityLoading", "BIWActivityUnloading", "BIWActivityClamping", "BIWActivityUnclamping"},
       {{&ZELBIWAnswers<ZELIBIWActivityLoading>, "BIWActivityLoading"},
        {&ZELBIWAnswers<ZELIBIWActivityUnloading>, "BIWActivityUnloading"},
        {&ZELBIWAnswers<ZELIBIWActivityClamping>, "BIWActivityClamping"},
        {&ZELBIWAnswers<ZELIBIWActivityUnclamping>, "BIWActivityUnclamping"}},
       &ZELBIWAnswers<A>,
       "NonValueAddedPageFrame",
       "NonValueAddedAttributes",
       {{"CalculatedCycleTime", "_CalculatedCycleTimeEditorName", "CalculatedCycleTimeUnits",
         &ZELReadActivityAttribute<A, &A::GetCycleTime>, &ZELWriteActivityAttribute<A, &A::SetCycleTime>}},
       "NonValueAddedEditorTitle",
       {{"BIWActivityLoading", "NonValueAddedEditorTitleLoading"},
        {"BIWActivityUnloading", "NonValueAddedEditorTitleUnloading"},
        {"BIWActivityClamping", "NonValueAddedEditorTitleClamping"},
        {"BIWActivityUnclamping", "NonValueAddedEditorTitleUnclamping"}},
       nullptr},
  };
  return kinds;
}

const ZELBIWEditorKind& ZELBIWEditorKind::Of(ZELBIWEditorKindId id) { return All()[static_cast<int>(id)]; }

const ZELBIWEditorKind* ZELBIWEditorKind::Find(std::string_view pageName) {
  for (const ZELBIWEditorKind& kind : All())
    if (pageName == kind.editorClass) return &kind;
  return nullptr;
}

const char* ZELBIWEditorKind::TitleKey(std::string_view typeName) const {
  for (const auto& [type, key] : titleKeys)
    if (typeName == type) return key;
  return titleKey;
}

std::string ZELBIWEditorKind::EditorReference(int row) const {
  const std::string_view name = rows.at(row).editor;
  int before = 0, namesakes = 0;
  for (int other = 0; other < static_cast<int>(rows.size()); ++other) {
    if (name != rows[other].editor) continue;
    ++namesakes;
    if (other < row) ++before;
  }
  std::string reference = std::string(attributesFrame) + "/" + std::string(name);
  if (namesakes > 1) reference += "[" + std::to_string(before) + "]";
  return reference;
}

int ZELBIWEditorKind::FindRow(std::string_view label) const {
  for (int row = 0; row < static_cast<int>(rows.size()); ++row)
    if (label == rows[row].label) return row;
  return -1;
}

const std::vector<const char*>& ZELBIWHostPageNames() {
  static const std::vector<const char*> names = {"QIVSPPBasicEditor", "QIVSPPPrecedenceEditor",
                                                 "QIVSPPItemSpecEditor", "QIVSPPSpecificEditor",
                                                 "QIVSPPRessSpecEditor"};
  return names;
}
