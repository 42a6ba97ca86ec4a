#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "QIVListVal.h"
#include "QIVMathTransformation.h"
#include "QIVUnicodeString.h"

// The fastener and assignment services the module calls. Operations that
// take a document use the current editor's one when given none. An
// assignment is the fastener being an item of the activity.
class ZELFastenerServices {
 public:
  // The current editor's document; E_FAIL when no document is open.
  static HRESULT GetCurrentDocument(QIVBaseUnknown_var& document);

  // Lists of the document. The raw sequences hold one reference per entry,
  // which the caller releases. Fasteners, locators and clamps come depth
  // first through the feature groups; products depth first through the
  // product tree; activities depth first from each process root, the root
  // included.
  static HRESULT GetListOfAllFasteners(_SEQUENCE_QIVBaseUnknown_ptr& fasteners,
                                       const QIVBaseUnknown_var& document = nullptr);
  static HRESULT GetListOfAllPointFasteners(const QIVBaseUnknown_var& document, QIVListValQIVBaseUnknown_var& fasteners);
  static HRESULT GetListOfAllLocators(_SEQUENCE_QIVBaseUnknown_ptr& locators,
                                      const QIVBaseUnknown_var& document = nullptr);
  static HRESULT GetListOfAllClamps(_SEQUENCE_QIVBaseUnknown_ptr& clamps, const QIVBaseUnknown_var& document = nullptr);
  static HRESULT GetAllProducts(QIVListValQIVBaseUnknown_var& products, const QIVBaseUnknown_var& document = nullptr);
  static HRESULT GetListOfAllActivities(QIVListValQIVBaseUnknown_var& activities,
                                        const QIVBaseUnknown_var& document = nullptr);
  static HRESULT GetRootActivity(QIVBaseUnknown_var& root, const QIVBaseUnknown_var& document = nullptr);
  static HRESULT GetRootProcessContainer(QIVBaseUnknown_var& container, const QIVBaseUnknown_var& document = nullptr);
  static HRESULT GetProductFeatureContainer(QIVBaseUnknown_var& container, const QIVBaseUnknown_var& document = nullptr);
  // The feature container of the document `object` belongs to (a feature,
  // a product...); E_FAIL for an object outside any document.
  static HRESULT GetFeatContainerFromFeature(const QIVBaseUnknown_var& object, QIVBaseUnknown_var& container);
  static HRESULT GetFeatContainerFromDocument(const QIVBaseUnknown_var& document, QIVBaseUnknown_var& container);

  // Sorts in place by weld identifier (GetWeldID) in natural order (digit
  // runs compare as numbers: "W9" before "W10"), keeping the order of equal
  // identifiers. The only key is "Fastener"; any other is E_INVALIDARG.
  static HRESULT QuickSort(const QIVUnicodeString& key, QIVListValQIVBaseUnknown_var& fasteners);
  static HRESULT QuickSort(const QIVUnicodeString& key, _SEQUENCE_QIVBaseUnknown_ptr& fasteners);
  // QuickSort's order for fasteners whose identifiers are known: `ids[i]`
  // is the identifier of entry i + 1, and both are sorted together. A sort
  // remembers the last list it sorted: a list of those identifiers, or of
  // some of them, in the same order (a dialog's list refilled after an
  // assignment, or for the same choice again) takes its order from the last
  // one's without sorting, since a stable sort orders a part of a list as it
  // orders the whole.
  class WeldIDSort {
   public:
    void Sort(QIVListValQIVBaseUnknown_var& fasteners, std::vector<QIVUnicodeString>& ids);

   private:
    // The order of `ids` from the last sort's, or false when they are not
    // among its identifiers in its order.
    bool OrderFromLast(const std::vector<QIVUnicodeString>& ids, std::vector<std::uint32_t>& order) const;

    // The last list's identifiers, as given, and its sorted order (empty
    // when it was in order).
    std::vector<QIVUnicodeString> _ids;
    std::vector<std::uint32_t> _order;
  };
  // QuickSort's order for fasteners of these identifiers: the positions of
  // `ids`, first to last; empty when they are in that order already.
  static std::vector<std::uint32_t> WeldIDOrder(const std::vector<QIVUnicodeString>& ids);
  // The identifier of a fastener: the one given to it when there is one,
  // else its name up to the first ", " ("W0012" for "W0012, A"), else its
  // whole name.
  static QIVUnicodeString GetWeldID(const QIVBaseUnknown_var& fastener);
  // Whether the object offers ZELIBIWFastener; a fastener of the model is
  // told without a query, as a dialog asks it of every fastener it opens on.
  static bool IsFastener(const QIVBaseUnknown_var& object);
  // Whether the object offers ZELISpotWeld, told as IsFastener tells.
  static bool IsSpotWeld(const QIVBaseUnknown_var& object);
  // The object's name (QIVIAlias), empty when it has none; a feature of the
  // model is read in place.
  static QIVUnicodeString GetName(const QIVBaseUnknown_var& object);
  // IsSpotWeld, GetName and, when `ids` is given, GetWeldID for each of
  // `fasteners` in order: the positions of the spot welds among them (from
  // 0), their names and identifiers. The fasteners a few places ahead are
  // asked into the cache meanwhile, as WeldLocationReader does.
  static void ReadSpotWelds(const QIVListValQIVBaseUnknown_var& fasteners,
                            std::vector<std::uint32_t>& spotWelds, std::vector<QIVUnicodeString>& names,
                            std::vector<QIVUnicodeString>* ids);
  // <0, 0, >0 in the natural order of identifiers.
  static int CompareWeldIDs(const QIVUnicodeString& a, const QIVUnicodeString& b);

