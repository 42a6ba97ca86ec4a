#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "QIVAcquisitionFilter.h"
#include "QIVDialogAgent.h"
#include "QIVDialogState.h"
#include "QIVDialogTransition.h"
#include "QIVPathElementAgent.h"
#include "QIVStateAction.h"
#include "QIVStateCondition.h"

class QIVDispatcher;

// Behaviour bits of commands, read by the dispatcher when it starts one.
namespace QIVCommandBehavior {
// While a command of the class runs, starting the class again is refused.
inline constexpr std::uint64_t SingleInstance = 0x20;
// Starting the class again cancels the running command of that class.
inline constexpr std::uint64_t ReplaceInstance = 0x40;
}  // namespace QIVCommandBehavior

// Command modes, read by the dispatcher when it starts one.
namespace QIVCommandMode {
// Cancels every running command (any mode other than Shared counts so).
inline constexpr int Exclusive = 0;
// Suspends the running command, which resumes when this one ends.
inline constexpr int Shared = 1;
}  // namespace QIVCommandMode

// An interactive command driven by a graph of states. In BuildGraph the
// command makes its states, puts agents into them, and adds transitions;
// conditions, actions and filters are made with the helpers below from
// methods of the command, which owns them all.
//
// How it runs:
// - Start enters the initial state (the one from GetInitialState, else the
//   first state added).
// - After an input valued an agent of the current state, the state's
//   transitions are tried in the order added and the first whose condition
//   holds fires: its action runs (false keeps the command where it was),
//   agents of the state that repeat are re-armed, and the command moves to
//   the target, or ends when there is none.
// - On entering a state, its transitions without condition are tried at
//   once, and all of them when the state has no agent to wait on. That is
//   how a command made of one unconditional transition runs as it starts.
//   At most MaxChainedTransitions fire in one go; a command going round
//   longer is stopped.
// - Ending (a transition to no state, Cancel, RequestDelayedDestruction)
//   leaves the command to whoever runs it: the dispatcher releases it after
//   the current event; without one, the creator's reference goes to the
//   delayed destruction queue as for any command.
class QIVStateCommand : public QIVDialogAgent {
 public:
  static constexpr int MaxChainedTransitions = 100;

  QIVStateCommand(const QIVUnicodeString& name, std::uint64_t behavior = 0,
                  int mode = QIVCommandMode::Exclusive);
  explicit QIVStateCommand(int mode = QIVCommandMode::Exclusive);
  ~QIVStateCommand() override;

  void RequestDelayedDestruction() override;
  // Ends the command.
  void Cancel() override;
  // Puts the document back as it was before the command; the dispatcher
  // calls it, then Cancel, when an action, condition, agent or callback of
  // the command threw. A command whose Cancel leaves its work in place (as
  // a cancel from outside does) undoes that work here.
  virtual void Revert() {}

  virtual void BuildGraph();
  // The initial state, made with that name on the first call.
  virtual QIVDialogState* GetInitialState(const QIVUnicodeString& name);
  // The state of that name, made on the first call.
  virtual QIVDialogState* AddDialogState(const QIVUnicodeString& name);
  // `to` null ends the command. Transitions of a state are tried in the
  // order added.
  virtual QIVDialogTransition* AddTransition(QIVDialogState* from, QIVDialogState* to,
                                             QIVStateCondition* condition = nullptr,
                                             QIVStateAction* action = nullptr);

  // A method of the command taking the transition's data; undo and redo
  // methods take the type of the action's own.
  template <class U>
  using Method = std::type_identity_t<bool (U::*)(void*)>;

  // Level 0 is this host class; commands answer their own class name there
  // and hand deeper levels on.
  const char* GetResourceFilename(int level) const override;

  template <class T, class U>
  QIVStateAction* Action(T* target, bool (U::*doMethod)(void*), Method<U> undoMethod = nullptr,
                         Method<U> redoMethod = nullptr, void* data = nullptr) {
    U* self = target;
    return Own(_actions,
               std::make_unique<QIVStateAction>(Bind(self, doMethod, data), Bind(self, undoMethod, data),
                                                Bind(self, redoMethod, data)));
  }
  template <class T, class U>
  QIVStateCondition* Condition(T* target, bool (U::*method)(void*), void* data = nullptr) {
    U* self = target;
    return Own(_conditions, std::make_unique<QIVMethodCondition>(Bind(self, method, data)));
  }
  // A filter from a method given the agent and `data`, or `data` alone.
  template <class T, class U, class A>
  QIVAcquisitionFilter* Filter(T* target, bool (U::*method)(A* agent, void* data), void* data = nullptr) {
    static_assert(std::is_base_of_v<QIVDialogAgent, A>, "a filter method takes an agent");
    U* self = target;
    return Own(_filters, std::make_unique<QIVAcquisitionFilter>([self, method, data](QIVDialogAgent* agent) {
                 A* typed = dynamic_cast<A*>(agent);
                 return typed && (self->*method)(typed, data);
               }));
  }
  template <class T, class U>
  QIVAcquisitionFilter* Filter(T* target, bool (U::*method)(void*), void* data = nullptr) {
    U* self = target;
    return Own(_filters, std::make_unique<QIVAcquisitionFilter>(
                             [test = Bind(self, method, data)](QIVDialogAgent*) { return test(); }));
  }

