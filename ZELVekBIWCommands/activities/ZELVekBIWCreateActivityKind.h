#pragma once

#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"
#include "ZELIBIWActivityFactory.h"

// What tells one activity creation command from another: the activity
// factory operations of its kind, the parent rules, the label proposed in
// the dialog, the warning box of a refused parent and the small
// differences in OK and Cancel.
struct ZELVekBIWCreateActivityKind {
  // Where the kind may be created.
  enum class ParentRules {
    // Under a station, or after another BIW activity that is not a grouping.
    Common,
    // Under a non-BIW activity or a grouping, or after another station.
    Station,
    // Under a non-BIW activity, the process root or another grouping.
    Grouping
  };
  using CreateAsChild =
      QIVBaseUnknown_var (ZELIBIWActivityFactory::*)(const QIVISPPChildManagement_var& parent);
  using CreateAfter = QIVBaseUnknown_var (ZELIBIWActivityFactory::*)(const QIVISPPFlowMgt_var& previous);

  const char* className;
  ParentRules rules;
  CreateAsChild createAsChild;
  // Null for the grouping, which is never created after another activity.
  CreateAfter createAfter;

  // Key and default of the label in the "ZELVekBIWCreateActivityDlg" catalogue.
  const char* labelKey;
  const char* labelDefault;

  // The warning box of a refused parent.
  const char* boxName;
  const char* errorCatalog;
  const char* titleKey;
  const char* messageKey;
  const char* messageDefault;

  // OK writes the attribute fields as well as the name.
  bool writesAttributesOnOK;
  // Cancelling the command first asks for its delayed destruction.
  bool destroysOnCancel;
  // The picked parent is kept after creation rather than released.
  bool holdsParent;
};

// The thirteen kinds, one per creation command.
namespace ZELVekBIWCreateActivityKinds {
extern const ZELVekBIWCreateActivityKind ACTWelding;
extern const ZELVekBIWCreateActivityKind StudWelding;
extern const ZELVekBIWCreateActivityKind SpotGluing;
extern const ZELVekBIWCreateActivityKind Clinching;
extern const ZELVekBIWCreateActivityKind ArcWelding;
extern const ZELVekBIWCreateActivityKind AdhesiveApplication;
extern const ZELVekBIWCreateActivityKind SealantApplication;
extern const ZELVekBIWCreateActivityKind Clamping;
extern const ZELVekBIWCreateActivityKind Unclamping;
extern const ZELVekBIWCreateActivityKind Loading;
extern const ZELVekBIWCreateActivityKind Unloading;
extern const ZELVekBIWCreateActivityKind Station;
extern const ZELVekBIWCreateActivityKind Grouping;
}  // namespace ZELVekBIWCreateActivityKinds
