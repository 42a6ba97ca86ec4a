#include "ZELFastenerServices.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "QIVFrmEditor.h"
#include "QIVIAlias.h"
#include "QIVIDocument.h"
#include "QIVIModelObject.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "QIVISPPProcessContainer.h"
#include "QIVModelObject.h"
#include "ZELBIWCycleTime.h"
#include "ZELBIWFastener.h"
#include "ZELBIWFastenerType.h"
#include "ZELBIWPointFastener.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIBIWPointFastener.h"
#include "ZELIMfgAssembly.h"
#include "ZELISpotWeld.h"
#include "ZELObjectTree.h"
#include "ZELPLMOpenObjectInfo.h"
#include "ZELPLMServices.h"

namespace {

QIVIDocument_var DocumentOr(const QIVBaseUnknown_var& document) {
  if (document) return QIVIDocument_var(document);
  QIVBaseUnknown_var current;
  ZELFastenerServices::GetCurrentDocument(current);
  return QIVIDocument_var(current);
}

void ToSequence(const QIVListValQIVBaseUnknown_var& list, _SEQUENCE_QIVBaseUnknown_ptr& sequence) {
  QIVReleaseSequence(sequence);
  sequence.reserve(list.Size());
  for (QIVBaseUnknown_var entry : list) sequence.push_back(entry.Detach());
}

HRESULT FeaturesOf(const QIVBaseUnknown_var& document, const char* interfaceName,
                   QIVListValQIVBaseUnknown_var& features) {
  features.RemoveAll();
  QIVBaseUnknown_var container;
  if (FAILED(ZELFastenerServices::GetProductFeatureContainer(container, document))) return E_FAIL;
  return ZELIBIWFeatureContainer_var(container)->GetFeatures(features, interfaceName);
}

HRESULT FeaturesOf(const QIVBaseUnknown_var& document, const char* interfaceName,
                   _SEQUENCE_QIVBaseUnknown_ptr& features) {
  QIVListValQIVBaseUnknown_var list;
  const HRESULT rc = FeaturesOf(document, interfaceName, list);
  ToSequence(list, features);
  return rc;
}

// Calls `visit` for the activity and, down to `depth` levels (-1: all),
// its descendants, depth first.
void VisitActivities(const QIVBaseUnknown_var& activity, int depth,
                     const std::function<void(const QIVBaseUnknown_var&)>& visit) {
  visit(activity);
  QIVISPPChildManagement_var children(activity);
  if (depth == 0 || !children) return;
  const std::unique_ptr<QIVListValQIVBaseUnknown_var> list = children->GetChildren();
  for (const QIVBaseUnknown_var& child : *list) VisitActivities(child, depth < 0 ? depth : depth - 1, visit);
}

QIVBaseUnknown_var RootOf(const QIVBaseUnknown_var& activity) {
  QIVBaseUnknown_var step = activity, father;
  while (QIVISPPActivity_var(step) && SUCCEEDED(QIVISPPActivity_var(step)->GetFatherActivity(father))) step = father;
  return step;
}

void AddParts(const QIVBaseUnknown_var& item, std::unordered_set<QIVBaseUnknown*>& seen,
              QIVListValQIVBaseUnknown_var& parts) {
  if (QIVIProduct_var(item)) {
    if (seen.insert(item.Identity()).second) parts.Append(item);
  } else if (ZELIMfgAssembly_var assembly = item) {
    if (!seen.insert(item.Identity()).second) return;
    QIVListValQIVBaseUnknown_var inner;
    assembly->GetParts(inner);
    for (const QIVBaseUnknown_var& part : inner) AddParts(part, seen, parts);
    assembly->GetSubAssemblies(inner);
    for (const QIVBaseUnknown_var& sub : inner) AddParts(sub, seen, parts);
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Bytes whose plain order is the natural order of identifiers
// (CompareWeldIDs): each run of digits becomes '0', the number of its digits
// past the leading zeros in one byte, and those digits. A run meets another
// byte only by its first digit, and all digits stand between the same
// neighbours ('/' and ':'), so one marker stands for every digit. False for
// a run of 255 digits or more.
bool NaturalKey(std::string_view id, std::string& key) {
  key.clear();
  for (std::size_t i = 0; i < id.size();) {
    if (!IsDigit(id[i])) {
      key += id[i++];
      continue;
    }
    while (i < id.size() && id[i] == '0') ++i;
    std::size_t end = i;
    while (end < id.size() && IsDigit(id[end])) ++end;
    if (end - i >= 255) return false;
    key += '0';
    key += static_cast<char>(end - i);
    key.append(id.substr(i, end - i));
    i = end;
  }
  return true;
}

// The first eight bytes of `key` from `offset` on as one number, the
// first byte highest, past its end zeros: numbers compare as the bytes do.
std::uint64_t KeyWord(const std::string& key, std::size_t offset) {
  std::uint64_t word = 0;
  for (std::size_t i = offset; i < offset + 8; ++i)
    word = word << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
  return word;
}

// An identifier's natural key as far as most comparisons need it: its first
// sixteen bytes and its length.
constexpr std::size_t HeadSize = 16;
struct Head {
  std::uint64_t high, low;
  std::uint32_t length, position;
};

// Orders heads by their first sixteen bytes, then by length, a length over
// sixteen counting as seventeen, equal ones kept in order: one pass of 256
// buckets for each byte of that key, from the last, skipping a byte the
// same in every head. An identifier's few varying bytes make this a few
// passes over the heads, where a comparison sort took 17 comparisons a head.
void RadixSort(std::vector<Head>& heads) {
  constexpr int KeyBytes = 17;
  const auto byteOf = [](const Head& head, int byte) -> std::uint32_t {
    if (byte == 0) return std::min<std::uint32_t>(head.length, HeadSize + 1);
    const std::uint64_t word = byte <= 8 ? head.low : head.high;
    return static_cast<std::uint32_t>(word >> (8 * ((byte - 1) % 8))) & 0xff;
  };
  std::vector<std::array<std::uint32_t, 256>> counts(KeyBytes);
  for (const Head& head : heads)
    for (int byte = 0; byte < KeyBytes; ++byte) ++counts[byte][byteOf(head, byte)];
  std::vector<Head> sorted(heads.size());
  for (int byte = 0; byte < KeyBytes; ++byte) {
    std::array<std::uint32_t, 256>& starts = counts[byte];
    if (starts[byteOf(heads.front(), byte)] == heads.size()) continue;
    std::uint32_t start = 0;
    for (std::uint32_t& bucket : starts) start += std::exchange(bucket, start);
    for (const Head& head : heads) sorted[starts[byteOf(head, byte)]++] = head;
    heads.swap(sorted);
  }
}

template <class Entry>
void Permute(std::vector<Entry>& entries, const std::vector<std::uint32_t>& order) {
  if (order.empty()) return;
  std::vector<Entry> moved;
  moved.reserve(entries.size());
  for (const std::uint32_t position : order) moved.push_back(std::move(entries[position]));
  entries = std::move(moved);
}

template <class Entry>
void SortByWeldID(std::vector<Entry>& entries, const std::function<QIVBaseUnknown_var(const Entry&)>& handle) {
  std::vector<QIVUnicodeString> ids;
  ids.reserve(entries.size());
  for (const Entry& entry : entries) ids.push_back(ZELFastenerServices::GetWeldID(handle(entry)));
  Permute(entries, ZELFastenerServices::WeldIDOrder(ids));
}

}  // namespace

// The fastener's assignments published by other documents (see
// GetNumberOfK2Assignments).
static HRESULT ExternalAssignments(const QIVBaseUnknown_var& fastener, QIVListValQIVUnicodeString& assignments) {
  ZELIBIWFastener_var typed(fastener);
  if (!typed) return E_INVALIDARG;
  QIVRepository* repository = ZELPLMServices::GetCurrentRepository();
  QIVUnicodeString plmId;
  if (repository && ZELPLMServices::GetPLMID(fastener, plmId) == S_OK) {
    try {
      const std::string documentId = ZELPLMServices::GetDocumentIdentity(QIVBaseUnknown_var(DocumentOr(nullptr)));
      for (const std::string& path : repository->AssignmentPathsOutside(documentId, plmId.str()))
        assignments.Append(QIVUnicodeString(path));
      return S_OK;
    } catch (const QIVSqlError&) {
      assignments.RemoveAll();
    }
  }
  return typed->GetExternalAssignments(assignments);
}

HRESULT ZELFastenerServices::GetCurrentDocument(QIVBaseUnknown_var& document) {
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  document = editor ? editor->GetDocument() : QIVBaseUnknown_var();
  return document ? S_OK : E_FAIL;
}

HRESULT ZELFastenerServices::SetHighlight(const QIVBaseUnknown_var& object) {
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor || !object) return E_FAIL;
  editor->GetHSO()->Empty();
  editor->GetHSO()->AddElement(object.get());
  return S_OK;
}

HRESULT ZELFastenerServices::GetListOfAllFasteners(_SEQUENCE_QIVBaseUnknown_ptr& fasteners,
                                                   const QIVBaseUnknown_var& document) {
  return FeaturesOf(document, ZELIBIWFastener::ClassName(), fasteners);
}

HRESULT ZELFastenerServices::GetListOfAllPointFasteners(const QIVBaseUnknown_var& document,
                                                        QIVListValQIVBaseUnknown_var& fasteners) {
  return FeaturesOf(document, ZELIBIWPointFastener::ClassName(), fasteners);
}

HRESULT ZELFastenerServices::GetListOfAllLocators(_SEQUENCE_QIVBaseUnknown_ptr& locators,
                                                  const QIVBaseUnknown_var& document) {
  return FeaturesOf(document, ZELIBIWLocatingPoint::ClassName(), locators);
}

HRESULT ZELFastenerServices::GetListOfAllClamps(_SEQUENCE_QIVBaseUnknown_ptr& clamps,
                                                const QIVBaseUnknown_var& document) {
  return FeaturesOf(document, ZELIBIWClampingPoint::ClassName(), clamps);
}

HRESULT ZELFastenerServices::GetAllProducts(QIVListValQIVBaseUnknown_var& products,
                                            const QIVBaseUnknown_var& document) {
  QIVIDocument_var found = DocumentOr(document);
  products = found ? found->GetAllProducts() : QIVListValQIVBaseUnknown_var();
  return found ? S_OK : E_FAIL;
}

HRESULT ZELFastenerServices::GetListOfAllActivities(QIVListValQIVBaseUnknown_var& activities,
                                                    const QIVBaseUnknown_var& document) {
  activities.RemoveAll();
  QIVBaseUnknown_var container;
  if (FAILED(GetRootProcessContainer(container, document))) return E_FAIL;
  for (const QIVBaseUnknown_var& root : QIVISPPProcessContainer_var(container)->GetProcesses())
    VisitActivities(root, -1, [&](const QIVBaseUnknown_var& activity) { activities.Append(activity); });
  return S_OK;
}

HRESULT ZELFastenerServices::GetRootActivity(QIVBaseUnknown_var& root, const QIVBaseUnknown_var& document) {
  QIVIDocument_var found = DocumentOr(document);
  root = nullptr;
  return found ? found->GetRootActivity(root) : E_FAIL;
}

HRESULT ZELFastenerServices::GetRootProcessContainer(QIVBaseUnknown_var& container,
                                                     const QIVBaseUnknown_var& document) {
  QIVIDocument_var found = DocumentOr(document);
  container = nullptr;
  return found ? found->GetProcessContainer(container) : E_FAIL;
}

HRESULT ZELFastenerServices::GetProductFeatureContainer(QIVBaseUnknown_var& container,
                                                        const QIVBaseUnknown_var& document) {
  QIVIDocument_var found = DocumentOr(document);
  container = nullptr;
  return found ? found->GetFeatureContainer(container) : E_FAIL;
}

HRESULT ZELFastenerServices::GetFeatContainerFromFeature(const QIVBaseUnknown_var& object,
                                                         QIVBaseUnknown_var& container) {
  QIVIModelObject_var member(object);
  container = nullptr;
  if (!member || !member->GetDocument()) return E_FAIL;
  return GetProductFeatureContainer(container, member->GetDocument());
}

HRESULT ZELFastenerServices::GetFeatContainerFromDocument(const QIVBaseUnknown_var& document,
                                                          QIVBaseUnknown_var& container) {
  container = nullptr;
  if (!document) return E_FAIL;
  return GetProductFeatureContainer(container, document);
}

HRESULT ZELFastenerServices::QuickSort(const QIVUnicodeString& key, QIVListValQIVBaseUnknown_var& fasteners) {
  if (!(key == "Fastener")) return E_INVALIDARG;
  SortByWeldID<QIVBaseUnknown_var>(fasteners.Items(), [](const QIVBaseUnknown_var& entry) { return entry; });
  return S_OK;
}

HRESULT ZELFastenerServices::QuickSort(const QIVUnicodeString& key, _SEQUENCE_QIVBaseUnknown_ptr& fasteners) {
  if (!(key == "Fastener")) return E_INVALIDARG;
  SortByWeldID<QIVBaseUnknown*>(fasteners, [](QIVBaseUnknown* const& entry) { return QIVBaseUnknown_var(entry); });
  return S_OK;
}

void ZELFastenerServices::WeldIDSort::Sort(QIVListValQIVBaseUnknown_var& fasteners,
                                           std::vector<QIVUnicodeString>& ids) {
  std::vector<std::uint32_t> order;
  if (!OrderFromLast(ids, order)) order = WeldIDOrder(ids);
  _ids = ids;
  _order = order;
  Permute(fasteners.Items(), order);
  Permute(ids, order);
}

bool ZELFastenerServices::WeldIDSort::OrderFromLast(const std::vector<QIVUnicodeString>& ids,
                                                    std::vector<std::uint32_t>& order) const {
  if (ids.size() > _ids.size() || (_ids.empty() && !ids.empty())) return false;
  // Where each of the last list's entries is now, if it is still there.
  constexpr std::uint32_t Gone = UINT32_MAX;
  std::vector<std::uint32_t> positionNow(_ids.size(), Gone);
  std::size_t last = 0;
  for (std::uint32_t now = 0; now < ids.size(); ++now, ++last) {
    while (last < _ids.size() && !(_ids[last] == ids[now])) ++last;
    if (last == _ids.size()) return false;
    positionNow[last] = now;
  }
  order.clear();
  if (_order.empty()) return true;
  order.reserve(ids.size());
  for (const std::uint32_t position : _order)
    if (positionNow[position] != Gone) order.push_back(positionNow[position]);
  return true;
}

// The order of `ids` by their natural keys, compared as plain bytes, or by
// CompareWeldIDs when one has no key; equal identifiers keep their order.
// A key's first sixteen bytes, as two numbers, and its length order all
// but longer keys with the same head, which are kept whole for them.
// Empty when the identifiers are in order already, as a document's
// fasteners mostly are: then one pass over the keys is all it costs.
std::vector<std::uint32_t> ZELFastenerServices::WeldIDOrder(const std::vector<QIVUnicodeString>& ids) {
  const std::size_t count = ids.size();
  std::vector<Head> heads(count);
  // Filled only once some key is longer than its head.
  std::vector<std::string> longKeys;
  std::string key;
  bool natural = true;
  for (std::uint32_t i = 0; i < count && natural; ++i) {
    natural = NaturalKey(ids[i].view(), key);
    heads[i] = {KeyWord(key, 0), KeyWord(key, 8), static_cast<std::uint32_t>(key.size()), i};
    if (key.size() > HeadSize) {
      if (longKeys.empty()) longKeys.resize(count);
      longKeys[i] = key;
    }
  }
  std::vector<std::uint32_t> order(count);
  if (natural) {
    // With equal heads a key of at most sixteen bytes is the other's
    // beginning, padded with zeros: the shorter goes first.
    const auto before = [&longKeys](const Head& a, const Head& b) {
      if (a.high != b.high) return a.high < b.high;
      if (a.low != b.low) return a.low < b.low;
      if (a.length > HeadSize && b.length > HeadSize) {
        if (const int bytes = longKeys[a.position].compare(longKeys[b.position]); bytes != 0)
          return bytes < 0;
      } else if (a.length != b.length) {
        return a.length < b.length;
      }
      return a.position < b.position;
    };
    if (std::is_sorted(heads.begin(), heads.end(), before)) return {};
    RadixSort(heads);
    // Runs of longer keys with equal heads are told apart by their whole
    // keys, equal ones kept in order.
    for (auto run = heads.begin(); run != heads.end();) {
      const auto end = std::find_if(run + 1, heads.end(), [&run](const Head& head) {
        return head.high != run->high || head.low != run->low || head.length <= HeadSize;
      });
      if (run->length > HeadSize && end - run > 1) std::stable_sort(run, end, before);
      run = run->length > HeadSize ? end : run + 1;
    }
    for (std::size_t i = 0; i < count; ++i) order[i] = heads[i].position;
  } else {
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&ids](std::uint32_t a, std::uint32_t b) { return CompareWeldIDs(ids[a], ids[b]) < 0; });
  }
  return order;
}