  QIVStateCondition* AndCondition(QIVStateCondition* left, QIVStateCondition* right);
  QIVStateCondition* OrCondition(QIVStateCondition* left, QIVStateCondition* right);
  QIVStateCondition* NotCondition(QIVStateCondition* condition);
  QIVStateCondition* IsOutputSetCondition(QIVDialogAgent* agent);
  // The agent was valued last, by a notification of `kind` when given.
  QIVStateCondition* IsLastModifiedAgentCondition(QIVDialogAgent* agent, const char* kind = nullptr);

  // Paths the agent takes from a pick become the editor's current selection
  // (added to it when the pick extends the selection).
  void AddCSOClient(QIVDialogAgent* agent);
  bool IsCSOClient(const QIVDialogAgent* agent) const { return _csoClients.count(agent) != 0; }

  // Running the command (the dispatcher does; tests may).
  void SetDispatcher(QIVDispatcher* dispatcher) { _dispatcher = dispatcher; }
  QIVDispatcher* GetDispatcher() const { return _dispatcher; }
  void Start();
  bool IsStarted() const { return _started; }
  bool IsEnded() const { return _ended; }
  // Values the agents of the current state that accept the notification;
  // true when one took it.
  bool OfferNotification(const QIVNotification& notification);
  // The first path-element agent of the current state that takes some of
  // the paths takes them; null when none does, and nothing changed.
  QIVPathElementAgent* OfferPick(const std::vector<QIVPathElement_var>& paths, unsigned modifiers);
  // The agent OfferPick would give the pick to, with the paths it would
  // take; null when none would. Nothing changes.
  QIVPathElementAgent* SelectPickAgent(const std::vector<QIVPathElement_var>& paths,
                                       std::vector<QIVPathElement_var>& accepted) const;
  // Values `agent` with paths obtained for it elsewhere (returned by a
  // command it started); false when the agent cannot take them now.
  bool OfferValues(QIVPathElementAgent* agent, const std::vector<QIVPathElement_var>& paths,
                   unsigned modifiers);
  // Tries the transitions of the current state after an agent was valued.
  void Advance();

  QIVDialogState* GetCurrentState() const { return _current; }
  QIVDialogState* GetState(const QIVUnicodeString& name) const;
  QIVDialogAgent* GetLastModifiedAgent() const { return _lastModified; }

  // Notifications of the command's dialogs: taken when an agent of the
  // current state accepts them, handled at once or, while the dispatcher
  // handles an event, after it.
  bool ReceiveNotification(const QIVNotification& notification) override;

  const char* GetImplClassName() const override { return "QIVStateCommand"; }
  static const QIVIID& ClassId() { return QIVImplementationId<QIVStateCommand>("QIVStateCommand"); }

 private:
  template <class U>
  static QIVStateAction::Step Bind(U* self, bool (U::*method)(void*), void* data) {
    if (!method) return nullptr;
    return [self, method, data] { return (self->*method)(data); };
  }
  template <class Kind, class Made>
  Made* Own(std::vector<std::unique_ptr<Kind>>& store, std::unique_ptr<Made> made) {
    Made* raw = made.get();
    store.push_back(std::move(made));
    return raw;
  }

  void RunTransitions(bool agentValued);
  // Fires the transition; true when the command moved on to a state.
  bool Fire(const QIVDialogTransition& transition);
  void PutIntoCSO(const std::vector<QIVPathElement_var>& paths, unsigned modifiers) const;

  std::vector<std::unique_ptr<QIVDialogState>> _states;
  std::unordered_map<std::string, QIVDialogState*> _statesByName;
  std::vector<std::unique_ptr<QIVDialogTransition>> _transitions;
  std::vector<std::unique_ptr<QIVStateCondition>> _conditions;
  std::vector<std::unique_ptr<QIVStateAction>> _actions;
  std::vector<std::unique_ptr<QIVAcquisitionFilter>> _filters;
  std::unordered_set<const QIVDialogAgent*> _csoClients;

  QIVDialogState* _initial = nullptr;
  QIVDialogState* _current = nullptr;
  QIVDialogAgent* _lastModified = nullptr;
  QIVDispatcher* _dispatcher = nullptr;
  bool _started = false;
  bool _ended = false;
};

using QIVStateCommand_var = QIVVar<QIVStateCommand>;
