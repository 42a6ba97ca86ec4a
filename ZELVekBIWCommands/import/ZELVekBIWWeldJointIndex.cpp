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

bool ZELVekBIWWeldJointIndex::PartSetKey(const QIVListValQIVBaseUnknown_var& parts, std::string& key) {
  std::vector<std::uintptr_t> identities;
  identities.reserve(parts.Size());
  for (const QIVBaseUnknown_var& part : parts) identities.push_back(reinterpret_cast<std::uintptr_t>(part.Identity()));
  std::sort(identities.begin(), identities.end());
  if (std::adjacent_find(identities.begin(), identities.end()) != identities.end()) return false;
  key.assign(reinterpret_cast<const char*>(identities.data()), identities.size() * sizeof(std::uintptr_t));
  return true;
}

void ZELVekBIWWeldJointIndex::AddJoint(const QIVBaseUnknown_var& joint, const QIVListValQIVBaseUnknown_var& parts) {
  const int position = JointCount();
  _joints.push_back({joint, parts});
  std::string key;
  // A joint of no part is never the joint of a record.
  if (!parts.IsEmpty() && PartSetKey(parts, key)) _firstJointOfPartSet.emplace(std::move(key), position);
}

std::vector<int> ZELVekBIWWeldJointIndex::CandidateJoints(const QIVListValQIVBaseUnknown_var& parts) const {
  std::string key;
  if (!PartSetKey(parts, key)) {
    std::vector<int> all(_joints.size());
    std::iota(all.begin(), all.end(), 0);
    return all;
  }
  auto found = _firstJointOfPartSet.find(key);
  if (found == _firstJointOfPartSet.end()) return {};
  return {found->second};
}

ZELVekBIWWeldJointIndex::NamedGroups& ZELVekBIWWeldJointIndex::JointBodiesOf(const QIVBaseUnknown_var& joint) {
  auto [entry, isNew] = _jointBodies.try_emplace(joint.Identity());
  if (isNew) {
    ZELIBIWFeatureChildMgmt_var children(joint);
    QIVListValQIVBaseUnknown_var groups;
    if (children && SUCCEEDED(children->GetChildren(groups, ZELIBIWFeatureGroup::ClassName())))
      for (const QIVBaseUnknown_var& group : groups) entry->second.emplace(AliasOf(group).str(), group);
  }
  return entry->second;
}

QIVBaseUnknown_var ZELVekBIWWeldJointIndex::FindJointBody(const QIVBaseUnknown_var& joint,
                                                          const QIVUnicodeString& name) {
  NamedGroups& bodies = JointBodiesOf(joint);
  auto found = bodies.find(name.str());
  return found == bodies.end() ? QIVBaseUnknown_var() : found->second;
}

void ZELVekBIWWeldJointIndex::AddJointBody(const QIVBaseUnknown_var& joint, const QIVBaseUnknown_var& jointBody,
                                           const QIVUnicodeString& name) {
  // A body made after the first lookup is found by the next one; one made
  // before is learnt with the others.
  auto known = _jointBodies.find(joint.Identity());
  if (known != _jointBodies.end()) known->second.emplace(name.str(), jointBody);
}

std::unordered_set<std::string>& ZELVekBIWWeldJointIndex::FastenerNamesOf(const QIVBaseUnknown_var& jointBody) {
  auto [entry, isNew] = _fastenerNames.try_emplace(jointBody.Identity());
  if (isNew) {
    ZELIBIWFeatureGroup_var group(jointBody);
    QIVListValQIVBaseUnknown_var fasteners;
    if (group && SUCCEEDED(group->GetFasteners(fasteners, true)))
      for (const QIVBaseUnknown_var& fastener : fasteners) entry->second.insert(AliasOf(fastener).str());
  }
  return entry->second;
}

bool ZELVekBIWWeldJointIndex::HasFastenerNamed(const QIVBaseUnknown_var& jointBody, const QIVUnicodeString& name) {
  return FastenerNamesOf(jointBody).count(name.str()) != 0;
}

void ZELVekBIWWeldJointIndex::AddFastenerName(const QIVBaseUnknown_var& jointBody, const QIVUnicodeString& name) {
  auto known = _fastenerNames.find(jointBody.Identity());
  if (known != _fastenerNames.end()) known->second.insert(name.str());
}
