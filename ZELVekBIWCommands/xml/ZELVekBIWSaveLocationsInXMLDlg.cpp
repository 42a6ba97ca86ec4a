#include "ZELVekBIWSaveLocationsInXMLDlg.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "QIVApplicationFrame.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgPushButton.h"
#include "QIVDlgSelectorList.h"
#include "QIVFrmEditor.h"
#include "QIVMsgCatalog.h"
#include "QIVXMLStreamWriter.h"
#include "ZELFastenerServices.h"
#include "ZELVekBIWSaveLocationsInXMLCmd.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELCatalogMessage.h"
#include "frame/ZELEnvironmentSwitches.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWSaveLocationsInXMLDlg";

using PositionNames = std::array<const char*, 6>;
constexpr PositionNames kDesignPosition{"X", "Y", "Z", "Roll", "Pitch", "Yaw"};
constexpr PositionNames kManufacturingPosition{"ManufX",    "ManufY",     "ManufZ",
                                               "ManufRoll", "ManufPitch", "ManufYaw"};

// Every number is written as "%10.3f".
constexpr int kNumberWidth = 10;
constexpr int kNumberPlaces = 3;

const ZELFileSelectionBox::Layout kSaveFileBox{
    "Save Weld Result", ZELVekBIWStyle::SaveFileBox, {{"(*.xml) XML file", "*.xml"}}, ".xml"};

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}

using Name = QIVXMLStreamWriter::Name;

// The attributes' names, checked once for the whole file.
struct AttributeNames {
  Name name, version;
  std::array<Name, 6> design, manufacturing;

  HRESULT Prepare(QIVXMLStreamWriter& writer) {
    HRESULT prepared = writer.PrepareName("Name", name);
    if (SUCCEEDED(prepared)) prepared = writer.PrepareName("K2FastenerVersion", version);
    for (std::size_t i = 0; i < design.size() && SUCCEEDED(prepared); ++i) {
      prepared = writer.PrepareName(kDesignPosition[i], design[i]);
      if (SUCCEEDED(prepared)) prepared = writer.PrepareName(kManufacturingPosition[i], manufacturing[i]);
    }
    return prepared;
  }
};

// One element of the file, written with its attributes in order. The first
// refusal sticks, so the caller checks once, when ending the element.
class ElementWriter {
 public:
  ElementWriter(QIVXMLStreamWriter& writer, const char* tag)
      : _writer(writer), _made(SUCCEEDED(writer.StartElement(tag))) {}

  ElementWriter& Attribute(const Name& name, const QIVUnicodeString& value) {
    if (_made && FAILED(_writer.Attribute(name, value.view()))) _made = false;
    return *this;
  }
  ElementWriter& Position(const std::array<Name, 6>& names, const std::array<double, 6>& values) {
    for (std::size_t i = 0; i < values.size() && _made; ++i)
      _made = SUCCEEDED(_writer.Attribute(names[i], values[i], kNumberWidth, kNumberPlaces));
    return *this;
  }

  bool IsMade() const { return _made; }
  bool End() { return _made && SUCCEEDED(_writer.EndElement()); }

 private:
  QIVXMLStreamWriter& _writer;
  bool _made;
};
}  // namespace

ZELVekBIWSaveLocationsInXMLDlg::ZELVekBIWSaveLocationsInXMLDlg()
    : QIVDlgDialog(
          QIVApplicationFrame::GetFrame() ? QIVApplicationFrame::GetFrame()->GetMainWindow() : nullptr,
          "pZELVekBIWSaveLocationsInXMLDlg", ZELVekBIWStyle::ExportDialog) {
  ZELTraceLine(QIVUnicodeString(kClass) + " Constructor");
  SetTitle(Caption("Title", "Save Weld Locations in XML"));
}

ZELVekBIWSaveLocationsInXMLDlg::~ZELVekBIWSaveLocationsInXMLDlg() {
  ZELTraceLine(QIVUnicodeString(kClass) + " Destructor");
}

