#include "ZELVekBIWCreateActivityKind.h"

namespace {
using Rules = ZELVekBIWCreateActivityKind::ParentRules;
using F = ZELIBIWActivityFactory;

constexpr bool WritesAttributes = true;
constexpr bool NameOnly = false;
constexpr bool DestroysOnCancel = true;
constexpr bool EndsByHost = false;
constexpr bool HoldsParent = true;
constexpr bool ReleasesParent = false;

// The fastening kinds share their box keys.
constexpr const char* kWeldingTitle = "ACTWeldingCreationErrorTitle";
constexpr const char* kWeldingMessage = "ACTWeldingCreationErrorMsg";
}  // namespace

namespace ZELVekBIWCreateActivityKinds {

const ZELVekBIWCreateActivityKind ACTWelding{
    "ZELVekBIWCreateACTWeldingActivityCmd",
    Rules::Common,
    &F::CreateSpotWeldingActivity,
    &F::CreateSpotWeldingActivityAfter,
    "BIWActivitySpotWeldingID",
    "BIWActivitySpotWelding",
    "ZELVekBIWCreateWeldWarning",
    "ZELVekBIWCreateACTWeldingActivityCmd",
    kWeldingTitle,
    kWeldingMessage,
    "BIW Spot welding activities can only be created as children of station activities.",
    WritesAttributes,
    EndsByHost,
    HoldsParent};

const ZELVekBIWCreateActivityKind StudWelding{
    "ZELVekBIWCreateStudWeldingActivityCmd",
    Rules::Common,
    &F::CreateStudWeldingActivity,
    &F::CreateStudWeldingActivityAfter,
    "BIWActivityStudWeldingID",
    "BIWActivityStudWelding",
    "ZELVekBIWCreateStudWeldWarning",
    "ZELVekBIWCreateStudWeldingActivityCmd",
    kWeldingTitle,
    kWeldingMessage,
    "BIW Stud welding activities can only be created as children of station activities.",
    WritesAttributes,
    EndsByHost,
    HoldsParent};

const ZELVekBIWCreateActivityKind SpotGluing{
    "ZELVekBIWCreateSpotGluingActivityCmd",
    Rules::Common,
    &F::CreateSpotGluingActivity,
    &F::CreateSpotGluingActivityAfter,
    "BIWActivitySpotGluingID",
    "BIWActivitySpotGluing",
    "ZELVekBIWCreateSpotGluingWarning",
    "ZELVekBIWCreateSpotGluingActivityCmd",
    kWeldingTitle,
    kWeldingMessage,
    "BIW Spot gluing activities can only be created as children of station activities.",
    WritesAttributes,
    EndsByHost,
    HoldsParent};

const ZELVekBIWCreateActivityKind Clinching{
    "ZELVekBIWCreateClinchingActivityCmd",
    Rules::Common,
    &F::CreateClinchingActivity,
    &F::CreateClinchingActivityAfter,
    "BIWActivityClinchingID",
    "BIWActivityClinching",
    "ZELVekBIWCreateClinchWarning",
    "ZELVekBIWCreateClinchingActivityCmd",
    kWeldingTitle,
    kWeldingMessage,
    "BIW Clinching activities can only be created as children of station activities.",
    WritesAttributes,
    EndsByHost,
    HoldsParent};

const ZELVekBIWCreateActivityKind ArcWelding{
    "ZELVekBIWCreateArcWeldingActivityCmd",
    Rules::Common,
    &F::CreateArcWeldingActivity,
    &F::CreateArcWeldingActivityAfter,
    "BIWActivityArcWeldingID",
    "BIWActivityArcWelding",
    "ZELVekBIWCreateArcWeldWarning",
    "ZELVekBIWCreateArcWeldingActivityCmd",
    kWeldingTitle,
    kWeldingMessage,
    "BIW Arc welding activities can only be created as children of station activities.",
    WritesAttributes,
    EndsByHost,
    ReleasesParent};

const ZELVekBIWCreateActivityKind AdhesiveApplication{
    "ZELVekBIWCreateAdhesiveApplicationActivityCmd",
    Rules::Common,
    &F::CreateAdhesiveApplicationActivity,
    &F::CreateAdhesiveApplicationActivityAfter,
    "BIWActivityAdhesiveApplicationID",
    "BIWActivityAdhesiveApplication",
    "ZELVekBIWCreateAdhesiveWarning",
    "ZELVekBIWCreateAdhesiveApplicationActivityCmd",
    kWeldingTitle,
    kWeldingMessage,
    "BIW Adhesive Application activities can only be created as children of station activities.",
    WritesAttributes,
    EndsByHost,
    ReleasesParent};

const ZELVekBIWCreateActivityKind SealantApplication{
    "ZELVekBIWCreateSealantApplicationActivityCmd",
    Rules::Common,
    &F::CreateSealantApplicationActivity,
    &F::CreateSealantApplicationActivityAfter,
    "BIWActivitySealantApplicationID",
    "BIWActivitySealantApplication",
    "ZELVekBIWCreateSealantWarning",
    "ZELVekBIWCreateSealantApplicationActivityCmd",
    kWeldingTitle,
    kWeldingMessage,
    "BIW Sealant Application activities can only be created as children of station activities.",
    WritesAttributes,
    EndsByHost,
    ReleasesParent};

const ZELVekBIWCreateActivityKind Clamping{
    "ZELVekBIWCreateClampingActivityCmd",
    Rules::Common,
    &F::CreateClampingActivity,
    &F::CreateClampingActivityAfter,
    "BIWActivityClampingID",
    "BIWActivityClamping",
    "ZELVekBIWCreateClampWarning",
    "ZELVekBIWCreateClampingActivityCmd",
    "ClampingCreationErrorTitle",
    "ClampingCreationErrorMsg",
    "BIW Clamping activities can only be created as children of station activities.",
    NameOnly,
    EndsByHost,
    HoldsParent};

const ZELVekBIWCreateActivityKind Unclamping{
    "ZELVekBIWCreateUnclampingActivityCmd",
    Rules::Common,
    &F::CreateUnclampingActivity,
    &F::CreateUnclampingActivityAfter,
    "BIWActivityUnclampingID",
    "BIWActivityUnclamping",
    "ZELVekBIWCreateUnclampWarning",
    "ZELVekBIWCreateUnclampingActivityCmd",
    "UnclampingCreationErrorTitle",
    "UnclampingCreationErrorMsg",
    "BIW Unclamping activities can only be created as children of station activities.",
    NameOnly,
    EndsByHost,
    HoldsParent};

const ZELVekBIWCreateActivityKind Loading{
    "ZELVekBIWCreateLoadingActivityCmd",
    Rules::Common,
    &F::CreateLoadingActivity,
    &F::CreateLoadingActivityAfter,
    "BIWActivityLoadingID",
    "BIWActivityLoading",
    "ZELVekBIWCreateLoadingWarning",
    "ZELVekBIWCreateLoadingActivityCmd",
    "LoadingCreationErrorTitle",
    "LoadingCreationErrorMsg",
    "BIW Loading activities can only be created as children of station activities.",
    NameOnly,
    DestroysOnCancel,
    HoldsParent};

const ZELVekBIWCreateActivityKind Unloading{
    "ZELVekBIWCreateUnloadingActivityCmd",
    Rules::Common,
    &F::CreateUnloadingActivity,
    &F::CreateUnloadingActivityAfter,
    "BIWActivityUnLoadingID",
    "BIWActivityUnLoading",
    "ZELVekBIWCreateUnloadingWarning",
    "ZELVekBIWCreateUnloadingActivityCmd",
    "UnloadingCreationErrorTitle",
    "UnloadingCreationErrorMsg",
    "BIW Unloading activities can only be created as children of station activities.",
    NameOnly,
    EndsByHost,
    HoldsParent};

const ZELVekBIWCreateActivityKind Station{"ZELVekBIWCreateStationActivityCmd",
                                          Rules::Station,
                                          &F::CreateStationActivity,
                                          &F::CreateStationActivityAfter,
                                          "BIWActivityStationID",
                                          "BIWActivityStation",
                                          "ZELVekBIWCreateStationWarning",
                                          "ZELVekBIWCreateStationActivityCmd",
                                          "StationCreationErrorTitle",
                                          "StationCreationErrorMsg",
                                          "An invalid parent for a station activity was selected.",
                                          WritesAttributes,
                                          EndsByHost,
                                          HoldsParent};

// Its box texts live in the catalogue of the general assembly, not its own.
const ZELVekBIWCreateActivityKind Grouping{"ZELVekBIWCreateGroupingActivityCmd",
                                           Rules::Grouping,
                                           &F::CreateGroupingActivity,
                                           nullptr,
                                           "BIWActivityGroupingID",
                                           "BIWActivityGrouping",
                                           "ZELVekBIWCreateGroupWarning",
                                           "ZELVekBIWCreateGeneralAssemblyActivityCmd",
                                           "StationCreationErrorTitle",
                                           "StationCreationErrorMsg",
                                           "An invalid parent for a grouping activity was selected.",
                                           WritesAttributes,
                                           DestroysOnCancel,
                                           HoldsParent};

}  // namespace ZELVekBIWCreateActivityKinds
