#pragma once

#include <functional>
#include <string>

#include "QIVDialogAgent.h"

class QIVStateCommand;

// The guard of a transition, evaluated each time the transition is tested.
// A command makes its conditions through the QIVStateCommand helpers and
// owns them; transitions and composed conditions only refer to them.
class QIVStateCondition {
 public:
  QIVStateCondition() = default;
  QIVStateCondition(const QIVStateCondition&) = delete;
  QIVStateCondition& operator=(const QIVStateCondition&) = delete;
  virtual ~QIVStateCondition() = default;

  virtual bool Evaluate() = 0;
  // What is tested, for traces: "OutputSet(AgentName)".
  virtual std::string Describe() const = 0;
};

// A test written as a method of the command.
class QIVMethodCondition : public QIVStateCondition {
 public:
  using Test = std::function<bool()>;

  QIVMethodCondition(Test test, std::string name = "Condition")
      : _test(std::move(test)), _name(std::move(name)) {}

  bool Evaluate() override { return _test && _test(); }
  std::string Describe() const override { return _name; }

 private:
  Test _test;
  std::string _name;
};

// And, Or (both short-circuit, left first) and Not of other conditions. A
// missing operand counts as true, as a transition without condition does.
class QIVLogicalCondition : public QIVStateCondition {
 public:
  enum class Operator { And, Or, Not };

  QIVLogicalCondition(Operator op, QIVStateCondition* left, QIVStateCondition* right = nullptr)
      : _op(op), _left(left), _right(right) {}

  bool Evaluate() override;
  std::string Describe() const override;

 private:
  Operator _op;
  QIVStateCondition* _left;
  QIVStateCondition* _right;
};

// Holds while the agent has a value of its current acquisition.
class QIVOutputSetCondition : public QIVStateCondition {
 public:
  explicit QIVOutputSetCondition(QIVDialogAgent* agent) : _agent(agent) {}

  bool Evaluate() override { return _agent && _agent->IsOutputSet(); }
  std::string Describe() const override;

 private:
  QIVDialogAgent_var _agent;
};

// Holds while the agent is the one of the command valued last and holds a
// value, brought by a notification of `kind` (any kind when empty).
class QIVLastModifiedAgentCondition : public QIVStateCondition {
 public:
  QIVLastModifiedAgentCondition(const QIVStateCommand* command, QIVDialogAgent* agent, std::string kind)
      : _command(command), _agent(agent), _kind(std::move(kind)) {}

  bool Evaluate() override;
  std::string Describe() const override;

 private:
  const QIVStateCommand* _command;
  QIVDialogAgent_var _agent;
  std::string _kind;
};
