#pragma once

#include "QIVDlgDialog.h"
#include "QIVVar.h"

class QIVDlgMultiList;

// The assignments the datum and target assignment refused: one row per
// item and activity with a running number, the item, its product, the
// locator's text, the activity and the reason. OK or the close box go to
// the command.
class ZELVekBIWLocatorsAssignFailureDlg : public QIVDlgDialog {
 public:
  // A child of the command that shows it.
  explicit ZELVekBIWLocatorsAssignFailureDlg(QIVCommand* command);

  const char* GetImplClassName() const override { return "ZELVekBIWLocatorsAssignFailureDlg"; }

  void Build();
  // Adds the row of one refusal; `reason` is a
  // ZELVekBIWAssignDatumAndTargetCmd::Reason. Nothing without an item or
  // without an activity.
  void UpdateFailureList(const QIVBaseUnknown_var& item, const QIVBaseUnknown_var& activity, int reason);
  // The product that owns a datum, target or locator; empty when none.
  static QIVBaseUnknown_var GetOwnerProduct(const QIVBaseUnknown_var& object);

  QIVDlgMultiList* GetMultiList() const { return _pMultiList; }

 private:
  QIVDlgMultiList* _pMultiList = nullptr;
  int _rowCount = 0;
};
