#pragma once

#include "QIVMultiDocumentCommand.h"

// Lets the planner pick activities, in any document window, for the
// command that started it (the reallocation's destination): the picked
// activities go back to that command and this one ends.
class ZELVekBIWSelectActivityMultiCmd : public QIVMultiDocumentCommand {
 public:
  ZELVekBIWSelectActivityMultiCmd();
  ~ZELVekBIWSelectActivityMultiCmd() override;

  const char* GetImplClassName() const override { return "ZELVekBIWSelectActivityMultiCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Cancel() override;
  bool WhenActivitySelected(void* data);

 private:
  QIVPathElementAgent* _pActivityAgent = nullptr;
};
