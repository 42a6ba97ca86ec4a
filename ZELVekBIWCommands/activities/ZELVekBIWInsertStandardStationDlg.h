#pragma once

#include "QIVDlgDialog.h"
#include "QIVListVal.h"

class QIVDlgMultiList;

// The template stations a standard station can be copied from, one row
// each: template, station, station type, estimated investment cost, point
// and curve fastening rates. OK becomes sensitive once a row is selected;
// OK, Cancel and the close box go to the command.
class ZELVekBIWInsertStandardStationDlg : public QIVDlgDialog {
 public:
  explicit ZELVekBIWInsertStandardStationDlg(QIVCommand* command);
  ~ZELVekBIWInsertStandardStationDlg() override;

  const char* GetImplClassName() const override { return "ZELVekBIWInsertStandardStationDlg"; }

  void Build();
  // Shows one row per station; `templates` holds the template record of
  // each station.
  void UpdateMultiList(const QIVListValQIVBaseUnknown_var& stations,
                       const QIVListValQIVBaseUnknown_var& templates);
  void OnSelect(QIVCommand* sender, const QIVNotification& notification, void* data);
  // The station record of the selected row; E_FAIL when none is selected.
  HRESULT GetSelectedStation(QIVBaseUnknown_var& station) const;
  // The rates of the station's "ergocompbase" object; 0 when it has none.
  static HRESULT GetAttrPointRateAndCurveRate(const QIVBaseUnknown_var& station, double& pointRate,
                                              double& curveRate);

  QIVDlgMultiList* GetMultiList() const { return _pMultiList; }

 private:
  QIVDlgMultiList* _pMultiList = nullptr;
  QIVListValQIVBaseUnknown_var _stations;
};
