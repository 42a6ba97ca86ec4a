#pragma once

#include <unordered_set>
#include <vector>

#include "QIVDialogAgent.h"
#include "QIVUnicodeString.h"

class QIVDialogTransition;

// A state of a command: the agents it waits on, in the order added, and the
// transitions leaving it, in the order they are tried. The state holds one
// reference to each of its agents.
class QIVDialogState {
 public:
  explicit QIVDialogState(const QIVUnicodeString& name) : _name(name) {}
  QIVDialogState(const QIVDialogState&) = delete;
  QIVDialogState& operator=(const QIVDialogState&) = delete;

  const QIVUnicodeString& GetName() const { return _name; }

  // Adding an agent twice keeps it once.
  void AddDialogAgent(QIVDialogAgent* agent);
  // The state no longer waits on the agent; a state left without agents
  // tries all its transitions as soon as it is entered.
  void RemoveDialogAgent(QIVDialogAgent* agent);
  bool HoldsAgent(const QIVDialogAgent* agent) const { return _agentSet.count(agent) != 0; }
  const std::vector<QIVDialogAgent_var>& GetAgents() const { return _agents; }
  bool HasAgents() const { return !_agents.empty(); }

  void AddTransition(QIVDialogTransition* transition) { _transitions.push_back(transition); }
  const std::vector<QIVDialogTransition*>& GetTransitions() const { return _transitions; }

 private:
  QIVUnicodeString _name;
  std::vector<QIVDialogAgent_var> _agents;
  std::unordered_set<const QIVDialogAgent*> _agentSet;
  std::vector<QIVDialogTransition*> _transitions;
};
