#include "QIVDispatcher.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "QIVDelayedDestruction.h"
#include "QIVDictionary.h"
#include "QIVDlgCheckButton.h"
#include "QIVDlgCombo.h"
#include "QIVDlgDialog.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFile.h"
#include "QIVDlgNotify.h"
#include "QIVDlgPushButton.h"
#include "QIVDlgRowList.h"
#include "QIVDlgSpinner.h"
#include "QIVDlgTabContainer.h"
#include "QIVFrmEditor.h"
#include "QIVMultiDocumentCommand.h"
#include "QIVOtherDocumentAgent.h"
#include "QIVTranscript.h"

namespace {
using Action = QIVWidgetEvent::Action;

// Where the target of a widget event is found.
enum class Target { Widget, Dialog, FileBox };

template <class W, class Run>
QIVUserEventResult On(QIVDialog* target, const char* kindName, Run run) {
  if (auto* widget = dynamic_cast<W*>(target)) return run(*widget);
  return QIVUserEventResult::Refused(target->GetPath() + " is not " + kindName);
}

QIVUserEventResult TypeInto(QIVDialog* target, const QIVWidgetEvent& event) {
  if (auto* spinner = dynamic_cast<QIVDlgSpinner*>(target)) {
    double value = 0;
    if (QIVUnicodeString(event.text).ConvertToNum(&value) != 1)
      return QIVUserEventResult::Refused(QIVDialog::Quote(event.text) + " is not a number");
    return spinner->UserSetValue(value);
  }
  return On<QIVDlgEditor>(target, "an editor",
                          [&](QIVDlgEditor& editor) { return editor.UserType(event.text); });
}

struct WidgetAction {
  Action action;
  Target target;
  QIVUserEventResult (*run)(QIVDialog* target, const QIVWidgetEvent& event);
};

const WidgetAction WidgetActions[] = {
    {Action::Type, Target::Widget, &TypeInto},
    {Action::Press, Target::Widget,
     [](QIVDialog* target, const QIVWidgetEvent&) {
       return On<QIVDlgPushButton>(target, "a push button",
                                   [](QIVDlgPushButton& button) { return button.UserPress(); });
     }},
    {Action::PressDialog, Target::Dialog,
     [](QIVDialog* target, const QIVWidgetEvent& event) {
       return On<QIVDlgDialog>(target, "a dialog box", [&](QIVDlgDialog& dialog) {
         return dialog.UserPressButton(event.text.c_str());
       });
     }},
    {Action::Choose, Target::Widget,
     [](QIVDialog* target, const QIVWidgetEvent& event) {
       return On<QIVDlgCombo>(target, "a combo",
                              [&](QIVDlgCombo& combo) { return combo.UserChoose(event.numbers.at(0)); });
     }},
    {Action::Select, Target::Widget,
     [](QIVDialog* target, const QIVWidgetEvent& event) {
       return On<QIVDlgRowList>(target, "a list",
                                [&](QIVDlgRowList& list) { return list.UserSelect(event.numbers); });
     }},
    {Action::Activate, Target::Widget,
     [](QIVDialog* target, const QIVWidgetEvent& event) {
       return On<QIVDlgRowList>(target, "a list",
                                [&](QIVDlgRowList& list) { return list.UserActivate(event.numbers.at(0)); });
     }},
    {Action::Check, Target::Widget,
     [](QIVDialog* target, const QIVWidgetEvent& event) {
       return On<QIVDlgCheckButton>(target, "a check or radio button",
                                    [&](QIVDlgCheckButton& button) { return button.UserCheck(event.on); });
     }},
    {Action::Tab, Target::Widget,
     [](QIVDialog* target, const QIVWidgetEvent& event) {
       return On<QIVDlgTabContainer>(target, "a tab container", [&](QIVDlgTabContainer& tabs) {
         return tabs.UserSelectTab(event.text);
       });
     }},
    {Action::File, Target::FileBox,
     [](QIVDialog* target, const QIVWidgetEvent& event) {
       return On<QIVDlgFile>(target, "a file box",
                             [&](QIVDlgFile& box) { return box.UserChooseFile(event.text); });
     }},
    {Action::FileCancel, Target::FileBox,
     [](QIVDialog* target, const QIVWidgetEvent&) {
       return On<QIVDlgFile>(target, "a file box", [](QIVDlgFile& box) { return box.UserCancelFile(); });
     }},
    {Action::FocusOut, Target::Widget,
     [](QIVDialog* target, const QIVWidgetEvent&) {
       return On<QIVDlgEditor>(target, "an editor",
                               [](QIVDlgEditor& editor) { return editor.UserFocusOut(); });
     }},
};

const WidgetAction* FindWidgetAction(Action action) {
  for (const WidgetAction& entry : WidgetActions)
    if (entry.action == action) return &entry;
  return nullptr;
}

bool NeedsNumber(Action action) { return action == Action::Choose || action == Action::Activate; }

bool Reaches(const QIVCommand* from, const QIVCommand* ancestor) {
  for (const QIVCommand* object = from; object; object = object->GetFather())
    if (object == ancestor) return true;
  return false;
}
}  // namespace

