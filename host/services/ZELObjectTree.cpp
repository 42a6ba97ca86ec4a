#include "ZELObjectTree.h"

#include <vector>

#include "QIVIProduct.h"
#include "QIVISpecObject.h"

namespace {
constexpr std::size_t kMaxDepth = 10000;
}  // namespace

QIVBaseUnknown_var ZELObjectTree::FatherOf(const QIVBaseUnknown_var& object) {
  QIVBaseUnknown_var father;
  if (QIVISpecObject_var placed(object); placed && SUCCEEDED(placed->GetSpecFather(father)) && father) return father;
  if (QIVIProduct_var product(object); product && SUCCEEDED(product->GetFatherProduct(father))) return father;
  return QIVBaseUnknown_var();
}

QIVPathElement_var ZELObjectTree::PathOf(const QIVBaseUnknown_var& object) {
  if (!object) return QIVPathElement_var();
  std::vector<QIVBaseUnknown_var> leafToRoot;
  for (QIVBaseUnknown_var current = object; current && leafToRoot.size() < kMaxDepth; current = FatherOf(current))
    leafToRoot.push_back(current);
  return QIVMake<QIVPathElement>(std::vector<QIVBaseUnknown_var>(leafToRoot.rbegin(), leafToRoot.rend()));
}
