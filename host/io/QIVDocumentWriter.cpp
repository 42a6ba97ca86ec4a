#include "QIVDocumentWriter.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "QIVDocument.h"
#include "QIVDocumentFormat.h"
#include "QIVIPlantLibrary.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPDynamicActivity.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItem.h"
#include "QIVISPPItemLink.h"
#include "QIVISPPProcessContainer.h"
#include "QIVISPPProductIO.h"
#include "QIVISpecObject.h"
#include "QIVJsonWriter.h"
#include "QIVLinkOrder.h"
#include "QIVMathTransformation.h"
#include "ZELBIWCurveFastener.h"
#include "ZELBIWFeatureContainer.h"
#include "ZELBIWFeatureGroup.h"
#include "ZELBIWLocator.h"
#include "ZELBIWPointFastener.h"
#include "ZELIBIWCurveFastener.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIBIWFeatureGroup.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWPointFastener.h"
#include "ZELIMHIDocInfo.h"
#include "ZELISpotWeld.h"
#include "ZELIUpdateManufAssly.h"

namespace F = QIVDocumentFormat;

namespace {

// Thrown inside the writer only; Write turns it into an error.
struct WriteFault {
  QIVUnicodeString reason;
};

QIVUnicodeString Describe(const QIVModelObject* model) {
  return QIVUnicodeString::Format("%s %lld", model->GetKindName(), model->GetDocumentId());
}

QIVUnicodeString Describe(const QIVBaseUnknown_var& object) {
  QIVIModelObject_var model(object);
  if (!model) return "an object";
  return QIVUnicodeString::Format("%s %lld", model->GetKindName(), model->GetDocumentId());
}

// Blocks handed to a sink are about this large.
constexpr std::size_t BlockSize = std::size_t{1} << 20;

// The ids of the objects written. A document numbers its objects from 1, so
// ids up to a few times the object count are a bit each; ids read from a
// file may stand far beyond and go to a hash set.
class WrittenIds {
 public:
  explicit WrittenIds(int objects) : _bits(2 * static_cast<std::size_t>(std::max(objects, 0)) + 1024) {}

  // False when the id was written already.
  bool Insert(long long id) {
    bool added;
    if (id >= 0 && static_cast<std::size_t>(id) < _bits.size()) {
      added = !_bits[static_cast<std::size_t>(id)];
      _bits[static_cast<std::size_t>(id)] = true;
    } else {
      added = _beyond.insert(id).second;
    }
    _count += added ? 1 : 0;
    return added;
  }
  bool Contains(long long id) const {
    return id >= 0 && static_cast<std::size_t>(id) < _bits.size() ? _bits[static_cast<std::size_t>(id)]
                                                                  : _beyond.count(id) != 0;
  }
  std::size_t Size() const { return _count; }

 private:
  std::vector<bool> _bits;
  std::unordered_set<long long> _beyond;
  std::size_t _count = 0;
};

class Writer {
 public:
  Writer(const QIVIDocument_var& document, const QIVDocumentWriter::Sink* sink)
      : _document(document),
        _model(QIVCastCache::Cast<QIVDocument>(document.Identity())),
        _sink(sink),
        _written(document->GetObjectCount()) {}

  std::string Run() {
    _out.BeginObject();
    _out.Key("format");
    _out.String(F::Name);
    _out.Key("version");
    _out.Integer(F::Version);
    WriteReferences();
    WriteProducts();
    WriteDatums();
    WriteFeatures();
    WriteAssemblies();
    WriteProcess();
    WriteFlow();
    WriteItems();
    WritePlantLibrary();
    _out.EndObject();
    CheckEverythingWritten();
    if (_sink) HandOn();
    return _out.Take();
  }

 private:
  // Objects and links.

  void HandOn() {
    (*_sink)(_out.Text());
    _out.ClearText();
  }

  void BeginEntry(const QIVBaseUnknown_var& object) { BeginEntry(object, QIVIModelObject_var(object)); }

  void BeginEntry(const QIVBaseUnknown_var& object, const QIVIModelObject_var& model) {
    if (!model || !(model->GetDocument() == _document))
      throw WriteFault{Describe(object) + " is not in the document"};
    WriteId(model->GetDocumentId(), object);
  }