  // The fasteners assigned to the activity, in item order. Mode 0 replaces
  // the list, 1 appends to it the fasteners it does not hold yet. Depth 0
  // takes the activity alone, n also its descendants n levels down, -1 all
  // of them (depth first).
  static HRESULT GetWeldFromActivity(const QIVBaseUnknown_var& activity, QIVListValQIVBaseUnknown_var& fasteners,
                                     int mode, int depth);
  // S_OK when the fastener's type fits the activity's kind
  // (ZELBIWFastenerType), E_FAIL otherwise.
  static HRESULT IsValidWeldForActivity(const QIVBaseUnknown_var& fastener, const QIVBaseUnknown_var& activity);
  // IsValidWeldForActivity for many fasteners and one activity, whose type
  // is read once: a list asks it of each of its candidates.
  class WeldFit {
   public:
    explicit WeldFit(const QIVBaseUnknown_var& activity);
    HRESULT Check(const QIVBaseUnknown_var& fastener);

   private:
    bool _isActivity = false;
    std::string _activityType;
    bool _answered = false;
    std::string _lastType;
    bool _lastFits = false;
  };
  // The parts the fastener joins: its own related parts, else those of the
  // nearest feature holding it that has some (an imported weld's parts are
  // on its joint). Empty when none has; E_FAIL for an object outside any
  // document.
  static HRESULT GetFastenerParts(const QIVBaseUnknown_var& fastener, QIVListValQIVBaseUnknown_var& parts);
  // With the part-load constraint on, removes in place every fastener of
  // which some joined part does not reach the activity's station
  // (GetLoadedParts); keeps the order of the others. Empty entries go too;
  // objects that are not fasteners stay.
  static HRESULT ValidateListOfFastenersForAssignmentToActivity(QIVListValQIVBaseUnknown_var& fasteners,
                                                                const QIVBaseUnknown_var& activity,
                                                                bool partLoadConstraint);
  // The parts that reach the activity's station (the activity itself when
  // it has no station): the products that the station or any activity below
  // it holds as items, manufactured assemblies expanded into their parts at
  // every depth; each once, in the order met.
  static HRESULT GetLoadedParts(const QIVBaseUnknown_var& activity, QIVListValQIVBaseUnknown_var& parts);
  // Negative when the fastener may not go to the activity: it is assigned
  // already (anywhere, or in `allAssigned` for objects the model does not
  // know), or it does not fit the activity.
  static HRESULT CheckWeldAssignement(const QIVBaseUnknown_var& fastener, const QIVBaseUnknown_var& activity,
                                      const QIVListValQIVBaseUnknown_var* allAssigned, int options);
  // Assigns each listed fastener that fits the activity; S_FALSE when some
  // were left out (or no list was given). The product the fasteners were
  // chosen from is not needed.
  static HRESULT AssignListOfWelds(const QIVListValQIVBaseUnknown_var* fasteners, const QIVBaseUnknown_var& activity,
                                   const QIVBaseUnknown_var& product, int options);
  static HRESULT AssignR7Weld(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& fastener);
  static HRESULT UnassignListOfWelds(const QIVListValQIVBaseUnknown_var& fasteners, const QIVBaseUnknown_var& activity);
  // Moves the listed fasteners assigned to `origin` that fit `destination`;
  // S_FALSE when some stayed.
  static HRESULT ReallocateWeld(const QIVBaseUnknown_var& origin, const QIVBaseUnknown_var& destination,
                                const QIVListValQIVBaseUnknown_var& fasteners);
  static HRESULT GetActivityFromAssignedWeld(const QIVBaseUnknown_var& fastener,
                                             QIVListValQIVBaseUnknown_var& activities, int& count);
  // Every fastener assigned to `root` or an activity below it, each once.
  static HRESULT GetListOfR7AssignedWeld(const QIVBaseUnknown_var& root, QIVListValQIVBaseUnknown_var& fasteners);
  // Products handed on from the flow become items of the activity
  // (QIVSPPItemFromFlow).
  static HRESULT AssignProductsAsFirstAssign(const QIVBaseUnknown_var& activity,
                                             const QIVListValQIVBaseUnknown_var& products);

