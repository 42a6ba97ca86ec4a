#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "QIVCommand.h"
#include "QIVImplementationId.h"
#include "QIVNotification.h"
#include "QIVVar.h"

// Behaviour bits of agents. Other bits are kept and mean nothing here.
namespace QIVAgentBehavior {
// The agent may be valued again while it holds a value, and is re-armed
// after each transition out of a state holding it, so that a state can loop
// on it.
inline constexpr std::uint64_t Repeat = 0x800;
// One pick may give the agent several paths.
inline constexpr std::uint64_t MultiAcquisition = 0x40000;
}  // namespace QIVAgentBehavior

// Waits in the states of a command for an input and holds it as its value.
// A dialog agent is valued by the notifications it accepts
// (AcceptOnNotify); its value is the notification that came.
//
// An agent takes one value per acquisition: once valued it refuses further
// values until re-armed by InitializeAcquisition, unless it repeats.
class QIVDialogAgent : public QIVCommand {
 public:
  explicit QIVDialogAgent(const QIVUnicodeString& name, std::uint64_t behavior = 0, int mode = 0);
  ~QIVDialogAgent() override;

  virtual void InitializeAcquisition();
  virtual void SetBehavior(std::uint64_t behavior) { _behavior = behavior; }
  std::uint64_t GetBehavior() const { return _behavior; }
  bool HasBehavior(std::uint64_t bits) const { return (_behavior & bits) == bits; }
  int GetMode() const { return _mode; }

  // Accepts notifications of `kind` sent by `notifier` (any sender when
  // null). The notifier is only compared, never called.
  void AcceptOnNotify(QIVCommand* notifier, const char* kind);
  bool AcceptsNotification(const QIVNotification& notification) const;
  // Takes the notification as the agent's value; false when the agent
  // does not accept it or holds a value and does not repeat.
  bool ValuateFromNotification(const QIVNotification& notification);

  // Whether the agent holds a value of the current acquisition.
  bool IsOutputSet() const { return _outputSet; }
  // Whether a new value would be taken: not yet valued, or repeating.
  bool CanTakeValue() const { return !_outputSet || HasBehavior(QIVAgentBehavior::Repeat); }
  // The notification that valued the agent last; empty kind when none
  // since the last re-arming.
  const QIVNotification& GetLastNotification() const { return _lastNotification; }

  // Catalogue of the agent's texts: the host's own at level 0.
  virtual const char* GetResourceFilename(int level) const;

  const char* GetImplClassName() const override { return "QIVDialogAgent"; }
  static const QIVIID& ClassId() { return QIVImplementationId<QIVDialogAgent>("QIVDialogAgent"); }

 protected:
  void SetOutputSet(bool set) { _outputSet = set; }

 private:
  std::uint64_t _behavior;
  int _mode;
  bool _outputSet = false;
  QIVNotification _lastNotification;
  std::vector<std::pair<const QIVCommand*, std::string>> _accepted;
};

using QIVDialogAgent_var = QIVVar<QIVDialogAgent>;
