#include "ZELBuildBIWRootActivityVisitor.h"

#include <memory>
#include <unordered_set>
#include <vector>

#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"

QIVListValQIVBaseUnknown_var ZELBuildBIWRootActivityVisitor::ActivitiesBefore(
    const QIVBaseUnknown_var& activity) const {
  std::unordered_set<const QIVBaseUnknown*> seen;
  // The activity and its fathers are not before themselves.
  std::vector<QIVBaseUnknown_var> pending;
  for (QIVBaseUnknown_var step = activity; step;) {
    seen.insert(step.Identity());
    pending.push_back(step);
    QIVBaseUnknown_var father;
    QIVISPPActivity_var named(step);
    if (!named || FAILED(named->GetFatherActivity(father))) break;
    step = father;
  }
  QIVListValQIVBaseUnknown_var before;
  // Walks previous links breadth first from the activity and its fathers;
  // what a previous activity holds below it comes with it.
  for (std::size_t next = 0; next < pending.size(); ++next) {
    QIVISPPFlowMgt_var flow(pending[next]);
    if (!flow) continue;
    for (const QIVBaseUnknown_var& previous : flow->GetPreviousActivities("")) {
      if (!seen.insert(previous.Identity()).second) continue;
      pending.push_back(previous);
      std::vector<QIVBaseUnknown_var> below{previous};
      for (std::size_t at = 0; at < below.size(); ++at) {
        before.Append(below[at]);
        QIVISPPChildManagement_var children = below[at];
        if (!children) continue;
        const std::unique_ptr<QIVListValQIVBaseUnknown_var> list = children->GetChildren();
        for (const QIVBaseUnknown_var& child : *list)
          if (seen.insert(child.Identity()).second) below.push_back(child);
      }
    }
  }
  return before;
}
