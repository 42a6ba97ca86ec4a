#include "QIVStateCommand.h"

#include <algorithm>

#include "QIVDispatcher.h"
#include "QIVFrmEditor.h"
#include "QIVTranscript.h"

QIVStateCommand::QIVStateCommand(const QIVUnicodeString& name, std::uint64_t behavior, int mode)
    : QIVDialogAgent(name, behavior, mode) {}

QIVStateCommand::QIVStateCommand(int mode) : QIVDialogAgent(QIVUnicodeString(), 0, mode) {}

QIVStateCommand::~QIVStateCommand() = default;

void QIVStateCommand::RequestDelayedDestruction() {
  if (_ended) return;
  _ended = true;
  if (!_dispatcher) QIVDialogAgent::RequestDelayedDestruction();
}

void QIVStateCommand::Cancel() { RequestDelayedDestruction(); }

void QIVStateCommand::BuildGraph() {}

QIVDialogState* QIVStateCommand::GetInitialState(const QIVUnicodeString& name) {
  if (!_initial) _initial = AddDialogState(name);
  return _initial;
}

QIVDialogState* QIVStateCommand::AddDialogState(const QIVUnicodeString& name) {
  auto found = _statesByName.find(name.str());
  if (found != _statesByName.end()) return found->second;
  _states.push_back(std::make_unique<QIVDialogState>(name));
  QIVDialogState* state = _states.back().get();
  _statesByName.emplace(name.str(), state);
  return state;
}

QIVDialogTransition* QIVStateCommand::AddTransition(QIVDialogState* from, QIVDialogState* to,
                                                    QIVStateCondition* condition, QIVStateAction* action) {
  if (!from) return nullptr;
  _transitions.push_back(std::make_unique<QIVDialogTransition>(from, to, condition, action));
  from->AddTransition(_transitions.back().get());
  return _transitions.back().get();
}

const char* QIVStateCommand::GetResourceFilename(int level) const {
  return level == 0 ? "QIVStateCommand" : QIVDialogAgent::GetResourceFilename(level - 1);
}

QIVStateCondition* QIVStateCommand::AndCondition(QIVStateCondition* left, QIVStateCondition* right) {
  return Own(_conditions,
             std::make_unique<QIVLogicalCondition>(QIVLogicalCondition::Operator::And, left, right));
}

QIVStateCondition* QIVStateCommand::OrCondition(QIVStateCondition* left, QIVStateCondition* right) {
  return Own(_conditions,
             std::make_unique<QIVLogicalCondition>(QIVLogicalCondition::Operator::Or, left, right));
}

QIVStateCondition* QIVStateCommand::NotCondition(QIVStateCondition* condition) {
  return Own(_conditions,
             std::make_unique<QIVLogicalCondition>(QIVLogicalCondition::Operator::Not, condition));
}

QIVStateCondition* QIVStateCommand::IsOutputSetCondition(QIVDialogAgent* agent) {
  return Own(_conditions, std::make_unique<QIVOutputSetCondition>(agent));
}

QIVStateCondition* QIVStateCommand::IsLastModifiedAgentCondition(QIVDialogAgent* agent, const char* kind) {
  return Own(_conditions, std::make_unique<QIVLastModifiedAgentCondition>(this, agent, kind ? kind : ""));
}

void QIVStateCommand::AddCSOClient(QIVDialogAgent* agent) {
  if (agent) _csoClients.insert(agent);
}

void QIVStateCommand::Start() {
  if (_started || _ended) return;
  _started = true;
  _current = _initial ? _initial : (_states.empty() ? nullptr : _states.front().get());
  RunTransitions(false);
}

bool QIVStateCommand::OfferNotification(const QIVNotification& notification) {
  if (_ended || !_current) return false;
  bool taken = false;
  const std::vector<QIVDialogAgent_var> agents = _current->GetAgents();
  for (const QIVDialogAgent_var& agent : agents) {
    if (!agent->ValuateFromNotification(notification)) continue;
    _lastModified = agent.get();
    taken = true;
  }
  return taken;
}

QIVPathElementAgent* QIVStateCommand::OfferPick(const std::vector<QIVPathElement_var>& paths,
                                                unsigned modifiers) {
  std::vector<QIVPathElement_var> accepted;
  QIVPathElementAgent* agent = SelectPickAgent(paths, accepted);
  return agent && OfferValues(agent, accepted, modifiers) ? agent : nullptr;
}

