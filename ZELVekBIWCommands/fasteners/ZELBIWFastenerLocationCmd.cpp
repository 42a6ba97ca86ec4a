#include "ZELBIWFastenerLocationCmd.h"

#include <string>
#include <unordered_map>

#include "QIVCommandDeletion.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWPointFastener.h"
#include "ZELIPLMOpenObjectInfo.h"
#include "ZELPLMServices.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELBIWFastenerLocationCmd";
}  // namespace

ZELBIWFastenerLocationCmd::ZELBIWFastenerLocationCmd(const char* mode)
    : QIVStateCommand(kClass, ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive),
      _mode(mode ? mode : "") {}

ZELBIWFastenerLocationCmd::~ZELBIWFastenerLocationCmd() {
  if (_pWeldAgent) QIVCommandDeletion(_pWeldAgent);
  _pWeldAgent = nullptr;
}

const char* ZELBIWFastenerLocationCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELBIWFastenerLocationCmd::BuildGraph() {
  _pWeldAgent = new QIVPathElementAgent("Weld", nullptr, 0);
  _pWeldAgent->SetBehavior(ZELVekBIWAgentBehavior::RepeatingMultiPick);
  AddCSOClient(_pWeldAgent);
  QIVDialogState* selecting = GetInitialState("WeldSelectState");
  selecting->AddDialogAgent(_pWeldAgent);
  AddTransition(selecting, nullptr, IsOutputSetCondition(_pWeldAgent),
                Action(this, &ZELBIWFastenerLocationCmd::ResetPosition));
}

bool ZELBIWFastenerLocationCmd::ResetPosition(void*) {
  if (_mode == "DesignPosition" && _pWeldAgent->GetListOfValues().Size() > 0)
    ResetToDesign();
  else if (_mode == "SavedManufacturingPosition")
    ResetToSaved();
  return true;
}

void ZELBIWFastenerLocationCmd::ResetToDesign() {
  for (const QIVPathElement_var& path : _pWeldAgent->GetListOfValues()) {
    ZELIBIWPointFastener_var point(path ? path->GetLeaf() : QIVBaseUnknown_var());
    if (!point) continue;
    QIVRawColldouble design;
    point->GetDesignPosition(design);
    SetPosition(point, design);
    LogModification(point);
  }
}

void ZELBIWFastenerLocationCmd::ResetToSaved() {
  QIVListValQIVBaseUnknown_var fasteners;
  QIVListValQIVUnicodeString identifiers;
  // Each identifier's first position in the list, so that a body's worth
  // of records costs one lookup each. Of two selected fasteners with one
  // identifier, only the first gets the record.
  std::unordered_map<std::string, int> firstPosition;
  for (const QIVPathElement_var& path : _pWeldAgent->GetListOfValues()) {
    ZELIBIWPointFastener_var point(path ? path->GetLeaf() : QIVBaseUnknown_var());
    if (!point) continue;
    QIVUnicodeString identifier;
    ZELPLMServices::GetPLMID(point, identifier);
    if (identifier.str().empty()) continue;
    fasteners.Append(point);
    identifiers.Append(identifier);
    firstPosition.emplace(identifier.str(), identifiers.Size());
  }
  QIVListValQIVBaseUnknown_var records;
  ZELFastenerServices::GetK2ManufacturingFasternerInfo(identifiers, records);
  for (const QIVBaseUnknown_var& record : records) {
    ZELIPLMOpenObjectInfo_var info(record);
    if (!info) continue;
    const auto found = firstPosition.find(info->GetIdentifier().str());
    if (found == firstPosition.end()) continue;
    ZELIBIWPointFastener_var point(fasteners[found->second]);
    QIVRawColldouble saved;
    ZELFastenerServices::GetPointFastenersAttributesFromVUXO(record, saved);
    SetPosition(point, saved);
    LogModification(point);
  }
}

void ZELBIWFastenerLocationCmd::SetPosition(const ZELIBIWPointFastener_var& point,
                                            const QIVRawColldouble& position) {
  Previous previous{point, {}};
  point->GetManufacturingPosition(previous.position);
  if (SUCCEEDED(point->SetManufacturingPosition(position, true))) _previous.push_back(std::move(previous));
}

void ZELBIWFastenerLocationCmd::Revert() {
  for (auto it = _previous.rbegin(); it != _previous.rend(); ++it)
    it->point->SetManufacturingPosition(it->position, true);
  _previous.clear();
}

void ZELBIWFastenerLocationCmd::LogModification(const QIVBaseUnknown_var&) {}