  // The entry of a model object read in place.
  void BeginEntry(const QIVModelObject* model) {
    if (model->Document() != _model) throw WriteFault{Describe(model) + " is not in the document"};
    WriteId(model->GetDocumentId(), model);
  }

  template <class Object>
  void WriteId(long long id, const Object& object) {
    if (_sink && _out.Text().size() >= BlockSize) HandOn();
    if (!_written.Insert(id)) throw WriteFault{Describe(object) + " stands twice"};
    _out.BeginObject();
    _out.Key("id");
    _out.Integer(id);
  }

  long long IdOf(const QIVBaseUnknown_var& target, const QIVBaseUnknown_var& from, const char* key) {
    QIVIModelObject_var model(target);
    if (!model || !(model->GetDocument() == _document) || model->GetDocumentId() == 0)
      throw WriteFault{Describe(from) + ": " + key + " links to an object outside the document"};
    return model->GetDocumentId();
  }

  void Reference(const char* key, const QIVBaseUnknown_var& target, const QIVBaseUnknown_var& from) {
    _out.Key(key);
    _out.Integer(IdOf(target, from, key));
  }

  long long IdOf(const QIVModelObject* target, const QIVModelObject* from, const char* key) {
    if (target->Document() != _model || target->GetDocumentId() == 0)
      throw WriteFault{Describe(from) + ": " + key + " links to an object outside the document"};
    return target->GetDocumentId();
  }

  void References(const char* key, const QIVListValQIVBaseUnknown_var& targets,
                  const QIVBaseUnknown_var& from) {
    if (targets.IsEmpty()) return;
    _out.Key(key);
    _out.BeginInlineArray();
    for (const QIVBaseUnknown_var& target : targets) _out.Integer(IdOf(target, from, key));
    _out.EndArray();
  }

  // Values.

  template <class Owner>
  void Number(const char* key, double value, const Owner& owner) {
    _out.Key(key);
    if (!_out.Number(value)) throw WriteFault{Describe(owner) + ": " + key + " is not a finite number"};
  }

  template <class Values, class Owner>
  void Numbers(const char* key, const Values& values, const Owner& owner) {
    _out.Key(key);
    InlineNumbers(key, values, owner);
  }

  template <class Values, class Owner>
  void InlineNumbers(const char* key, const Values& values, const Owner& owner) {
    _out.BeginInlineArray();
    for (double value : values)
      if (!_out.Number(value))
        throw WriteFault{Describe(owner) + ": " + key + " holds a number that is not finite"};
    _out.EndArray();
  }

  template <class I, std::size_t N>
  void Texts(const QIVBaseUnknown_var& object, const F::TextField<I> (&fields)[N]) {
    Texts(QIVVar<I>(object), fields);
  }

  template <class I, std::size_t N>
  void Texts(const QIVVar<I>& holder, const F::TextField<I> (&fields)[N]) {
    if (holder) Texts(holder.get(), fields);
  }

  template <class I, std::size_t N>
  void Texts(const I* holder, const F::TextField<I> (&fields)[N]) {
    for (const F::TextField<I>& field : fields) {
      const QIVUnicodeString value = (holder->*field.get)();
      if (!field.always && value.IsEmpty()) continue;
      _out.Key(field.key);
      _out.String(value.view());
    }
  }

  template <class I>
  void Color(const I* holder, const F::ColorField<I>& field) {
    const long rgb = (holder->*field.get)();
    if (rgb < 0) return;
    _out.Key("color");
    _out.String(QIVUnicodeString::Format("#%06lX", rgb).view());
  }

  // The children of a tree's node one level down; a tree deeper than a
  // document may hold is refused here rather than saved unreadable.
  template <class List, class Writes>
  void Children(const char* key, const List& children, Writes&& write) {
    if (children.begin() == children.end()) return;
    if (_depth >= F::MaxDepth)
      throw WriteFault{
          Describe(*children.begin()) +
          QIVUnicodeString::Format(" lies deeper than %d levels, more than a document holds", F::MaxDepth)};
    _out.Key(key);
    _out.BeginArray();
    ++_depth;
    for (const auto& child : children) write(child);
    --_depth;
    _out.EndArray();
  }

