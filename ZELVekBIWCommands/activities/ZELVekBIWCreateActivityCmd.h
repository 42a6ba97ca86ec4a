#pragma once

#include "QIVISPPAbstractActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVStateCommand.h"
#include "ZELVekBIWCreateActivityKind.h"

class ZELVekBIWCreateActivityDlg;

// Creates a BIW activity of one kind: the planner picks a parent in the
// process tree, the activity is created there at once, and the creation
// dialog names it and takes its attributes. OK keeps it; Cancel or closing
// the window removes it again. A parent on which the kind may not be
// created is answered with a warning box, and the command waits for
// another pick.
//
// The thirteen commands differ only by their kind (ZELVekBIWCreateActivityKind);
// each is a named subclass (ZELVekBIWCreateActivityCommands.h).
class ZELVekBIWCreateActivityCmd : public QIVStateCommand {
 public:
  ~ZELVekBIWCreateActivityCmd() override;

  void Activate() override;
  void Desactivate() override;
  void Cancel() override;
  // Takes the created activity out again, as the Cancel button does.
  void Revert() override;
  void BuildGraph() override;

  const char* GetImplClassName() const override { return _kind.className; }
  const char* GetResourceFilename(int level) const override;

  // The steps of the state graph; the argument is not used.
  bool CreateActivity(void* data);
  bool SetUpDialog(void* data);
  bool DisplayCreationError(void* data);
  bool DoOK(void* data);
  bool DoCancel(void* data);

  // The kind's catalogue label followed by the part of the new activity's
  // name from its first dot (the number the host gave it).
  static QIVUnicodeString BuildDialogLabel(const ZELVekBIWCreateActivityKind& kind,
                                           const QIVUnicodeString& name);

  const ZELVekBIWCreateActivityKind& GetKind() const { return _kind; }
  ZELVekBIWCreateActivityDlg* GetDialog() const { return _dialog; }
  QIVPathElementAgent* GetParentAgent() const { return _parentAgent; }
  QIVDialogAgent* GetDialogAgent() const { return _dialogAgent; }
  const QIVISPPChildManagement_var& GetParent() const { return _parent; }
  const QIVISPPAbstractActivity_var& GetCreatedActivity() const { return _createdActivity; }

 protected:
  explicit ZELVekBIWCreateActivityCmd(const ZELVekBIWCreateActivityKind& kind);

 private:
  // The creation under the parent, by the kind's parent rules; an empty
  // handle when the parent is refused or the host fails.
  QIVBaseUnknown_var CreateUnderCommonRules(const QIVISPPAbstractActivity_var& parent);
  QIVBaseUnknown_var CreateStation(const QIVISPPAbstractActivity_var& parent);
  QIVBaseUnknown_var CreateGrouping(const QIVISPPAbstractActivity_var& parent);
  QIVBaseUnknown_var CreateAsChild(const ZELIBIWActivityFactory_var& factory);
  QIVBaseUnknown_var CreateAfter(const ZELIBIWActivityFactory_var& factory);

  const ZELVekBIWCreateActivityKind& _kind;
  QIVPathElementAgent* _parentAgent = nullptr;
  QIVDialogAgent* _dialogAgent = nullptr;
  ZELVekBIWCreateActivityDlg* _dialog = nullptr;
  QIVISPPChildManagement_var _parent;
  QIVISPPAbstractActivity_var _createdActivity;
};
