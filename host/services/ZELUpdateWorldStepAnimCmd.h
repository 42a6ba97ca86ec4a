#pragma once

#include <cstdint>

#include "QIVStateCommand.h"

// Base of the commands that step a station's simulation world as an
// animation. The step flag says whether the world is stepped once per
// event (1) or only on request (0).
class ZELUpdateWorldStepAnimCmd : public QIVStateCommand {
 public:
  ZELUpdateWorldStepAnimCmd(const QIVUnicodeString& name, std::uint64_t behavior, int mode, int stepFlag)
      : QIVStateCommand(name, behavior, mode), _stepFlag(stepFlag) {}

  int GetStepFlag() const { return _stepFlag; }

  const char* GetImplClassName() const override { return "ZELUpdateWorldStepAnimCmd"; }

 private:
  int _stepFlag;
};
