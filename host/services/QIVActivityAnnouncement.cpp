#include "QIVActivityAnnouncement.h"

#include "QIVFrmEditor.h"
#include "QIVISPPActivityModificationEvents.h"
#include "QIVISPPActivityRoot.h"
#include "QIVISPPProcessContainer.h"
#include "QIVInit.h"

void QIVAnnounceActivityModification(QIVBaseUnknown* object) {
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor) return;
  QIVInit_var init(editor->GetDocument());
  QIVBaseUnknown_var found;
  if (!init || FAILED(init->GetRootContainer(QIVISPPProcessContainer::ClassName(), found))) return;
  QIVISPPProcessContainer_var container(found);
  if (!container) return;
  const QIVListValQIVBaseUnknown_var roots = container->GetProcesses();
  for (int i = 1; i <= roots.Size(); ++i) {
    QIVISPPActivityRoot_var root(roots[i]);
    QIVISPPActivityModificationEvents_var events(roots[i]);
    if (!root || !events) continue;
    QIVSPPActivityNotification notification;
    notification.kind = QIVSPPActivityNotification::Modified;
    notification.object = object;
    events->Dispatch(notification);
  }
}
