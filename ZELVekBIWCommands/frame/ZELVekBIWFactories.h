#pragma once

#include "QIVBaseUnknown.h"

// The module's entry points: one factory per command class (and one for the
// manufacturing-location dialog). Each builds its object with one reference
// for the caller, or returns null when it could not be built.
QIVBaseUnknown* fctCreateZELBIWFastenerLocationCmd(void* locationName);
QIVBaseUnknown* fctCreateZELBIWUpdateManufAssemblyCmd();
QIVBaseUnknown* fctCreateZELVekBIWAssignDatumAndTargetCmd();
QIVBaseUnknown* fctCreateZELVekBIWAssignWeldCmd();
QIVBaseUnknown* fctCreateZELVekBIWAutoAssignWeldCmd(void* activity);
QIVBaseUnknown* fctCreateZELVekBIWCreateACTWeldingActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateAdhesiveApplicationActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateArcWeldingActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateClampingActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateClinchingActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateGroupingActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateLoadingActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateSealantApplicationActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateSpotGluingActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateStationActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateStudWeldingActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateUnclampingActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWCreateUnloadingActivityCmd();
QIVBaseUnknown* fctCreateZELVekBIWEditManufacturingLocationCmd(void* unused);
QIVBaseUnknown* fctCreateZELVekBIWEditManufacturingLocationDlg();
QIVBaseUnknown* fctCreateZELVekBIWFastenersGroupCmd();
QIVBaseUnknown* fctCreateZELVekBIWImportFastenersCmd();
QIVBaseUnknown* fctCreateZELVekBIWInsertStandardStationCmd();
QIVBaseUnknown* fctCreateZELVekBIWMultiSelectCmd();
QIVBaseUnknown* fctCreateZELVekBIWReadWeldFromFileCmd();
QIVBaseUnknown* fctCreateZELVekBIWReallocateWeldCmd();
QIVBaseUnknown* fctCreateZELVekBIWResetFastenerColorCmd();
QIVBaseUnknown* fctCreateZELVekBIWSaveLocationsInXMLCmd();
QIVBaseUnknown* fctCreateZELVekBIWSelectActivityMultiCmd();
QIVBaseUnknown* fctCreateZELVekBIWShowWeldIDCmd();
QIVBaseUnknown* fctCreateZELVekBIWWeldAccountabilityCmd();
QIVBaseUnknown* fctCreateZELVekFasteningSyncCmd();
QIVBaseUnknown* fctCreateZELVekPreviewWindowManagerCmd();
QIVBaseUnknown* fctCreateZELLocatorAccountabilityCommand();
QIVBaseUnknown* fctCreateZELManageFastenerIDCmd();
QIVBaseUnknown* fctCreateZELRemoveFastenerIDCmd();
QIVBaseUnknown* fctCreateZELVekEditBIWFeatureAppearanceCmd();
