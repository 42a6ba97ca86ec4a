#pragma once

#include <vector>

#include "QIVStateCommand.h"

// A command another command starts to obtain objects, which the user may
// pick in any document window. It hands its result back with ReturnValues
// before it ends; the dispatcher then values the caller's agent with it, as
// if the caller's agent had been picked.
class QIVMultiDocumentCommand : public QIVStateCommand {
 public:
  explicit QIVMultiDocumentCommand(int mode = QIVCommandMode::Shared);
  ~QIVMultiDocumentCommand() override;

  // The agent of the starting command that waits for the result.
  void SetCallerAgent(QIVPathElementAgent* caller) { _caller = caller; }
  QIVPathElementAgent* GetCallerAgent() const { return _caller.get(); }

  void ReturnValues(const QIVListValQIVPathElement_var& values);
  const std::vector<QIVPathElement_var>& GetReturnedValues() const { return _returned; }

  const char* GetImplClassName() const override { return "QIVMultiDocumentCommand"; }

 private:
  QIVPathElementAgent_var _caller;
  std::vector<QIVPathElement_var> _returned;
};