  // The activity's names from its process root down, joined by "/"
  // ("Process/Grouping.1/Station.1").
  static HRESULT GetActivityHierarchy(const QIVBaseUnknown_var& activity, QIVUnicodeString& text);
  // The names of the activity and of each of its fathers, the activity
  // first.
  static HRESULT GetListOfExpandedTREEUpwards(const QIVBaseUnknown_var& activity, QIVListValQIVUnicodeString& names);
  // A process root is a process version: S_OK unless the fastener is
  // assigned to an activity under another root than the last name of
  // `expandedTree` (the activity's root).
  static HRESULT IsValidProcessVersion(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& fastener,
                                       const QIVListValQIVUnicodeString& expandedTree);
  // Assignments of the fastener that other process documents published to
  // the plant's repository: read from the current editor's repository when
  // there is one, else those the document recorded at its last
  // publication.
  static int GetNumberOfK2Assignments(const QIVBaseUnknown_var& fastener);
  // Appends each of them (the activity path there) followed by ";".
  static HRESULT AddK2AssignmentToText(const QIVBaseUnknown_var& fastener, QIVUnicodeString& text);

  // The repository's fastener records (ZELIPLMOpenObjectInfo) of the
  // identifiers it knows, one per identifier, in the order asked. E_FAIL
  // without a repository or when it cannot be read.
  static HRESULT GetK2ManufacturingFasternerInfo(const QIVListValQIVUnicodeString& plmIds,
                                                 QIVListValQIVBaseUnknown_var& records);
  // A fastener record's saved manufacturing position: six numbers laid out
  // as a point fastener's positions, empty when it has none.
  static HRESULT GetPointFastenersAttributesFromVUXO(const QIVBaseUnknown_var& record, QIVRawColldouble& position);
  // For each of the three identifier lists, one record per identifier in
  // the same order, holding the named attributes the repository has for it;
  // an identifier the repository does not know gives an empty handle.
  static HRESULT QueryAttributes(const QIVListValQIVUnicodeString& pointFastenerIds,
                                 const QIVListValQIVUnicodeString& locatorIds,
                                 const QIVListValQIVUnicodeString& clampIds,
                                 const QIVListValQIVUnicodeString& pointFastenerAttributes,
                                 const QIVListValQIVUnicodeString& locatorAttributes,
                                 const QIVListValQIVUnicodeString& clampAttributes,
                                 QIVListValQIVBaseUnknown_var& pointFastenerRecords,
                                 QIVListValQIVBaseUnknown_var& locatorRecords,
                                 QIVListValQIVBaseUnknown_var& clampRecords);

  // The pieces of `text` between separators, in order; empty pieces are
  // left out. E_INVALIDARG for an empty separator.
  static HRESULT TokenizeString(const QIVUnicodeString& text, QIVListValQIVUnicodeString& parts,
                                const QIVUnicodeString& separator);

  // Makes the object the only one highlighted in the current editor; E_FAIL
  // without an editor or object.
  static HRESULT SetHighlight(const QIVBaseUnknown_var& object);

  // x, y, z, roll, pitch, yaw of a placement (QIVMathTransformation).
  static HRESULT FromQIVMathToYPR(const QIVMathTransformation& placement, QIVRawColldouble& values);

  // What a spot weld tells of where it is: its name and fastener version,
  // and for a point fastener its design placement as x, y, z, roll, pitch,
  // yaw (when it has one) and its manufacturing position (six zeros when it
  // has none).
  struct WeldLocation {
    QIVUnicodeString name;
    QIVUnicodeString version;
    bool hasDesign = false;
    bool hasManufacturing = false;
    std::array<double, 6> design{};
    std::array<double, 6> manufacturing{};
  };
  // E_FAIL, `location` untouched, for anything but a spot weld. A fastener
  // of the model is read in place: an export asks this of every weld.
  static HRESULT GetWeldLocation(const QIVBaseUnknown_var& weld, WeldLocation& location);
  // GetWeldLocation for the welds of a list, read in its order. A list
  // sorted by identifier visits the welds all over memory, and each read
  // waited for its weld's object; the objects of the welds a few places
  // ahead are asked into the cache meanwhile.
  class WeldLocationReader {
   public:
    explicit WeldLocationReader(const QIVListValQIVBaseUnknown_var& welds) : _welds(welds.Items()) {}
    // The location of the weld at `index`, from 0.
    HRESULT Read(std::size_t index, WeldLocation& location) const;

   private:
    const std::vector<QIVBaseUnknown_var>& _welds;
  };
};