QIVUnicodeString ZELFastenerServices::GetWeldID(const QIVBaseUnknown_var& fastener) {
  QIVUnicodeString name;
  // A fastener of the model offers both interfaces whatever its state, so it
  // is read in place: lists ask this of every fastener they show.
  if (const ZELBIWFastener* model = QIVModelObject::As<ZELBIWFastener>(fastener)) {
    QIVUnicodeString identifier = model->GetIdentifier();
    if (!identifier.IsEmpty()) return identifier;
    name = model->GetAlias();
  } else {
    if (ZELIBIWFastener_var identified = fastener) {
      QIVUnicodeString identifier = identified->GetIdentifier();
      if (!identifier.IsEmpty()) return identifier;
    }
    QIVIAlias_var named(fastener);
    if (!named) return "";
    name = named->GetAlias();
  }
  const std::size_t separator = name.view().find(", ");
  return separator == std::string_view::npos ? name : QIVUnicodeString(name.view().substr(0, separator));
}

bool ZELFastenerServices::IsFastener(const QIVBaseUnknown_var& object) {
  return QIVModelObject::As<ZELBIWFastener>(object) || ZELIBIWFastener_var(object);
}

bool ZELFastenerServices::IsSpotWeld(const QIVBaseUnknown_var& object) {
  return QIVModelObject::As<ZELBIWPointFastener>(object) || ZELISpotWeld_var(object);
}

