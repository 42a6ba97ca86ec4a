#include "ZELTimeBasedSimCmd.h"

#include <unordered_set>

#include "QIVApplicationFrame.h"
#include "QIVViewer.h"
#include "ZELSimulationWorld.h"

namespace {
void RedrawViewer() {
  if (QIVApplicationFrame* frame = QIVApplicationFrame::GetFrame())
    if (QIVViewer* viewer = frame->GetViewer()) viewer->Redraw();
}
}  // namespace

ZELTimeBasedSimCmd::~ZELTimeBasedSimCmd() = default;

void ZELTimeBasedSimCmd::SetCommandDefaults() {
  HaltController();
  ResetController();
}

void ZELTimeBasedSimCmd::AddVisitor(std::unique_ptr<ZELBuildBIWRootActivityVisitor> visitor) {
  if (visitor) _visitors.push_back(std::move(visitor));
}

HRESULT ZELTimeBasedSimCmd::UpdateWorld(const QIVBaseUnknown_var& from, const QIVBaseUnknown_var& to,
                                        int animate, int keepRunning, int includeTo, int isolation,
                                        int redraw) {
  if (!to) return E_FAIL;
  // What lies before `from`, and `from` itself, was simulated already.
  std::unordered_set<const QIVBaseUnknown*> done;
  if (from) {
    done.insert(from.Identity());
    for (const auto& visitor : _visitors)
      for (const QIVBaseUnknown_var& activity : visitor->ActivitiesBefore(from))
        done.insert(activity.Identity());
  }
  QIVListValQIVBaseUnknown_var before;
  std::unordered_set<const QIVBaseUnknown*> listed;
  for (const auto& visitor : _visitors)
    for (const QIVBaseUnknown_var& activity : visitor->ActivitiesBefore(to))
      if (!done.count(activity.Identity()) && listed.insert(activity.Identity()).second) {
        before.Append(activity);
        if (animate) RedrawViewer();
      }
  ZELSimulationWorld& world = ZELSimulationWorld::Instance();
  world.Update(before, includeTo ? to : QIVBaseUnknown_var(), isolation || IsStationIsolation());
  if (!keepRunning) world.HaltController();
  if (redraw) RedrawViewer();
  return S_OK;
}
