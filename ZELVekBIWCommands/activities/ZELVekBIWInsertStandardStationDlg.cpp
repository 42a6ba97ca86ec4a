#include "ZELVekBIWInsertStandardStationDlg.h"

#include <string>

#include "QIVDlgMultiList.h"
#include "QIVMsgCatalog.h"
#include "ZELPLMOpenObjectServices.h"
#include "frame/ZELBIWCmdTrace.h"

namespace {
constexpr const char* kClass = "ZELVekBIWInsertStandardStationDlg";
constexpr int kColumnCount = 6;
constexpr int kColumnWidth = 10;
constexpr unsigned long kDialogStyle = 0x2440001;
constexpr unsigned long kListStyle = 0x80000;

QIVUnicodeString Attribute(const QIVBaseUnknown_var& record, const char* name) {
  QIVVariant value;
  if (FAILED(ZELPLMOpenObjectServices::GetVariantAttribute(record, name, value))) return QIVUnicodeString();
  if (const std::string* text = value.Text()) return QIVUnicodeString(*text);
  return QIVUnicodeString();
}

double Number(const QIVBaseUnknown_var& record, const char* name) {
  QIVVariant value;
  if (FAILED(ZELPLMOpenObjectServices::GetVariantAttribute(record, name, value))) return 0;
  if (const double* real = value.Real()) return *real;
  if (const long long* whole = value.Integer()) return static_cast<double>(*whole);
  return 0;
}
}  // namespace

ZELVekBIWInsertStandardStationDlg::ZELVekBIWInsertStandardStationDlg(QIVCommand* command)
    : QIVDlgDialog(command, "InsertStandardStation", kDialogStyle) {
  ZELTraceLine(QIVUnicodeString(kClass) + " Constructor");
}

ZELVekBIWInsertStandardStationDlg::~ZELVekBIWInsertStandardStationDlg() {
  ZELTraceLine(QIVUnicodeString(kClass) + " Destructor");
}

void ZELVekBIWInsertStandardStationDlg::Build() {
  ZELTraceScope scope(kClass, "Build");
  if (_pMultiList) return;
  SetTitle(QIVMsgCatalog::BuildMessage(kClass, "Title", nullptr, 0, "Insert Standard Station"));
  SetOKSensitivity(QIVDlgDisable);
  _pMultiList = new QIVDlgMultiList(this, "MultiListBoxId", kListStyle);
  for (int column = 0; column < kColumnCount; ++column) {
    const std::string key = "MultiListBoxId.ColumnTitle" + std::to_string(column);
    _pMultiList->SetColumnTitle(column, QIVMsgCatalog::BuildMessage(kClass, key.c_str(), nullptr, 0, ""));
    _pMultiList->SetColumnTextWidth(column, kColumnWidth);
  }
  AddAnalyseNotificationCB(_pMultiList, GetListSelectNotification(),
                           &ZELVekBIWInsertStandardStationDlg::OnSelect);
}

void ZELVekBIWInsertStandardStationDlg::UpdateMultiList(const QIVListValQIVBaseUnknown_var& stations,
                                                        const QIVListValQIVBaseUnknown_var& templates) {
  ZELTraceScope scope(kClass, "UpdateMultiList");
  if (!_pMultiList) return;
  _pMultiList->ClearLine();
  _stations = stations;
  for (int row = 1; row <= stations.Size() && row <= templates.Size(); ++row) {
    const QIVBaseUnknown_var& station = stations[row];
    double pointRate = 0;
    double curveRate = 0;
    GetAttrPointRateAndCurveRate(station, pointRate, curveRate);
    _pMultiList->AddRow(
        {Attribute(templates[row], "name"), Attribute(station, "name"), Attribute(station, "_stationtype"),
         QIVUnicodeString::Format("%g", Number(station, "_estimatedinvestmentcost")),
         QIVUnicodeString::Format("%.2f", pointRate), QIVUnicodeString::Format("%.2f", curveRate)});
  }
  SetOKSensitivity(QIVDlgDisable);
}

void ZELVekBIWInsertStandardStationDlg::OnSelect(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OnSelect");
  SetOKSensitivity(_pMultiList->GetSelectCount() > 0 ? QIVDlgEnable : QIVDlgDisable);
}

HRESULT ZELVekBIWInsertStandardStationDlg::GetSelectedStation(QIVBaseUnknown_var& station) const {
  ZELTraceScope scope(kClass, "GetSelectedStation");
  station = nullptr;
  if (!_pMultiList || _pMultiList->GetSelectCount() == 0) return E_FAIL;
  const int row = _pMultiList->GetSelect().front() + 1;
  if (row > _stations.Size()) return E_FAIL;
  station = _stations[row];
  return S_OK;
}

HRESULT ZELVekBIWInsertStandardStationDlg::GetAttrPointRateAndCurveRate(const QIVBaseUnknown_var& station,
                                                                        double& pointRate,
                                                                        double& curveRate) {
  ZELTraceScope scope(kClass, "GetAttrPointRateAndCurveRate");
  pointRate = curveRate = 0;
  QIVListValQIVBaseUnknown_var bases;
  if (FAILED(ZELPLMOpenObjectServices::GetLinkedObjects(station, "ergocompbase", bases)) || bases.IsEmpty())
    return E_FAIL;
  pointRate = Number(bases[1], "_pointfasteningrate");
  curveRate = Number(bases[1], "_curvefasteningrate");
  return S_OK;
}