QIVDispatcher::QIVDispatcher()
    : _session(std::make_unique<QIVSession>()), _frame(std::make_unique<QIVApplicationFrame>()) {
  _session->SetListener(&_filer);
}

QIVDispatcher::~QIVDispatcher() {
  QIVSession::Scope scope(*_session);
  CancelAllCommands();
  _released.clear();
  _dialogs.clear();
  _pending.clear();
  _running.clear();
  QIVDelayedDestruction::Flush();
  _frame.reset();
  _session->SetListener(nullptr);
}

void QIVDispatcher::OutcomeFiler::OnModelEvent(const QIVModelEvent& event) {
  if (_dispatcher._modelEventTap) _dispatcher._modelEventTap(event);
  using Kind = QIVModelEvent::Kind;
  if (event.kind == Kind::Edited) return;
  QIVCommandOutcome* outcome = _dispatcher.ActingOutcome();
  if (!outcome || !event.object) return;
  (event.kind == Kind::Created   ? outcome->created
   : event.kind == Kind::Deleted ? outcome->deleted
   : event.kind == Kind::Redrawn ? outcome->redrawn
                                 : outcome->modified)
      .push_back(event.object);
}

void QIVDispatcher::OutcomeFiler::OnBoxShown(const QIVBoxShown& box) {
  if (QIVCommandOutcome* outcome = _dispatcher.ActingOutcome()) outcome->boxes.push_back(box);
}

void QIVDispatcher::OutcomeFiler::OnFigure(const QIVCommandFigure& figure) {
  if (QIVCommandOutcome* outcome = _dispatcher.ActingOutcome()) outcome->figures.push_back(figure);
}

QIVCommandOutcome* QIVDispatcher::ActingOutcome() const {
  if (_acting) return _acting.get();
  for (auto it = _running.rbegin(); it != _running.rend(); ++it)
    if (!it->command->IsEnded()) return it->outcome.get();
  return nullptr;
}

const QIVCommandOutcome* QIVDispatcher::GetLastOutcome() const {
  return _outcomes.empty() ? nullptr : _outcomes.back().get();
}

const QIVCommandOutcome* QIVDispatcher::FindLastOutcome(const std::string& className) const {
  for (auto it = _outcomes.rbegin(); it != _outcomes.rend(); ++it)
    if ((*it)->command == className) return it->get();
  return nullptr;
}

template <class Step>
HRESULT QIVDispatcher::Handle(Step&& step) {
  if (_handling) return step();
  _handling = true;
  HRESULT rc = S_OK;
  try {
    rc = step();
    Settle();
  } catch (const std::exception& thrown) {
    rc = Fail(thrown.what());
  } catch (...) {
    rc = Fail("an unknown exception");
  }
  _handling = false;
  _released.clear();
  QIVDelayedDestruction::Flush();
  return rc;
}

