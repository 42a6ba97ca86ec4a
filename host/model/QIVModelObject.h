#pragma once

#include <string_view>
#include <vector>

#include "QIVCastCache.h"
#include "QIVILinkableObject.h"
#include "QIVIModelObject.h"
#include "QIVIPLMObject.h"
#include "QIVISPPItem.h"
#include "QIVISpecObject.h"
#include "QIVIndexedList.h"
#include "QIVRare.h"

class QIVDocument;

// The common part of every object of a process document: id, document,
// father, PLM identifier and the objects linking to it.
//
// Ownership: the document holds the one owning reference to each of its
// objects (item links and product inputs/outputs are owned by their
// activity). Every other link is a plain pointer, and each object that
// holds one registers itself as a referrer of the target. Deleting an
// object therefore tells its referrers to forget it, and closing the
// document clears every object's links, so no link ever outlives its
// target and no cycle of references keeps objects alive.
//
// An object answers only the interfaces its kind offers (Offers), and
// extensions registered in the dictionary for its late type or any of its
// supertypes (LateTypes).
class QIVModelObject : public QIVIModelObject,
                       public QIVISpecObject,
                       public QIVILinkableObject,
                       public QIVIPLMObject,
                       public QIVISPPItem {
 public:
  HRESULT QueryInterface(const QIVIID& iid, void** ppv) override;
  bool AnswersInterface(const QIVIID& iid) override { return iid.CastOf(this) && Offers(iid.name); }

  QIVObjectId GetDocumentId() const override { return _id; }
  QIVUnicodeString GetSubKind() const override { return ""; }
  QIVBaseUnknown_var GetDocument() const override;

  HRESULT GetSpecFather(QIVBaseUnknown_var& father) const override;
  HRESULT RemoveComponent(const QIVBaseUnknown_var& component, const QIVBaseUnknown_var& options) override;
  HRESULT GetReferencingObjects(QIVListValQIVBaseUnknown_var& referrers) const override;
  QIVUnicodeString GetPLMID() const override { return _plmId.Get(); }
  HRESULT SetPLMID(const QIVUnicodeString& identifier) override;
  HRESULT GetProcessingActivities(QIVListValQIVBaseUnknown_var& activities, int mode) const override;

  // A handle to the object, empty for none.
  static QIVBaseUnknown_var Handle(const QIVBaseUnknown* object);
  // Gives `handle` the object (empty for none): S_OK when there is one,
  // E_FAIL otherwise, as the model's lookups answer.
  static HRESULT Answer(const QIVBaseUnknown* object, QIVBaseUnknown_var& handle);
  // The model object behind a handle, or null for anything else.
  static QIVModelObject* From(const QIVBaseUnknown_var& handle);
  template <class T>
  static T* As(const QIVBaseUnknown_var& handle) {
    return handle ? QIVCastCache::Cast<T>(handle.Identity()) : nullptr;
  }

  // Whether an activity may hold the object as an item.
  virtual bool IsProcessItem() const { return false; }

  // What the document indexes the object as: each indexed class answers
  // its own kind, which the classes derived from it keep.
  enum class IndexKind {
    None,
    ProcessContainer,
    FeatureContainer,
    PlantLibrary,
    Activity,
    Product,
    ProductReference,
    Feature,
    Datum,
    MfgAssembly
  };
  virtual IndexKind GetIndexKind() const { return IndexKind::None; }

  QIVDocument* Document() const { return _document; }
  QIVModelObject* Father() const { return _father; }
  const QIVIndexedList<QIVModelObject*>& Referrers() const { return _referrers; }
  void AddReferrer(QIVModelObject* referrer) { _referrers.Add(referrer); }
  void RemoveReferrer(QIVModelObject* referrer) { _referrers.Remove(referrer); }

  void SetFather(QIVModelObject* father) { _father = father; }
  // For components owned by their father, which share its document without
  // being indexed in it.
  void SetOwnerDocument(QIVDocument* document) { _document = document; }

  // Brings this object and `other` into one document before a link between
  // them is made: an object outside any document joins the other's. False
  // when they stand in different documents or both in none.
  bool ShareDocumentWith(QIVModelObject* other);

  // Life-cycle steps, run by the document when it deletes objects:
  // the objects this one owns in the document, depth first;
  virtual void CollectOwned(std::vector<QIVModelObject*>& owned) const;
  // takes this object out of its father's structure;
  virtual void DetachFromFather();
  // drops the links this object holds, unregistering from their targets;
  virtual void ReleaseLinks();
  // drops every link this object holds to `target`, which is going;
  virtual void ForgetReference(QIVModelObject* target);
  // and, when the whole document goes, forgets everything without telling
  // anyone.
  virtual void ClearLinks();

 protected:
  QIVModelObject() = default;

  virtual bool Offers(std::string_view interfaceName) const;
  // The late types under which extensions are looked up, most specific
  // first.
  virtual std::vector<std::string> LateTypes() const;
  // Removes a component owned by this object outside the document's index
  // (an item link, a product output); false when it is not one.
  virtual bool RemoveOwnedComponent(QIVModelObject* component);
  // A child is leaving this object's structure (moved or deleted).
  virtual void ChildLeaving(QIVModelObject* child);


 private:
  friend class QIVDocument;

  QIVDocument* _document = nullptr;
  QIVObjectId _id = 0;
  QIVModelObject* _father = nullptr;
  QIVRare<QIVUnicodeString> _plmId;
  QIVIndexedList<QIVModelObject*> _referrers;
};

// A model object's links to a set of targets it registers with: the parts
// of an assembly, the entries of the plant library.
class QIVModelLinks {
 public:
  // False when the target is already there.
  bool Link(QIVModelObject* owner, QIVModelObject* target);
  bool Unlink(QIVModelObject* owner, QIVModelObject* target);
  void UnlinkAll(QIVModelObject* owner);
  bool Contains(QIVModelObject* target) const { return _targets.Contains(target); }
  int Size() const { return _targets.Size(); }
  std::vector<QIVModelObject*> Values() const { return _targets.Values(); }
  void Clear() { _targets.Clear(); }

 private:
  QIVIndexedList<QIVModelObject*> _targets;
};
