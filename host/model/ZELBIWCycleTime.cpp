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
#include "ZELIBIWPointFastener.h"

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

namespace {

// What fastening costs an activity: seconds a point fastener for point
// fastening; for curve fastening, a length of seam takes length x seconds /
// per millimetres (kept apart so the figures round as they always have).
struct ActivityRate {
  enum Kind { None, Point, Curve } kind = None;
  double seconds = 0.0;
  double per = 1.0;
  double Of(double length) const { return per > 0.0 ? length * seconds / per : 0.0; }
};

ActivityRate RateOf(const QIVBaseUnknown_var& activity) {
  const StationRates station = RatesOf(ZELBIWCycleTime::StationOf(activity));
  ActivityRate rate;
  if (ZELIBIWActivityWelding_var welding = activity) {
    rate.kind = ActivityRate::Point;
    welding->GetPointFasteningRate(rate.seconds);
    if (rate.seconds <= 0.0 && station.takt > 0.0 && station.specifiedPointFasteners > 0.0)
      rate.seconds = station.takt / station.specifiedPointFasteners;
    rate.seconds = std::max(rate.seconds, 0.0);
  } else if (ZELIBIWActivityCurveFastening_var curve = activity) {
    rate.kind = ActivityRate::Curve;
    double speed = 0.0;
    curve->GetFastenerProductionRate(speed);
    if (speed > 0.0) {
      rate.seconds = 1.0;
      rate.per = speed;
    } else if (station.takt > 0.0 && station.specifiedCurveLength > 0.0) {
      rate.seconds = station.takt;
      rate.per = station.specifiedCurveLength;
    }
  }
  return rate;
}

}  // namespace

HRESULT ZELBIWCycleTime::Compute(const QIVBaseUnknown_var& activity, double& seconds) {
  seconds = 0.0;
  QIVISPPItemMgt_var items(activity);
  const ActivityRate rate = RateOf(activity);
  if (!items || rate.kind == ActivityRate::None) return E_INVALIDARG;
  if (rate.kind == ActivityRate::Point) {
    seconds = items->GetItems("PointFastener").Size() * rate.seconds;
    return S_OK;
  }
  double length = 0.0;
  for (const QIVBaseUnknown_var& item : items->GetItems("CurveFastener"))
    if (ZELIBIWCurveFastener_var fastener = item) length += fastener->GetLength();
  seconds = rate.Of(length);
  return S_OK;
}

HRESULT ZELBIWCycleTime::FastenerSeconds(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& fastener,
                                         double& seconds) {
  seconds = 0.0;
  const ActivityRate rate = RateOf(activity);
  if (!QIVISPPItemMgt_var(activity) || rate.kind == ActivityRate::None) return E_INVALIDARG;
  if (rate.kind == ActivityRate::Point && ZELIBIWPointFastener_var(fastener)) seconds = rate.seconds;
  if (rate.kind == ActivityRate::Curve)
    if (ZELIBIWCurveFastener_var curve = fastener) seconds = rate.Of(curve->GetLength());
  return S_OK;
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
