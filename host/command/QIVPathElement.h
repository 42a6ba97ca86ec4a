#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "QIVBaseUnknown.h"
#include "QIVVar.h"

// Modifier bits of a pick.
namespace QIVPickModifier {
// The pick extends the selection instead of replacing it (a control-click).
inline constexpr unsigned Extend = 1u << 4;
}  // namespace QIVPickModifier

// A picked object as the path from the root of its tree down to it (the
// process, the station, the activity; or the product, the part, the
// fastener). The path holds one reference per object.
//
// Positions count from 0 at the root. A cursor walks the path:
// InitToLeafElement then NextFatherElement gives the leaf, its father and so
// on up to the root, then null; InitToTopElement then NextChildElement walks
// down.
class QIVPathElement : public QIVInterface<QIVPathElement> {
 public:
  static constexpr const char* InterfaceName = "QIVPathElement";

  QIVPathElement() = default;
  explicit QIVPathElement(QIVBaseUnknown* leaf);
  explicit QIVPathElement(std::vector<QIVBaseUnknown_var> rootToLeaf);

  int GetSize() const { return static_cast<int>(_objects.size()); }
  bool IsEmpty() const { return _objects.empty(); }
  // The object at `position` (0 = root); null out of range.
  QIVBaseUnknown_var operator[](int position) const;
  QIVBaseUnknown_var GetLeaf() const;
  QIVBaseUnknown_var GetRoot() const;
  const std::vector<QIVBaseUnknown_var>& Objects() const { return _objects; }

  // Appends an object below the leaf; null objects are ignored.
  void AddChildElement(QIVBaseUnknown* object);
  // Puts an object above the root; null objects are ignored.
  void AddFatherElement(QIVBaseUnknown* object);

  void InitToLeafElement();
  void InitToTopElement();
  QIVBaseUnknown_var NextFatherElement();
  QIVBaseUnknown_var NextChildElement();

  // The object nearest to the leaf that offers the interface, as that
  // interface; empty when none does.
  template <class I>
  QIVVar<I> FindFromLeaf() const {
    for (auto it = _objects.rbegin(); it != _objects.rend(); ++it) {
      QIVVar<I> found(*it);
      if (found) return found;
    }
    return QIVVar<I>();
  }
  // The same by interface identifier, giving the object itself.
  QIVBaseUnknown_var FindFromLeaf(const QIVIID& iid) const;

  // Whether both paths run through the same objects.
  bool SameObjects(const QIVPathElement& other) const;
  std::size_t Hash() const;

  // "Root/Father/Leaf" by the objects' class names, for traces.
  std::string Format() const;

  const char* GetImplClassName() const override { return "QIVPathElement"; }

 private:
  std::vector<QIVBaseUnknown_var> _objects;
  // Position the next cursor step answers; -1 or Size() when done.
  int _cursor = -1;
};

using QIVPathElement_var = QIVVar<QIVPathElement>;

// Whether the object offers the interface, itself or through an extension
// of its late type, without keeping a reference. An identifier known only
// by name (no cast) is answered by the extensions alone.
bool QIVOffersInterface(QIVBaseUnknown* object, const QIVIID& iid);