void ZELVekBIWSaveLocationsInXMLDlg::Build() {
  ZELTraceScope scope(kClass, "Build", ZELTraceScope::Dashes);
  if (_pWeldsListFrame) return;

  _pWeldsListFrame = new QIVDlgFrame(this, "pWeldsListFrame");
  _pWeldsListFrame->SetTitle(Caption("pWeldsListFrame.Title", "Welds"));
  _pWeldsListFrame->SetGridConstraints(0, 0, 1, 1, 15);
  _pWeldsListSelectorList = new QIVDlgSelectorList(_pWeldsListFrame, "pWeldsListSelectorList", ZELVekBIWStyle::MultipleSelection);
  _pWeldsListSelectorList->SetVisibleTextHeight(10);
  _pWeldsListSelectorList->SetVisibleTextWidth(30);
  _pWeldsListSelectorList->SetGridConstraints(0, 0, 1, 1, 15);
  _pRemoveWeldsPushButton = new QIVDlgPushButton(_pWeldsListFrame, "pRemoveWeldsPushButton");
  _pRemoveWeldsPushButton->SetTitle(Caption("pRemoveWeldsPushButton.Title", "Remove Selected Welds"));
  _pRemoveWeldsPushButton->SetGridConstraints(1, 0, 1, 1, 0);

  _pNumberFrame = new QIVDlgFrame(_pWeldsListFrame, "pNumberFrameID", ZELVekBIWStyle::Frame);
  _pNumberFrame->SetGridConstraints(2, 0, 1, 1, 0);
  _pLabelNumber = new QIVDlgLabel(_pNumberFrame, "pLabelNumberId");
  _pLabelNumber->SetTitle(Caption("pLabelNumberId.Title", "Number of welds:"));
  _pLabelNumber->SetGridConstraints(0, 0, 1, 1, 0);
  _pEditorNumber = new QIVDlgEditor(_pNumberFrame, "pEditorNumberId", ZELVekBIWStyle::ReadOnlyNumberEditor);
  _pEditorNumber->SetVisibleTextWidth(8);
  _pEditorNumber->SetGridConstraints(0, 1, 1, 1, 0);

  _pReferenceProductFrame = new QIVDlgFrame(this, "pReferenceProductFrame");
  _pReferenceProductFrame->SetTitle(Caption("pReferenceProductFrame.Title", "Reference Product"));
  _pReferenceProductFrame->SetGridConstraints(1, 0, 1, 1, 15);
  _pRefProductEditor = new QIVDlgEditor(_pReferenceProductFrame, "pRefProductEditor", ZELVekBIWStyle::ReadOnlyEditor);
  _pRefProductEditor->SetVisibleTextWidth(30);
  _pRefProductEditor->SetGridConstraints(0, 0, 1, 1, 0);
  _pRemoveRefProductPushButton = new QIVDlgPushButton(_pReferenceProductFrame, "pRemoveRefProductPushButton");
  _pRemoveRefProductPushButton->SetTitle(Caption("pRemoveRefProductPushButton.Title", "Remove"));
  _pRemoveRefProductPushButton->SetGridConstraints(0, 1, 1, 1, 0);

  SetButtonTitle(GetDiaOKNotification(), Caption("SaveButton.Title", "Save"));

  AddAnalyseNotificationCB(_pWeldsListSelectorList, GetListSelectNotification(),
                           &ZELVekBIWSaveLocationsInXMLDlg::WeldSelectedInList);
  AddAnalyseNotificationCB(_pRemoveWeldsPushButton, GetPushBActivateNotification(),
                           &ZELVekBIWSaveLocationsInXMLDlg::OnRemoveWeldsPushButtonActivated);
  AddAnalyseNotificationCB(_pRemoveRefProductPushButton, GetPushBActivateNotification(),
                           &ZELVekBIWSaveLocationsInXMLDlg::OnRemoveRefProductPushButtonActivated);
  AddAnalyseNotificationCB(this, GetDiaOKNotification(), &ZELVekBIWSaveLocationsInXMLDlg::OnSave);
}

void ZELVekBIWSaveLocationsInXMLDlg::Init() {
  ZELTraceScope scope(kClass, "Init", ZELTraceScope::Dashes);
  QIVListValQIVBaseUnknown_var pointFasteners;
  if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor(); editor && editor->GetDocument())
    ZELFastenerServices::GetListOfAllPointFasteners(editor->GetDocument(), pointFasteners);
  const bool sorted = !ZELEnvironmentSwitches::KeepsGatheringOrder();

  // Each spot weld is read once, in the order gathered, which is the order
  // the document's fasteners lie in memory; sorting by identifier first
  // sent every later read to another place. Keeping the spot welds of the
  // sorted list is sorting the spot welds, as the sort keeps equal
  // identifiers in their order.
  std::vector<std::uint32_t> spotWelds;
  std::vector<QIVUnicodeString> names, ids;
  ZELFastenerServices::ReadSpotWelds(pointFasteners, spotWelds, names, sorted ? &ids : nullptr);
  const std::vector<std::uint32_t> order =
      sorted ? ZELFastenerServices::WeldIDOrder(ids) : std::vector<std::uint32_t>();

  QIVListValQIVBaseUnknown_var welds;
  std::vector<QIVUnicodeString> lines;
  welds.Reserve(static_cast<int>(spotWelds.size()));
  lines.reserve(spotWelds.size());
  for (std::size_t row = 0; row < spotWelds.size(); ++row) {
    const std::uint32_t weld = order.empty() ? static_cast<std::uint32_t>(row) : order[row];
    welds.Append(std::move(pointFasteners[static_cast<int>(spotWelds[weld]) + 1]));
    lines.push_back(std::move(names[weld]));
  }
  FillList(std::move(welds), std::move(lines));
  ZELTraceLine(QIVUnicodeString().BuildFromNum(_welds.Size()) + " welds listed");
}

