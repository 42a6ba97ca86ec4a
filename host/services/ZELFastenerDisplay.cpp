#include "ZELFastenerDisplay.h"

#include <string>

#include "QIVIModelObject.h"
#include "QIVSession.h"
#include "QIVTranscript.h"

ZELFastenerDisplay& ZELFastenerDisplay::Instance() { return QIVSession::Current().Get<ZELFastenerDisplay>(); }

long long ZELFastenerDisplay::IdOf(const QIVBaseUnknown_var& fastener) const {
  QIVIModelObject_var member(fastener);
  if (!member) return 0;
  const QIVBaseUnknown_var document = member->GetDocument();
  if (!document || document.get() != _document) return 0;
  return member->GetDocumentId();
}

long long ZELFastenerDisplay::Follow(const QIVBaseUnknown_var& fastener) {
  QIVIModelObject_var member(fastener);
  if (!member) return 0;
  const QIVBaseUnknown_var document = member->GetDocument();
  if (!document) return 0;
  if (document.get() != _document) {
    Reset();
    _document = document.get();
  }
  return member->GetDocumentId();
}

bool ZELFastenerDisplay::Apply(IdSet& set, const QIVListValQIVBaseUnknown_var& fasteners, bool add) {
  bool changed = false;
  for (const QIVBaseUnknown_var& fastener : fasteners) {
    const long long id = Follow(fastener);
    if (id == 0) continue;
    changed |= add ? set.insert(id).second : set.erase(id) != 0;
  }
  return changed;
}

void ZELFastenerDisplay::Record() const {
  QIVTranscript::Current().Record("display identifiers=" + std::to_string(_identifiers.size()) +
                                   " hidden-points=" + std::to_string(_hiddenPoints.size()) +
                                   " highlighted=" + std::to_string(_highlighted.size()));
}

void ZELFastenerDisplay::Reset() {
  _document = nullptr;
  _identifiers.clear();
  _hiddenPoints.clear();
  _highlighted.clear();
  _identifierColor = 0;
}

bool ZELFastenerDisplay::IsWeldPointShown(const QIVBaseUnknown_var& fastener) const {
  const long long id = IdOf(fastener);
  return id == 0 || !_hiddenPoints.count(id);
}

bool ZELFastenerDisplay::IsIdentifierShown(const QIVBaseUnknown_var& fastener) const {
  const long long id = IdOf(fastener);
  return id != 0 && _identifiers.count(id);
}

bool ZELFastenerDisplay::IsHighlighted(const QIVBaseUnknown_var& fastener) const {
  const long long id = IdOf(fastener);
  return id != 0 && _highlighted.count(id);
}

HRESULT ZELFastenerDisplay::CheckVisualizationOfR7Welds(const QIVListValQIVBaseUnknown_var& all,
                                                        QIVListValQIVBaseUnknown_var& visible, int) {
  visible.RemoveAll();
  const ZELFastenerDisplay& display = Instance();
  for (const QIVBaseUnknown_var& fastener : all)
    if (fastener && display.IsWeldPointShown(fastener)) visible.Append(fastener);
  return S_OK;
}

HRESULT ZELFastenerDisplay::HideShowWeldPointsInList(const QIVListValQIVBaseUnknown_var& fasteners, bool show) {
  ZELFastenerDisplay& display = Instance();
  if (display.Apply(display._hiddenPoints, fasteners, !show)) display.Record();
  return S_OK;
}

HRESULT ZELFastenerDisplay::VisualizationR7WeldList(const QIVListValQIVBaseUnknown_var& fasteners, int, int,
                                                    int red, int green, int blue, int alpha) {
  if (fasteners.IsEmpty()) return S_FALSE;
  auto channel = [](int value) { return static_cast<unsigned long>(value & 0xFF); };
  Instance()._identifierColor = channel(red) << 24 | channel(green) << 16 | channel(blue) << 8 | channel(alpha);
  return S_OK;
}

HRESULT ZELFastenerDisplay::ShowWeldIDs(const QIVListValQIVBaseUnknown_var& fasteners, bool show) {
  ZELFastenerDisplay& display = Instance();
  if (display.Apply(display._identifiers, fasteners, show)) display.Record();
  return S_OK;
}

HRESULT ZELFastenerDisplay::ActivateListWeldVisualization(const QIVListValQIVBaseUnknown_var& fasteners) {
  ZELFastenerDisplay& display = Instance();
  const bool wasEmpty = display._highlighted.empty();
  display._highlighted.clear();
  if (display.Apply(display._highlighted, fasteners, true) || !wasEmpty) display.Record();
  return S_OK;
}

HRESULT ZELFastenerDisplay::DeactivateListWeldVisualization() {
  ZELFastenerDisplay& display = Instance();
  if (display._highlighted.empty()) return S_FALSE;
  display._highlighted.clear();
  display.Record();
  return S_OK;
}
