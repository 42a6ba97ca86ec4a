#include "ZELVekBIWWeldJointIndex.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "QIVIAlias.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureGroup.h"

namespace {
QIVUnicodeString AliasOf(const QIVBaseUnknown_var& feature) {
  QIVIAlias_var alias(feature);
  return alias ? alias->GetAlias() : QIVUnicodeString();
}
}  // namespace

bool ZELVekBIWWeldJointIndex::PartSetHash(const QIVListValQIVBaseUnknown_var& parts, std::size_t& hash) {
  // Records join two to four parts: sort them in place of a few words.
  constexpr std::size_t kInline = 8;
  std::uintptr_t inlineIdentities[kInline];
  std::vector<std::uintptr_t> manyIdentities;
  std::uintptr_t* identities = inlineIdentities;
  const std::size_t count = static_cast<std::size_t>(parts.Size());
  if (count > kInline) {
    manyIdentities.resize(count);
    identities = manyIdentities.data();
  }
  for (std::size_t i = 0; i < count; ++i)
    identities[i] = reinterpret_cast<std::uintptr_t>(parts[static_cast<int>(i) + 1].Identity());
  std::sort(identities, identities + count);
  if (std::adjacent_find(identities, identities + count) != identities + count) return false;
  hash = count;
  for (std::size_t i = 0; i < count; ++i) hash = hash * 1000003u ^ std::hash<std::uintptr_t>()(identities[i]);
  return true;
}

bool ZELVekBIWWeldJointIndex::SameParts(const QIVListValQIVBaseUnknown_var& a, const QIVListValQIVBaseUnknown_var& b) {
  if (a.Size() != b.Size()) return false;
  for (const QIVBaseUnknown_var& part : a)
    if (!b.Contains(part)) return false;
  return true;
}

ZELVekBIWWeldJointIndex::Joint& ZELVekBIWWeldJointIndex::AddJoint(const QIVBaseUnknown_var& joint,
                                                                   const QIVListValQIVBaseUnknown_var& parts) {
  const int position = JointCount();
  Joint& added = _joints.emplace_back();
  added.group = joint;
  added.parts = parts;
  std::size_t hash = 0;
  // A joint of no part is never the joint of a record.
  if (parts.IsEmpty() || !PartSetHash(parts, hash)) return added;
  std::vector<int>& firsts = _firstJointsByHash[hash];
  for (int first : firsts)
    if (SameParts(_joints[first].parts, parts)) return added;
  firsts.push_back(position);
  return added;
}

std::vector<int> ZELVekBIWWeldJointIndex::CandidateJoints(const QIVListValQIVBaseUnknown_var& parts) const {
  std::size_t hash = 0;
  if (!PartSetHash(parts, hash)) {
    std::vector<int> all(_joints.size());
    std::iota(all.begin(), all.end(), 0);
    return all;
  }
  auto found = _firstJointsByHash.find(hash);
  return found == _firstJointsByHash.end() ? std::vector<int>() : found->second;
}

void ZELVekBIWWeldJointIndex::LearnBodies(Joint& joint) {
  if (joint.bodiesLearnt) return;
  joint.bodiesLearnt = true;
  ZELIBIWFeatureChildMgmt_var children(joint.group);
  QIVListValQIVBaseUnknown_var groups;
  if (!children || FAILED(children->GetChildren(groups, ZELIBIWFeatureGroup::ClassName()))) return;
  for (const QIVBaseUnknown_var& group : groups) {
    auto [entry, isNew] = joint.bodies.try_emplace(AliasOf(group).str());
    if (isNew) entry->second.group = group;
  }
}

ZELVekBIWWeldJointIndex::JointBody* ZELVekBIWWeldJointIndex::FindJointBody(Joint& joint, const QIVUnicodeString& name) {
  LearnBodies(joint);
  auto found = joint.bodies.find(name.str());
  return found == joint.bodies.end() ? nullptr : &found->second;
}

ZELVekBIWWeldJointIndex::JointBody& ZELVekBIWWeldJointIndex::AddJointBody(Joint& joint, const QIVBaseUnknown_var& group,
                                                                          const QIVUnicodeString& name) {
  LearnBodies(joint);
  auto [entry, isNew] = joint.bodies.try_emplace(name.str());
  if (isNew) entry->second.group = group;
  return entry->second;
}

std::uint64_t ZELVekBIWWeldJointIndex::NameKey(const JointBody& jointBody, const QIVUnicodeString& name) {
  const std::uint64_t key = std::hash<std::string_view>()(name.view()) ^
                            reinterpret_cast<std::uintptr_t>(&jointBody) * 0x9E3779B97F4A7C15ull;
  // 0 marks a free slot.
  return key ? key : 1;
}

bool ZELVekBIWWeldJointIndex::ContainsNameKey(std::uint64_t key) const {
  if (_nameSlots.empty()) return false;
  const std::size_t mask = _nameSlots.size() - 1;
  for (std::size_t slot = key & mask;; slot = (slot + 1) & mask) {
    if (_nameSlots[slot] == key) return true;
    if (_nameSlots[slot] == 0) return false;
  }
}

void ZELVekBIWWeldJointIndex::InsertNameKey(std::uint64_t key) {
  if ((_nameCount + 1) * 2 > _nameSlots.size()) {
    std::vector<std::uint64_t> old(std::max<std::size_t>(64, _nameSlots.size() * 2), 0);
    old.swap(_nameSlots);
    _nameCount = 0;
    for (std::uint64_t kept : old)
      if (kept) InsertNameKey(kept);
  }
  const std::size_t mask = _nameSlots.size() - 1;
  for (std::size_t slot = key & mask;; slot = (slot + 1) & mask) {
    if (_nameSlots[slot] == key) return;
    if (_nameSlots[slot] == 0) {
      _nameSlots[slot] = key;
      ++_nameCount;
      return;
    }
  }
}

bool ZELVekBIWWeldJointIndex::HoldsFastenerNamed(const QIVBaseUnknown_var& group, const QIVUnicodeString& name) {
  ZELIBIWFeatureGroup_var features(group);
  QIVListValQIVBaseUnknown_var fasteners;
  if (!features || FAILED(features->GetFasteners(fasteners, true))) return false;
  for (const QIVBaseUnknown_var& fastener : fasteners)
    if (AliasOf(fastener) == name) return true;
  return false;
}

void ZELVekBIWWeldJointIndex::LearnNames(JointBody& jointBody) {
  if (jointBody.namesLearnt) return;
  jointBody.namesLearnt = true;
  ZELIBIWFeatureGroup_var group(jointBody.group);
  QIVListValQIVBaseUnknown_var fasteners;
  if (!group || FAILED(group->GetFasteners(fasteners, true))) return;
  for (const QIVBaseUnknown_var& fastener : fasteners) InsertNameKey(NameKey(jointBody, AliasOf(fastener)));
}

bool ZELVekBIWWeldJointIndex::HasFastenerNamed(JointBody& jointBody, const QIVUnicodeString& name) {
  LearnNames(jointBody);
  if (!ContainsNameKey(NameKey(jointBody, name))) return false;
  if (jointBody.confirmedNames.count(name.str())) return true;
  if (!HoldsFastenerNamed(jointBody.group, name)) return false;
  jointBody.confirmedNames.insert(name.str());
  return true;
}

void ZELVekBIWWeldJointIndex::AddFastenerName(JointBody& jointBody, const QIVUnicodeString& name) {
  // Names not learnt yet come with the others from the document.
  if (jointBody.namesLearnt) InsertNameKey(NameKey(jointBody, name));
}
