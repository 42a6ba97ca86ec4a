#include "ZELVekBIWReadWeldSelectDlg.h"

#include <string>

#include "QIVApplicationFrame.h"
#include "QIVDirectory.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgPushButton.h"
#include "QIVFile.h"
#include "QIVMsgCatalog.h"
#include "ZELVekBIWSettingsServices.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELCatalogMessage.h"
#include "frame/ZELVekBIWCommandNumbers.h"

bool ZELVekBIWReadWeldSelectDlg::_bTextOK = false;

namespace {
constexpr const char* kClass = "ZELVekBIWReadWeldSelectDlg";
constexpr int kGridJustification = 30;

const ZELFileSelectionBox::Layout kTextFileBox{
    "Select text file",
    512,
    {{"Text files(*.txt)", "*.txt"}, {"QIVWeld file from Unigraphics import(*.QIVWeld)", "*.QIVWeld"}}};

bool HasWeldFileExtension(const QIVUnicodeString& path) {
  return path.Contains(".txt") || path.Contains(".TXT") || path.Contains(".QIVWeld");
}

void ShowLight(QIVDlgLabel* light, const char* icon) {
  if (light) light->SetIconName(icon, icon, icon, icon);
}

// Reads one physical line and tells whether it holds `marker`, without
// keeping the line: a file that is not text may have no line feed at all.
bool NextPhysicalLineContains(QIVFile& file, const std::string& marker) {
  std::string tail;
  bool found = false;
  for (int c = QIVFGetChar(file); c != EOF && c != '\n'; c = QIVFGetChar(file)) {
    if (found) continue;
    tail.push_back(static_cast<char>(c));
    if (tail.size() > marker.size()) tail.erase(0, 1);
    found = tail == marker;
  }
  return found;
}

}  // namespace

ZELVekBIWReadWeldSelectDlg::ZELVekBIWReadWeldSelectDlg()
    : QIVFrmDialog(QIVApplicationFrame::GetFrame() ? QIVApplicationFrame::GetFrame()->GetMainWindow() : nullptr,
                   kClass, ZELVekBIWStyle::WeldFileDialog) {
  ZELTraceLine(QIVUnicodeString(kClass) + " Constructor");
  SetTitle(QIVMsgCatalog::BuildMessage(kClass, "Title", nullptr, 0, "Read welds from a text file"));
}

ZELVekBIWReadWeldSelectDlg::~ZELVekBIWReadWeldSelectDlg() { ZELTraceLine(QIVUnicodeString(kClass) + " Destructor"); }

void ZELVekBIWReadWeldSelectDlg::Build() {
  ZELTraceScope scope(kClass, "Build");
  _fileBox.Create(this, kTextFileBox, &ZELVekBIWReadWeldSelectDlg::GetTextPath,
                  &ZELVekBIWReadWeldSelectDlg::CloseTextBrowser);

  if (!_pFrameSelection) {
    _pFrameSelection = new QIVDlgFrame(this, "FrameSelectionId");
    _pFrameSelection->SetTitle(QIVMsgCatalog::BuildMessage(kClass, "FrameSelectionId.Title", nullptr, 0,
                                                           "Weld text file"));
    _pLabelIcon = new QIVDlgLabel(_pFrameSelection, "LabelIconTextPathId");
    _pEditorTextPath = new QIVDlgEditor(_pFrameSelection, "EditorTextPathId");
    _pEditorTextPath->SetVisibleTextWidth(20);
    _pButtonText = new QIVDlgPushButton(_pFrameSelection, "ButtonTextId");
    _pButtonText->SetTitle(QIVMsgCatalog::BuildMessage(kClass, "ButtonTextId.Title", nullptr, 0, "Browse..."));
    _pFrameSelection->SetGridConstraints(0, 0, 1, 1, kGridJustification);
    _pLabelIcon->SetGridConstraints(0, 0, 1, 1, kGridJustification);
    _pEditorTextPath->SetGridConstraints(0, 1, 1, 1, kGridJustification);
    _pButtonText->SetGridConstraints(0, 2, 1, 1, kGridJustification);

    _pEditorTextPath->SetInputCallback(&OnEditInputText, _pLabelIcon);
    AddAnalyseNotificationCB(_pButtonText, GetPushBActivateNotification(),
                             &ZELVekBIWReadWeldSelectDlg::OpenSelectTextDlg);
    AddAnalyseNotificationCB(_pEditorTextPath, GetEditSelectNotification(),
                             &ZELVekBIWReadWeldSelectDlg::UpdateTextValidity);
    AddAnalyseNotificationCB(_pEditorTextPath, GetEditFocusOutNotification(),
                             &ZELVekBIWReadWeldSelectDlg::UpdateTextValidity);
  }
  ShowLight(_pLabelIcon, "I_RedLight");

  ZELVekBIWSettingsServices::GetTextDefaultPath(_defaultTextPath);
  ZELVekBIWSettingsServices::GetTextDefaultFileName(_defaultTextFileName);
  _pEditorTextPath->SetText(_defaultTextPath);

  SetOKSensitivity(QIVDlgDisable);
}

