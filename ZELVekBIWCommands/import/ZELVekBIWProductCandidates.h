#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "QIVIProduct.h"
#include "QIVListVal.h"

// The products a weld record's part paths are first looked for in, in the
// order the document lists them. Products resolved for the record being
// read are taken out until the next record starts, so that a record does
// not name one part twice. Lookups by instance name and by part number go
// through indexes: a body has thousands of parts and a file thousands of
// records.
class ZELVekBIWProductCandidates {
 public:
  // Entries that are not products are left out.
  explicit ZELVekBIWProductCandidates(const QIVListValQIVBaseUnknown_var& products);

  // The first remaining product of that instance name, or of a reference of
  // that part number; empty when none.
  QIVIProduct_var FirstByInstanceName(const QIVUnicodeString& name) const;
  QIVIProduct_var FirstByPartNumber(const QIVUnicodeString& partNumber) const;

  // Takes the product out for the current record.
  void Remove(const QIVBaseUnknown_var& product);
  // Every product is a candidate again.
  void RestoreAll();

  // Instances of the product's reference that stand in the product tree;
  // asked once per reference, as the tree does not change while a file is
  // read. 0 without a reference.
  int VisualisableInstanceCount(const QIVIProduct_var& product);
  // The same, asked of the document every time.
  static int CountVisualisableInstances(const QIVIProduct_var& product);

  int Size() const { return static_cast<int>(_products.size()); }
  int RemainingCount() const { return Size() - static_cast<int>(_removed.size()); }

 private:
  using Positions = std::unordered_map<std::string, std::vector<int>>;
  QIVIProduct_var FirstRemaining(const Positions& index, const QIVUnicodeString& key) const;

  std::vector<QIVIProduct_var> _products;
  std::unordered_map<const QIVBaseUnknown*, int> _positions;
  Positions _byInstanceName;
  Positions _byPartNumber;
  std::vector<bool> _isRemoved;
  std::vector<int> _removed;
  std::unordered_map<const QIVBaseUnknown*, int> _instanceCounts;
};
