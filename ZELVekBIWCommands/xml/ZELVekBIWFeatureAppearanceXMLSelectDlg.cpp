#include "ZELVekBIWFeatureAppearanceXMLSelectDlg.h"

#include "QIVApplicationFrame.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgPushButton.h"
#include "QIVFile.h"
#include "QIVMsgCatalog.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELCatalogMessage.h"
#include "frame/ZELEnvironmentSwitches.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWFeatureAppearanceXMLSelectDlg";
constexpr int kGridJustification = 30;

const ZELFileSelectionBox::Layout kXMLFileBox{"Select XML files", 512, {{"XML files(*.xml)", "*.xml"}}};

// The widgets of each row, and the file the "ADL_ODT_IN" folder holds for it.
struct RowLayout {
  const char* label;
  const char* labelDefault;
  const char* light;
  const char* editor;
  const char* button;
  const char* recordedFile;
};
constexpr RowLayout kRowLayouts[2] = {{"LabelFormatID", "Style format", "LabelIconTextPathId1",
                                       "EditorTextPathId1", "ButtonTextId1", "StyleFormat.xml"},
                                      {"LabelGraphicID", "Appearance rules", "LabelIconTextPathId2",
                                       "EditorTextPathId2", "ButtonTextId2", "Graphic.xml"}};

// The folder of recorded appearance files under the "ADL_ODT_IN" folder.
constexpr const char* kRecordFolder = "ZELVekBIWFeatureAppearanceRec.rec";

bool HasXMLExtension(const QIVUnicodeString& path) { return path.Contains(".xml") || path.Contains(".XML"); }

void ShowLight(QIVDlgLabel* light, const char* icon) {
  if (light) light->SetIconName(icon, icon, icon, icon);
}

QIVUnicodeString CatalogText(const char* key, const char* defaultText) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, defaultText);
}
}  // namespace

ZELVekBIWFeatureAppearanceXMLSelectDlg::ZELVekBIWFeatureAppearanceXMLSelectDlg()
    : QIVFrmDialog(
          QIVApplicationFrame::GetFrame() ? QIVApplicationFrame::GetFrame()->GetMainWindow() : nullptr,
          kClass, ZELVekBIWStyle::WeldFileDialog) {
  SetTitle(CatalogText("Title", "Feature appearance"));
}

ZELVekBIWFeatureAppearanceXMLSelectDlg::~ZELVekBIWFeatureAppearanceXMLSelectDlg() = default;

void ZELVekBIWFeatureAppearanceXMLSelectDlg::Build() {
  ZELTraceScope scope(kClass, "Build");
  _fileBoxes[0].Create(this, kXMLFileBox, &ZELVekBIWFeatureAppearanceXMLSelectDlg::GetXMLPathFormat,
                       &ZELVekBIWFeatureAppearanceXMLSelectDlg::CloseXMLBrowser);
  _fileBoxes[1].Create(this, kXMLFileBox, &ZELVekBIWFeatureAppearanceXMLSelectDlg::GetXMLPathGraphic,
                       &ZELVekBIWFeatureAppearanceXMLSelectDlg::CloseXMLBrowser);
  if (!_pFrameSelection) {
    _pFrameSelection = new QIVDlgFrame(this, "FrameSelectionId");
    _pFrameSelection->SetTitle(CatalogText("FrameSelectionId.Title", "Feature appearance files"));
    _pFrameSelection->SetGridConstraints(0, 0, 1, 1, kGridJustification);
    for (int index = 0; index < 2; ++index) {
      const RowLayout& layout = kRowLayouts[index];
      Row& row = _rows[index];
      auto* label = new QIVDlgLabel(_pFrameSelection, layout.label);
      label->SetTitle(CatalogText((std::string(layout.label) + ".Title").c_str(), layout.labelDefault));
      row.light = new QIVDlgLabel(_pFrameSelection, layout.light);
      row.editor = new QIVDlgEditor(_pFrameSelection, layout.editor);
      row.editor->SetVisibleTextWidth(20);
      row.button = new QIVDlgPushButton(_pFrameSelection, layout.button);
      row.button->SetTitle(CatalogText("ButtonTextId.Title", "Browse..."));
      label->SetGridConstraints(index, 0, 1, 1, kGridJustification);
      row.light->SetGridConstraints(index, 1, 1, 1, kGridJustification);
      row.editor->SetGridConstraints(index, 2, 1, 1, kGridJustification);
      row.button->SetGridConstraints(index, 3, 1, 1, kGridJustification);
      row.editor->SetInputCallback(&OnEditInputXML, &row);
      AddAnalyseNotificationCB(row.editor, GetEditSelectNotification(),
                               &ZELVekBIWFeatureAppearanceXMLSelectDlg::UpdateXMLValidity);
      AddAnalyseNotificationCB(row.editor, GetEditFocusOutNotification(),
                               &ZELVekBIWFeatureAppearanceXMLSelectDlg::UpdateXMLValidity);
    }
    AddAnalyseNotificationCB(_rows[0].button, GetPushBActivateNotification(),
                             &ZELVekBIWFeatureAppearanceXMLSelectDlg::OpenSelectFormatXMLDlg);
    AddAnalyseNotificationCB(_rows[1].button, GetPushBActivateNotification(),
                             &ZELVekBIWFeatureAppearanceXMLSelectDlg::OpenSelectGraphicXMLDlg);
  }
  for (Row& row : _rows) ShowLight(row.light, "I_RedLight");

  const QIVUnicodeString recorded = ZELEnvironmentSwitches::GatheringDirectory();
  if (recorded.IsEmpty()) {
    SetOKSensitivity(QIVDlgDisable);
    return;
  }
  for (int index = 0; index < 2; ++index)
    _rows[index].editor->SetText(recorded + "/" + kRecordFolder + "/" + kRowLayouts[index].recordedFile);
  SetOKSensitivity(QIVDlgEnable);
}

