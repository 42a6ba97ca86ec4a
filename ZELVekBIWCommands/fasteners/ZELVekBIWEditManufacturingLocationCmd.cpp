#include "ZELVekBIWEditManufacturingLocationCmd.h"

#include "QIVIAlias.h"
#include "ZELIBIWPointFastener.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
QIVUnicodeString Coordinates(double x, double y, double z) {
  return QIVUnicodeString::Format("%10.3f %10.3f %10.3f", x, y, z);
}
}  // namespace

ZELVekBIWEditManufacturingLocationCmd::ZELVekBIWEditManufacturingLocationCmd()
    : ZELVekBIWFastenerReportCmd("ZELVekBIWEditManufacturingLocationCmd", "ZELVekBIWEditManufacturingLocationCmd", ZELVekBIWBehavior::Single,
                                 ZELVekBIWMode::Exclusive, ZELIBIWPointFastener::ClassName()) {}

bool ZELVekBIWEditManufacturingLocationCmd::Describe(const QIVBaseUnknown_var& fastener,
                                                     QIVUnicodeString (&params)[4], int& count) const {
  ZELIBIWPointFastener_var point = fastener;
  QIVMathTransformation design;
  if (!point || FAILED(point->GetDesignPlacement(design))) return false;
  QIVRawColldouble manufacturing;
  point->GetManufacturingPosition(manufacturing);
  QIVIAlias_var alias = fastener;
  params[0] = alias ? alias->GetAlias() : QIVUnicodeString();
  params[1] = Coordinates(design.Translation(0), design.Translation(1), design.Translation(2));
  params[2] = manufacturing.Size() >= 3 ? Coordinates(manufacturing[1], manufacturing[2], manufacturing[3])
                                        : QIVUnicodeString("none");
  count = 3;
  return true;
}
