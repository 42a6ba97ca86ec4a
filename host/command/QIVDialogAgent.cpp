#include "QIVDialogAgent.h"

QIVDialogAgent::QIVDialogAgent(const QIVUnicodeString& name, std::uint64_t behavior, int mode)
    : QIVCommand(nullptr, name), _behavior(behavior), _mode(mode) {}

QIVDialogAgent::~QIVDialogAgent() = default;

void QIVDialogAgent::InitializeAcquisition() {
  _outputSet = false;
  _lastNotification = QIVNotification();
}

void QIVDialogAgent::AcceptOnNotify(QIVCommand* notifier, const char* kind) {
  if (!kind) return;
  for (const auto& [acceptedNotifier, acceptedKind] : _accepted)
    if (acceptedNotifier == notifier && acceptedKind == kind) return;
  _accepted.emplace_back(notifier, kind);
  if (notifier) notifier->AddListenedKind(kind);
}

bool QIVDialogAgent::AcceptsNotification(const QIVNotification& notification) const {
  for (const auto& [notifier, kind] : _accepted)
    if ((!notifier || notifier == notification.sender) && kind == notification.kind) return true;
  return false;
}

bool QIVDialogAgent::ValuateFromNotification(const QIVNotification& notification) {
  if (!AcceptsNotification(notification) || !CanTakeValue()) return false;
  _lastNotification = notification;
  _outputSet = true;
  return true;
}

const char* QIVDialogAgent::GetResourceFilename(int level) const {
  return level == 0 ? "QIVDialogAgent" : nullptr;
}