HRESULT QIVDispatcher::Refuse(std::string reason) {
  _lastRefusal = std::move(reason);
  return E_FAIL;
}

HRESULT QIVDispatcher::Fail(const std::string& what) {
  _pending.clear();
  _acting = nullptr;
  Running* failing = nullptr;
  for (auto it = _running.rbegin(); it != _running.rend() && !failing; ++it)
    if (!it->command->IsEnded()) failing = &*it;
  if (!failing) return Refuse("command failed: " + what);
  const std::string reason = "command failed " + failing->className + ": " + what;
  failing->outcome->ending = QIVCommandOutcome::Ending::Failed;
  failing->outcome->failure = what;
  const QIVStateCommand_var command = failing->command;
  std::shared_ptr<QIVCommandOutcome> previous = std::exchange(_acting, failing->outcome);
  try {
    command->Revert();
  } catch (...) {
    // Cancel below is all that is left to do.
  }
  _acting = std::move(previous);
  failing = FindRunning(command.get());
  try {
    if (failing) Cancel(*failing);
  } catch (...) {
    // Its Cancel threw as well: it is ended all the same.
    failing->command->RequestDelayedDestruction();
  }
  try {
    Settle();
  } catch (...) {
    // What the commands below do once it is gone is for the next event.
  }
  return Refuse(reason);
}

HRESULT QIVDispatcher::Deliver(const QIVUserEvent& event) {
  return std::visit([this](const auto& alternative) { return Deliver(alternative); }, event);
}

HRESULT QIVDispatcher::Deliver(const QIVStartEvent& event) {
  QIVSession::Scope scope(*_session);
  _lastRefusal.clear();
  const QIVDictionary::FactoryEntry* entry = QIVDictionary::Instance().FindFactory(event.className);
  if (!entry) return Refuse("no command " + event.className);
  // A factory reads its argument as what it expects, so a text must never
  // reach one that takes an object, nor the other way round.
  const bool takesArgument = entry->factoryWithArgument != nullptr;
  const bool takesObject = takesArgument && entry->argument == QIVFactoryArgument::Object;
  if (!takesArgument && (event.argument || event.object))
    return Refuse(event.className + " takes no argument");
  if (takesObject && event.argument) return Refuse(event.className + " takes an object, not a text");
  if (takesArgument && !takesObject && event.object) return Refuse(event.className + " takes a text, not an object");
  void* argument = event.argument ? const_cast<char*>(event.argument->c_str()) : static_cast<void*>(event.object);
  return StartCommand(event.className, argument);
}

HRESULT QIVDispatcher::Deliver(const QIVPickEvent& event) {
  QIVSession::Scope scope(*_session);
  _lastRefusal.clear();
  QIVStateCommand* command = GetActiveCommand();
  if (!command) return Refuse("no command is running");
  if (event.paths.empty() ||
      std::any_of(event.paths.begin(), event.paths.end(),
                  [](const QIVPathElement_var& path) { return !path || path->IsEmpty(); }))
    return Refuse("nothing picked");
  return Handle([&] {
    std::vector<QIVPathElement_var> accepted;
    QIVPathElementAgent* agent = command->SelectPickAgent(event.paths, accepted);
    if (auto* other = dynamic_cast<QIVOtherDocumentAgent*>(agent)) return PickThrough(*other, event);
    if (!agent || !command->OfferValues(agent, accepted, event.modifiers)) {
      const QIVDialogState* state = command->GetCurrentState();
      return Refuse("no agent of " + GetActiveCommandClass() +
                    (state ? " in state " + state->GetName().str() : std::string()) + " takes " +
                    event.Format());
    }
    command->Advance();
    return S_OK;
  });
}

