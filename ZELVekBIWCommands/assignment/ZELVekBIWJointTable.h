#pragma once

#include <unordered_map>
#include <vector>

#include "QIVBaseUnknown.h"
#include "QIVListVal.h"

// Every joint of the current document with the parts it relates, indexed by
// part, answering which joints stick to an activity: those whose every part
// reaches it, directly or inside an incoming assembly that does not already
// hold them all. Automatic assignment and line balancing share this rule.
class ZELVekBIWJointTable {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  ZELVekBIWJointTable() = default;
  // The table of the current document's fastener container.
  static ZELVekBIWJointTable OfCurrentDocument();
  // Takes the joints and, parallel to them, the parts each relates.
  void Load(List joints, std::vector<List> parts);

  // Every feature of the current document relating parts, with those parts.
  static void Read(List& joints, std::vector<List>& parts);
  // The products of the assembly and, at every depth, of its sub-assemblies.
  static void PartsOfAssembly(const QIVBaseUnknown_var& assembly, List& parts);
  // The fasteners a joint offers: those below it through its joint bodies,
  // or the joint itself when it is a fastener.
  static void AppendFasteners(const QIVBaseUnknown_var& joint, List& fasteners);

  // The joints, in table order, that stick to an activity handling `items`.
  List Sticky(const List& items) const;

  const List& Joints() const { return _joints; }

 private:
  List _joints;
  std::vector<List> _parts;
  std::unordered_map<const QIVBaseUnknown*, std::vector<int>> _jointsOfPart;
};