  // One of the document's single containers, opened as the section `key`.
  QIVBaseUnknown_var BeginContainer(const char* key, HRESULT (QIVIDocument::*get)(QIVBaseUnknown_var&) const,
                                    const char* what) {
    QIVBaseUnknown_var container;
    if (FAILED((_document.get()->*get)(container)) || !container)
      throw WriteFault{QIVUnicodeString("the document has no ") + what};
    _out.Key(key);
    BeginEntry(container);
    Texts(container, F::PLMFields);
    return container;
  }

  // Sections.

  void WriteReferences() {
    _out.Key("references");
    _out.BeginArray();
    // The references among all objects, told by their class rather than by
    // asking each of a body's 145,000 objects for the interface.
    _model->ForEachObject([&](QIVModelObject* model) {
      if (model->GetIndexKind() != QIVModelObject::IndexKind::ProductReference) return;
      const QIVBaseUnknown_var object = QIVModelObject::Handle(model);
      BeginEntry(object);
      Texts(object, F::ReferenceFields);
      Texts(object, F::PLMFields);
      _out.EndObject();
    });
    _out.EndArray();
  }

  void WriteProducts() {
    _out.Key("products");
    _out.BeginArray();
    for (const QIVBaseUnknown_var& root : _document->GetRootProducts()) WriteProduct(root);
    _out.EndArray();
  }

  void WriteProduct(const QIVBaseUnknown_var& object) {
    QIVIProduct_var product(object);
    BeginEntry(object);
    Texts(object, F::ProductFields);
    Texts(object, F::PlantObjectFields);
    QIVBaseUnknown_var reference;
    if (SUCCEEDED(product->GetReferenceProduct(reference)) && reference)
      Reference("reference", reference, object);
    QIVMathTransformation position;
    if (SUCCEEDED(product->GetPosition(position)) && !(position == QIVMathTransformation()))
      Numbers("position", position.Rows(), object);
    Texts(object, F::PLMFields);
    QIVListValQIVBaseUnknown_var children;
    product->GetChildren(children);
    Children("children", children, [&](const QIVBaseUnknown_var& child) { WriteProduct(child); });
    _out.EndObject();
  }

  void WriteDatums() {
    _out.Key("datums");
    _out.BeginArray();
    for (const QIVBaseUnknown_var& object : _document->GetDatums()) {
      BeginEntry(object);
      _out.Key("kind");
      _out.String(QIVIModelObject_var(object)->GetSubKind().view());
      Texts(object, F::DatumSimpleFields);
      Texts(object, F::DatumTargetFields);
      QIVBaseUnknown_var owner;
      if (QIVITPSDatumSimple_var simple = object;
          simple && SUCCEEDED(simple->GetOwnerProduct(owner)) && owner)
        Reference("owner", owner, object);
      if (QIVITPSDatumTarget_var target = object;
          target && SUCCEEDED(target->GetOwnerProduct(owner)) && owner)
        Reference("owner", owner, object);
      Texts(object, F::PLMFields);
      _out.EndObject();
    }
    _out.EndArray();
  }

  // Features are the bulk of a body: they are read in place, through their
  // own classes, without a query or a copied list per value.
  void WriteFeatures() {
    const QIVBaseUnknown_var container =
        BeginContainer("features", &QIVIDocument::GetFeatureContainer, "product feature container");
    _out.Key("groups");
    _out.BeginArray();
    if (const auto* features = QIVModelObject::As<ZELBIWFeatureContainer>(container))
      for (const ZELBIWFeatureGroup* group : features->TopGroups()) WriteFeature(group);
    _out.EndArray();
    _out.EndObject();
  }

