#pragma once

#include "QIVVar.h"

// The cycle time of fastening activities and of their station, in seconds.
//
// The station's takt is 3600 / its product exit rate (products per hour)
// when that rate is above 0. A point fastening activity takes, per point
// fastener among its items, its own point fastening rate (seconds per
// fastener) when that is above 0, else the station's takt divided by the
// station's number of specified point fasteners (when both are above 0),
// else nothing. A curve fastening activity takes the length of its curve
// fasteners divided by its fastener production rate (millimetres per
// second) when that is above 0, else that length's share of the station's
// takt (length / specified curve fastener length x takt), else nothing.
// The station's own cycle time is then the sum of its children's.
//
// The station of an activity is the activity itself or its nearest
// ancestor that is a station; without one, the steps about the station are
// left out.
class ZELBIWCycleTime {
 public:
  // Recomputes a fastening activity and its station. E_INVALIDARG for an
  // activity that is neither point nor curve fastening.
  static HRESULT Update(const QIVBaseUnknown_var& activity);
  // The cycle time the rule gives the activity, without storing it.
  static HRESULT Compute(const QIVBaseUnknown_var& activity, double& seconds);
  // The seconds one fastener adds to the activity under the same rule: 0 for
  // a fastener the activity does not count (a curve in a point fastening
  // activity, say). E_INVALIDARG as for Update.
  static HRESULT FastenerSeconds(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& fastener,
                                 double& seconds);
  // The station of the activity, or an empty handle.
  static QIVBaseUnknown_var StationOf(const QIVBaseUnknown_var& activity);
};
