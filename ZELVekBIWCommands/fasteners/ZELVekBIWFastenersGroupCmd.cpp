#include "ZELVekBIWFastenersGroupCmd.h"

#include "QIVIAlias.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeatureGroup.h"
#include "ZELObjectTree.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
QIVUnicodeString NameOf(const QIVBaseUnknown_var& feature) {
  QIVIAlias_var alias = feature;
  return alias ? alias->GetAlias() : QIVUnicodeString();
}
}  // namespace

ZELVekBIWFastenersGroupCmd::ZELVekBIWFastenersGroupCmd()
    : ZELVekBIWFastenerReportCmd("ZELVekBIWFastenersGroupCmd", "ZELVekBIWFastenersGroupCmd", ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive,
                                 ZELIBIWFastener::ClassName()) {}

bool ZELVekBIWFastenersGroupCmd::Describe(const QIVBaseUnknown_var& fastener, QIVUnicodeString (&params)[4],
                                          int& count) const {
  QIVBaseUnknown_var jointBody = ZELObjectTree::FatherOf(fastener);
  ZELIBIWFeatureGroup_var group = jointBody;
  if (!group) return false;
  QIVListValQIVBaseUnknown_var fasteners;
  group->GetFasteners(fasteners, true);
  params[0] = NameOf(fastener);
  params[1] = NameOf(jointBody);
  params[2] = NameOf(ZELObjectTree::FatherOf(jointBody));
  params[3].BuildFromNum(fasteners.Size());
  count = 4;
  return true;
}
