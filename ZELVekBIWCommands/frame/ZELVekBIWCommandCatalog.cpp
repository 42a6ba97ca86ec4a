#include "ZELVekBIWCommandCatalog.h"

#include <array>
#include <new>
#include <utility>

#include "QIVApplicationFrame.h"
#include "ZELVekBIWCommandNumbers.h"
#include "ZELVekBIWResetFastenerColorCmd.h"
#include "activities/ZELVekBIWCreateActivityCommands.h"
#include "activities/ZELVekBIWInsertStandardStationCmd.h"
#include "assignment/ZELVekBIWAssignWeldCmd.h"
#include "assignment/ZELVekBIWAutoAssignWeldCmd.h"
#include "assignment/ZELVekBIWMultiSelectCmd.h"
#include "assignment/ZELVekBIWReallocateWeldCmd.h"
#include "assignment/ZELVekBIWSelectActivityMultiCmd.h"
#include "assignment/ZELVekPreviewWindowManagerCmd.h"
#include "fasteners/ZELBIWFastenerLocationCmd.h"
#include "fasteners/ZELManageFastenerIDCmd.h"
#include "fasteners/ZELRemoveFastenerIDCmd.h"
#include "fasteners/ZELVekBIWEditManufacturingLocationCmd.h"
#include "fasteners/ZELVekBIWEditManufacturingLocationDlg.h"
#include "fasteners/ZELVekBIWFastenersGroupCmd.h"
#include "fasteners/ZELVekBIWImportFastenersCmd.h"
#include "fasteners/ZELVekBIWShowWeldIDCmd.h"
#include "fasteners/ZELVekBIWWeldAccountabilityCmd.h"
#include "fasteners/ZELVekFasteningSyncCmd.h"
#include "flow/ZELBIWUpdateManufAssemblyCmd.h"
#include "import/ZELVekBIWReadWeldFromFileCmd.h"
#include "locators/ZELLocatorAccountabilityCommand.h"
#include "locators/ZELVekBIWAssignDatumAndTargetCmd.h"
#include "xml/ZELVekBIWSaveLocationsInXMLCmd.h"
#include "xml/ZELVekEditBIWFeatureAppearanceCmd.h"

