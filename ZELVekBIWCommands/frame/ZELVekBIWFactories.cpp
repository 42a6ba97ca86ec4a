#include "ZELVekBIWFactories.h"

#include <cstdint>
#include <new>
#include <utility>

#include "QIVApplicationFrame.h"
#include "QIVMultiDocumentCommand.h"
#include "ZELBIWUpdateManufAssemblyCmd.h"
#include "ZELUpdateWorldStepAnimCmd.h"
#include "ZELVekBIWAssignWeldCmd.h"
#include "ZELVekBIWAutoAssignWeldCmd.h"
#include "ZELVekBIWCreateActivityCommands.h"
#include "ZELVekBIWEditManufacturingLocationCmd.h"
#include "ZELVekBIWEditManufacturingLocationDlg.h"
#include "ZELVekBIWFastenersGroupCmd.h"
#include "ZELVekBIWImportFastenersCmd.h"
#include "ZELVekBIWReadWeldFromFileCmd.h"
#include "ZELVekBIWResetFastenerColorCmd.h"
#include "ZELVekBIWSaveLocationsInXMLCmd.h"
#include "ZELVekBIWUnavailableCommand.h"

namespace {

template <class T, class... Args>
QIVBaseUnknown* Create(Args&&... args) {
  return new (std::nothrow) T(std::forward<Args>(args)...);
}

QIVBaseUnknown* Unavailable(const char* className, const char* commandName, std::uint64_t behavior, int mode) {
  return Create<ZELVekBIWUnavailableCommand<QIVStateCommand>>(className, QIVUnicodeString(commandName), behavior,
                                                             mode);
}

// A state command built with a mode and no behaviour word.
QIVBaseUnknown* UnavailableModeOnly(const char* className, int mode) {
  return Create<ZELVekBIWUnavailableCommand<QIVStateCommand>>(className, QIVUnicodeString(className),
                                                             std::uint64_t{0}, mode);
}

constexpr std::uint64_t kSingle = 0x20;
constexpr std::uint64_t kReplace = 0x40;

}  // namespace

