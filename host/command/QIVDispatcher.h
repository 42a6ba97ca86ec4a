#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QIVApplicationFrame.h"
#include "QIVCommandOutcome.h"
#include "QIVDialog.h"
#include "QIVNotification.h"
#include "QIVSession.h"
#include "QIVStateCommand.h"
#include "QIVStatus.h"
#include "QIVUserEvent.h"

class QIVOtherDocumentAgent;

// A session's event dispatch: it owns the session, starts commands, keeps
// the running ones, and delivers each user event to the command on top.
// While it handles a call its session is the current one, so dispatchers
// of several sessions may live side by side.
//
// Starting a command (by the class name of its factory): a running command
// of that class with the SingleInstance behaviour refuses the start; with
// ReplaceInstance the running one is cancelled. An exclusive command
// cancels every running command; a shared one suspends the one on top
// (Desactivate), which resumes (Activate) when it ends. The command's graph
// is built, it is activated and enters its initial state. A factory that
// makes a dialog rather than a command has its dialog shown, and kept for
// the session.
//
// An event is handled in this order:
// 1. a pick is taken by the first path-element agent of the current state
//    that accepts some of the paths (an other-document agent has it go
//    through its picker command, which hands the values back in step 4); a
//    widget event runs the widget's user entry point, whose notifications
//    reach the agents through the command;
// 2. the command's transitions are tried (after the pick; after each
//    notification an agent took);
// 3. notifications raised meanwhile are handled, oldest first, each with
//    its own transitions;
// 4. commands that ended are let go (the one below resumes; a command
//    that returned values hands them to its caller's agent), then the
//    delayed destructions are flushed.
// A refused event (no command running, unknown or insensitive widget,
// nothing takes the pick) answers E_FAIL with a reason and changes nothing.
//
// The failure boundary: what an action, condition, agent or callback throws
// while an event is handled or a command starts stops at the dispatcher.
// The command that was acting is cancelled through its own Cancel, so the
// document is as before it, the event answers E_FAIL with the reason
// "command failed CLASS: WHAT", and the session goes on.
//
// Each run of a command yields its outcome (QIVCommandOutcome): the model
// events and boxes raised while it acts are filed in it.
//
// Transcript lines: "command started CLASS", "command ended CLASS" when
// the command ended itself, "command cancelled CLASS" when it was
// cancelled, "command failed CLASS: WHAT" when it threw.
class QIVDispatcher {
 public:
  QIVDispatcher();
  QIVDispatcher(const QIVDispatcher&) = delete;
  QIVDispatcher& operator=(const QIVDispatcher&) = delete;
  // Cancels the commands still running.
  ~QIVDispatcher();

  HRESULT Deliver(const QIVUserEvent& event);
  HRESULT Deliver(const QIVStartEvent& event);
  HRESULT Deliver(const QIVPickEvent& event);
  HRESULT Deliver(const QIVWidgetEvent& event);
  HRESULT Deliver(const QIVCancelEvent& event);

  // `caller` is the agent that waits for the values of a multi-document
  // command.
  HRESULT StartCommand(const std::string& className, void* argument = nullptr,
                       QIVPathElementAgent* caller = nullptr);
  void CancelAllCommands();

  // Why the last refused event was refused; empty after a success.
  const std::string& GetLastRefusal() const { return _lastRefusal; }

  QIVStateCommand* GetActiveCommand() const;
  std::string GetActiveCommandClass() const;
  int GetCommandCount() const { return static_cast<int>(_running.size()); }

  // The outcome of the command started last (running or not), null before
  // the first start; that of the last run of a class.
  const QIVCommandOutcome* GetLastOutcome() const;
  const QIVCommandOutcome* FindLastOutcome(const std::string& className) const;

  // The widget a user event would name, in the shown dialogs of the command
  // on top; null with the reason when none or several match.
  QIVDialog* FindWidget(const std::string& path, std::string* reason = nullptr) const;

  // Opens a document in a new editor, which becomes the current one.
  void OpenDocument(const QIVBaseUnknown_var& document);
  // Cancels the running commands and closes the current editor.
  void CloseDocument();

  QIVApplicationFrame& GetApplicationFrame() { return *_frame; }
  QIVSession& GetSession() { return *_session; }

  // Hands every model event of the session (created, modified, deleted,
  // redrawn) to `tap` as well as to the outcome of the command acting; a
  // front end learns from it what to refresh after an event.
  void SetModelEventTap(std::function<void(const QIVModelEvent&)> tap) { _modelEventTap = std::move(tap); }

  // A notification a command took while an event is handled waits until
  // the event's own step is done; outside an event it is handled at once.
  void PostNotification(QIVStateCommand* command, const QIVNotification& notification);

 private:
  struct Running {
    QIVStateCommand_var command;
    std::string className;
    std::shared_ptr<QIVCommandOutcome> outcome;
    bool suspended = false;
    bool cancelled = false;
  };
  // Files the session's events in the outcome of the command acting.
  class OutcomeFiler : public QIVSessionListener {
   public:
    explicit OutcomeFiler(QIVDispatcher& dispatcher) : _dispatcher(dispatcher) {}
    void OnModelEvent(const QIVModelEvent& event) override;
    void OnBoxShown(const QIVBoxShown& box) override;
    void OnFigure(const QIVCommandFigure& figure) override;

   private:
    QIVDispatcher& _dispatcher;
  };
  struct Pending {
    QIVStateCommand_var command;
    QIVNotification notification;
  };

  template <class Step>
  HRESULT Handle(Step&& step);
  HRESULT Refuse(std::string reason);
  // Cancels the command that threw `what` and answers the failure.
  HRESULT Fail(const std::string& what);
  QIVCommandOutcome* ActingOutcome() const;
  HRESULT StartNow(const std::string& className, void* argument, QIVPathElementAgent* caller);
  // Starts the agent's picker command and hands it the pick.
  HRESULT PickThrough(QIVOtherDocumentAgent& agent, const QIVPickEvent& event);
  void Cancel(Running& running);
  void Settle();
  bool DrainNotifications();
  bool LetEndedCommandsGo();
  Running* FindRunning(const QIVStateCommand* command);
  Running* FindRunning(const std::string& className);
  std::vector<QIVDialog*> WindowsOf(const QIVStateCommand* command) const;
  QIVDialog* FindDialog(const std::string& name, std::string* reason) const;
  QIVDialog* ResolveTarget(const QIVWidgetEvent& event, std::string* reason) const;

  // Declared first: everything below goes while the session still lives.
  std::unique_ptr<QIVSession> _session;
  std::unique_ptr<QIVApplicationFrame> _frame;
  std::vector<Running> _running;
  std::deque<Pending> _pending;
  // Commands let go during an event, released when it is over: one may
  // still be on the call stack.
  std::vector<QIVStateCommand_var> _released;
  // Dialogs started by their own factory, kept for the session.
  std::vector<QIVVar<QIVDialog>> _dialogs;
  std::string _lastRefusal;
  bool _handling = false;
  OutcomeFiler _filer{*this};
  std::vector<std::shared_ptr<QIVCommandOutcome>> _outcomes;
  // The outcome of a command being cancelled, which acts meanwhile.
  std::shared_ptr<QIVCommandOutcome> _acting;
  std::function<void(const QIVModelEvent&)> _modelEventTap;
};