QIVUnicodeString ZELFastenerServices::GetName(const QIVBaseUnknown_var& object) {
  if (const ZELBIWFeature* feature = QIVModelObject::As<ZELBIWFeature>(object)) return feature->GetAlias();
  const QIVIAlias_var alias(object);
  return alias ? alias->GetAlias() : QIVUnicodeString();
}

int ZELFastenerServices::CompareWeldIDs(const QIVUnicodeString& a, const QIVUnicodeString& b) {
  const std::string_view x = a.view(), y = b.view();
  std::size_t i = 0, j = 0;
  while (i < x.size() && j < y.size()) {
    if (IsDigit(x[i]) && IsDigit(y[j])) {
      while (i < x.size() && x[i] == '0') ++i;
      while (j < y.size() && y[j] == '0') ++j;
      std::size_t endX = i, endY = j;
      while (endX < x.size() && IsDigit(x[endX])) ++endX;
      while (endY < y.size() && IsDigit(y[endY])) ++endY;
      if (endX - i != endY - j) return endX - i < endY - j ? -1 : 1;
      if (const int digits = x.substr(i, endX - i).compare(y.substr(j, endY - j)); digits != 0) return digits;
      i = endX;
      j = endY;
    } else {
      if (x[i] != y[j]) return static_cast<unsigned char>(x[i]) < static_cast<unsigned char>(y[j]) ? -1 : 1;
      ++i;
      ++j;
    }
  }
  return (i < x.size()) - (j < y.size());
}

