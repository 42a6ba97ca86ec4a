#pragma once

#include "QIVStateCommand.h"

// Removes the identifier displays the fastener identifier dialog made, and
// ends.
class ZELRemoveFastenerIDCmd : public QIVStateCommand {
 public:
  ZELRemoveFastenerIDCmd();

  const char* GetImplClassName() const override { return "ZELRemoveFastenerIDCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  bool RemoveFastenerDisplay(void* data);
};
