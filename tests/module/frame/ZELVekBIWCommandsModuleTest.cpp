#include "frame/ZELVekBIWCommandsModule.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "QIVDelayedDestruction.h"
#include "QIVDictionary.h"
#include "QIVDlgDialog.h"
#include "QIVMultiDocumentCommand.h"
#include "QIVTrace.h"
#include "ZELUpdateWorldStepAnimCmd.h"
#include "frame/ZELBIWCmdTrace.h"

namespace {

enum class Base { State, MultiDocument, WorldStepAnimation, Dialog };

struct Expected {
  const char* className;
  const char* commandName;
  Base base;
  std::uint64_t behavior;
  int mode;
};

const Expected kEntryPoints[] = {
    {"ZELBIWFastenerLocationCmd", "ZELBIWFastenerLocationCmd", Base::State, 0x40, 0},
    {"ZELBIWUpdateManufAssemblyCmd", "ZELBIWUpdateManufAssemblyCmd", Base::State, 0, 0},
    {"ZELVekBIWAssignDatumAndTargetCmd", "ZELVekBIWAssignDatumAndTargetCmd", Base::State, 0, 0},
    {"ZELVekBIWAssignWeldCmd", "AssignWeldCmd", Base::State, 0x20, 0},
    {"ZELVekBIWAutoAssignWeldCmd", "ZELVekBIWAutoAssignWeldCmd", Base::State, 0x40, 0},
    {"ZELVekBIWCreateACTWeldingActivityCmd", "ZELVekBIWCreateACTWeldingActivityCmd", Base::State, 0x40, 1},
    {"ZELVekBIWCreateAdhesiveApplicationActivityCmd", "ZELVekBIWCreateAdhesiveApplicationActivityCmd", Base::State,
     0x40, 1},
    {"ZELVekBIWCreateArcWeldingActivityCmd", "ZELVekBIWCreateArcWeldingActivityCmd", Base::State, 0x40, 1},
    {"ZELVekBIWCreateClampingActivityCmd", "ZELVekBIWCreateClampingActivityCmd", Base::State, 0x40, 1},
    {"ZELVekBIWCreateClinchingActivityCmd", "ZELVekBIWCreateClinchingActivityCmd", Base::State, 0x40, 1},
    {"ZELVekBIWCreateGroupingActivityCmd", "ZELVekBIWCreateGroupingActivityCmd", Base::State, 0x40, 1},
    {"ZELVekBIWCreateLoadingActivityCmd", "ZELVekBIWCreateLoadingActivityCmd", Base::State, 0x40, 1},
    {"ZELVekBIWCreateSealantApplicationActivityCmd", "ZELVekBIWCreateSealantApplicationActivityCmd", Base::State,
     0x40, 1},
    {"ZELVekBIWCreateSpotGluingActivityCmd", "ZELVekBIWCreateSpotGluingActivityCmd", Base::State, 0x40, 1},
    {"ZELVekBIWCreateStationActivityCmd", "ZELVekBIWCreateStationActivityCmd", Base::State, 0x40, 1},
    {"ZELVekBIWCreateStudWeldingActivityCmd", "ZELVekBIWCreateStudWeldingActivityCmd", Base::State, 0x40, 1},
    {"ZELVekBIWCreateUnclampingActivityCmd", "ZELVekBIWCreateUnclampingActivityCmd", Base::State, 0x40, 1},
    {"ZELVekBIWCreateUnloadingActivityCmd", "ZELVekBIWCreateUnloadingActivityCmd", Base::State, 0x40, 1},
    {"ZELVekBIWEditManufacturingLocationCmd", "ZELVekBIWEditManufacturingLocationCmd", Base::State, 0x20, 0},
    {"ZELVekBIWEditManufacturingLocationDlg", "ZELVekBIWEditManufacturingLocationDlg", Base::Dialog, 0, 0},
    {"ZELVekBIWFastenersGroupCmd", "ZELVekBIWFastenersGroupCmd", Base::State, 0x40, 0},
    {"ZELVekBIWImportFastenersCmd", "ZELVekBIWImportFastenersCmd", Base::State, 0x40, 0},
    {"ZELVekBIWInsertStandardStationCmd", "ZELVekBIWInsertStandardStationCmd", Base::State, 0x40, 0},
    {"ZELVekBIWMultiSelectCmd", "ZELVekBIWMultiSelectCmd", Base::State, 0x40, 0},
    {"ZELVekBIWReadWeldFromFileCmd", "ReadWeldFromFileCmd", Base::State, 0x20, 0},
    {"ZELVekBIWReallocateWeldCmd", "ReallocateWeldCmd", Base::State, 0x20, 0},
    {"ZELVekBIWResetFastenerColorCmd", "ZELVekBIWResetFastenerColorCmd", Base::State, 0x40, 0},
    {"ZELVekBIWSaveLocationsInXMLCmd", "ZELVekBIWSaveLocationsInXMLCmd", Base::State, 0x40, 0},
    {"ZELVekBIWSelectActivityMultiCmd", "", Base::MultiDocument, 0, 1},
    {"ZELVekBIWShowWeldIDCmd", "ShowWeldIDCmd", Base::State, 0x20, 1},
    {"ZELVekBIWWeldAccountabilityCmd", "WeldAccountabilityCmd", Base::State, 0x20, 0},
    {"ZELVekFasteningSyncCmd", "ZELVekFasteningSyncCmd", Base::WorldStepAnimation, 0, 0},
    {"ZELVekPreviewWindowManagerCmd", "ZELVekPreviewWindowManagerCmd", Base::State, 0x40, 0},
    {"ZELLocatorAccountabilityCommand", "ZELLocatorAccountabilityCommand", Base::State, 0x40, 0},
    {"ZELManageFastenerIDCmd", "ZELManageFastenerIDCmd", Base::State, 0x40, 1},
    {"ZELRemoveFastenerIDCmd", "ZELRemoveFastenerIDCmd", Base::State, 0x40, 1},
    {"ZELVekEditBIWFeatureAppearanceCmd", "ZELEditBIWFeatureAppearanceCmd", Base::State, 0x40, 0},
};

}  // namespace