HRESULT ZELFastenerServices::GetWeldFromActivity(const QIVBaseUnknown_var& activity,
                                                 QIVListValQIVBaseUnknown_var& fasteners, int mode, int depth) {
  if (mode == 0) fasteners.RemoveAll();
  if (!QIVISPPItemMgt_var(activity)) return E_INVALIDARG;
  std::unordered_set<QIVBaseUnknown*> held;
  for (const QIVBaseUnknown_var& fastener : fasteners) held.insert(fastener.Identity());
  VisitActivities(activity, depth, [&](const QIVBaseUnknown_var& step) {
    QIVISPPItemMgt_var items(step);
    if (!items) return;
    for (const QIVBaseUnknown_var& item : items->GetItems())
      if (ZELIBIWFastener_var(item) && held.insert(item.Identity()).second) fasteners.Append(item);
  });
  return S_OK;
}

HRESULT ZELFastenerServices::IsValidWeldForActivity(const QIVBaseUnknown_var& fastener,
                                                    const QIVBaseUnknown_var& activity) {
  return WeldFit(activity).Check(fastener);
}

ZELFastenerServices::WeldFit::WeldFit(const QIVBaseUnknown_var& activity) {
  if (QIVISPPActivity_var kind(activity); kind) {
    _activityType = kind->GetActivityType().str();
    _isActivity = true;
  }
}