QIVPathElementAgent* QIVStateCommand::SelectPickAgent(const std::vector<QIVPathElement_var>& paths,
                                                      std::vector<QIVPathElement_var>& accepted) const {
  accepted.clear();
  if (_ended || !_current) return nullptr;
  const std::vector<QIVDialogAgent_var> agents = _current->GetAgents();
  for (const QIVDialogAgent_var& agent : agents) {
    auto* pathAgent = dynamic_cast<QIVPathElementAgent*>(agent.get());
    if (!pathAgent || !pathAgent->CanTakeValue()) continue;
    accepted = pathAgent->SelectAcceptedPaths(paths);
    if (!accepted.empty()) return pathAgent;
  }
  return nullptr;
}

bool QIVStateCommand::OfferValues(QIVPathElementAgent* agent, const std::vector<QIVPathElement_var>& paths,
                                  unsigned modifiers) {
  if (_ended || !_current || !agent || !_current->HoldsAgent(agent)) return false;
  if (!agent->ValuateFromPick(paths, modifiers)) return false;
  _lastModified = agent;
  if (IsCSOClient(agent)) PutIntoCSO(paths, modifiers);
  return true;
}

void QIVStateCommand::Advance() { RunTransitions(true); }

QIVDialogState* QIVStateCommand::GetState(const QIVUnicodeString& name) const {
  auto found = _statesByName.find(name.str());
  return found == _statesByName.end() ? nullptr : found->second;
}

bool QIVStateCommand::ReceiveNotification(const QIVNotification& notification) {
  if (_ended || !_current) return false;
  bool wanted = false;
  for (const QIVDialogAgent_var& agent : _current->GetAgents())
    wanted = wanted || (agent->AcceptsNotification(notification) && agent->CanTakeValue());
  if (!wanted) return false;
  if (_dispatcher) {
    _dispatcher->PostNotification(this, notification);
  } else if (OfferNotification(notification)) {
    Advance();
  }
  return true;
}

namespace {
// An agent that an action valued for the state it leads to (a pre-selection)
// counts as valued on entering that state, so the state's guarded
// transitions are tested at once. An agent that was in the state left does
// not count: a state looping on itself waits for new input.
bool HasPresetAgent(const QIVDialogState& left, const QIVDialogState& entered) {
  if (&left == &entered) return false;
  const std::vector<QIVDialogAgent_var>& before = left.GetAgents();
  for (const QIVDialogAgent_var& agent : entered.GetAgents())
    if (agent->IsOutputSet() && std::find(before.begin(), before.end(), agent) == before.end()) return true;
  return false;
}
}  // namespace

void QIVStateCommand::RunTransitions(bool agentValued) {
  bool testAll = agentValued;
  for (int fired = 0; !_ended && _current; ++fired) {
    if (fired == MaxChainedTransitions) {
      const std::string name = GetName().IsEmpty() ? GetImplClassName() : GetName().str();
      QIVTranscript::Current().Record("command " + name + " stopped in state " + _current->GetName().str() +
                                       " after " + std::to_string(MaxChainedTransitions) +
                                       " transitions without input");
      RequestDelayedDestruction();
      return;
    }
    // A state waiting on agents tests its guarded transitions only once an
    // agent got a value; otherwise a guard reading an agent would see the
    // value of an earlier round.
    const bool guardsToo = testAll || !_current->HasAgents();
    const std::vector<QIVDialogTransition*> transitions = _current->GetTransitions();
    const QIVDialogTransition* chosen = nullptr;
    for (const QIVDialogTransition* transition : transitions) {
      if (!guardsToo && transition->GetCondition()) continue;
      const bool holds = transition->IsConditionMet();
      if (_ended) return;
      if (holds) {
        chosen = transition;
        break;
      }
    }
    if (!chosen || !Fire(*chosen)) return;
    testAll = HasPresetAgent(*chosen->GetSource(), *_current);
  }
}

bool QIVStateCommand::Fire(const QIVDialogTransition& transition) {
  QIVStateAction* action = transition.GetAction();
  const bool completed = !action || action->Do();
  if (_ended || !completed) return false;
  for (const QIVDialogAgent_var& agent : transition.GetSource()->GetAgents())
    if (agent->IsOutputSet() && agent->HasBehavior(QIVAgentBehavior::Repeat)) agent->InitializeAcquisition();
  if (transition.EndsCommand()) {
    RequestDelayedDestruction();
    return false;
  }
  _current = transition.GetTarget();
  return true;
}

void QIVStateCommand::PutIntoCSO(const std::vector<QIVPathElement_var>& paths, unsigned modifiers) const {
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor) return;
  QIVCSO* cso = editor->GetCSO();
  if (!(modifiers & QIVPickModifier::Extend)) cso->Empty();
  for (const QIVPathElement_var& path : paths) cso->AddElement(path.get());
}
