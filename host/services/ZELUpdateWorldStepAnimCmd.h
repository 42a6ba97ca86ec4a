#pragma once

#include <cstdint>

#include "ZELTimeBasedSimCmd.h"

// Base of the commands that step a station's simulation world as an
// animation. The step flag says whether the world is stepped once per
// event (1) or only on request (0).
class ZELUpdateWorldStepAnimCmd : public ZELTimeBasedSimCmd {
 public:
  ZELUpdateWorldStepAnimCmd(const QIVUnicodeString& name, std::uint64_t behavior, int mode, int stepFlag)
      : ZELTimeBasedSimCmd(name, behavior, mode), _stepFlag(stepFlag) {}

  int GetStepFlag() const { return _stepFlag; }

  // Leaving the command halts the controller.
  void Desactivate() override;
  // The first activity of the current selection: a picked activity, or the
  // nearest activity on a picked path; empty when there is none.
  QIVBaseUnknown_var WhatIsInCSO() const;

  const char* GetImplClassName() const override { return "ZELUpdateWorldStepAnimCmd"; }

 private:
  int _stepFlag;
};