namespace {

using Row = ZELVekBIWCommandRow;
using Argument = ZELVekBIWArgument;
namespace Behavior = ZELVekBIWBehavior;
namespace Mode = ZELVekBIWMode;

template <class T>
QIVBaseUnknown* Make(const Row&, void*) {
  return new (std::nothrow) T();
}

QIVBaseUnknown* FastenerLocation(const Row&, void* mode) {
  return new (std::nothrow) ZELBIWFastenerLocationCmd(static_cast<const char*>(mode));
}

QIVBaseUnknown* AutoAssign(const Row&, void* activity) {
  return new (std::nothrow) ZELVekBIWAutoAssignWeldCmd(QIVBaseUnknown_var(static_cast<QIVBaseUnknown*>(activity)));
}

// The dialog is built on the application's main window.
QIVBaseUnknown* LocationDialog(const Row&, void*) {
  QIVApplicationFrame* frame = QIVApplicationFrame::GetFrame();
  return new (std::nothrow) ZELVekBIWEditManufacturingLocationDlg(frame ? frame->GetMainWindow() : nullptr);
}

constexpr Row kRows[] = {
    {"ZELBIWFastenerLocationCmd", Argument::Text, &FastenerLocation, "ZELBIWFastenerLocationCmd", Behavior::Replace,
     Mode::Exclusive},
    {"ZELBIWUpdateManufAssemblyCmd", Argument::None, &Make<ZELBIWUpdateManufAssemblyCmd>,
     "ZELBIWUpdateManufAssemblyCmd", 0, Mode::Exclusive},
    {"ZELVekBIWAssignDatumAndTargetCmd", Argument::None, &Make<ZELVekBIWAssignDatumAndTargetCmd>,
     "ZELVekBIWAssignDatumAndTargetCmd", 0, Mode::Exclusive},
    {"ZELVekBIWAssignWeldCmd", Argument::None, &Make<ZELVekBIWAssignWeldCmd>, "AssignWeldCmd", Behavior::Single,
     Mode::Exclusive},
    {"ZELVekBIWAutoAssignWeldCmd", Argument::Object, &AutoAssign, "ZELVekBIWAutoAssignWeldCmd", Behavior::Replace,
     Mode::Exclusive},
    {"ZELVekBIWCreateACTWeldingActivityCmd", Argument::None, &Make<ZELVekBIWCreateACTWeldingActivityCmd>,
     "ZELVekBIWCreateACTWeldingActivityCmd", Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateAdhesiveApplicationActivityCmd", Argument::None,
     &Make<ZELVekBIWCreateAdhesiveApplicationActivityCmd>, "ZELVekBIWCreateAdhesiveApplicationActivityCmd",
     Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateArcWeldingActivityCmd", Argument::None, &Make<ZELVekBIWCreateArcWeldingActivityCmd>,
     "ZELVekBIWCreateArcWeldingActivityCmd", Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateClampingActivityCmd", Argument::None, &Make<ZELVekBIWCreateClampingActivityCmd>,
     "ZELVekBIWCreateClampingActivityCmd", Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateClinchingActivityCmd", Argument::None, &Make<ZELVekBIWCreateClinchingActivityCmd>,
     "ZELVekBIWCreateClinchingActivityCmd", Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateGroupingActivityCmd", Argument::None, &Make<ZELVekBIWCreateGroupingActivityCmd>,
     "ZELVekBIWCreateGroupingActivityCmd", Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateLoadingActivityCmd", Argument::None, &Make<ZELVekBIWCreateLoadingActivityCmd>,
     "ZELVekBIWCreateLoadingActivityCmd", Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateSealantApplicationActivityCmd", Argument::None,
     &Make<ZELVekBIWCreateSealantApplicationActivityCmd>, "ZELVekBIWCreateSealantApplicationActivityCmd",
     Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateSpotGluingActivityCmd", Argument::None, &Make<ZELVekBIWCreateSpotGluingActivityCmd>,
     "ZELVekBIWCreateSpotGluingActivityCmd", Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateStationActivityCmd", Argument::None, &Make<ZELVekBIWCreateStationActivityCmd>,
     "ZELVekBIWCreateStationActivityCmd", Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateStudWeldingActivityCmd", Argument::None, &Make<ZELVekBIWCreateStudWeldingActivityCmd>,
     "ZELVekBIWCreateStudWeldingActivityCmd", Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateUnclampingActivityCmd", Argument::None, &Make<ZELVekBIWCreateUnclampingActivityCmd>,
     "ZELVekBIWCreateUnclampingActivityCmd", Behavior::Replace, Mode::Shared},
    {"ZELVekBIWCreateUnloadingActivityCmd", Argument::None, &Make<ZELVekBIWCreateUnloadingActivityCmd>,
     "ZELVekBIWCreateUnloadingActivityCmd", Behavior::Replace, Mode::Shared},
    {"ZELVekBIWEditManufacturingLocationCmd", Argument::Object, &Make<ZELVekBIWEditManufacturingLocationCmd>,
     "ZELVekBIWEditManufacturingLocationCmd", Behavior::Single, Mode::Exclusive},
    {"ZELVekBIWEditManufacturingLocationDlg", Argument::None, &LocationDialog, nullptr, 0, Mode::Exclusive},
    {"ZELVekBIWFastenersGroupCmd", Argument::None, &Make<ZELVekBIWFastenersGroupCmd>, "ZELVekBIWFastenersGroupCmd",
     Behavior::Replace, Mode::Exclusive},
    {"ZELVekBIWImportFastenersCmd", Argument::None, &Make<ZELVekBIWImportFastenersCmd>,
     "ZELVekBIWImportFastenersCmd", Behavior::Replace, Mode::Exclusive},
    {"ZELVekBIWInsertStandardStationCmd", Argument::None, &Make<ZELVekBIWInsertStandardStationCmd>,
     "ZELVekBIWInsertStandardStationCmd", Behavior::Replace, Mode::Exclusive},
    {"ZELVekBIWMultiSelectCmd", Argument::None, &Make<ZELVekBIWMultiSelectCmd>, "ZELVekBIWMultiSelectCmd",
     Behavior::Replace, Mode::Exclusive},
    {"ZELVekBIWReadWeldFromFileCmd", Argument::None, &Make<ZELVekBIWReadWeldFromFileCmd>, "ReadWeldFromFileCmd",
     Behavior::Single, Mode::Exclusive},
    {"ZELVekBIWReallocateWeldCmd", Argument::None, &Make<ZELVekBIWReallocateWeldCmd>, "ReallocateWeldCmd",
     Behavior::Single, Mode::Exclusive},
    {"ZELVekBIWResetFastenerColorCmd", Argument::None, &Make<ZELVekBIWResetFastenerColorCmd>,
     "ZELVekBIWResetFastenerColorCmd", Behavior::Replace, Mode::Exclusive},
    {"ZELVekBIWSaveLocationsInXMLCmd", Argument::None, &Make<ZELVekBIWSaveLocationsInXMLCmd>,
     "ZELVekBIWSaveLocationsInXMLCmd", Behavior::Replace, Mode::Exclusive},
    {"ZELVekBIWSelectActivityMultiCmd", Argument::None, &Make<ZELVekBIWSelectActivityMultiCmd>,
     "ZELVekBIWSelectActivityMultiCmd", 0, Mode::Shared},
    {"ZELVekBIWShowWeldIDCmd", Argument::None, &Make<ZELVekBIWShowWeldIDCmd>, "ShowWeldIDCmd",
     Behavior::Single, Mode::Shared},
    {"ZELVekBIWWeldAccountabilityCmd", Argument::None, &Make<ZELVekBIWWeldAccountabilityCmd>,
     "WeldAccountabilityCmd", Behavior::Single, Mode::Exclusive},
    {"ZELVekFasteningSyncCmd", Argument::None, &Make<ZELVekFasteningSyncCmd>, "ZELVekFasteningSyncCmd", 0,
     Mode::Exclusive},
    {"ZELVekPreviewWindowManagerCmd", Argument::None, &Make<ZELVekPreviewWindowManagerCmd>,
     "ZELVekPreviewWindowManagerCmd", Behavior::Replace, Mode::Exclusive},
    {"ZELLocatorAccountabilityCommand", Argument::None, &Make<ZELLocatorAccountabilityCommand>,
     "ZELLocatorAccountabilityCommand", Behavior::Replace, Mode::Exclusive},
    {"ZELManageFastenerIDCmd", Argument::None, &Make<ZELManageFastenerIDCmd>, "ZELManageFastenerIDCmd",
     Behavior::Replace, Mode::Shared},
    {"ZELRemoveFastenerIDCmd", Argument::None, &Make<ZELRemoveFastenerIDCmd>, "ZELRemoveFastenerIDCmd",
     Behavior::Replace, Mode::Shared},
    {"ZELVekEditBIWFeatureAppearanceCmd", Argument::None, &Make<ZELVekEditBIWFeatureAppearanceCmd>,
     "ZELEditBIWFeatureAppearanceCmd",
     Behavior::Replace, Mode::Exclusive},
};

constexpr std::size_t kRowCount = std::size(kRows);

template <std::size_t I>
QIVBaseUnknown* FactoryOf() {
  return kRows[I].make(kRows[I], nullptr);
}

template <std::size_t I>
QIVBaseUnknown* FactoryWithArgumentOf(void* argument) {
  return kRows[I].make(kRows[I], argument);
}

template <std::size_t... I>
constexpr std::array<QIVFactoryFunction, kRowCount> Factories(std::index_sequence<I...>) {
  return {(kRows[I].argument == Argument::None ? &FactoryOf<I> : nullptr)...};
}

template <std::size_t... I>
constexpr std::array<QIVFactoryArgFunction, kRowCount> FactoriesWithArgument(std::index_sequence<I...>) {
  return {(kRows[I].argument == Argument::None ? nullptr : &FactoryWithArgumentOf<I>)...};
}

constexpr auto kFactories = Factories(std::make_index_sequence<kRowCount>());
constexpr auto kFactoriesWithArgument = FactoriesWithArgument(std::make_index_sequence<kRowCount>());

}  // namespace

namespace ZELVekBIWCommandCatalog {

std::span<const ZELVekBIWCommandRow> Rows() { return kRows; }

QIVFactoryFunction Factory(std::size_t index) { return index < kRowCount ? kFactories[index] : nullptr; }

QIVFactoryArgFunction FactoryWithArgument(std::size_t index) {
  return index < kRowCount ? kFactoriesWithArgument[index] : nullptr;
}

}  // namespace ZELVekBIWCommandCatalog