QIVBaseUnknown* fctCreateZELBIWFastenerLocationCmd(void*) {
  return Unavailable("ZELBIWFastenerLocationCmd", "ZELBIWFastenerLocationCmd", kReplace, 0);
}
QIVBaseUnknown* fctCreateZELBIWUpdateManufAssemblyCmd() {
  return Create<ZELBIWUpdateManufAssemblyCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWAssignDatumAndTargetCmd() {
  return UnavailableModeOnly("ZELVekBIWAssignDatumAndTargetCmd", 0);
}
QIVBaseUnknown* fctCreateZELVekBIWAssignWeldCmd() {
  return Create<ZELVekBIWAssignWeldCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWAutoAssignWeldCmd(void* activity) {
  return Create<ZELVekBIWAutoAssignWeldCmd>(QIVBaseUnknown_var(static_cast<QIVBaseUnknown*>(activity)));
}
QIVBaseUnknown* fctCreateZELVekBIWCreateACTWeldingActivityCmd() {
  return Create<ZELVekBIWCreateACTWeldingActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateAdhesiveApplicationActivityCmd() {
  return Create<ZELVekBIWCreateAdhesiveApplicationActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateArcWeldingActivityCmd() {
  return Create<ZELVekBIWCreateArcWeldingActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateClampingActivityCmd() {
  return Create<ZELVekBIWCreateClampingActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateClinchingActivityCmd() {
  return Create<ZELVekBIWCreateClinchingActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateGroupingActivityCmd() {
  return Create<ZELVekBIWCreateGroupingActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateLoadingActivityCmd() {
  return Create<ZELVekBIWCreateLoadingActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateSealantApplicationActivityCmd() {
  return Create<ZELVekBIWCreateSealantApplicationActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateSpotGluingActivityCmd() {
  return Create<ZELVekBIWCreateSpotGluingActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateStationActivityCmd() {
  return Create<ZELVekBIWCreateStationActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateStudWeldingActivityCmd() {
  return Create<ZELVekBIWCreateStudWeldingActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateUnclampingActivityCmd() {
  return Create<ZELVekBIWCreateUnclampingActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWCreateUnloadingActivityCmd() {
  return Create<ZELVekBIWCreateUnloadingActivityCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWEditManufacturingLocationCmd(void*) {
  return Create<ZELVekBIWEditManufacturingLocationCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWEditManufacturingLocationDlg() {
  QIVApplicationFrame* frame = QIVApplicationFrame::GetFrame();
  return Create<ZELVekBIWEditManufacturingLocationDlg>(frame ? frame->GetMainWindow() : nullptr);
}
QIVBaseUnknown* fctCreateZELVekBIWFastenersGroupCmd() { return Create<ZELVekBIWFastenersGroupCmd>(); }
QIVBaseUnknown* fctCreateZELVekBIWImportFastenersCmd() { return Create<ZELVekBIWImportFastenersCmd>(); }
QIVBaseUnknown* fctCreateZELVekBIWInsertStandardStationCmd() {
  return Unavailable("ZELVekBIWInsertStandardStationCmd", "ZELVekBIWInsertStandardStationCmd", kReplace, 0);
}
QIVBaseUnknown* fctCreateZELVekBIWMultiSelectCmd() {
  return Unavailable("ZELVekBIWMultiSelectCmd", "ZELVekBIWMultiSelectCmd", kReplace, 0);
}
QIVBaseUnknown* fctCreateZELVekBIWReadWeldFromFileCmd() { return Create<ZELVekBIWReadWeldFromFileCmd>(); }
QIVBaseUnknown* fctCreateZELVekBIWReallocateWeldCmd() {
  return Unavailable("ZELVekBIWReallocateWeldCmd", "ReallocateWeldCmd", kSingle, 0);
}
QIVBaseUnknown* fctCreateZELVekBIWResetFastenerColorCmd() { return Create<ZELVekBIWResetFastenerColorCmd>(); }
QIVBaseUnknown* fctCreateZELVekBIWSaveLocationsInXMLCmd() {
  return Create<ZELVekBIWSaveLocationsInXMLCmd>();
}
QIVBaseUnknown* fctCreateZELVekBIWSelectActivityMultiCmd() {
  return Create<ZELVekBIWUnavailableCommand<QIVMultiDocumentCommand>>("ZELVekBIWSelectActivityMultiCmd");
}
QIVBaseUnknown* fctCreateZELVekBIWShowWeldIDCmd() {
  return Unavailable("ZELVekBIWShowWeldIDCmd", "ShowWeldIDCmd", kSingle, 1);
}
QIVBaseUnknown* fctCreateZELVekBIWWeldAccountabilityCmd() {
  return Unavailable("ZELVekBIWWeldAccountabilityCmd", "WeldAccountabilityCmd", kSingle, 0);
}
QIVBaseUnknown* fctCreateZELVekFasteningSyncCmd() {
  return Create<ZELVekBIWUnavailableCommand<ZELUpdateWorldStepAnimCmd>>(
      "ZELVekFasteningSyncCmd", QIVUnicodeString("ZELVekFasteningSyncCmd"), std::uint64_t{0}, 0, 1);
}
QIVBaseUnknown* fctCreateZELVekPreviewWindowManagerCmd() {
  return Unavailable("ZELVekPreviewWindowManagerCmd", "ZELVekPreviewWindowManagerCmd", kReplace, 0);
}
QIVBaseUnknown* fctCreateZELLocatorAccountabilityCommand() {
  return Unavailable("ZELLocatorAccountabilityCommand", "ZELLocatorAccountabilityCommand", kReplace, 0);
}
QIVBaseUnknown* fctCreateZELManageFastenerIDCmd() {
  return Unavailable("ZELManageFastenerIDCmd", "ZELManageFastenerIDCmd", kReplace, 1);
}
QIVBaseUnknown* fctCreateZELRemoveFastenerIDCmd() {
  return Unavailable("ZELRemoveFastenerIDCmd", "ZELRemoveFastenerIDCmd", kReplace, 1);
}
QIVBaseUnknown* fctCreateZELVekEditBIWFeatureAppearanceCmd() {
  return Unavailable("ZELVekEditBIWFeatureAppearanceCmd", "ZELEditBIWFeatureAppearanceCmd", kReplace, 0);
}
