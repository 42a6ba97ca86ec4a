#include "ZELBIWCycleTime.h"

#include <algorithm>
#include <memory>

#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "QIVSPPActivityType.h"
#include "ZELIBIWActivityCurveFastening.h"
#include "ZELIBIWActivityStation.h"
#include "ZELIBIWActivityWelding.h"
#include "ZELIBIWCurveFastener.h"

namespace {

struct StationRates {
  double takt = 0.0;
  double specifiedPointFasteners = 0.0;
  double specifiedCurveLength = 0.0;
};

StationRates RatesOf(const QIVBaseUnknown_var& station) {
  StationRates rates;
  ZELIBIWActivityStation_var attributes(station);
  if (!attributes) return rates;
  double exitRate = 0.0;
  attributes->GetProductExitRate(exitRate);
  if (exitRate > 0.0) rates.takt = 3600.0 / exitRate;
  attributes->GetNumberOfSpecifiedPointFasteners(rates.specifiedPointFasteners);
  attributes->GetLengthOfSpecifiedCurveFasteners(rates.specifiedCurveLength);
  return rates;
}

}  // namespace

QIVBaseUnknown_var ZELBIWCycleTime::StationOf(const QIVBaseUnknown_var& activity) {
  for (QIVISPPActivity_var step(activity); step;) {
    if (step->IsSubTypeOf(QIVSPPActivityTypes::Station)) return step;
    QIVBaseUnknown_var father;
    if (FAILED(step->GetFatherActivity(father))) break;
    step = father;
  }
  return {};
}

HRESULT ZELBIWCycleTime::Compute(const QIVBaseUnknown_var& activity, double& seconds) {
  seconds = 0.0;
  QIVISPPItemMgt_var items(activity);
  if (!items) return E_INVALIDARG;
  const StationRates station = RatesOf(StationOf(activity));
  if (ZELIBIWActivityWelding_var welding = activity) {
    double perFastener = 0.0;
    welding->GetPointFasteningRate(perFastener);
    if (perFastener <= 0.0 && station.takt > 0.0 && station.specifiedPointFasteners > 0.0)
      perFastener = station.takt / station.specifiedPointFasteners;
    seconds = items->GetItems("PointFastener").Size() * std::max(perFastener, 0.0);
    return S_OK;
  }
  if (ZELIBIWActivityCurveFastening_var curve = activity) {
    double length = 0.0;
    for (const QIVBaseUnknown_var& item : items->GetItems("CurveFastener"))
      if (ZELIBIWCurveFastener_var fastener = item) length += fastener->GetLength();
    double speed = 0.0;
    curve->GetFastenerProductionRate(speed);
    if (speed > 0.0)
      seconds = length / speed;
    else if (station.takt > 0.0 && station.specifiedCurveLength > 0.0)
      seconds = station.takt * length / station.specifiedCurveLength;
    return S_OK;
  }
  return E_INVALIDARG;
}

HRESULT ZELBIWCycleTime::Update(const QIVBaseUnknown_var& activity) {
  double seconds = 0.0;
  if (FAILED(Compute(activity, seconds))) return E_INVALIDARG;
  QIVISPPActivity_var(activity)->SetCycleTime(seconds);
  QIVBaseUnknown_var station = StationOf(activity);
  QIVISPPChildManagement_var children(station);
  if (!children) return S_OK;
  double total = 0.0;
  const std::unique_ptr<QIVListValQIVBaseUnknown_var> stationChildren = children->GetChildren();
  for (const QIVBaseUnknown_var& child : *stationChildren) {
    double childSeconds = 0.0;
    if (QIVISPPActivity_var timed = child) timed->GetCycleTime(childSeconds);
    total += childSeconds;
  }
  return QIVISPPActivity_var(station)->SetCycleTime(total);
}