HRESULT ZELFastenerServices::WeldFit::Check(const QIVBaseUnknown_var& fastener) {
  // A fastener of the model offers its interface whatever its state, so it
  // is read in place.
  const ZELBIWFastener* model = QIVModelObject::As<ZELBIWFastener>(fastener);
  ZELIBIWFastener_var typed = model ? nullptr : ZELIBIWFastener_var(fastener);
  if (!(model || typed) || !_isActivity) return E_FAIL;
  // The fixed type tables answer the same for the same texts, and a list's
  // fasteners are of a few types.
  const QIVUnicodeString type = model ? model->GetType() : typed->GetType();
  if (!_answered || _lastType != type.view()) {
    _lastFits = ZELBIWFastenerType::Fits(type.view(), _activityType);
    _lastType = type.str();
    _answered = true;
  }
  return _lastFits ? S_OK : E_FAIL;
}

HRESULT ZELFastenerServices::GetFastenerParts(const QIVBaseUnknown_var& fastener,
                                              QIVListValQIVBaseUnknown_var& parts) {
  parts.RemoveAll();
  QIVBaseUnknown_var container;
  if (FAILED(GetFeatContainerFromFeature(fastener, container))) return E_FAIL;
  const ZELIBIWFeaturePartRelations_var relations(container);
  if (!relations) return E_FAIL;
  // Bounded: a father chain that loops back ends the search.
  int depth = 0;
  for (QIVBaseUnknown_var feature = fastener; ZELIBIWFeature_var(feature) && depth < 10000;
       feature = ZELObjectTree::FatherOf(feature), ++depth) {
    if (SUCCEEDED(relations->GetRelatedParts(feature, parts)) && !parts.IsEmpty()) return S_OK;
  }
  parts.RemoveAll();
  return S_OK;
}

HRESULT ZELFastenerServices::ValidateListOfFastenersForAssignmentToActivity(QIVListValQIVBaseUnknown_var& fasteners,
                                                                            const QIVBaseUnknown_var& activity,
                                                                            bool partLoadConstraint) {
  if (!partLoadConstraint) return S_OK;
  QIVListValQIVBaseUnknown_var loaded;
  if (FAILED(GetLoadedParts(activity, loaded))) return E_INVALIDARG;
  std::unordered_set<QIVBaseUnknown*> reaching;
  for (const QIVBaseUnknown_var& part : loaded) reaching.insert(part.Identity());

  QIVListValQIVBaseUnknown_var kept;
  QIVListValQIVBaseUnknown_var parts;
  for (const QIVBaseUnknown_var& entry : fasteners) {
    if (!entry) continue;
    if (ZELIBIWFastener_var(entry) && SUCCEEDED(GetFastenerParts(entry, parts))) {
      if (!std::all_of(parts.begin(), parts.end(),
                       [&](const QIVBaseUnknown_var& part) { return reaching.count(part.Identity()) != 0; }))
        continue;
    }
    kept.Append(entry);
  }
  fasteners = std::move(kept);
  return S_OK;
}

HRESULT ZELFastenerServices::GetLoadedParts(const QIVBaseUnknown_var& activity, QIVListValQIVBaseUnknown_var& parts) {
  parts.RemoveAll();
  QIVBaseUnknown_var station = ZELBIWCycleTime::StationOf(activity);
  if (!station) station = activity;
  if (!QIVISPPItemMgt_var(station)) return E_INVALIDARG;
  std::unordered_set<QIVBaseUnknown*> seen;
  VisitActivities(station, -1, [&](const QIVBaseUnknown_var& step) {
    if (QIVISPPItemMgt_var items = step)
      for (const QIVBaseUnknown_var& item : items->GetItems()) AddParts(item, seen, parts);
  });
  return S_OK;
}

HRESULT ZELFastenerServices::CheckWeldAssignement(const QIVBaseUnknown_var& fastener,
                                                  const QIVBaseUnknown_var& activity,
                                                  const QIVListValQIVBaseUnknown_var* allAssigned, int) {
  if (FAILED(IsValidWeldForActivity(fastener, activity))) return E_FAIL;
  if (ZELIBIWFeature_var feature = fastener) return feature->GetNumberOfAssignments() > 0 ? E_FAIL : S_OK;
  return allAssigned && allAssigned->Contains(fastener) ? E_FAIL : S_OK;
}