HRESULT QIVDispatcher::PickThrough(QIVOtherDocumentAgent& agent, const QIVPickEvent& event) {
  const QIVPathElementAgent_var caller(&agent);
  if (const HRESULT started = StartNow(agent.GetPickerClass(), nullptr, &agent); FAILED(started)) return started;
  QIVStateCommand* picker = GetActiveCommand();
  if (!dynamic_cast<QIVMultiDocumentCommand*>(picker)) {
    if (picker) Cancel(_running.back());
    return Refuse(agent.GetPickerClass() + " is not a multi-document command");
  }
  if (!picker->OfferPick(event.paths, event.modifiers)) {
    Cancel(_running.back());
    return Refuse(agent.GetPickerClass() + " takes no " + event.Format());
  }
  // Once the picker has ended, Settle hands its values to the caller's agent.
  picker->Advance();
  return S_OK;
}

HRESULT QIVDispatcher::Deliver(const QIVWidgetEvent& event) {
  QIVSession::Scope scope(*_session);
  _lastRefusal.clear();
  if (!GetActiveCommand()) return Refuse("no command is running");
  const WidgetAction* action = FindWidgetAction(event.action);
  if (!action || (NeedsNumber(event.action) && event.numbers.empty()))
    return Refuse("incomplete event: " + event.Format());
  std::string reason;
  QIVDialog* target = ResolveTarget(event, &reason);
  if (!target) return Refuse(reason);
  QIVBaseUnknown_var keepAlive(target);
  return Handle([&] {
    const QIVUserEventResult result = action->run(target, event);
    return result ? S_OK : Refuse(result.reason);
  });
}

HRESULT QIVDispatcher::Deliver(const QIVCancelEvent&) {
  QIVSession::Scope scope(*_session);
  _lastRefusal.clear();
  if (!GetActiveCommand()) return Refuse("no command is running");
  return Handle([&] {
    Cancel(_running.back());
    return S_OK;
  });
}

HRESULT QIVDispatcher::StartCommand(const std::string& className, void* argument,
                                    QIVPathElementAgent* caller) {
  QIVSession::Scope scope(*_session);
  _lastRefusal.clear();
  if (!QIVDictionary::Instance().FindFactory(className)) return Refuse("no command " + className);
  if (Running* running = FindRunning(className);
      running && running->command->HasBehavior(QIVCommandBehavior::SingleInstance))
    return Refuse(className + " is already running");
  return Handle([&] { return StartNow(className, argument, caller); });
}

HRESULT QIVDispatcher::StartNow(const std::string& className, void* argument, QIVPathElementAgent* caller) {
  QIVBaseUnknown* made = nullptr;
  try {
    made = QIVDictionary::Instance().Create(className, argument);
  } catch (const std::exception& thrown) {
    const std::string reason = "command failed " + className + ": " + thrown.what();
    QIVTranscript::Current().Record(reason);
    return Refuse(reason);
  }
  if (!made) return Refuse(className + " could not be created");
  auto* madeCommand = dynamic_cast<QIVStateCommand*>(made);
  if (auto* dialog = dynamic_cast<QIVDialog*>(made); dialog && !madeCommand) {
    // A dialog started on its own belongs to the window it was made on; the
    // session only keeps it alive and shows it.
    _dialogs.emplace_back(dialog);
    dialog->SetVisibility(QIVDlgShow);
    return S_OK;
  }
  if (!madeCommand) {
    made->Release();
    return Refuse(className + " is not a command");
  }
  QIVStateCommand_var command = QIVStateCommand_var::Adopt(madeCommand);

  if (Running* same = FindRunning(className);
      same && command->HasBehavior(QIVCommandBehavior::ReplaceInstance))
    Cancel(*same);
  if (command->GetMode() != QIVCommandMode::Shared) {
    for (auto it = _running.rbegin(); it != _running.rend(); ++it) Cancel(*it);
  }
  LetEndedCommandsGo();
  if (!_running.empty() && !_running.back().suspended) {
    _running.back().suspended = true;
    _running.back().command->Desactivate();
  }

  if (auto* multi = dynamic_cast<QIVMultiDocumentCommand*>(command.get())) multi->SetCallerAgent(caller);
  auto outcome = std::make_shared<QIVCommandOutcome>();
  outcome->command = className;
  _outcomes.push_back(outcome);
  _running.push_back({command, className, outcome});
  QIVTranscript::Current().Record("command started " + className);
  command->SetDispatcher(this);
  command->BuildGraph();
  command->Activate();
  command->Start();
  return S_OK;
}