TEST(ZELVekBIWCommandsModuleTest, LoadingTwiceBuildsTraceAndEntriesOnce) {
  const int tracesBefore = QIVTrace::ConstructedCount();
  // Other tests of the program may have loaded the module already.
  const int loadsBefore = ZELVekBIWCommandsModule::Entries().front().loadCounter;
  ZELVekBIWCommandsModule::Load();
  const std::size_t factories = QIVDictionary::Instance().FactoryCount();
  QIVTrace* trace = ZELBIWCmdTrace;
  ZELVekBIWCommandsModule::Load();
  EXPECT_EQ(QIVDictionary::Instance().FactoryCount(), factories);
  EXPECT_EQ(ZELBIWCmdTrace, trace);
  EXPECT_LE(QIVTrace::ConstructedCount(), tracesBefore + 1);
  ASSERT_NE(trace, nullptr);
  EXPECT_EQ(trace->GetName(), "ZELBIWCmdTrace");
  EXPECT_EQ(trace->GetDescription(), "Traces for module ZELVekBIWCommands");
  EXPECT_EQ(trace->GetDestination(), "STDERR");
  EXPECT_EQ(trace->GetSize(), 1024);
  for (const ZELVekBIWCommandEntry& entry : ZELVekBIWCommandsModule::Entries()) EXPECT_EQ(entry.loadCounter, loadsBefore + 2);
}

TEST(ZELVekBIWCommandsModuleTest, EveryFactoryBuildsItsCommandAsRegistered) {
  ZELVekBIWCommandsModule::Load();
  ASSERT_EQ(ZELVekBIWCommandsModule::Entries().size(), std::size(kEntryPoints));
  const long before = QIVBaseUnknown::LiveObjectCount();
  for (const Expected& expected : kEntryPoints) {
    SCOPED_TRACE(expected.className);
    ASSERT_NE(QIVDictionary::Instance().FindFactory(expected.className), nullptr);
    QIVBaseUnknown_var object = QIVBaseUnknown_var::Adopt(QIVDictionary::Instance().Create(expected.className));
    ASSERT_TRUE(object);
    EXPECT_STREQ(object->GetImplClassName(), expected.className);
    if (expected.base == Base::Dialog) {
      auto* dialog = dynamic_cast<QIVDlgDialog*>(object.get());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->GetName(), expected.commandName);
      EXPECT_EQ(dialog->GetStyle(), 0x4040001ul);
      continue;
    }
    auto* command = dynamic_cast<QIVStateCommand*>(object.get());
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->GetName(), expected.commandName);
    EXPECT_EQ(command->GetBehavior(), expected.behavior);
    EXPECT_EQ(command->GetMode(), expected.mode);
    EXPECT_STREQ(command->GetResourceFilename(0), expected.className);
    EXPECT_EQ(dynamic_cast<QIVMultiDocumentCommand*>(command) != nullptr, expected.base == Base::MultiDocument);
    auto* animation = dynamic_cast<ZELUpdateWorldStepAnimCmd*>(command);
    EXPECT_EQ(animation != nullptr, expected.base == Base::WorldStepAnimation);
    if (animation) {
      EXPECT_EQ(animation->GetStepFlag(), 1);
    }
  }
  // Commands free their dialogs through the delayed destruction queue.
  QIVDelayedDestruction::Flush();
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}
