#pragma once

#include <cstdint>

#include "QIVPathElementAgent.h"
#include "QIVStateCommand.h"

// A command that waits for the pick of one fastener, tells the planner about
// it in a box and ends. Its members differ only by the interface the picked
// object must offer and by what they say.
class ZELVekBIWFastenerReportCmd : public QIVStateCommand {
 public:
  ZELVekBIWFastenerReportCmd(const char* className, const QIVUnicodeString& commandName, std::uint64_t behavior,
                             int mode, const char* elementType);
  ~ZELVekBIWFastenerReportCmd() override;

  void BuildGraph() override;
  void Cancel() override;

  const char* GetImplClassName() const override { return _className; }
  const char* GetResourceFilename(int level) const override;

 protected:
  // The message's parameters for the picked fastener; false when there is
  // nothing to say about it.
  virtual bool Describe(const QIVBaseUnknown_var& fastener, QIVUnicodeString (&params)[4], int& count) const = 0;
  virtual const char* MessageDefault() const = 0;
  virtual const char* TitleDefault() const = 0;

 private:
  bool Report(void*);

  const char* _className;
  const char* _elementType;
  QIVPathElementAgent* _fastenerAgent = nullptr;
};