void QIVDispatcher::CancelAllCommands() {
  QIVSession::Scope scope(*_session);
  if (_running.empty()) return;
  Handle([&] {
    for (auto it = _running.rbegin(); it != _running.rend(); ++it) Cancel(*it);
    return S_OK;
  });
}

void QIVDispatcher::Cancel(Running& running) {
  QIVStateCommand* command = running.command.get();
  if (command->IsEnded()) return;
  running.cancelled = true;
  // What the command undoes is its own doing.
  std::shared_ptr<QIVCommandOutcome> previous = std::exchange(_acting, running.outcome);
  try {
    command->Cancel();
  } catch (...) {
    _acting = std::move(previous);
    if (!command->IsEnded()) command->RequestDelayedDestruction();
    throw;
  }
  _acting = std::move(previous);
  if (!command->IsEnded()) command->RequestDelayedDestruction();
}

void QIVDispatcher::Settle() {
  // Letting a command go may hand values to its caller, whose transitions
  // may raise notifications or end commands in turn.
  for (;;) {
    const bool answered = QIVDlgNotify::DeliverAnswers();
    const bool drained = DrainNotifications();
    const bool letGo = LetEndedCommandsGo();
    if (!answered && !drained && !letGo) return;
  }
}

bool QIVDispatcher::DrainNotifications() {
  bool handled = false;
  while (!_pending.empty()) {
    Pending pending = std::move(_pending.front());
    _pending.pop_front();
    handled = true;
    QIVStateCommand* command = pending.command.get();
    if (command->IsEnded() || !FindRunning(command)) continue;
    if (command->OfferNotification(pending.notification)) command->Advance();
  }
  return handled;
}

bool QIVDispatcher::LetEndedCommandsGo() {
  struct Returned {
    QIVPathElementAgent_var caller;
    std::vector<QIVPathElement_var> values;
  };
  std::vector<Returned> returned;
  bool any = false;
  for (std::size_t i = _running.size(); i-- > 0;) {
    if (!_running[i].command->IsEnded()) continue;
    any = true;
    Running ended = std::move(_running[i]);
    _running.erase(_running.begin() + static_cast<long>(i));
    QIVCommandOutcome& outcome = *ended.outcome;
    if (outcome.ending == QIVCommandOutcome::Ending::Failed) {
      QIVTranscript::Current().Record("command failed " + ended.className + ": " + outcome.failure);
    } else {
      outcome.ending = ended.cancelled ? QIVCommandOutcome::Ending::Cancelled : QIVCommandOutcome::Ending::Ended;
      QIVTranscript::Current().Record((ended.cancelled ? "command cancelled " : "command ended ") +
                                       ended.className);
    }
    auto* multi = dynamic_cast<QIVMultiDocumentCommand*>(ended.command.get());
    if (multi && !ended.cancelled && multi->GetCallerAgent() && !multi->GetReturnedValues().empty())
      returned.push_back({multi->GetCallerAgent(), multi->GetReturnedValues()});
    _released.push_back(std::move(ended.command));
  }
  if (!any) return false;

  if (!_running.empty() && _running.back().suspended) {
    _running.back().suspended = false;
    _running.back().command->Activate();
  }
  for (const Returned& values : returned) {
    for (Running& running : _running) {
      if (running.command->OfferValues(values.caller.get(), values.values, 0)) {
        running.command->Advance();
        break;
      }
    }
  }
  return true;
}

QIVDispatcher::Running* QIVDispatcher::FindRunning(const QIVStateCommand* command) {
  for (Running& running : _running)
    if (running.command.get() == command) return &running;
  return nullptr;
}