QIVUnicodeString ZELVekBIWReadWeldSelectDlg::GetTextFileName() {
  if (_pEditorTextPath) _currentFileName = _pEditorTextPath->GetText();
  return _currentFileName;
}

bool ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(const QIVUnicodeString& path) {
  if (!HasWeldFileExtension(path)) return false;
  QIVFile file;
  if (FAILED(QIVFOpen(path, "r", file))) return false;
  const bool good = NextPhysicalLineContains(file, "TOVASK Welds Spot Generation") &&
                    NextPhysicalLineContains(file, "3.0");
  QIVFClose(file);
  return good;
}

bool ZELVekBIWReadWeldSelectDlg::GoodTextFile(const QIVUnicodeString& path) {
  ZELTraceScope scope(kClass, "GoodTextFile");
  if (IsAGoodTextFile(path)) return true;
  MessageBadText();
  return false;
}

void ZELVekBIWReadWeldSelectDlg::MessageBadText() {
  ZELCatalogMessage{kClass,
                    "ErrorTextDlgMessageId",
                    "The document selected is not a valid text file !!",
                    "ErrorTextDlgTitleId",
                    "WARNING",
                    ZELVekBIWStyle::FileErrorBox,
                    "Name"}
      .Display(this);
}

void ZELVekBIWReadWeldSelectDlg::UpdateOK() { SetOKSensitivity(_bTextOK ? QIVDlgEnable : QIVDlgDisable); }

void ZELVekBIWReadWeldSelectDlg::OpenSelectTextDlg(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OpenSelectTextDlg");
  ZELTraceLine("Open directory");
  QIVDirectory directory;
  if (_pEditorTextPath && SUCCEEDED(QIVOpenDirectory(_pEditorTextPath->GetText(), directory))) {
    ZELTraceLine("Directory OK");
    QIVCloseDirectory(directory);
  } else {
    ZELTraceLine("Bad Directory ");
  }
  // The box starts from the planners' default folder whatever was typed.
  _fileBox.Show(_defaultTextPath);
}

void ZELVekBIWReadWeldSelectDlg::GetTextPath(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "GetTextPath");
  const QIVUnicodeString path = _fileBox.Get()->GetSelection();
  _bTextOK = GoodTextFile(path);
  ShowLight(_pLabelIcon, _bTextOK ? "I_GreenLight" : "I_RedLight");
  _pEditorTextPath->SetText(path);
  UpdateOK();
}

void ZELVekBIWReadWeldSelectDlg::CloseTextBrowser(QIVCommand*, const QIVNotification&, void*) { UpdateOK(); }

void ZELVekBIWReadWeldSelectDlg::UpdateTextValidity(QIVCommand*, const QIVNotification&, void*) {
  OnEditInputText(_pEditorTextPath->GetText(), _pLabelIcon);
  UpdateOK();
}

void OnEditInputText(const QIVUnicodeString& text, void* data) {
  auto* light = static_cast<QIVDlgLabel*>(data);
  ShowLight(light, "I_RedLight");
  ZELVekBIWReadWeldSelectDlg::_bTextOK = false;
  if (!HasWeldFileExtension(text)) return;
  ZELTraceLine("It is a text file");
  if (!ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(text)) return;
  ShowLight(light, "I_GreenLight");
  ZELVekBIWReadWeldSelectDlg::_bTextOK = true;
}
