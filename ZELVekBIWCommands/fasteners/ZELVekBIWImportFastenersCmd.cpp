#include "ZELVekBIWImportFastenersCmd.h"

#include <unordered_map>
#include <vector>

#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "frame/ZELCatalogMessage.h"
#include "frame/ZELVekBIWCommandNumbers.h"

ZELVekBIWImportFastenersCmd::ZELVekBIWImportFastenersCmd()
    : QIVStateCommand("ZELVekBIWImportFastenersCmd", ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive) {}

const char* ZELVekBIWImportFastenersCmd::GetResourceFilename(int level) const {
  return level == 0 ? "ZELVekBIWImportFastenersCmd" : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWImportFastenersCmd::BuildGraph() {
  AddTransition(GetInitialState("InitialState"), nullptr, nullptr,
                Action(this, &ZELVekBIWImportFastenersCmd::Report));
}

bool ZELVekBIWImportFastenersCmd::Report(void*) {
  _SEQUENCE_QIVBaseUnknown_ptr all;
  ZELFastenerServices::GetListOfAllFasteners(all);
  std::vector<QIVUnicodeString> types;
  std::unordered_map<QIVUnicodeString, int> counts;
  int total = 0;
  for (QIVBaseUnknown*& entry : all) {
    QIVBaseUnknown_var object = QIVBaseUnknown_var::Adopt(std::exchange(entry, nullptr));
    ZELIBIWFastener_var fastener = object;
    if (!fastener) continue;
    const QIVUnicodeString type = fastener->GetType();
    if (counts[type]++ == 0) types.push_back(type);
    ++total;
  }
  QIVUnicodeString params[2];
  params[0].BuildFromNum(total);
  for (const QIVUnicodeString& type : types)
    params[1] += QIVUnicodeString::Format("\n%s: %d", type.IsEmpty() ? "(no type)" : type.ConvertToChar(), counts[type]);
  ZELCatalogMessage{"ZELVekBIWImportFastenersCmd", "ReportMessage", "The document holds /p1 design fastener(s)./p2",
                    "ReportTitle", "Design fasteners", ZELVekBIWStyle::ReportBox, "Name", params, 2}
      .Display();
  return true;
}
