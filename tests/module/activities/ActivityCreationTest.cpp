#include "ActivityCreationTest.h"

#include <ostream>

#include "QIVDialog.h"
#include "QIVDocumentWriter.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"
#include "QIVSPPActivityType.h"

namespace T = QIVSPPActivityTypes;

void ActivityCreationTest::SetUp() {
  ModuleTestSession::SetUp();
  Document()->GetRootActivity(_root);
  _grouping = Child(_root, T::Grouping);
  _station = Child(_grouping, T::Station);
  _loading = Child(_station, T::Loading);
  _welding = Child(_station, T::SpotWelding);
  _unloading = Child(_station, T::Unloading);
  QIVISPPFlowMgt_var(_loading)->AddNextActivity(_welding);
  QIVISPPFlowMgt_var(_welding)->AddNextActivity(_unloading);
  _assembly = Child(_root, T::AssemblyOperation);
  _dynamic = Child(_root, T::DynamicActivity);
}

void ActivityCreationTest::TearDown() {
  for (QIVBaseUnknown_var* held :
       {&_root, &_grouping, &_station, &_loading, &_welding, &_unloading, &_assembly, &_dynamic})
    *held = nullptr;
  ModuleTestSession::TearDown();
}

ZELVekBIWCreateActivityCmd* ActivityCreationTest::Start(const std::string& className) {
  if (FAILED(Dispatcher().Deliver(QIVStartEvent{className}))) return nullptr;
  return Command();
}

ZELVekBIWCreateActivityCmd* ActivityCreationTest::Command() {
  return dynamic_cast<ZELVekBIWCreateActivityCmd*>(Dispatcher().GetActiveCommand());
}

ZELVekBIWCreateActivityDlg* ActivityCreationTest::Dialog() {
  ZELVekBIWCreateActivityCmd* command = Command();
  return command ? command->GetDialog() : nullptr;
}

HRESULT ActivityCreationTest::Pick(const QIVBaseUnknown_var& object) {
  std::vector<QIVBaseUnknown_var> rootToLeaf{object};
  for (QIVISPPActivity_var step(object); step;) {
    QIVBaseUnknown_var father;
    if (FAILED(step->GetFatherActivity(father))) break;
    rootToLeaf.insert(rootToLeaf.begin(), father);
    step = QIVISPPActivity_var(father);
  }
  return Dispatcher().Deliver(QIVPickEvent{{QIVMake<QIVPathElement>(std::move(rootToLeaf))}});
}

QIVBaseUnknown_var ActivityCreationTest::Child(const QIVBaseUnknown_var& parent, const char* type) {
  QIVBaseUnknown_var child;
  EXPECT_EQ(QIVISPPChildManagement_var(parent)->CreateChild(type, child), S_OK) << type;
  return child;
}

QIVListValQIVUnicodeString ActivityCreationTest::ChildNames(const QIVBaseUnknown_var& parent) {
  QIVListValQIVUnicodeString names;
  const auto children = QIVISPPChildManagement_var(parent)->GetChildren();
  for (const QIVBaseUnknown_var& child : *children) names.Append(NameOf(child));
  return names;
}

QIVListValQIVUnicodeString ActivityCreationTest::NextNames(const QIVBaseUnknown_var& activity) {
  QIVListValQIVUnicodeString names;
  for (const QIVBaseUnknown_var& next : QIVISPPFlowMgt_var(activity)->GetNextActivities(""))
    names.Append(NameOf(next));
  return names;
}

QIVUnicodeString ActivityCreationTest::NameOf(const QIVBaseUnknown_var& activity) {
  QIVISPPActivity_var named(activity);
  return named ? named->GetName() : QIVUnicodeString("<none>");
}

double ActivityCreationTest::Attribute(const QIVBaseUnknown_var& activity, const char* name) {
  double value = -999.0;
  EXPECT_EQ(QIVISPPActivity_var(activity)->GetAttribute(name, value), S_OK) << name;
  return value;
}

void ActivityCreationTest::SetAttribute(const QIVBaseUnknown_var& activity, const char* name, double value) {
  EXPECT_EQ(QIVISPPActivity_var(activity)->SetAttribute(name, value), S_OK) << name;
}

std::vector<std::string> ActivityCreationTest::ProcessOutline() const {
  std::vector<std::string> outline;
  std::vector<std::pair<QIVBaseUnknown_var, std::string>> pending{{_root, ""}};
  while (!pending.empty()) {
    auto [activity, path] = pending.back();
    pending.pop_back();
    path += "/" + NameOf(activity).str();
    std::string line = path + " [";
    for (const QIVUnicodeString& next : NextNames(activity)) line += " " + next.str();
    outline.push_back(line + " ]");
    const auto children = QIVISPPChildManagement_var(activity)->GetChildren();
    for (int i = children->Size(); i >= 1; --i) pending.emplace_back((*children)[i], path);
  }
  return outline;
}

int ActivityCreationTest::BusyCursorCount() {
  return Dispatcher().GetApplicationFrame().GetBusyCursorCount();
}

void PrintTo(const QIVListValQIVUnicodeString& names, std::ostream* out) {
  *out << QIVDialog::QuoteList(names.Items());
}

QIVListValQIVUnicodeString Names(std::initializer_list<const char*> names) {
  QIVListValQIVUnicodeString list;
  for (const char* name : names) list.Append(name);
  return list;
}
