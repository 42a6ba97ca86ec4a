#include "QIVCommand.h"

#include <algorithm>
#include <unordered_set>

#include "QIVDelayedDestruction.h"
#include "QIVVar.h"

struct QIVCommand::Binding {
  QIVCallbackId id = 0;
  QIVCommand* notifier = nullptr;
  QIVCommand* subscriber = nullptr;
  std::string kind;
  Callback call;
  bool live = true;
};

namespace {
QIVCallbackId NextCallbackId() {
  static QIVCallbackId last = 0;
  return ++last;
}

template <class Binding>
void EraseDead(std::vector<std::shared_ptr<Binding>>& bindings) {
  std::erase_if(bindings, [](const std::shared_ptr<Binding>& binding) { return !binding->live; });
}
}  // namespace

std::string QIVNotification::Format() const {
  return kind + " from " + (sender ? sender->GetName().str() : std::string("nobody"));
}

QIVCommand::QIVCommand(QIVCommand* father, const QIVUnicodeString& name) : _name(name) { SetFather(father); }

QIVCommand::~QIVCommand() {
  if (_father) _father->RemoveChild(this);
  DetachChildren();

  // Every binding this object takes part in dies; each list elsewhere that
  // held one is purged once.
  std::unordered_set<std::vector<std::shared_ptr<Binding>>*> notifierLists;
  for (const std::shared_ptr<Binding>& binding : _subscriptions) {
    binding->live = false;
    if (binding->notifier != this) notifierLists.insert(&binding->notifier->_bindingsByKind[binding->kind]);
  }
  std::unordered_set<QIVCommand*> subscribers;
  for (auto& [kind, bindings] : _bindingsByKind) {
    for (const std::shared_ptr<Binding>& binding : bindings) {
      binding->live = false;
      if (binding->subscriber != this) subscribers.insert(binding->subscriber);
    }
  }
  for (auto* bindings : notifierLists) EraseDead(*bindings);
  for (QIVCommand* subscriber : subscribers) EraseDead(subscriber->_subscriptions);
}

void QIVCommand::SetFather(QIVCommand* father) {
  if (father == _father || father == this) return;
  if (_father) _father->RemoveChild(this);
  _father = father;
  if (_father) _father->_children.push_back(this);
}

void QIVCommand::RemoveChild(QIVCommand* child) { std::erase(_children, child); }

void QIVCommand::DetachChildren() {
  for (QIVCommand* child : _children) child->_father = nullptr;
  _children.clear();
}

QIVCallbackId QIVCommand::AddCallback(QIVCommand* notifier, const char* kind, Callback callback) {
  if (!notifier || !kind || !callback) return 0;
  auto binding = std::make_shared<Binding>();
  binding->id = NextCallbackId();
  binding->notifier = notifier;
  binding->subscriber = this;
  binding->kind = kind;
  binding->call = std::move(callback);
  notifier->_bindingsByKind[binding->kind].push_back(binding);
  _subscriptions.push_back(binding);
  notifier->AddListenedKind(kind);
  return binding->id;
}

void QIVCommand::RemoveAnalyseNotificationCB(QIVCallbackId id) {
  auto found = std::find_if(_subscriptions.begin(), _subscriptions.end(),
                            [id](const std::shared_ptr<Binding>& binding) { return binding->id == id; });
  if (found == _subscriptions.end()) return;
  std::shared_ptr<Binding> binding = *found;
  DropBinding(binding);
}

void QIVCommand::DropBinding(const std::shared_ptr<Binding>& binding) {
  binding->live = false;
  EraseDead(binding->notifier->_bindingsByKind[binding->kind]);
  EraseDead(binding->subscriber->_subscriptions);
}

int QIVCommand::CountCallbacks(const char* kind) const {
  auto found = _bindingsByKind.find(kind ? kind : "");
  return found == _bindingsByKind.end() ? 0 : static_cast<int>(found->second.size());
}

void QIVCommand::SendNotification(const char* kind) {
  SendNotification(QIVNotification{kind ? kind : "", this});
}

void QIVCommand::SendNotification(const QIVNotification& notification) {
  QIVNotification sent = notification;
  if (!sent.sender) sent.sender = this;
  QIVBaseUnknown_var keepAlive(this);

  // A callback may bind or unbind others while this runs: the ones bound
  // now are called unless removed in the meantime.
  bool analysed = false;
  auto found = _bindingsByKind.find(sent.kind);
  if (found != _bindingsByKind.end()) {
    std::vector<std::shared_ptr<Binding>> bindings = found->second;
    for (const std::shared_ptr<Binding>& binding : bindings) {
      if (!binding->live) continue;
      analysed = true;
      QIVBaseUnknown_var subscriberAlive(binding->subscriber);
      binding->call(sent.sender, sent);
    }
  }
  if (!analysed) SendNotification(_father, sent);
}

void QIVCommand::SendNotification(QIVCommand* target, const QIVNotification& notification) {
  for (QIVCommand* father = target; father;) {
    QIVBaseUnknown_var fatherAlive(father);
    if (father->ReceiveNotification(notification)) break;
    father = father->GetFather();
  }
}

bool QIVCommand::ReceiveNotification(const QIVNotification&) { return false; }

void QIVCommand::RequestDelayedDestruction() {
  if (_destructionRequested) return;
  _destructionRequested = true;
  QIVDelayedDestruction::Queue(this);
}
