#pragma once

#include <functional>
#include <utility>

class QIVDialogAgent;

// Decides whether an agent takes a candidate value: the agent holds the
// candidate while the test runs and gets its previous value back after.
// Made by QIVStateCommand::Filter from a method of the command, which owns
// it.
class QIVAcquisitionFilter {
 public:
  using Test = std::function<bool(QIVDialogAgent* agent)>;

  explicit QIVAcquisitionFilter(Test test) : _test(std::move(test)) {}

  bool Accepts(QIVDialogAgent* agent) const { return !_test || _test(agent); }

 private:
  Test _test;
};