void ZELVekBIWSaveLocationsInXMLDlg::FillList(QIVListValQIVBaseUnknown_var welds,
                                              std::vector<QIVUnicodeString> names) {
  _welds = std::move(welds);
  _rowOfWeld.Clear();
  if (_pWeldsListSelectorList) _pWeldsListSelectorList->SetLines(std::move(names));
  ShowWeldCount();
}

const QIVPointerMap<const QIVBaseUnknown*>& ZELVekBIWSaveLocationsInXMLDlg::RowOfWeld() {
  if (_rowOfWeld.IsEmpty() && !_welds.IsEmpty()) {
    _rowOfWeld.Reserve(_welds.Size());
    for (int row = 0; row < _welds.Size(); ++row) _rowOfWeld.Set(_welds[row + 1].get(), row);
  }
  return _rowOfWeld;
}

void ZELVekBIWSaveLocationsInXMLDlg::ShowWeldCount() {
  if (_pEditorNumber) _pEditorNumber->SetText(QIVUnicodeString().BuildFromNum(_welds.Size(), "%d"));
}

void ZELVekBIWSaveLocationsInXMLDlg::SetRefProduct(const QIVIProduct_var& product) {
  _refProduct = product;
  if (_pRefProductEditor)
    _pRefProductEditor->SetText(product ? product->GetPrdInstanceName() : QIVUnicodeString());
}

void ZELVekBIWSaveLocationsInXMLDlg::AddToWeldsList(const QIVBaseUnknown_var& weld) {
  if (!weld || RowOfWeld().Find(weld.get()) != _rowOfWeld.npos) return;
  _welds.Append(weld);
  _rowOfWeld.Set(weld.get(), _welds.Size() - 1);
  if (_pWeldsListSelectorList)
    _pWeldsListSelectorList->SetLine(ZELFastenerServices::GetName(weld), _welds.Size() - 1);
  ShowWeldCount();
}

QIVListValQIVBaseUnknown_var ZELVekBIWSaveLocationsInXMLDlg::GetSelectedWelds() const {
  QIVListValQIVBaseUnknown_var selected;
  if (!_pWeldsListSelectorList) return selected;
  for (int row : _pWeldsListSelectorList->GetSelect())
    if (row < _welds.Size()) selected.Append(_welds[row + 1]);
  return selected;
}

HRESULT ZELVekBIWSaveLocationsInXMLDlg::SetWeldSelectedInList(const QIVBaseUnknown_var& weld, bool selected) {
  const std::size_t row = RowOfWeld().Find(weld.get());
  if (row == _rowOfWeld.npos) return E_FAIL;
  if (_pWeldsListSelectorList) _pWeldsListSelectorList->SetRowSelected(static_cast<int>(row), selected);
  return S_OK;
}

void ZELVekBIWSaveLocationsInXMLDlg::ClearAllWeldSelection() {
  if (_pWeldsListSelectorList) _pWeldsListSelectorList->ClearSelect();
}

void ZELVekBIWSaveLocationsInXMLDlg::OnRemoveWeldsPushButtonActivated(QIVCommand*, const QIVNotification&,
                                                                      void*) {
  ZELTraceScope scope(kClass, "OnRemoveWeldsPushButtonActivated", ZELTraceScope::Dashes);
  if (!_pWeldsListSelectorList || _pWeldsListSelectorList->GetSelectCount() == 0) return;
  // The list is rebuilt once rather than shrunk line by line, which would
  // cost a pass over the list for every removed weld.
  QIVListValQIVBaseUnknown_var kept;
  std::vector<QIVUnicodeString> names;
  for (int row = 0; row < _welds.Size(); ++row) {
    if (_pWeldsListSelectorList->IsSelected(row)) continue;
    kept.Append(_welds[row + 1]);
    names.push_back(_pWeldsListSelectorList->GetLine(row));
  }
  FillList(std::move(kept), names);
  TellCommandToUpdateCSO();
}

void ZELVekBIWSaveLocationsInXMLDlg::OnRemoveRefProductPushButtonActivated(QIVCommand*,
                                                                           const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OnRemoveRefProductPushButtonActivated", ZELTraceScope::Dashes);
  SetRefProduct(nullptr);
  TellCommandToUpdateCSO();
}