  void WriteFeature(const ZELBIWFeature* feature) {
    const QIVUnicodeString subKind = feature->GetSubKind();
    const F::Kind* kind =
        F::FindKind(subKind.IsEmpty() ? std::string_view(feature->GetKindName()) : subKind.view());
    if (!kind) throw WriteFault{Describe(feature) + " is not a feature the format knows"};
    BeginEntry(feature);
    _out.Key("kind");
    _out.String(kind->word);
    Texts<QIVIAlias>(feature, F::AliasFields);
    switch (kind->family) {
      case F::Family::PointFastener:
      case F::Family::CurveFastener:
        WriteFastener(static_cast<const ZELBIWFastener*>(feature), kind->family);
        break;
      case F::Family::Locator:
        WriteLocator(static_cast<const ZELBIWLocator*>(feature));
        break;
      default:
        break;
    }
    Texts<ZELIBIWFeature>(feature, F::FeatureFields);
    if (feature->RelatedParts().Size() > 0) {
      _out.Key("parts");
      _out.BeginInlineArray();
      for (const QIVModelObject* part : feature->RelatedParts().Values())
        _out.Integer(IdOf(part, feature, "parts"));
      _out.EndArray();
    }
    Texts<QIVIPLMObject>(feature, F::PLMFields);
    if (kind->family == F::Family::TopGroup || kind->family == F::Family::Group)
      Children("children", static_cast<const ZELBIWFeatureGroup*>(feature)->Children(),
               [&](const ZELBIWFeature* child) { WriteFeature(child); });
    _out.EndObject();
  }

  void WriteFastener(const ZELBIWFastener* fastener, F::Family family) {
    Texts<ZELIBIWFastener>(fastener, F::FastenerFields);
    Color<ZELIBIWFastener>(fastener, F::FastenerColor);
    if (family == F::Family::PointFastener) {
      const auto* point = static_cast<const ZELBIWPointFastener*>(fastener);
      Numbers("values", point->Values(), fastener);
      if (!point->ManufacturingPosition().empty())
        Numbers("manufacturingPosition", point->ManufacturingPosition(), fastener);
    } else {
      _out.Key("points");
      _out.BeginArray();
      for (const auto& point : static_cast<const ZELBIWCurveFastener*>(fastener)->Points())
        InlineNumbers("points", point, fastener);
      _out.EndArray();
    }
    if (!fastener->ExternalAssignments().empty()) {
      _out.Key("externalAssignments");
      _out.BeginInlineArray();
      for (const QIVUnicodeString& assignment : fastener->ExternalAssignments())
        _out.String(assignment.view());
      _out.EndArray();
    }
  }

  void WriteLocator(const ZELBIWLocator* locator) {
    if (locator->IsClamping()) {
      Texts<ZELIBIWClampingPoint>(locator, F::ClampingPointFields);
      Color<ZELIBIWClampingPoint>(locator, F::ClampingPointColor);
    } else {
      Texts<ZELIBIWLocatingPoint>(locator, F::LocatingPointFields);
      Color<ZELIBIWLocatingPoint>(locator, F::LocatingPointColor);
    }
    QIVRawColldouble position;
    locator->GetPosition(position);
    Numbers("position", position, locator);
  }

  void WriteAssemblies() {
    _out.Key("assemblies");
    _out.BeginArray();
    for (const QIVBaseUnknown_var& object : _document->GetMfgAssemblies()) {
      ZELIMfgAssembly_var assembly(object);
      BeginEntry(object);
      Texts(object, F::AssemblyFields);
      QIVListValQIVBaseUnknown_var parts, subAssemblies;
      assembly->GetParts(parts);
      assembly->GetSubAssemblies(subAssemblies);
      References("parts", parts, object);
      References("subAssemblies", subAssemblies, object);
      Texts(object, F::PLMFields);
      _out.EndObject();
    }
    _out.EndArray();
  }

  void WriteProcess() {
    const QIVBaseUnknown_var container =
        BeginContainer("process", &QIVIDocument::GetProcessContainer, "process container");
    if (ZELIMHIDocInfo_var info = container; info && info->IsPartialReadOnly()) {
      _out.Key("partialReadOnly");
      _out.Bool(true);
    }
    _out.Key("activities");
    _out.BeginArray();
    for (const QIVBaseUnknown_var& root : QIVISPPProcessContainer_var(container)->GetProcesses())
      WriteActivity(root);
    _out.EndArray();
    _out.EndObject();
  }

