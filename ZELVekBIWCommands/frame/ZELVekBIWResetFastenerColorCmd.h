#pragma once

#include "QIVListVal.h"
#include "QIVStateCommand.h"

// Gives every fastener of the document its default colour back, then ends.
class ZELVekBIWResetFastenerColorCmd : public QIVStateCommand {
 public:
  ZELVekBIWResetFastenerColorCmd();
  ~ZELVekBIWResetFastenerColorCmd() override;

  void BuildGraph() override;
  bool Do(void* data);

  // Restores the colour of every fastener of the list and releases every
  // entry, fastener or not, leaving the list's slots null.
  static void RestoreColors(_SEQUENCE_QIVBaseUnknown_ptr& fasteners);

  const char* GetImplClassName() const override { return "ZELVekBIWResetFastenerColorCmd"; }
  const char* GetResourceFilename(int level) const override;
};
