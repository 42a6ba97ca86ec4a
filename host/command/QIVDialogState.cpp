#include "QIVDialogState.h"

void QIVDialogState::AddDialogAgent(QIVDialogAgent* agent) {
  if (!agent || !_agentSet.insert(agent).second) return;
  _agents.emplace_back(agent);
}