QIVDispatcher::Running* QIVDispatcher::FindRunning(const std::string& className) {
  for (Running& running : _running)
    if (running.className == className && !running.command->IsEnded()) return &running;
  return nullptr;
}

QIVStateCommand* QIVDispatcher::GetActiveCommand() const {
  return _running.empty() ? nullptr : _running.back().command.get();
}

std::string QIVDispatcher::GetActiveCommandClass() const {
  return _running.empty() ? std::string() : _running.back().className;
}

void QIVDispatcher::PostNotification(QIVStateCommand* command, const QIVNotification& notification) {
  QIVSession::Scope scope(*_session);
  if (!command) return;
  _pending.push_back({QIVStateCommand_var(command), notification});
  if (!_handling) Handle([] { return S_OK; });
}

std::vector<QIVDialog*> QIVDispatcher::WindowsOf(const QIVStateCommand* command) const {
  std::vector<QIVDialog*> windows;
  if (!command) return windows;
  for (QIVDialog* window : QIVDialog::VisibleDialogs())
    if (Reaches(window, command)) windows.push_back(window);
  return windows;
}

QIVDialog* QIVDispatcher::FindWidget(const std::string& path, std::string* reason) const {
  QIVSession::Scope scope(*_session);
  const QIVStateCommand* command = GetActiveCommand();
  std::vector<QIVDialog*> found;
  for (QIVDialog* window : WindowsOf(command)) {
    std::string why;
    if (QIVDialog* widget = window->FindWidget(path, &why)) {
      if (std::find(found.begin(), found.end(), widget) == found.end()) found.push_back(widget);
    } else if (why.rfind("no widget", 0) != 0) {
      // Several widgets of one dialog answer the name.
      if (reason) *reason = why;
      return nullptr;
    }
  }
  if (found.size() == 1) return found.front();
  if (reason) {
    if (found.empty()) {
      *reason = "no widget " + QIVDialog::Quote(path) + " in the dialogs of " +
                (command ? GetActiveCommandClass() : std::string("no command"));
    } else {
      *reason = QIVDialog::Quote(path) + " is ambiguous:";
      for (const QIVDialog* widget : found) *reason += " " + widget->GetPath();
    }
  }
  return nullptr;
}

QIVDialog* QIVDispatcher::FindDialog(const std::string& name, std::string* reason) const {
  const std::vector<QIVDialog*> windows = WindowsOf(GetActiveCommand());
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (!dynamic_cast<QIVDlgDialog*>(*it)) continue;
    if (name.empty() || (*it)->GetName().str() == name) return *it;
  }
  if (reason)
    *reason = (name.empty() ? std::string("no dialog") : "no dialog " + QIVDialog::Quote(name)) + " of " +
              GetActiveCommandClass() + " is shown";
  return nullptr;
}

QIVDialog* QIVDispatcher::ResolveTarget(const QIVWidgetEvent& event, std::string* reason) const {
  switch (FindWidgetAction(event.action)->target) {
    case Target::Dialog:
      return FindDialog(event.widget, reason);
    case Target::FileBox: {
      QIVDlgFile* box = QIVDlgFile::WaitingBox();
      if (box && Reaches(box, GetActiveCommand())) return box;
      if (reason) *reason = "no file box of " + GetActiveCommandClass() + " is shown";
      return nullptr;
    }
    case Target::Widget:
      break;
  }
  return FindWidget(event.widget, reason);
}

void QIVDispatcher::OpenDocument(const QIVBaseUnknown_var& document) {
  QIVSession::Scope scope(*_session);
  CancelAllCommands();
  QIVFrmEditor::SetCurrentEditor(QIVMake<QIVFrmEditor>(document).get());
}

void QIVDispatcher::CloseDocument() {
  QIVSession::Scope scope(*_session);
  CancelAllCommands();
  QIVFrmEditor::SetCurrentEditor(nullptr);
}
