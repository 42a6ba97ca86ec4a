#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "QIVListVal.h"

// What the weld reader looks up again and again while it places records:
// the assembly joints of the top fastener group with the parts each joins,
// the joint bodies of a joint by name, and the fastener names below a joint
// body. Joints keep their order; joint bodies and fastener names are learnt
// from the document the first time a joint or joint body is asked about,
// then kept up to date by the reader as it creates more.
class ZELVekBIWWeldJointIndex {
 public:
  // Appends a joint with the parts it joins.
  void AddJoint(const QIVBaseUnknown_var& joint, const QIVListValQIVBaseUnknown_var& parts);
  int JointCount() const { return static_cast<int>(_joints.size()); }
  const QIVBaseUnknown_var& Joint(int position) const { return _joints[position].joint; }
  const QIVListValQIVBaseUnknown_var& JointParts(int position) const { return _joints[position].parts; }

  // Positions, in joint order, of the joints that may join the same parts
  // as `parts`: the first joint of that very part set, or every joint when
  // `parts` names a part twice and no set can stand for it.
  std::vector<int> CandidateJoints(const QIVListValQIVBaseUnknown_var& parts) const;

  // The first child group of `joint` with that name; empty when none.
  QIVBaseUnknown_var FindJointBody(const QIVBaseUnknown_var& joint, const QIVUnicodeString& name);
  void AddJointBody(const QIVBaseUnknown_var& joint, const QIVBaseUnknown_var& jointBody,
                    const QIVUnicodeString& name);

  // Whether a fastener of that name stands in the joint body or any group
  // below it.
  bool HasFastenerNamed(const QIVBaseUnknown_var& jointBody, const QIVUnicodeString& name);
  void AddFastenerName(const QIVBaseUnknown_var& jointBody, const QIVUnicodeString& name);

 private:
  struct JointEntry {
    QIVBaseUnknown_var joint;
    QIVListValQIVBaseUnknown_var parts;
  };
  using NamedGroups = std::unordered_map<std::string, QIVBaseUnknown_var>;

  // The same text for the same parts in any order; false when a part comes
  // twice.
  static bool PartSetKey(const QIVListValQIVBaseUnknown_var& parts, std::string& key);
  NamedGroups& JointBodiesOf(const QIVBaseUnknown_var& joint);
  std::unordered_set<std::string>& FastenerNamesOf(const QIVBaseUnknown_var& jointBody);

  std::vector<JointEntry> _joints;
  std::unordered_map<std::string, int> _firstJointOfPartSet;
  std::unordered_map<const QIVBaseUnknown*, NamedGroups> _jointBodies;
  std::unordered_map<const QIVBaseUnknown*, std::unordered_set<std::string>> _fastenerNames;
};