  void WriteActivity(const QIVBaseUnknown_var& object) {
    QIVISPPActivity_var activity(object);
    _activityRanks.emplace(object.Identity(), static_cast<long long>(_activities.size()));
    _activities.push_back(object);
    BeginEntry(object);
    _out.Key("type");
    _out.String(activity->GetActivityType().view());
    Texts(object, F::ActivityFields);
    double cycleTime = 0.0;
    if (SUCCEEDED(activity->GetCycleTime(cycleTime)) && (cycleTime != 0.0 || std::signbit(cycleTime)))
      Number("cycleTime", cycleTime, object);
    QIVListValQIVUnicodeString names;
    activity->GetAttributeNames(names);
    if (!names.IsEmpty()) {
      _out.Key("attributes");
      _out.BeginObject();
      for (const QIVUnicodeString& name : names) {
        double value = 0.0;
        activity->GetAttribute(name, value);
        Number(name.ConvertToChar(), value, object);
      }
      _out.EndObject();
    }
    if (ZELIUpdateManufAssly_var root = object) {
      _out.Key("automaticUpdate");
      _out.Bool(root->IsAutomaticUpdate());
    }
    QIVBaseUnknown_var standsFor;
    if (QIVISPPDynamicActivity_var dynamic = object;
        dynamic && SUCCEEDED(dynamic->GetActivity(standsFor)) && standsFor)
      Reference("standsFor", standsFor, object);
    if (QIVISPPFlowMgt_var flow = object) {
      WriteProductIOs("inputs", flow, QIVSPPProductInput, object);
      WriteProductIOs("outputs", flow, QIVSPPProductOutput, object);
    }
    Texts(object, F::PLMFields);
    Children("children", *QIVISPPChildManagement_var(object)->GetChildren(""),
             [&](const QIVBaseUnknown_var& child) { WriteActivity(child); });
    _out.EndObject();
  }

  void WriteProductIOs(const char* key, const QIVISPPFlowMgt_var& flow, int direction,
                       const QIVBaseUnknown_var& activity) {
    QIVListValQIVBaseUnknown_var productIOs;
    flow->GetProductIOs(productIOs, direction);
    if (productIOs.IsEmpty()) return;
    _out.Key(key);
    _out.BeginInlineArray();
    for (const QIVBaseUnknown_var& productIO : productIOs) {
      QIVBaseUnknown_var product;
      if (QIVISPPProductIO_var io = productIO; io && SUCCEEDED(io->GetProduct(product)) && product)
        _out.Integer(IdOf(product, activity, key));
      else
        _out.Null();
    }
    _out.EndArray();
  }

  // Flow links in a sequence that gives every activity its next and its
  // previous activities back in order.
  void WriteFlow() {
    struct Link {
      long long from, to;
    };
    std::vector<Link> links;
    QIVLinkOrder order;
    for (std::size_t rank = 0; rank < _activities.size(); ++rank) {
      const QIVBaseUnknown_var& activity = _activities[rank];
      const QIVListValQIVBaseUnknown_var next = QIVISPPFlowMgt_var(activity)->GetNextActivities("");
      for (int position = 1; position <= next.Size(); ++position) {
        const QIVBaseUnknown_var& target = next[position];
        auto targetRank = _activityRanks.find(target.Identity());
        if (targetRank == _activityRanks.end())
          throw WriteFault{Describe(activity) + ": a flow link leads outside the process"};
        const int back = QIVISPPFlowMgt_var(target)->GetPreviousActivities("").Locate(activity);
        order.Add(static_cast<long long>(rank), position, targetRank->second, back > 0 ? back : -1);
        links.push_back({IdOf(activity, activity, "flow"), IdOf(target, activity, "flow")});
      }
    }
    _out.Key("flow");
    _out.BeginArray();
    for (std::size_t link : order.Sequence()) {
      _out.BeginInlineArray();
      _out.Integer(links[link].from);
      _out.Integer(links[link].to);
      _out.EndArray();
    }
    _out.EndArray();
  }