QIVListValQIVUnicodeString ZELVekBIWFeatureAppearanceXMLSelectDlg::GetXMLFileName() const {
  QIVListValQIVUnicodeString names;
  for (const Row& row : _rows) names.Append(row.editor ? row.editor->GetText() : QIVUnicodeString());
  return names;
}

bool ZELVekBIWFeatureAppearanceXMLSelectDlg::IsAGoodXMLFile(const QIVUnicodeString& path) {
  if (!HasXMLExtension(path)) return false;
  QIVFile file;
  if (FAILED(QIVFOpen(path, "r", file))) return false;
  bool opening = false, closing = false;
  for (int c = QIVFGetChar(file); c != EOF && c != '\n'; c = QIVFGetChar(file)) {
    opening = opening || c == '<';
    closing = closing || c == '>';
  }
  QIVFClose(file);
  return opening && closing;
}

bool ZELVekBIWFeatureAppearanceXMLSelectDlg::GoodXMLFile(const QIVUnicodeString& path) {
  ZELTraceScope scope(kClass, "GoodXMLFile");
  if (IsAGoodXMLFile(path)) return true;
  MessageBadXML();
  return false;
}

void ZELVekBIWFeatureAppearanceXMLSelectDlg::MessageBadXML() {
  ZELCatalogMessage{kClass,
                    "ErrorXMLDlgMessageId",
                    "The document selected is not a valid xml file !!",
                    "ErrorXMLDlgTitleId",
                    "WARNING",
                    ZELVekBIWStyle::FileErrorBox,
                    "Name"}
      .Display(this);
}

void ZELVekBIWFeatureAppearanceXMLSelectDlg::UpdateOK() {
  SetOKSensitivity(_rows[0].valid && _rows[1].valid ? QIVDlgEnable : QIVDlgDisable);
}

void ZELVekBIWFeatureAppearanceXMLSelectDlg::OpenSelectFormatXMLDlg(QIVCommand*, const QIVNotification&,
                                                                    void*) {
  _fileBoxes[0].Show();
}

void ZELVekBIWFeatureAppearanceXMLSelectDlg::OpenSelectGraphicXMLDlg(QIVCommand*, const QIVNotification&,
                                                                     void*) {
  _fileBoxes[1].Show();
}

void ZELVekBIWFeatureAppearanceXMLSelectDlg::GetXMLPathFormat(QIVCommand*, const QIVNotification&, void*) {
  TakeChosenFile(0);
}

void ZELVekBIWFeatureAppearanceXMLSelectDlg::GetXMLPathGraphic(QIVCommand*, const QIVNotification&, void*) {
  TakeChosenFile(1);
}

void ZELVekBIWFeatureAppearanceXMLSelectDlg::TakeChosenFile(int index) {
  ZELTraceScope scope(kClass, index == 0 ? "GetXMLPathFormat" : "GetXMLPathGraphic");
  Row& row = _rows[index];
  const QIVUnicodeString path = _fileBoxes[index].Get()->GetSelection();
  row.valid = GoodXMLFile(path);
  ShowLight(row.light, row.valid ? "I_GreenLight" : "I_RedLight");
  row.editor->SetText(path);
  UpdateOK();
}

void ZELVekBIWFeatureAppearanceXMLSelectDlg::CloseXMLBrowser(QIVCommand*, const QIVNotification&, void*) {
  UpdateOK();
}

void ZELVekBIWFeatureAppearanceXMLSelectDlg::UpdateXMLValidity(QIVCommand* sender, const QIVNotification&,
                                                               void*) {
  for (Row& row : _rows)
    if (row.editor == sender) OnEditInputXML(row.editor->GetText(), &row);
  UpdateOK();
}

void OnEditInputXML(const QIVUnicodeString& text, void* data) {
  auto* row = static_cast<ZELVekBIWFeatureAppearanceXMLSelectDlg::Row*>(data);
  ShowLight(row->light, "I_RedLight");
  row->valid = HasXMLExtension(text) && ZELVekBIWFeatureAppearanceXMLSelectDlg::IsAGoodXMLFile(text);
  if (row->valid) ShowLight(row->light, "I_GreenLight");
}