void ZELVekBIWSaveLocationsInXMLDlg::WeldSelectedInList(QIVCommand*, const QIVNotification&, void*) {
  TellCommandToUpdateCSO();
}

void ZELVekBIWSaveLocationsInXMLDlg::TellCommandToUpdateCSO() {
  if (auto* command = dynamic_cast<ZELVekBIWSaveLocationsInXMLCmd*>(GetFather())) command->UpdateCSO();
}

void ZELVekBIWSaveLocationsInXMLDlg::OnSave(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OnSave", ZELTraceScope::Dashes);
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  _fileDlg.Create(this, kSaveFileBox, &ZELVekBIWSaveLocationsInXMLDlg::OnSaveDlgOKActivateNotification,
                  &ZELVekBIWSaveLocationsInXMLDlg::OnSaveDlgCANCELActivateNotification,
                  editor ? editor->GetDocument().get() : nullptr);
  _fileDlg.Show();
}

void ZELVekBIWSaveLocationsInXMLDlg::OnSaveDlgOKActivateNotification(QIVCommand*, const QIVNotification&,
                                                                     void*) {
  ZELTraceScope scope(kClass, "OnSaveDlgOKActivateNotification", ZELTraceScope::Dashes);
  QIVUnicodeString path = _fileDlg.Get()->GetSelection();
  if (!path.Contains(".")) path += _fileDlg.Get()->GetFilterPattern();
  ZELTraceLine(path);
  SaveResult(path);
  _fileDlg.Close();
}

void ZELVekBIWSaveLocationsInXMLDlg::OnSaveDlgCANCELActivateNotification(QIVCommand*, const QIVNotification&,
                                                                         void*) {
  _fileDlg.Close();
}

HRESULT ZELVekBIWSaveLocationsInXMLDlg::SaveResult(const QIVUnicodeString& path) {
  ZELTraceScope scope(kClass, "SaveResult", ZELTraceScope::Dashes);
  ZELSetBusyCursor();
  QIVXMLStreamWriter writer;
  QIVUnicodeString reason;
  if (FAILED(writer.Open(path, "WeldData", reason))) {
  } else if (FAILED(WriteLocations(writer, reason))) {
    reason = "cannot write " + path + ": " + reason;
  } else if (SUCCEEDED(writer.Commit(reason))) {
    return S_OK;
  }
  DisplaySaveError(reason);
  return E_FAIL;
}

HRESULT ZELVekBIWSaveLocationsInXMLDlg::WriteLocations(QIVXMLStreamWriter& writer, QIVUnicodeString& reason) const {
  AttributeNames names;
  ElementWriter weldDataRoot(writer, "WeldDataRoot");
  if (FAILED(names.Prepare(writer)) || !weldDataRoot.IsMade()) {
    reason = "the element WeldDataRoot could not be made";
    return E_FAIL;
  }

  ElementWriter refProduct(writer, "RefProduct");
  if (_refProduct) {
    refProduct.Attribute(names.name, _refProduct->GetPrdInstanceName());
    if (QIVMathTransformation placement; SUCCEEDED(_refProduct->GetAbsolutePosition(placement)))
      refProduct.Position(names.design, placement.ToYPR());
  } else {
    refProduct.Attribute(names.name, "No Ref Product");
  }
  if (!refProduct.End()) {
    reason = "the reference product " + QIVDialog::Quote(_refProduct->GetPrdInstanceName().view()) +
             " has a name XML cannot carry";
    return E_FAIL;
  }

  ZELFastenerServices::WeldLocation location;
  const ZELFastenerServices::WeldLocationReader reader(_welds);
  for (std::size_t index = 0; index < static_cast<std::size_t>(_welds.Size()); ++index) {
    if (FAILED(reader.Read(index, location))) continue;
    ElementWriter element(writer, "Weld");
    element.Attribute(names.name, location.name).Attribute(names.version, location.version);
    if (location.hasDesign) element.Position(names.design, location.design);
    if (location.hasManufacturing) element.Position(names.manufacturing, location.manufacturing);
    if (!element.End()) {
      reason = "the weld " + QIVDialog::Quote(location.name.view()) + " has a name or version XML cannot carry";
      return E_FAIL;
    }
  }
  return weldDataRoot.End() ? S_OK : E_FAIL;
}

void ZELVekBIWSaveLocationsInXMLDlg::DisplaySaveError(const QIVUnicodeString& reason) {
  ZELTraceLine(reason);
  ZELCatalogMessage{kClass,
                    "SaveErrorMessageId",
                    "The weld locations were not saved.\n/p1",
                    "SaveErrorTitleId",
                    "WARNING",
                    ZELVekBIWStyle::WarningBox,
                    "Name",
                    &reason,
                    1}
      .Display(this);
}
