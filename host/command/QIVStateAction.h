#pragma once

#include <functional>
#include <utility>

// What a transition does when it fires: a method of the command answering
// whether the transition completes, with optional undo and redo methods.
// A command makes its actions through QIVStateCommand::Action and owns
// them.
class QIVStateAction {
 public:
  using Step = std::function<bool()>;

  explicit QIVStateAction(Step doStep, Step undoStep = nullptr, Step redoStep = nullptr)
      : _do(std::move(doStep)), _undo(std::move(undoStep)), _redo(std::move(redoStep)) {}
  QIVStateAction(const QIVStateAction&) = delete;
  QIVStateAction& operator=(const QIVStateAction&) = delete;

  // False stops the transition: the command stays in the state it was in.
  bool Do() { return !_do || _do(); }
  bool Undo() { return !_undo || _undo(); }
  bool Redo() { return !_redo || _redo(); }
  bool CanUndo() const { return static_cast<bool>(_undo); }

 private:
  Step _do;
  Step _undo;
  Step _redo;
};
