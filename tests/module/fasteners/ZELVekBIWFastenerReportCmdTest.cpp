#include "fasteners/ZELVekBIWFastenerReportCmd.h"

#include "ModuleTestSession.h"
#include "QIVIAlias.h"
#include "QIVPathElement.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWPointFastener.h"

namespace {

class ZELVekBIWFastenerReportCmdTest : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    ZELIBIWFPPFactory_var factory = FastenerFactory();
    QIVBaseUnknown_var top;
    factory->GetTopGroup(top);
    factory->CreateGroup(top, _joint);
    factory->CreateGroup(_joint, _body);
    QIVIAlias_var(_joint)->SetAlias("Assembly Joint.1");
    QIVIAlias_var(_body)->SetAlias("JB-FLOOR");
    for (const char* name : {"W0001, A", "W0002, A"}) {
      QIVBaseUnknown_var fastener;
      factory->CreatePointFastener(_body, fastener);
      QIVIAlias_var(fastener)->SetAlias(name);
      _fasteners.push_back(fastener);
    }
  }
  void TearDown() override {
    _fasteners.clear();
    _joint = nullptr;
    _body = nullptr;
    ModuleTestSession::TearDown();
  }

  HRESULT Pick(const QIVBaseUnknown_var& object) {
    return Dispatcher().Deliver(QIVPickEvent({QIVMake<QIVPathElement>(object.get())}));
  }

  QIVBaseUnknown_var _joint, _body;
  std::vector<QIVBaseUnknown_var> _fasteners;
};

}  // namespace

TEST_F(ZELVekBIWFastenerReportCmdTest, GroupReportNamesJointBodyJointAndCount) {
  ASSERT_TRUE(SUCCEEDED(Dispatcher().Deliver(QIVStartEvent("ZELVekBIWFastenersGroupCmd"))));
  EXPECT_TRUE(FAILED(Pick(_body)));  // a group is not a fastener: the pick is refused
  ASSERT_TRUE(SUCCEEDED(Pick(_fasteners[1]))) << Dispatcher().GetLastRefusal();
  const std::vector<std::string> lines = Transcript();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 2],
            "box 0x4100200 \"Fastener group\" \"W0002, A belongs to the joint body JB-FLOOR of Assembly Joint.1, "
            "which holds 2 fastener(s).\" -> OK");
  EXPECT_EQ(lines.back(), "command ended ZELVekBIWFastenersGroupCmd");
}

TEST_F(ZELVekBIWFastenerReportCmdTest, LocationReportShowsDesignAndManufacturingPositions) {
  ZELIBIWPointFastener_var point = _fasteners[0];
  QIVRawColldouble manufacturing;
  for (double value : {1.0, -2.5, 1000.125, 0.0, 0.0, 0.0}) manufacturing.Append(value);
  point->SetManufacturingPosition(manufacturing, false);

  ASSERT_TRUE(SUCCEEDED(Dispatcher().Deliver(QIVStartEvent("ZELVekBIWEditManufacturingLocationCmd"))));
  ASSERT_TRUE(SUCCEEDED(Pick(_fasteners[0]))) << Dispatcher().GetLastRefusal();
  const std::string box = Transcript()[Transcript().size() - 2];
  EXPECT_NE(box.find("\"Manufacturing location\" \"W0001, A\\nDesign position: "), std::string::npos) << box;
  EXPECT_NE(box.find("Manufacturing position:      1.000     -2.500   1000.125"), std::string::npos) << box;
}

TEST_F(ZELVekBIWFastenerReportCmdTest, ImportReportCountsFastenersByType) {
  ZELIBIWFastener_var(_fasteners[0])->SetType("spot weld");
  ZELIBIWFastener_var(_fasteners[1])->SetType("spot weld");
  ASSERT_TRUE(SUCCEEDED(Dispatcher().Deliver(QIVStartEvent("ZELVekBIWImportFastenersCmd"))));
  const std::vector<std::string> lines = Transcript();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "box 0x4100200 \"Design fasteners\" \"The document holds 2 design fastener(s).\\nspot weld: 2\" -> OK");
}
