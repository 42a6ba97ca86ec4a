#include "QIVPropertyWindowCmd.h"

#include "QIVActivityAnnouncement.h"
#include "QIVCommandDeletion.h"
#include "QIVDictionary.h"
#include "QIVDlgNotify.h"
#include "QIVEditorManager.h"
#include "QIVIRootProperties.h"
#include "QIVISPPActivity.h"
#include "QIVPathElement.h"

namespace {

QIVBaseUnknown* MakeWindow(void* object) {
  return new QIVPropertyWindowCmd(static_cast<QIVBaseUnknown*>(object));
}

int loadCounter = 0;

}  // namespace

void QIVPropertyWindowCmd::Register() {
  QIVFillDictionary(ClassName, &MakeWindow, &loadCounter, QIVFactoryArgument::Object);
}

QIVPropertyWindowCmd::QIVPropertyWindowCmd(QIVBaseUnknown* object)
    : QIVStateCommand(ClassName, QIVCommandBehavior::ReplaceInstance, QIVCommandMode::Exclusive),
      _object(object) {}

QIVPropertyWindowCmd::~QIVPropertyWindowCmd() {
  for (QIVDialogAgent** agent : {&_okAgent, &_applyAgent, &_cancelAgent}) {
    if (*agent) QIVCommandDeletion(*agent);
    *agent = nullptr;
  }
  _pages.clear();
  if (_dialog) QIVCommandDeletion(_dialog);
  _dialog = nullptr;
  _tabs = nullptr;
}

void QIVPropertyWindowCmd::BuildGraph() {
  TakeSnapshot();
  BuildPages();
  QIVDialogState* shown = GetInitialState("PropertiesState");
  if (_pages.empty()) {
    AddTransition(shown, nullptr, nullptr, Action(this, &QIVPropertyWindowCmd::SayNoPages));
    return;
  }
  _okAgent = new QIVDialogAgent("OKAgent");
  _applyAgent = new QIVDialogAgent("ApplyAgent", QIVAgentBehavior::Repeat);
  _cancelAgent = new QIVDialogAgent("CancelAgent");
  _okAgent->AcceptOnNotify(_dialog, QIVDialog::GetDiaOKNotification());
  _applyAgent->AcceptOnNotify(_dialog, QIVDialog::GetDiaAPPLYNotification());
  for (const char* kind : {QIVDialog::GetDiaCANCELNotification(), QIVDialog::GetDiaCLOSENotification(),
                           QIVDialog::GetWindCloseNotification()})
    _cancelAgent->AcceptOnNotify(_dialog, kind);
  shown->AddDialogAgent(_okAgent);
  shown->AddDialogAgent(_applyAgent);
  shown->AddDialogAgent(_cancelAgent);
  AddTransition(shown, shown, IsOutputSetCondition(_applyAgent), Action(this, &QIVPropertyWindowCmd::Apply));
  AddTransition(shown, nullptr, IsOutputSetCondition(_okAgent), Action(this, &QIVPropertyWindowCmd::Accept));
  AddTransition(shown, nullptr, IsOutputSetCondition(_cancelAgent), Action(this, &QIVPropertyWindowCmd::Close));
  _dialog->SetVisibility(QIVDlgShow);
}

void QIVPropertyWindowCmd::TakeSnapshot() {
  QIVISPPActivity_var activity(_object);
  if (!activity) return;
  activity->GetCycleTime(_cycleTime);
  QIVListValQIVUnicodeString names;
  activity->GetAttributeNames(names);
  for (const QIVUnicodeString& name : names) {
    double value = 0.0;
    if (SUCCEEDED(activity->GetAttribute(name, value))) _attributes.emplace_back(name, value);
  }
}

