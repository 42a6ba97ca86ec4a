#pragma once

#include "QIVStateAction.h"
#include "QIVStateCondition.h"

class QIVDialogState;

// A move from one state to another (or to the end of the command when the
// target is null), taken when its condition holds (always when it has
// none), running its action on the way. The command owns the transition,
// its states, condition and action.
class QIVDialogTransition {
 public:
  QIVDialogTransition(QIVDialogState* source, QIVDialogState* target, QIVStateCondition* condition,
                      QIVStateAction* action)
      : _source(source), _target(target), _condition(condition), _action(action) {}

  QIVDialogState* GetSource() const { return _source; }
  QIVDialogState* GetTarget() const { return _target; }
  QIVStateCondition* GetCondition() const { return _condition; }
  QIVStateAction* GetAction() const { return _action; }
  bool EndsCommand() const { return _target == nullptr; }

  bool IsConditionMet() const { return !_condition || _condition->Evaluate(); }

 private:
  QIVDialogState* _source;
  QIVDialogState* _target;
  QIVStateCondition* _condition;
  QIVStateAction* _action;
};
