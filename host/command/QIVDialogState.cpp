#include "QIVDialogState.h"

#include <algorithm>

void QIVDialogState::AddDialogAgent(QIVDialogAgent* agent) {
  if (!agent || !_agentSet.insert(agent).second) return;
  _agents.emplace_back(agent);
}

void QIVDialogState::RemoveDialogAgent(QIVDialogAgent* agent) {
  if (!agent || _agentSet.erase(agent) == 0) return;
  std::erase_if(_agents, [agent](const QIVDialogAgent_var& held) { return held.get() == agent; });
}
