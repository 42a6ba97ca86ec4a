#include <iostream>

#include "BiwplanCli.h"
#include "BiwplanSaving.h"
#include "BiwplanVerbs.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemMgt.h"
#include "QIVSPPActivityType.h"

namespace {

// Opens the document, runs `edit` and saves when it answers Ok.
template <class Edit>
int EditDocument(const std::string& path, const BiwplanSaving& saving, Edit&& edit) {
  BiwplanSession session;
  if (!saving.Open(session, path)) return BiwplanExit::Failed;
  return saving.Finish(session, edit(session));
}

std::string KnownTypes() {
  std::string types;
  for (const QIVSPPActivityType& type : QIVSPPActivityType::All())
    if (!type.IsAbstract()) types += (types.empty() ? "" : ", ") + std::string(type.name);
  return types;
}

void AddFlowVerb(CLI::App& app, int& status, const char* name, bool link) {
  auto* verb = app.add_subcommand(name, link ? "Add a control-flow link between two activities"
                                             : "Remove a control-flow link between two activities");
  auto path = std::make_shared<std::string>();
  auto from = std::make_shared<std::string>();
  auto to = std::make_shared<std::string>();
  verb->add_option("DOC", *path, "Document file")->required();
  verb->add_option("FROM", *from, "Activity the flow leaves, e.g. process:\"Process/Station.1\"")->required();
  verb->add_option("TO", *to, "Activity the flow reaches")->required();
  auto saving = std::make_shared<BiwplanSaving>();
  saving->AddOptions(*verb);
  verb->callback([&status, path, from, to, link, saving] {
    status = EditDocument(*path, *saving, [&](BiwplanSession& session) {
      QIVBaseUnknown_var sourceObject = BiwplanFindObject(session, *from);
      QIVBaseUnknown_var target = sourceObject ? BiwplanFindObject(session, *to) : QIVBaseUnknown_var();
      if (!sourceObject || !target) return BiwplanExit::Failed;
      QIVISPPFlowMgt_var source = sourceObject;
      if (!source) return BiwplanFail(*from + " is not an activity");
      if (!QIVISPPFlowMgt_var(target)) return BiwplanFail(*to + " is not an activity");
      const HRESULT rc = link ? source->AddNextActivity(target) : source->RemoveNextActivity(target);
      if (FAILED(rc))
        return BiwplanFail(link ? "the link " + *from + " -> " + *to + " cannot be made"
                                : "there is no link " + *from + " -> " + *to);
      std::cout << (link ? "linked " : "unlinked ") << *from << " -> " << *to << '\n';
      return BiwplanExit::Ok;
    });
  });
}

}  // namespace

void AddEditingVerbs(CLI::App& app, int& status) {
  {
    auto* verb = app.add_subcommand("add-activity", "Create an activity of any type under a parent activity");
    auto path = std::make_shared<std::string>();
    auto parent = std::make_shared<std::string>();
    auto type = std::make_shared<std::string>();
    auto name = std::make_shared<std::string>();
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("PARENT", *parent, "Parent activity, e.g. process:Process")->required();
    verb->add_option("TYPE", *type, "Activity type: " + KnownTypes())->required();
    verb->add_option("NAME", *name, "Name of the new activity")->required();
    auto saving = std::make_shared<BiwplanSaving>();
    saving->AddOptions(*verb);
    verb->callback([&status, path, parent, type, name, saving] {
      status = EditDocument(*path, *saving, [&](BiwplanSession& session) {
        QIVBaseUnknown_var father = BiwplanFindObject(session, *parent);
        if (!father) return BiwplanExit::Failed;
        QIVISPPChildManagement_var children = father;
        if (!children) return BiwplanFail(*parent + " cannot hold activities");
        const QIVSPPActivityType* known = QIVSPPActivityType::Find(*type);
        if (!known || known->IsAbstract()) return BiwplanFail("unknown activity type \"" + *type + "\" (types: " +
                                                              KnownTypes() + ")");
        if (name->empty() || name->find('/') != std::string::npos)
          return BiwplanFail("an activity name may be neither empty nor hold a /");
        QIVBaseUnknown_var child;
        if (FAILED(children->CreateChild(*type, child)) || !child)
          return BiwplanFail("an activity of type " + *type + " cannot be created under " + *parent);
        QIVISPPActivity_var(child)->SetName(*name);
        std::cout << "created " << BiwplanActivityPath(session.Document(), child) << " (" << *type << ")\n";
        return BiwplanExit::Ok;
      });
    });
  }
  AddFlowVerb(app, status, "flow", true);
  AddFlowVerb(app, status, "unflow", false);
  {
    auto* verb = app.add_subcommand("handle", "Give an activity the products it handles, as its items");
    auto path = std::make_shared<std::string>();
    auto activity = std::make_shared<std::string>();
    auto products = std::make_shared<std::vector<std::string>>();
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("ACTIVITY", *activity, "Activity, e.g. process:\"Process/Station.1\"")->required();
    verb->add_option("PRODUCT", *products, "Products, e.g. product:UnderBody.1/FrontFloor.1")->required();
    auto saving = std::make_shared<BiwplanSaving>();
    saving->AddOptions(*verb);
    verb->callback([&status, path, activity, products, saving] {
      status = EditDocument(*path, *saving, [&](BiwplanSession& session) {
        QIVISPPItemMgt_var items = BiwplanFindObject(session, *activity);
        if (!items) return BiwplanFail(*activity + " is not an activity that holds items");
        std::vector<QIVBaseUnknown_var> found;
        for (const std::string& reference : *products) {
          QIVIProduct_var product = BiwplanFindObject(session, reference);
          if (!product) return BiwplanFail(reference + " is not a product");
          found.push_back(product);
        }
        for (std::size_t i = 0; i < found.size(); ++i) {
          const HRESULT rc = items->AddItem(found[i]);
          if (FAILED(rc)) return BiwplanFail((*products)[i] + " cannot be handled by " + *activity);
          std::cout << (rc == S_FALSE ? "already handled " : "handled ") << (*products)[i] << '\n';
        }
        return BiwplanExit::Ok;
      });
    });
  }
}
