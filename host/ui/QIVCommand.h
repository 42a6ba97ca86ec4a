#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "QIVBaseUnknown.h"
#include "QIVNotification.h"
#include "QIVUnicodeString.h"

// Identifies one callback binding, for removing it early.
using QIVCallbackId = unsigned long;

// The base of everything that takes part in the notification flow:
// commands, dialogs and widgets.
//
// An object has a father (or none). When it emits a notification, the
// callbacks bound on (this object, kind) run in binding order, whoever bound
// them, and the notification counts as analysed. A notification that no
// callback analysed climbs the father chain instead, each father being
// offered it through ReceiveNotification until one consumes it. A callback
// that wants the father to hear an analysed notification forwards it with
// SendNotification(GetFather(), notification).
//
// The father link does not own: a father being destroyed leaves its
// children without a father. Callbacks are removed when either their
// subscriber or their notifier is destroyed.
class QIVCommand : public virtual QIVBaseUnknown {
 public:
  using Callback = std::function<void(QIVCommand* sender, const QIVNotification& notification)>;

  explicit QIVCommand(QIVCommand* father = nullptr, const QIVUnicodeString& name = QIVUnicodeString());
  ~QIVCommand() override;

  const QIVUnicodeString& GetName() const { return _name; }
  QIVCommand* GetFather() const { return _father; }
  void SetFather(QIVCommand* father);
  // The objects whose father this is, in the order they were attached.
  const std::vector<QIVCommand*>& GetChildren() const { return _children; }

  // Binds `method` of this object to the notifications of kind `kind` that
  // `notifier` emits; `data` is handed back on each call.
  template <class T>
  QIVCallbackId AddAnalyseNotificationCB(QIVCommand* notifier, const char* kind,
                                         void (T::*method)(QIVCommand* sender,
                                                           const QIVNotification& notification, void* data),
                                         void* data = nullptr) {
    T* self = dynamic_cast<T*>(this);
    if (!self || !method) return 0;
    return AddCallback(notifier, kind,
                       [self, method, data](QIVCommand* sender, const QIVNotification& notification) {
                         (self->*method)(sender, notification, data);
                       });
  }
  // The same with any callable; this object is the subscriber whose
  // destruction removes the binding.
  QIVCallbackId AddCallback(QIVCommand* notifier, const char* kind, Callback callback);
  void RemoveAnalyseNotificationCB(QIVCallbackId id);
  // Number of callbacks bound on (this object, kind).
  int CountCallbacks(const char* kind) const;
  // Told when a callback or a command's agent starts listening for this
  // object's notifications of `kind`: a dialog has the standard buttons
  // whose notifications are listened for.
  virtual void AddListenedKind(const char* /*kind*/) {}

  // Emits a notification from this object: its callbacks, or when none is
  // bound, the father chain. The sender is set to this object when empty.
  void SendNotification(const QIVNotification& notification);
  void SendNotification(const char* kind);
  // Offers a notification to `target` and, unless consumed, to the fathers
  // above it; no callback runs.
  static void SendNotification(QIVCommand* target, const QIVNotification& notification);

  // Offered the notifications coming up from the children; returns true to
  // stop them there.
  virtual bool ReceiveNotification(const QIVNotification& notification);

  virtual void Activate() {}
  virtual void Desactivate() {}
  virtual void Cancel() {}

  // Marks the object and hands one reference (the owner's) to the delayed
  // destruction queue, released at the next QIVDelayedDestruction::Flush.
  // Asking twice hands over the reference once.
  virtual void RequestDelayedDestruction();
  bool IsDestructionRequested() const { return _destructionRequested; }

  const char* GetImplClassName() const override { return "QIVCommand"; }

 protected:
  // Leaves every child without a father at once; a container being
  // destroyed calls it before releasing the children it owns.
  void DetachChildren();

 private:
  struct Binding;

  void RemoveChild(QIVCommand* child);
  void DropBinding(const std::shared_ptr<Binding>& binding);

  QIVUnicodeString _name;
  QIVCommand* _father = nullptr;
  std::vector<QIVCommand*> _children;
  bool _destructionRequested = false;
  // Bindings on this object as notifier, by kind, in binding order.
  std::unordered_map<std::string, std::vector<std::shared_ptr<Binding>>> _bindingsByKind;
  // Bindings this object subscribed, wherever they are bound.
  std::vector<std::shared_ptr<Binding>> _subscriptions;
};