void QIVPropertyWindowCmd::BuildPages() {
  QIVIRootProperties_var properties(_object);
  if (!properties) return;
  QIVListValQIVBaseUnknown_var selection;
  selection.Append(QIVBaseUnknown_var::Adopt(new QIVPathElement(_object.get())));

  QIVISPPActivity_var activity(_object);
  _dialog = new QIVDlgDialog(this, DialogName);
  _dialog->SetTitle("Properties of " + (activity ? activity->GetName().str() : std::string("the object")));
  _tabs = new QIVDlgTabContainer(_dialog, TabsName);
  const QIVVar<QIVEditorManager> manager = QIVMake<QIVEditorManager>();
  for (const QIVUnicodeString& name : properties->GetListOfEditors()) {
    QIVIEditProperties_var editor(manager->CreateEditor(name));
    if (!editor) continue;
    Page page{name, editor, {}, nullptr};
    editor->ExtractFromSelection(page.extracted, &selection);
    if (page.extracted.IsEmpty()) continue;
    page.tab = new QIVDlgTabPage(_tabs, name);
    page.tab->SetTitle(editor->GetEditorTitle());
    auto* frame = new QIVDlgFrame(page.tab, "EditorFrame");
    editor->BuildEditor(frame);
    _pages.push_back(std::move(page));
  }
  FillPages();
}

void QIVPropertyWindowCmd::FillPages() {
  for (Page& page : _pages) page.editor->SetPropertyValue(page.extracted, 0);
  _modified = false;
}

bool QIVPropertyWindowCmd::ReceiveNotification(const QIVNotification& notification) {
  if (notification.Is(QIVNotificationKind::Input)) _modified = true;
  return QIVStateCommand::ReceiveNotification(notification);
}

void QIVPropertyWindowCmd::Commit() {
  if (!_modified) return;
  for (Page& page : _pages) page.editor->CommitModification(page.extracted);
  FillPages();
}

bool QIVPropertyWindowCmd::Apply(void*) {
  Commit();
  return true;
}

bool QIVPropertyWindowCmd::Accept(void*) {
  Commit();
  _restored = true;
  if (_dialog) _dialog->SetVisibility(QIVDlgHide);
  return true;
}

bool QIVPropertyWindowCmd::Restore(void*) {
  if (_restored) return true;
  _restored = true;
  for (Page& page : _pages) page.editor->CancelModification(page.extracted);
  if (_dialog) _dialog->SetVisibility(QIVDlgHide);
  QIVISPPActivity_var activity(_object);
  if (!activity) return true;
  bool changed = false;
  double value = 0.0;
  if (SUCCEEDED(activity->GetCycleTime(value)) && value != _cycleTime) {
    activity->SetCycleTime(_cycleTime);
    changed = true;
  }
  for (const auto& [name, kept] : _attributes) {
    if (SUCCEEDED(activity->GetAttribute(name, value)) && value == kept) continue;
    activity->SetAttribute(name, kept);
    changed = true;
  }
  if (changed) QIVAnnounceActivityModification(_object.get());
  return true;
}

bool QIVPropertyWindowCmd::Close(void*) {
  // Cancel means it; Close and the close box may have been meant as OK.
  if (_modified && !_cancelAgent->GetLastNotification().Is(QIVNotificationKind::Cancel)) {
    QIVISPPActivity_var activity(_object);
    const QIVVar<QIVDlgNotify> box =
        QIVMake<QIVDlgNotify>(_dialog, "Question", QIVDlgNotify::OKCancelButtons);
    const int answer = box->DisplayBlocked(
        "The changes to " + (activity ? "\"" + activity->GetName().str() + "\"" : std::string("the object")) +
            " are not applied. Close the window and discard them?",
        "Properties");
    if (answer == QIVDlgNotify::AnswerCancel) {
      _cancelAgent->InitializeAcquisition();
      return false;
    }
  }
  return Restore(nullptr);
}

bool QIVPropertyWindowCmd::SayNoPages(void*) {
  QIVISPPActivity_var activity(_object);
  const QIVVar<QIVDlgNotify> box = QIVMake<QIVDlgNotify>(nullptr, "Warning", 0x10100200);
  box->DisplayBlocked((activity ? "\"" + activity->GetName().str() + "\"" : std::string("The object")) +
                         " has no property pages to show.",
                     "Properties");
  return true;
}

void QIVPropertyWindowCmd::Cancel() {
  Restore(nullptr);
  QIVStateCommand::Cancel();
}
