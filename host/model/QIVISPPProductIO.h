#pragma once

#include "QIVVar.h"

// Direction of a product input/output of an activity.
enum QIVSPPProductIODirection { QIVSPPProductOutput = 0, QIVSPPProductInput = 1 };

// A product an activity takes in or puts out (a manufactured assembly for
// the outputs of BIW activities).
class QIVISPPProductIO : public QIVInterface<QIVISPPProductIO> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPProductIO";

  // E_FAIL while no product is set.
  virtual HRESULT GetProduct(QIVBaseUnknown_var& product) const = 0;
  // A process item (product or manufactured assembly); an empty handle
  // clears it.
  virtual HRESULT SetProduct(const QIVBaseUnknown_var& product) = 0;
  virtual QIVSPPProductIODirection GetDirection() const = 0;
  virtual HRESULT GetActivity(QIVBaseUnknown_var& activity) const = 0;
};
using QIVISPPProductIO_var = QIVVar<QIVISPPProductIO>;