HRESULT ZELFastenerServices::AssignListOfWelds(const QIVListValQIVBaseUnknown_var* fasteners,
                                               const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var&, int) {
  QIVISPPItemMgt_var items(activity);
  if (!items) return E_INVALIDARG;
  if (!fasteners) return S_FALSE;
  bool every = true;
  for (const QIVBaseUnknown_var& fastener : *fasteners)
    every &= SUCCEEDED(IsValidWeldForActivity(fastener, activity)) &&
             SUCCEEDED(items->AddItem(fastener, QIVSPPItemAssigned));
  return every ? S_OK : S_FALSE;
}

HRESULT ZELFastenerServices::AssignR7Weld(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& fastener) {
  const QIVListValQIVBaseUnknown_var single{fastener};
  const HRESULT rc = AssignListOfWelds(&single, activity, nullptr, 0);
  return rc == S_OK ? S_OK : E_FAIL;
}

HRESULT ZELFastenerServices::UnassignListOfWelds(const QIVListValQIVBaseUnknown_var& fasteners,
                                                 const QIVBaseUnknown_var& activity) {
  QIVISPPItemMgt_var items(activity);
  if (!items) return E_INVALIDARG;
  QIVListValQIVBaseUnknown_var welds;
  for (const QIVBaseUnknown_var& fastener : fasteners)
    if (ZELIBIWFastener_var(fastener)) welds.Append(fastener);
  return items->RemoveItems(welds);
}

HRESULT ZELFastenerServices::ReallocateWeld(const QIVBaseUnknown_var& origin, const QIVBaseUnknown_var& destination,
                                            const QIVListValQIVBaseUnknown_var& fasteners) {
  QIVISPPItemMgt_var from(origin), to(destination);
  if (!from || !to) return E_INVALIDARG;
  bool every = true;
  for (const QIVBaseUnknown_var& fastener : fasteners) {
    if (!from->HasItem(fastener) || FAILED(IsValidWeldForActivity(fastener, destination))) {
      every = false;
      continue;
    }
    from->RemoveItem(fastener);
    to->AddItem(fastener, QIVSPPItemAssigned);
  }
  return every ? S_OK : S_FALSE;
}

HRESULT ZELFastenerServices::GetActivityFromAssignedWeld(const QIVBaseUnknown_var& fastener,
                                                         QIVListValQIVBaseUnknown_var& activities, int& count) {
  activities.RemoveAll();
  count = 0;
  ZELIBIWFeature_var feature(fastener);
  if (!feature) return E_INVALIDARG;
  feature->GetAssignedActivities(activities);
  count = activities.Size();
  return S_OK;
}

HRESULT ZELFastenerServices::GetListOfR7AssignedWeld(const QIVBaseUnknown_var& root,
                                                     QIVListValQIVBaseUnknown_var& fasteners) {
  return GetWeldFromActivity(root, fasteners, 0, -1);
}

HRESULT ZELFastenerServices::AssignProductsAsFirstAssign(const QIVBaseUnknown_var& activity,
                                                         const QIVListValQIVBaseUnknown_var& products) {
  QIVISPPItemMgt_var items(activity);
  if (!items) return E_INVALIDARG;
  bool every = true;
  for (const QIVBaseUnknown_var& product : products)
    every &= SUCCEEDED(items->AddItem(product, QIVSPPItemFromFlow));
  return every ? S_OK : S_FALSE;
}

HRESULT ZELFastenerServices::GetActivityHierarchy(const QIVBaseUnknown_var& activity, QIVUnicodeString& text) {
  QIVListValQIVUnicodeString names;
  text = "";
  if (FAILED(GetListOfExpandedTREEUpwards(activity, names))) return E_INVALIDARG;
  for (int i = names.Size(); i >= 1; --i) text += (i == names.Size() ? "" : "/") + names[i];
  return S_OK;
}

HRESULT ZELFastenerServices::GetListOfExpandedTREEUpwards(const QIVBaseUnknown_var& activity,
                                                          QIVListValQIVUnicodeString& names) {
  names.RemoveAll();
  QIVISPPActivity_var step(activity);
  if (!step) return E_INVALIDARG;
  while (step) {
    names.Append(step->GetName());
    QIVBaseUnknown_var father;
    if (FAILED(step->GetFatherActivity(father))) break;
    step = father;
  }
  return S_OK;
}

HRESULT ZELFastenerServices::IsValidProcessVersion(const QIVBaseUnknown_var& activity,
                                                   const QIVBaseUnknown_var& fastener,
                                                   const QIVListValQIVUnicodeString& expandedTree) {
  // The caller's tree is read in place: a dialog asks this of each of its
  // 90,000 fasteners with the same tree.
  QIVListValQIVUnicodeString computed;
  const QIVListValQIVUnicodeString* tree = &expandedTree;
  if (expandedTree.IsEmpty()) {
    if (FAILED(GetListOfExpandedTREEUpwards(activity, computed))) return E_INVALIDARG;
    tree = &computed;
  }
  // A feature of the model is read in place.
  QIVListValQIVBaseUnknown_var assigned;
  if (const ZELBIWFeature* model = QIVModelObject::As<ZELBIWFeature>(fastener))
    model->GetAssignedActivities(assigned);
  else if (ZELIBIWFeature_var feature = fastener)
    feature->GetAssignedActivities(assigned);
  else
    return S_OK;
  for (const QIVBaseUnknown_var& other : assigned)
    if (!(QIVISPPActivity_var(RootOf(other))->GetName() == (*tree)[tree->Size()])) return E_FAIL;
  return S_OK;
}

