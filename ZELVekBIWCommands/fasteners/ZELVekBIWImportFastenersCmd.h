#pragma once

#include "QIVStateCommand.h"

// Design fasteners come into the product with the weld import; this command
// reports what the document holds: the number of fasteners by type, in the
// order the types first appear.
class ZELVekBIWImportFastenersCmd : public QIVStateCommand {
 public:
  ZELVekBIWImportFastenersCmd();

  void BuildGraph() override;

  const char* GetImplClassName() const override { return "ZELVekBIWImportFastenersCmd"; }
  const char* GetResourceFilename(int level) const override;

 private:
  bool Report(void*);
};
