#pragma once

#include "QIVISPPProductIO.h"
#include "QIVModelObject.h"

class QIVSPPActivity;

// A product input or output of an activity; owned by the activity, outside
// the document's index.
class QIVSPPProductIO : public QIVModelObject, public QIVISPPProductIO {
 public:
  QIVSPPProductIO(QIVSPPActivity* activity, QIVSPPProductIODirection direction);

  const char* GetKindName() const override { return "ProductIO"; }
  const char* GetImplClassName() const override { return "QIVSPPProductIO"; }

  HRESULT GetProduct(QIVBaseUnknown_var& product) const override;
  HRESULT SetProduct(const QIVBaseUnknown_var& product) override;
  QIVSPPProductIODirection GetDirection() const override { return _direction; }
  HRESULT GetActivity(QIVBaseUnknown_var& activity) const override;

  void ReleaseLinks() override;
  void ForgetReference(QIVModelObject* target) override;
  void ClearLinks() override;

 private:
  QIVSPPProductIODirection _direction;
  QIVModelObject* _product = nullptr;
};