int ZELFastenerServices::GetNumberOfK2Assignments(const QIVBaseUnknown_var& fastener) {
  QIVListValQIVUnicodeString external;
  return SUCCEEDED(ExternalAssignments(fastener, external)) ? external.Size() : 0;
}

HRESULT ZELFastenerServices::AddK2AssignmentToText(const QIVBaseUnknown_var& fastener, QIVUnicodeString& text) {
  QIVListValQIVUnicodeString external;
  if (FAILED(ExternalAssignments(fastener, external))) return E_INVALIDARG;
  for (const QIVUnicodeString& assignment : external) text += assignment + ";";
  return S_OK;
}

HRESULT ZELFastenerServices::GetK2ManufacturingFasternerInfo(const QIVListValQIVUnicodeString& plmIds,
                                                             QIVListValQIVBaseUnknown_var& records) {
  records.RemoveAll();
  QIVRepository* repository = ZELPLMServices::GetCurrentRepository();
  if (!repository) return E_FAIL;
  std::vector<std::string> asked;
  for (const QIVUnicodeString& plmId : plmIds) asked.push_back(plmId.str());
  try {
    for (const QIVFastenerRecord& fastener : repository->GetFasteners(asked)) {
      QIVVar<ZELPLMOpenObjectInfo> record = QIVMake<ZELPLMOpenObjectInfo>(
          fastener.plmId, "fastener",
          QIVAttributes{{"name", QIVVariant(fastener.name)}, {"fastenerversion", QIVVariant(fastener.version)}});
      record->SetSavedPosition(fastener.saved);
      records.Append(record);
    }
  } catch (const QIVSqlError&) {
    records.RemoveAll();
    return E_FAIL;
  }
  return S_OK;
}

HRESULT ZELFastenerServices::GetPointFastenersAttributesFromVUXO(const QIVBaseUnknown_var& record,
                                                                 QIVRawColldouble& position) {
  position.RemoveAll();
  ZELIPLMOpenObjectInfo_var info(record);
  if (!info) return E_INVALIDARG;
  return info->GetSavedPosition(position);
}

HRESULT ZELFastenerServices::QueryAttributes(
    const QIVListValQIVUnicodeString& pointFastenerIds, const QIVListValQIVUnicodeString& locatorIds,
    const QIVListValQIVUnicodeString& clampIds, const QIVListValQIVUnicodeString& pointFastenerAttributes,
    const QIVListValQIVUnicodeString& locatorAttributes, const QIVListValQIVUnicodeString& clampAttributes,
    QIVListValQIVBaseUnknown_var& pointFastenerRecords, QIVListValQIVBaseUnknown_var& locatorRecords,
    QIVListValQIVBaseUnknown_var& clampRecords) {
  struct Query {
    const QIVListValQIVUnicodeString& ids;
    const QIVListValQIVUnicodeString& attributes;
    QIVListValQIVBaseUnknown_var& records;
    const char* kind;
  };
  const Query queries[] = {{pointFastenerIds, pointFastenerAttributes, pointFastenerRecords, "fastener"},
                           {locatorIds, locatorAttributes, locatorRecords, "locating feature"},
                           {clampIds, clampAttributes, clampRecords, "clamping point"}};
  for (const Query& query : queries) query.records.RemoveAll();
  QIVRepository* repository = ZELPLMServices::GetCurrentRepository();
  if (!repository) return E_FAIL;
  try {
    for (const Query& query : queries) {
      std::vector<std::string> ids, names;
      for (const QIVUnicodeString& id : query.ids) ids.push_back(id.str());
      for (const QIVUnicodeString& name : query.attributes) names.push_back(name.str());
      // No attribute asked: nothing to read, yet one record per identifier.
      if (names.empty()) names.push_back(std::string());
      std::vector<std::optional<QIVAttributes>> found = repository->GetAttributes(ids, names);
      for (std::size_t i = 0; i < ids.size(); ++i)
        query.records.Append(found[i] ? QIVBaseUnknown_var(QIVMake<ZELPLMOpenObjectInfo>(ids[i], query.kind, *found[i]))
                                      : QIVBaseUnknown_var());
    }
  } catch (const QIVSqlError&) {
    for (const Query& query : queries) query.records.RemoveAll();
    return E_FAIL;
  }
  return S_OK;
}

HRESULT ZELFastenerServices::TokenizeString(const QIVUnicodeString& text, QIVListValQIVUnicodeString& parts,
                                            const QIVUnicodeString& separator) {
  parts.RemoveAll();
  if (separator.IsEmpty()) return E_INVALIDARG;
  const std::string_view all = text.view();
  for (std::size_t start = 0; start <= all.size();) {
    const std::size_t end = std::min(all.find(separator.view(), start), all.size());
    if (end > start) parts.Append(QIVUnicodeString(all.substr(start, end - start)));
    start = end + separator.view().size();
  }
  return S_OK;
}

