#pragma once

#include "QIVISPPItemLink.h"
#include "QIVModelObject.h"

class QIVSPPActivity;

// The link holding an item of an activity; owned by the activity, outside
// the document's index (no id of its own).
class QIVSPPItemLink : public QIVModelObject, public QIVISPPItemLink {
 public:
  QIVSPPItemLink(QIVSPPActivity* activity, QIVModelObject* item, int mode);

  const char* GetKindName() const override { return "ItemLink"; }
  const char* GetImplClassName() const override { return "QIVSPPItemLink"; }

  HRESULT GetItem(QIVBaseUnknown_var& item) const override;
  int GetMode() const override { return _mode; }
  HRESULT SetOptions(int first, int second) override;
  HRESULT GetOptions(int& first, int& second) const override;

  QIVModelObject* Item() const { return _item; }

  void ReleaseLinks() override;
  void ForgetReference(QIVModelObject* target) override;
  void ClearLinks() override;

 private:
  QIVModelObject* _item;
  int _mode;
  int _options[2] = {0, 0};
};