  // Items in a sequence that gives every activity its items, and every item
  // its processing activities, back in order.
  void WriteItems() {
    struct Item {
      long long activity, item;
      int mode, first, second;
    };
    std::vector<Item> items;
    QIVLinkOrder order;
    std::unordered_map<QIVBaseUnknown*, QIVListValQIVBaseUnknown_var> processing;
    for (std::size_t rank = 0; rank < _activities.size(); ++rank) {
      const QIVBaseUnknown_var& activity = _activities[rank];
      QIVISPPItemMgt_var manager(activity);
      if (!manager) continue;
      const QIVListValQIVBaseUnknown_var held = manager->GetItems("Item", QIVSPPItemAnyMode);
      for (int position = 1; position <= held.Size(); ++position) {
        const QIVBaseUnknown_var& item = held[position];
        QIVBaseUnknown_var linkObject;
        QIVISPPItemLink_var link;
        if (SUCCEEDED(manager->GetItemLink(item, linkObject))) link = linkObject;
        if (!link) throw WriteFault{Describe(activity) + ": an item has no item link"};
        Item entry{IdOf(activity, activity, "items"), IdOf(item, activity, "items"), link->GetMode(), 0, 0};
        link->GetOptions(entry.first, entry.second);
        auto [known, added] = processing.try_emplace(item.Identity());
        if (added)
          if (QIVISPPItem_var processed = item)
            processed->GetProcessingActivities(known->second, QIVSPPItemAnyMode);
        const int back = known->second.Locate(activity);
        order.Add(static_cast<long long>(rank), position, entry.item, back > 0 ? back : -1);
        items.push_back(entry);
      }
    }
    _out.Key("items");
    _out.BeginArray();
    for (std::size_t index : order.Sequence()) {
      const Item& item = items[index];
      _out.BeginInlineObject();
      _out.Key("activity");
      _out.Integer(item.activity);
      _out.Key("item");
      _out.Integer(item.item);
      _out.Key("mode");
      _out.String(ModeWord(item.mode));
      if (item.first != 0 || item.second != 0) {
        _out.Key("options");
        _out.BeginInlineArray();
        _out.Integer(item.first);
        _out.Integer(item.second);
        _out.EndArray();
      }
      _out.EndObject();
    }
    _out.EndArray();
  }

  static const char* ModeWord(int mode) {
    for (const F::ItemMode& known : F::ItemModes)
      if (known.mode == mode) return known.word;
    throw WriteFault{QIVUnicodeString::Format("an item link has the unknown mode %d", mode)};
  }

  void WritePlantLibrary() {
    const QIVBaseUnknown_var library =
        BeginContainer("plantLibrary", &QIVIDocument::GetPlantLibrary, "plant library");
    QIVListValQIVBaseUnknown_var entries;
    QIVIPlantLibrary_var(library)->GetEntries(entries);
    References("entries", entries, library);
    _out.EndObject();
  }

  // An object of the document that no section reached would be lost.
  void CheckEverythingWritten() {
    if (_written.Size() == static_cast<std::size_t>(_document->GetObjectCount())) return;
    for (const QIVBaseUnknown_var& object : _document->GetAllObjects())
      if (!_written.Contains(QIVIModelObject_var(object)->GetDocumentId()))
        throw WriteFault{Describe(object) + " stands outside the document's structure"};
  }

  QIVIDocument_var _document;
  const QIVDocument* _model;
  const QIVDocumentWriter::Sink* _sink;
  QIVJsonWriter _out;
  WrittenIds _written;
  std::vector<QIVBaseUnknown_var> _activities;
  // The level of the nodes being written, roots at 1.
  int _depth = 1;
  std::unordered_map<QIVBaseUnknown*, long long> _activityRanks;
};

}  // namespace

namespace {
HRESULT WriteThrough(const QIVIDocument_var& document, const QIVDocumentWriter::Sink* sink, std::string& text,
                     QIVDocumentError& error) {
  error = QIVDocumentError();
  if (!document) {
    error = QIVDocumentError("", 0, 0, "", "no document to write");
    return E_INVALIDARG;
  }
  try {
    text = Writer(document, sink).Run();
    return S_OK;
  } catch (const WriteFault& fault) {
    error = QIVDocumentError("", 0, 0, "", fault.reason);
  } catch (const std::bad_alloc&) {
    error = QIVDocumentError("", 0, 0, "", "not enough memory to write the document");
  }
  text.clear();
  return E_FAIL;
}
}  // namespace

HRESULT QIVDocumentWriter::Write(const QIVIDocument_var& document, std::string& text,
                                 QIVDocumentError& error) {
  return WriteThrough(document, nullptr, text, error);
}

HRESULT QIVDocumentWriter::Write(const QIVIDocument_var& document, const Sink& sink,
                                 QIVDocumentError& error) {
  std::string rest;
  return WriteThrough(document, &sink, rest, error);
}
