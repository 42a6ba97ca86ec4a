#pragma once

#include <functional>

#include "QIVSPPActivityNotification.h"

// Offered by process roots: views listen, editors dispatch.
class QIVISPPActivityModificationEvents : public QIVInterface<QIVISPPActivityModificationEvents> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPActivityModificationEvents";
  using Listener = std::function<void(const QIVSPPActivityNotification&)>;

  // Calls every listener, in the order they were added.
  virtual HRESULT Dispatch(const QIVSPPActivityNotification& notification) = 0;
  // Returns a key for RemoveListener.
  virtual int AddListener(Listener listener) = 0;
  virtual HRESULT RemoveListener(int key) = 0;
};
using QIVISPPActivityModificationEvents_var = QIVVar<QIVISPPActivityModificationEvents>;
