#include "ZELVekBIWJointTable.h"

#include <algorithm>
#include <unordered_set>

#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIMfgAssembly.h"

namespace {

using Identities = std::unordered_set<const QIVBaseUnknown*>;

void CollectParts(const QIVBaseUnknown_var& assembly, QIVListValQIVBaseUnknown_var& parts, Identities& seen) {
  ZELIMfgAssembly_var typed(assembly);
  if (!typed || !seen.insert(assembly.Identity()).second) return;
  QIVListValQIVBaseUnknown_var own;
  typed->GetParts(own);
  parts.Append(own);
  QIVListValQIVBaseUnknown_var subAssemblies;
  typed->GetSubAssemblies(subAssemblies);
  for (const QIVBaseUnknown_var& sub : subAssemblies) CollectParts(sub, parts, seen);
}

}  // namespace

ZELVekBIWJointTable ZELVekBIWJointTable::OfCurrentDocument() {
  List joints;
  std::vector<List> parts;
  Read(joints, parts);
  ZELVekBIWJointTable table;
  table.Load(std::move(joints), std::move(parts));
  return table;
}

void ZELVekBIWJointTable::Load(List joints, std::vector<List> parts) {
  _joints = std::move(joints);
  _parts = std::move(parts);
  _jointsOfPart.clear();
  for (int joint = 0; joint < static_cast<int>(_parts.size()); ++joint) {
    for (const QIVBaseUnknown_var& part : _parts[joint]) {
      std::vector<int>& joints = _jointsOfPart[part.Identity()];
      if (joints.empty() || joints.back() != joint) joints.push_back(joint);
    }
  }
}

void ZELVekBIWJointTable::Read(List& joints, std::vector<List>& parts) {
  QIVBaseUnknown_var document;
  QIVBaseUnknown_var container;
  if (FAILED(ZELFastenerServices::GetCurrentDocument(document)) ||
      FAILED(ZELFastenerServices::GetFeatContainerFromDocument(document, container)))
    return;
  ZELIBIWFeatureContainer_var features(container);
  ZELIBIWFeaturePartRelations_var relations(container);
  if (!features || !relations) return;
  List all;
  features->GetFeatures(all);
  for (const QIVBaseUnknown_var& feature : all) {
    if (!ZELIBIWFeature_var(feature)) continue;
    List related;
    if (FAILED(relations->GetRelatedParts(feature, related)) || related.IsEmpty()) continue;
    joints.Append(feature);
    parts.push_back(std::move(related));
  }
}

void ZELVekBIWJointTable::PartsOfAssembly(const QIVBaseUnknown_var& assembly, List& parts) {
  Identities seen;
  CollectParts(assembly, parts, seen);
}

void ZELVekBIWJointTable::AppendFasteners(const QIVBaseUnknown_var& joint, List& fasteners) {
  ZELIBIWFeatureChildMgmt_var group(joint);
  if (!group) {
    if (ZELIBIWFastener_var(joint)) fasteners.Append(joint);
    return;
  }
  List children;
  group->GetChildren(children);
  for (const QIVBaseUnknown_var& child : children) {
    if (ZELIBIWFastener_var(child))
      fasteners.Append(child);
    else if (ZELIBIWFeatureChildMgmt_var(child))
      AppendFasteners(child, fasteners);
  }
}

ZELVekBIWJointTable::List ZELVekBIWJointTable::Sticky(const List& items) const {
  // Assemblies and plain parts, each in the items' order.
  std::vector<QIVBaseUnknown_var> assemblies;
  Identities plainParts;
  for (int i = items.Size(); i >= 1; --i) {
    if (ZELIMfgAssembly_var(items[i]))
      assemblies.insert(assemblies.begin(), items[i]);
    else if (items[i])
      plainParts.insert(items[i].Identity());
  }
  std::vector<Identities> assemblyParts(assemblies.size());
  for (std::size_t a = 0; a < assemblies.size(); ++a) {
    List parts;
    PartsOfAssembly(assemblies[a], parts);
    for (const QIVBaseUnknown_var& part : parts) assemblyParts[a].insert(part.Identity());
  }

  // Only a joint relating some part that reaches the activity can be
  // covered: those are found through the index, then kept in table order.
  std::vector<int> candidates;
  auto gather = [&](const QIVBaseUnknown* part) {
    const auto found = _jointsOfPart.find(part);
    if (found != _jointsOfPart.end()) candidates.insert(candidates.end(), found->second.begin(), found->second.end());
  };
  for (const QIVBaseUnknown* part : plainParts) gather(part);
  for (const Identities& parts : assemblyParts)
    for (const QIVBaseUnknown* part : parts) gather(part);
  std::sort(candidates.begin(), candidates.end());
  candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

  List sticky;
  Identities covered;
  std::vector<const QIVBaseUnknown*> inAssembly;
  for (int joint : candidates) {
    const List& jointParts = _parts[joint];
    covered.clear();
    for (const QIVBaseUnknown_var& part : jointParts)
      if (plainParts.count(part.Identity())) covered.insert(part.Identity());
    for (const Identities& parts : assemblyParts) {
      inAssembly.clear();
      for (const QIVBaseUnknown_var& part : jointParts)
        if (parts.count(part.Identity())) inAssembly.push_back(part.Identity());
      // A joint whose parts all come inside one assembly is that
      // assembly's own: it was made before the assembly reached here.
      if (!inAssembly.empty() && static_cast<int>(inAssembly.size()) < jointParts.Size())
        covered.insert(inAssembly.begin(), inAssembly.end());
    }
    if (static_cast<int>(covered.size()) == jointParts.Size()) sticky.Append(_joints[joint + 1]);
  }
  return sticky;
}
