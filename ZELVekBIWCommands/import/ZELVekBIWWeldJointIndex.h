#pragma once

#include <cstdint>
#include <deque>
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
// then kept up to date by the reader as it creates more. Entries stay where
// they are while the index grows, so a reader may hold on to them.
class ZELVekBIWWeldJointIndex {
 public:
  struct JointBody {
    QIVBaseUnknown_var group;
    bool namesLearnt = false;
    // Names asked about and found in the document.
    std::unordered_set<std::string> confirmedNames;
  };
  struct Joint {
    QIVBaseUnknown_var group;
    QIVListValQIVBaseUnknown_var parts;
    bool bodiesLearnt = false;
    // The first child group of each name.
    std::unordered_map<std::string, JointBody> bodies;
  };

  // Appends a joint with the parts it joins.
  Joint& AddJoint(const QIVBaseUnknown_var& joint, const QIVListValQIVBaseUnknown_var& parts);
  int JointCount() const { return static_cast<int>(_joints.size()); }
  Joint& JointAt(int position) { return _joints[position]; }

  // Positions, in joint order, of the joints that may join the same parts
  // as `parts`: the first joint of each part set that hashes alike, or every
  // joint when `parts` names a part twice and no set can stand for it.
  std::vector<int> CandidateJoints(const QIVListValQIVBaseUnknown_var& parts) const;

  // The first child group of the joint with that name; null when none.
  JointBody* FindJointBody(Joint& joint, const QIVUnicodeString& name);
  // A group made under the joint; one of that name already there stays the
  // one found.
  JointBody& AddJointBody(Joint& joint, const QIVBaseUnknown_var& group, const QIVUnicodeString& name);

  // Whether a fastener of that name stands in the joint body or any group
  // below it.
  bool HasFastenerNamed(JointBody& jointBody, const QIVUnicodeString& name);
  void AddFastenerName(JointBody& jointBody, const QIVUnicodeString& name);

 private:
  // The same number for the same parts in any order; false when a part
  // comes twice.
  static bool PartSetHash(const QIVListValQIVBaseUnknown_var& parts, std::size_t& hash);
  static bool SameParts(const QIVListValQIVBaseUnknown_var& a, const QIVListValQIVBaseUnknown_var& b);
  static void LearnBodies(Joint& joint);
  void LearnNames(JointBody& jointBody);
  static std::uint64_t NameKey(const JointBody& jointBody, const QIVUnicodeString& name);
  void InsertNameKey(std::uint64_t key);
  bool ContainsNameKey(std::uint64_t key) const;
  static bool HoldsFastenerNamed(const QIVBaseUnknown_var& group, const QIVUnicodeString& name);

  std::deque<Joint> _joints;
  // By part set hash, the first joint of each part set with that hash.
  std::unordered_map<std::size_t, std::vector<int>> _firstJointsByHash;
  // The fastener names of the learnt joint bodies as hashed (joint body,
  // name) keys in one open table, a hundred thousand of them without an
  // allocation each: a key not there is a name surely absent; a key there is
  // checked against the document once.
  std::vector<std::uint64_t> _nameSlots;
  std::size_t _nameCount = 0;
};
