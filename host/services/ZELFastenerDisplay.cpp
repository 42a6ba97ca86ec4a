#include "ZELFastenerDisplay.h"

#include <algorithm>
#include <string>

#include "QIVDocument.h"
#include "QIVModelObject.h"
#include "QIVSession.h"
#include "QIVTranscript.h"
#include "ZELFastenerPODDisplay.h"
#include "ZELIBIWFastener.h"

ZELFastenerDisplay& ZELFastenerDisplay::Instance() { return QIVSession::Current().Get<ZELFastenerDisplay>(); }

namespace {
// The fastener's document, as its identity, or null; read without a query
// or a reference, as the display asks it of every fastener of a list.
const QIVBaseUnknown* DocumentOf(const QIVModelObject* member) {
  if (!member || !member->Document()) return nullptr;
  return static_cast<const QIVIDocument*>(member->Document());
}
}  // namespace

bool ZELFastenerDisplay::IdSet::insert(long long id) {
  if (id < 0 || id >= DenseBound) {
    const bool added = _far.insert(id).second;
    _size += added;
    return added;
  }
  if (static_cast<std::size_t>(id) >= _dense.size())
    _dense.resize(std::max<std::size_t>(2 * _dense.size(), static_cast<std::size_t>(id) + 1));
  if (_dense[id]) return false;
  _dense[id] = true;
  ++_size;
  return true;
}

bool ZELFastenerDisplay::IdSet::erase(long long id) {
  if (!count(id)) return false;
  if (id < 0 || id >= DenseBound)
    _far.erase(id);
  else
    _dense[id] = false;
  --_size;
  return true;
}

bool ZELFastenerDisplay::IdSet::count(long long id) const {
  if (id < 0 || id >= DenseBound) return _far.count(id) != 0;
  return static_cast<std::size_t>(id) < _dense.size() && _dense[id];
}

void ZELFastenerDisplay::IdSet::clear() {
  _dense.clear();
  _far.clear();
  _size = 0;
}

long long ZELFastenerDisplay::IdOf(const QIVBaseUnknown_var& fastener) const {
  const QIVModelObject* member = QIVModelObject::From(fastener);
  const QIVBaseUnknown* document = DocumentOf(member);
  if (!document || document != _document) return 0;
  return member->GetDocumentId();
}

long long ZELFastenerDisplay::Follow(const QIVBaseUnknown_var& fastener) {
  const QIVModelObject* member = QIVModelObject::From(fastener);
  const QIVBaseUnknown* document = DocumentOf(member);
  if (!document) return 0;
  if (document != _document) {
    Reset();
    _document = document;
  }
  return member->GetDocumentId();
}

bool ZELFastenerDisplay::Apply(IdSet& set, const QIVListValQIVBaseUnknown_var& fasteners, bool add) {
  bool changed = false;
  for (const QIVBaseUnknown_var& fastener : fasteners) {
    const long long id = Follow(fastener);
    if (id == 0) continue;
    changed |= add ? set.insert(id) : set.erase(id);
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
  _podDisplays.clear();
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

HRESULT ZELFastenerDisplay::CreateVisualizationR7WeldList(const QIVListValQIVBaseUnknown_var& fasteners,
                                                          ZELIFastenerPODDisplay_var* display) {
  if (display) *display = nullptr;
  QIVListValQIVBaseUnknown_var labelled;
  std::unordered_set<const void*> met;
  for (const QIVBaseUnknown_var& fastener : fasteners)
    if (ZELIBIWFastener_var(fastener) && met.insert(fastener.Identity()).second) labelled.Append(fastener);
  if (labelled.IsEmpty()) return S_FALSE;
  ShowWeldIDs(labelled, true);
  ZELFastenerDisplay& session = Instance();
  session._podDisplays.push_back(QIVMake<ZELFastenerPODDisplay>(std::move(labelled)));
  if (display) *display = session._podDisplays.back();
  return S_OK;
}

HRESULT ZELFastenerDisplay::DeleteVisualizationR7WeldList() {
  ZELFastenerDisplay& session = Instance();
  if (session._podDisplays.empty()) return S_FALSE;
  // Taken first, so that hiding an identifier of another document (which
  // resets the display) cannot pull the list from under the loop.
  std::vector<ZELIFastenerPODDisplay_var> displays = std::move(session._podDisplays);
  session._podDisplays.clear();
  QIVListValQIVBaseUnknown_var fasteners;
  for (const ZELIFastenerPODDisplay_var& display : displays)
    if (display && SUCCEEDED(display->GetFasteners(fasteners))) ShowWeldIDs(fasteners, false);
  return S_OK;
}
