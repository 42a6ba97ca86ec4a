#pragma once

#include <gmock/gmock.h>

#include <map>
#include <string>
#include <vector>

#include "ModuleTestSession.h"
#include "QIVIProduct.h"
#include "QIVISPPAbstractActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemMgt.h"
#include "QIVISPPProductIO.h"
#include "ZELIMfgAssembly.h"
#include "flow/ZELBIWUpdateManufAssemblyCmd.h"
#include "flow/ZELBIWUpdateManufAssemblyPanel.h"

// A process built in the test's document, and the planner's moves on the
// update panel played through the dispatcher. Activities and products are
// named by their labels and instance names, assemblies by their labels.
class ManufAssemblyFlowTest : public ModuleTestSession {
 protected:
  QIVBaseUnknown_var Root() const {
    QIVBaseUnknown_var root;
    Document()->GetRootActivity(root);
    return root;
  }
  // A child of that type, labelled `label` when given.
  QIVBaseUnknown_var Child(const QIVBaseUnknown_var& parent, const char* type, const char* label = nullptr) {
    QIVBaseUnknown_var child;
    EXPECT_EQ(QIVISPPChildManagement_var(parent)->CreateChild(type, child), S_OK) << type;
    if (label) QIVISPPAbstractActivity_var(child)->SetLabel(label);
    return child;
  }
  QIVBaseUnknown_var Product(const char* name) {
    QIVBaseUnknown_var product;
    EXPECT_EQ(Document()->CreateProduct(nullptr, name, std::string("PN-") + name, product), S_OK);
    return product;
  }
  static void Handle(const QIVBaseUnknown_var& activity, std::initializer_list<QIVBaseUnknown_var> products) {
    for (const QIVBaseUnknown_var& product : products)
      EXPECT_EQ(QIVISPPItemMgt_var(activity)->AddItem(product, QIVSPPItemAssigned), S_OK);
  }
  static void Link(const QIVBaseUnknown_var& from, const QIVBaseUnknown_var& to) {
    EXPECT_EQ(QIVISPPFlowMgt_var(from)->AddNextActivity(to), S_OK);
  }

  // A new station holding welding activities of those labels, in that
  // child order, linked as the "FROM>TO" pairs say.
  using Activities = std::map<std::string, QIVBaseUnknown_var>;
  Activities Station(std::initializer_list<const char*> labels,
                     std::initializer_list<const char*> links = {}) {
    Activities activities;
    activities["station"] = Child(Root(), "BIWActivityStation");
    for (const char* label : labels)
      activities[label] = Child(activities["station"], "BIWActivitySpotWelding", label);
    for (const std::string link : links) {
      const std::size_t arrow = link.find('>');
      Link(activities.at(link.substr(0, arrow)), activities.at(link.substr(arrow + 1)));
    }
    return activities;
  }

  static std::string NameOf(const QIVBaseUnknown_var& object) {
    if (ZELIMfgAssembly_var assembly(object); assembly) return assembly->GetLabel().str();
    if (QIVIProduct_var product(object); product) return product->GetPrdInstanceName().str();
    if (QIVISPPAbstractActivity_var activity(object); activity) return activity->GetLabel().str();
    return "?";
  }
  static std::vector<std::string> NamesOf(const QIVListValQIVBaseUnknown_var& objects) {
    std::vector<std::string> names;
    for (const QIVBaseUnknown_var& object : objects) names.push_back(NameOf(object));
    return names;
  }
  static std::vector<std::string> Texts(const QIVListValQIVUnicodeString& texts) {
    std::vector<std::string> lines;
    for (const QIVUnicodeString& text : texts) lines.push_back(text.str());
    return lines;
  }
  // The manufactured assemblies of the activity's outputs.
  static QIVListValQIVBaseUnknown_var Outputs(const QIVBaseUnknown_var& activity) {
    QIVListValQIVBaseUnknown_var productIOs, assemblies;
    QIVISPPFlowMgt_var(activity)->GetProductIOs(productIOs, QIVSPPProductOutput);
    for (const QIVBaseUnknown_var& entry : productIOs) {
      QIVBaseUnknown_var product;
      if (SUCCEEDED(QIVISPPProductIO_var(entry)->GetProduct(product)) && ZELIMfgAssembly_var(product))
        assemblies.Append(product);
    }
    return assemblies;
  }
  static int OutputCount(const QIVBaseUnknown_var& activity) {
    QIVListValQIVBaseUnknown_var productIOs;
    QIVISPPFlowMgt_var(activity)->GetProductIOs(productIOs, QIVSPPProductOutput);
    return productIOs.Size();
  }
  // The parts then the sub-assemblies of the activity's one output.
  static std::vector<std::string> Contents(const QIVBaseUnknown_var& activity) {
    const QIVListValQIVBaseUnknown_var outputs = Outputs(activity);
    if (outputs.Size() != 1) return {"<" + std::to_string(outputs.Size()) + " outputs>"};
    QIVListValQIVBaseUnknown_var parts, subAssemblies;
    ZELIMfgAssembly_var(outputs[1])->GetParts(parts);
    ZELIMfgAssembly_var(outputs[1])->GetSubAssemblies(subAssemblies);
    parts.Append(subAssemblies);
    return NamesOf(parts);
  }
  // What the flow handed on to the activity.
  static std::vector<std::string> FromFlow(const QIVBaseUnknown_var& activity) {
    return NamesOf(QIVISPPItemMgt_var(activity)->GetItems("Item", QIVSPPItemFromFlow));
  }
  std::vector<std::string> AssembliesOfDocument() const { return NamesOf(Document()->GetMfgAssemblies()); }

  ZELBIWUpdateManufAssemblyCmd* Start() {
    if (FAILED(Dispatcher().Deliver(QIVStartEvent{"ZELBIWUpdateManufAssemblyCmd"}))) return nullptr;
    return Command();
  }
  ZELBIWUpdateManufAssemblyCmd* Command() {
    return dynamic_cast<ZELBIWUpdateManufAssemblyCmd*>(Dispatcher().GetActiveCommand());
  }
  HRESULT PressUpdate() { return Dispatcher().Deliver(QIVWidgetEvent::Press("ButtonUpdate")); }
  HRESULT Pick(const QIVBaseUnknown_var& object) { return ModuleTestSession::Pick({object}); }
  // Picks the activity in selected-activity mode and updates it alone.
  HRESULT UpdateOne(const QIVBaseUnknown_var& activity) {
    if (HRESULT rc = Check("RBSelectedActivity"); FAILED(rc)) return rc;
    if (HRESULT rc = Pick(activity); FAILED(rc)) return rc;
    return PressUpdate();
  }
};
