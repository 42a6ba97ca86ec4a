#pragma once

#include <vector>

#include "QIVPathElementAgent.h"
#include "QIVStateCommand.h"
#include "QIVUnicodeString.h"
#include "ZELIBIWPointFastener.h"

// Sets the manufacturing position of the selected point fasteners back to a
// reference: their design position ("DesignPosition") or the position the
// plant's repository saved for them ("SavedManufacturingPosition"), the
// mode being the text the host gave the factory. It has no dialog: it waits
// for a selection, resets it and ends. Any other mode does nothing.
class ZELBIWFastenerLocationCmd : public QIVStateCommand {
 public:
  // A null mode is taken as the empty text.
  explicit ZELBIWFastenerLocationCmd(const char* mode);
  ~ZELBIWFastenerLocationCmd() override;

  const char* GetImplClassName() const override { return "ZELBIWFastenerLocationCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  // Puts back the positions this run changed.
  void Revert() override;
  bool ResetPosition(void* data);
  // Left for the planning history; a reset needs nothing recorded.
  void LogModification(const QIVBaseUnknown_var& pointFastener);

  const QIVUnicodeString& GetMode() const { return _mode; }

 private:
  void ResetToDesign();
  void ResetToSaved();
  void SetPosition(const ZELIBIWPointFastener_var& point, const QIVRawColldouble& position);

  struct Previous {
    ZELIBIWPointFastener_var point;
    QIVRawColldouble position;
  };
  std::vector<Previous> _previous;

  QIVPathElementAgent* _pWeldAgent = nullptr;
  QIVUnicodeString _mode;
};
