#include "QIVStateCondition.h"

#include "QIVStateCommand.h"

namespace {
bool Holds(QIVStateCondition* condition) { return !condition || condition->Evaluate(); }

std::string DescribeOperand(const QIVStateCondition* condition) {
  return condition ? condition->Describe() : std::string("true");
}

std::string AgentName(const QIVDialogAgent_var& agent) {
  return agent ? agent->GetName().str() : std::string("none");
}
}  // namespace

bool QIVLogicalCondition::Evaluate() {
  switch (_op) {
    case Operator::And:
      return Holds(_left) && Holds(_right);
    case Operator::Or:
      return Holds(_left) || Holds(_right);
    case Operator::Not:
      return !Holds(_left);
  }
  return false;
}

std::string QIVLogicalCondition::Describe() const {
  switch (_op) {
    case Operator::And:
      return "(" + DescribeOperand(_left) + " and " + DescribeOperand(_right) + ")";
    case Operator::Or:
      return "(" + DescribeOperand(_left) + " or " + DescribeOperand(_right) + ")";
    case Operator::Not:
      return "not " + DescribeOperand(_left);
  }
  return std::string();
}

std::string QIVOutputSetCondition::Describe() const { return "OutputSet(" + AgentName(_agent) + ")"; }

bool QIVLastModifiedAgentCondition::Evaluate() {
  if (!_command || !_agent || !_agent->IsOutputSet()) return false;
  if (_command->GetLastModifiedAgent() != _agent.get()) return false;
  return _kind.empty() || _agent->GetLastNotification().kind == _kind;
}

std::string QIVLastModifiedAgentCondition::Describe() const {
  return "LastModified(" + AgentName(_agent) + (_kind.empty() ? "" : ", " + _kind) + ")";
}