HRESULT ZELFastenerServices::GetWeldLocation(const QIVBaseUnknown_var& weld, WeldLocation& location) {
  QIVMathTransformation placement;
  if (const ZELBIWPointFastener* model = QIVModelObject::As<ZELBIWPointFastener>(weld)) {
    location.name = model->Alias();
    location.version = model->FastenerVersion();
    location.hasDesign = location.hasManufacturing = true;
    model->GetDesignPlacement(placement);
    location.design = placement.ToYPR();
    const std::vector<double>& manufacturing = model->ManufacturingPosition();
    if (manufacturing.size() == location.manufacturing.size())
      std::copy(manufacturing.begin(), manufacturing.end(), location.manufacturing.begin());
    else
      location.manufacturing.fill(0.0);
    return S_OK;
  }
  if (!ZELISpotWeld_var(weld)) return E_FAIL;
  const QIVIAlias_var alias(weld);
  location.name = alias ? alias->GetAlias() : QIVUnicodeString();
  const ZELIBIWFastener_var fastener(weld);
  location.version = fastener ? fastener->GetFastenerVersion() : QIVUnicodeString();
  const ZELIBIWPointFastener_var point(weld);
  location.hasDesign = point && SUCCEEDED(point->GetDesignPlacement(placement));
  if (location.hasDesign) location.design = placement.ToYPR();
  location.hasManufacturing = bool(point);
  QIVRawColldouble manufacturing;
  if (point && SUCCEEDED(point->GetManufacturingPosition(manufacturing)) &&
      manufacturing.Size() == static_cast<int>(location.manufacturing.size()))
    std::copy(manufacturing.begin(), manufacturing.end(), location.manufacturing.begin());
  else
    location.manufacturing.fill(0.0);
  return S_OK;
}

namespace {
// How many places ahead of the fastener read its object's first line is
// asked for, then the rest of its lines (the object's layout found through
// that line, by then in the cache), then the blocks the read follows from
// the object (found through its fields). Each stage's loads must have
// arrived before the next needs them, while the lines in flight stay
// within what the core can wait for.
constexpr std::size_t kObjectAhead = 12;
constexpr std::size_t kLinesAhead = 6;
constexpr std::size_t kBlocksAhead = 3;
constexpr std::size_t kLineSize = 64;

void Prefetch(const void* address) { __builtin_prefetch(address); }

// A text held in the object, and its characters, in a block of their own
// when too long to be held in place.
void PrefetchText(const QIVUnicodeString& text) {
  Prefetch(&text);
  Prefetch(text.view().data());
}

// Asks into the cache, ahead of reading `fasteners[index]`, the fasteners
// that follow it, `blocks` asking for what a model fastener's fields point
// to (a block of details few fasteners have is asked for, not read
// through): lists of a body's fasteners, sorted or gathered through its
// groups, lie all over memory, and each read began with a cache miss.
template <class Blocks>
void ReadAhead(const std::vector<QIVBaseUnknown_var>& fasteners, std::size_t index, Blocks blocks) {
  const std::size_t count = fasteners.size();
  if (index + kObjectAhead < count) Prefetch(fasteners[index + kObjectAhead].Identity());
  if (index + kLinesAhead < count)
    if (const auto* model = QIVModelObject::As<ZELBIWPointFastener>(fasteners[index + kLinesAhead]))
      for (std::size_t at = 0; at < sizeof *model; at += kLineSize)
        Prefetch(reinterpret_cast<const char*>(model) + at);
  if (index + kBlocksAhead < count)
    if (const auto* model = QIVModelObject::As<ZELBIWPointFastener>(fasteners[index + kBlocksAhead]))
      blocks(*model);
}
}  // namespace

void ZELFastenerServices::ReadSpotWelds(const QIVListValQIVBaseUnknown_var& fasteners,
                                        std::vector<std::uint32_t>& spotWelds,
                                        std::vector<QIVUnicodeString>& names,
                                        std::vector<QIVUnicodeString>* ids) {
  const std::vector<QIVBaseUnknown_var>& all = fasteners.Items();
  for (std::size_t index = 0; index < all.size(); ++index) {
    ReadAhead(all, index, [](const ZELBIWPointFastener& weld) {
      PrefetchText(weld.Alias());
      Prefetch(&weld.Identifier());
    });
    if (!IsSpotWeld(all[index])) continue;
    spotWelds.push_back(static_cast<std::uint32_t>(index));
    names.push_back(GetName(all[index]));
    if (ids) ids->push_back(GetWeldID(all[index]));
  }
}

HRESULT ZELFastenerServices::WeldLocationReader::Read(std::size_t index, WeldLocation& location) const {
  ReadAhead(_welds, index, [](const ZELBIWPointFastener& weld) {
    PrefetchText(weld.Alias());
    Prefetch(&weld.FastenerVersion());
    Prefetch(&weld.ManufacturingPosition());
  });
  return GetWeldLocation(_welds[index], location);
}

HRESULT ZELFastenerServices::FromQIVMathToYPR(const QIVMathTransformation& placement, QIVRawColldouble& values) {
  values.RemoveAll();
  for (double value : placement.ToYPR()) values.Append(value);
  return S_OK;
}
