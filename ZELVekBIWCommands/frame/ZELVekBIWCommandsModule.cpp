#include "ZELVekBIWCommandsModule.h"

#include "ZELBIWCmdTrace.h"
#include "ZELBIWEditorRegistration.h"
#include "ZELVekBIWFactories.h"

namespace {

std::vector<ZELVekBIWCommandEntry>& Table() {
  static std::vector<ZELVekBIWCommandEntry> entries = {
      {"ZELBIWFastenerLocationCmd", nullptr, &fctCreateZELBIWFastenerLocationCmd, 0},
      {"ZELBIWUpdateManufAssemblyCmd", &fctCreateZELBIWUpdateManufAssemblyCmd, nullptr, 0},
      {"ZELVekBIWAssignDatumAndTargetCmd", &fctCreateZELVekBIWAssignDatumAndTargetCmd, nullptr, 0},
      {"ZELVekBIWAssignWeldCmd", &fctCreateZELVekBIWAssignWeldCmd, nullptr, 0},
      {"ZELVekBIWAutoAssignWeldCmd", nullptr, &fctCreateZELVekBIWAutoAssignWeldCmd, 0, QIVFactoryArgument::Object},
      {"ZELVekBIWCreateACTWeldingActivityCmd", &fctCreateZELVekBIWCreateACTWeldingActivityCmd, nullptr, 0},
      {"ZELVekBIWCreateAdhesiveApplicationActivityCmd", &fctCreateZELVekBIWCreateAdhesiveApplicationActivityCmd,
       nullptr, 0},
      {"ZELVekBIWCreateArcWeldingActivityCmd", &fctCreateZELVekBIWCreateArcWeldingActivityCmd, nullptr, 0},
      {"ZELVekBIWCreateClampingActivityCmd", &fctCreateZELVekBIWCreateClampingActivityCmd, nullptr, 0},
      {"ZELVekBIWCreateClinchingActivityCmd", &fctCreateZELVekBIWCreateClinchingActivityCmd, nullptr, 0},
      {"ZELVekBIWCreateGroupingActivityCmd", &fctCreateZELVekBIWCreateGroupingActivityCmd, nullptr, 0},
      {"ZELVekBIWCreateLoadingActivityCmd", &fctCreateZELVekBIWCreateLoadingActivityCmd, nullptr, 0},
      {"ZELVekBIWCreateSealantApplicationActivityCmd", &fctCreateZELVekBIWCreateSealantApplicationActivityCmd,
       nullptr, 0},
      {"ZELVekBIWCreateSpotGluingActivityCmd", &fctCreateZELVekBIWCreateSpotGluingActivityCmd, nullptr, 0},
      {"ZELVekBIWCreateStationActivityCmd", &fctCreateZELVekBIWCreateStationActivityCmd, nullptr, 0},
      {"ZELVekBIWCreateStudWeldingActivityCmd", &fctCreateZELVekBIWCreateStudWeldingActivityCmd, nullptr, 0},
      {"ZELVekBIWCreateUnclampingActivityCmd", &fctCreateZELVekBIWCreateUnclampingActivityCmd, nullptr, 0},
      {"ZELVekBIWCreateUnloadingActivityCmd", &fctCreateZELVekBIWCreateUnloadingActivityCmd, nullptr, 0},
      {"ZELVekBIWEditManufacturingLocationCmd", nullptr, &fctCreateZELVekBIWEditManufacturingLocationCmd, 0,
       QIVFactoryArgument::Object},
      {"ZELVekBIWEditManufacturingLocationDlg", &fctCreateZELVekBIWEditManufacturingLocationDlg, nullptr, 0},
      {"ZELVekBIWFastenersGroupCmd", &fctCreateZELVekBIWFastenersGroupCmd, nullptr, 0},
      {"ZELVekBIWImportFastenersCmd", &fctCreateZELVekBIWImportFastenersCmd, nullptr, 0},
      {"ZELVekBIWInsertStandardStationCmd", &fctCreateZELVekBIWInsertStandardStationCmd, nullptr, 0},
      {"ZELVekBIWMultiSelectCmd", &fctCreateZELVekBIWMultiSelectCmd, nullptr, 0},
      {"ZELVekBIWReadWeldFromFileCmd", &fctCreateZELVekBIWReadWeldFromFileCmd, nullptr, 0},
      {"ZELVekBIWReallocateWeldCmd", &fctCreateZELVekBIWReallocateWeldCmd, nullptr, 0},
      {"ZELVekBIWResetFastenerColorCmd", &fctCreateZELVekBIWResetFastenerColorCmd, nullptr, 0},
      {"ZELVekBIWSaveLocationsInXMLCmd", &fctCreateZELVekBIWSaveLocationsInXMLCmd, nullptr, 0},
      {"ZELVekBIWSelectActivityMultiCmd", &fctCreateZELVekBIWSelectActivityMultiCmd, nullptr, 0},
      {"ZELVekBIWShowWeldIDCmd", &fctCreateZELVekBIWShowWeldIDCmd, nullptr, 0},
      {"ZELVekBIWWeldAccountabilityCmd", &fctCreateZELVekBIWWeldAccountabilityCmd, nullptr, 0},
      {"ZELVekFasteningSyncCmd", &fctCreateZELVekFasteningSyncCmd, nullptr, 0},
      {"ZELVekPreviewWindowManagerCmd", &fctCreateZELVekPreviewWindowManagerCmd, nullptr, 0},
      {"ZELLocatorAccountabilityCommand", &fctCreateZELLocatorAccountabilityCommand, nullptr, 0},
      {"ZELManageFastenerIDCmd", &fctCreateZELManageFastenerIDCmd, nullptr, 0},
      {"ZELRemoveFastenerIDCmd", &fctCreateZELRemoveFastenerIDCmd, nullptr, 0},
      {"ZELVekEditBIWFeatureAppearanceCmd", &fctCreateZELVekEditBIWFeatureAppearanceCmd, nullptr, 0},
  };
  return entries;
}

int traceLoadCounter = 0;

}  // namespace

namespace ZELVekBIWCommandsModule {

void Load() {
  if (traceLoadCounter++ == 0)
    ZELBIWCmdTrace = new QIVTrace("ZELBIWCmdTrace", "Traces for module ZELVekBIWCommands", 0, "STDERR", 1024);
  for (ZELVekBIWCommandEntry& entry : Table()) {
    if (entry.factoryWithArgument)
      QIVFillDictionary(entry.className, entry.factoryWithArgument, &entry.loadCounter, entry.argument);
    else
      QIVFillDictionary(entry.className, entry.factory, &entry.loadCounter);
  }
  ZELBIWRegisterPropertyEditors();
}

void Unload() {
  delete ZELBIWCmdTrace;
  ZELBIWCmdTrace = nullptr;
  traceLoadCounter = 0;
}

const std::vector<ZELVekBIWCommandEntry>& Entries() { return Table(); }

}  // namespace ZELVekBIWCommandsModule
