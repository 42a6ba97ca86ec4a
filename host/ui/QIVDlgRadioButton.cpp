#include "QIVDlgRadioButton.h"

void QIVDlgRadioButton::ApplyState(bool checked) {
  if (checked && GetFather()) {
    for (QIVCommand* sibling : GetFather()->GetChildren()) {
      auto* radio = dynamic_cast<QIVDlgRadioButton*>(sibling);
      if (radio && radio != this) radio->QIVDlgCheckButton::ApplyState(false);
    }
  }
  QIVDlgCheckButton::ApplyState(checked);
}
