#include "frame/ZELVekBIWResetFastenerColorCmd.h"

#include "ModuleTestSession.h"
#include "QIVIAlias.h"
#include "ZELIBIWFastener.h"

namespace {

class ZELVekBIWResetFastenerColorCmdTest : public ModuleTestSession {
 protected:
  // Three coloured fasteners (two point, one curve) in one joint body.
  std::vector<ZELIBIWFastener_var> MakeColouredFasteners() {
    ZELIBIWFPPFactory_var factory = FastenerFactory();
    QIVBaseUnknown_var top, joint, body;
    factory->GetTopGroup(top);
    factory->CreateGroup(top, joint);
    factory->CreateGroup(joint, body);
    std::vector<ZELIBIWFastener_var> fasteners;
    for (int i = 0; i < 3; ++i) {
      QIVBaseUnknown_var made;
      if (i < 2)
        factory->CreatePointFastener(body, made);
      else
        factory->CreateCurveFastener(body, made);
      ZELIBIWFastener_var fastener = made;
      fastener->SetColor(0xff0000 + i);
      fasteners.push_back(fastener);
    }
    return fasteners;
  }
};

}  // namespace

TEST_F(ZELVekBIWResetFastenerColorCmdTest, RestoresEveryFastenerAndEndsAtOnce) {
  std::vector<ZELIBIWFastener_var> fasteners = MakeColouredFasteners();
  ASSERT_TRUE(SUCCEEDED(Dispatcher().Deliver(QIVStartEvent("ZELVekBIWResetFastenerColorCmd"))))
      << Dispatcher().GetLastRefusal();
  for (const ZELIBIWFastener_var& fastener : fasteners) EXPECT_EQ(fastener->GetColor(), -1);
  EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
  const std::vector<std::string> lines = Transcript();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "command started ZELVekBIWResetFastenerColorCmd");
  EXPECT_EQ(lines[1], "command ended ZELVekBIWResetFastenerColorCmd");
}

TEST_F(ZELVekBIWResetFastenerColorCmdTest, SkipsAndReleasesNullEntriesAndObjectsThatAreNotFasteners) {
  std::vector<ZELIBIWFastener_var> fasteners = MakeColouredFasteners();
  QIVBaseUnknown_var product;
  Document()->CreateProduct(nullptr, "Floor.1", "FLR", product);
  const unsigned long productRefs = product->RefCount();
  const unsigned long fastenerRefs = fasteners[0]->RefCount();

  product->AddRef();
  fasteners[0]->AddRef();
  _SEQUENCE_QIVBaseUnknown_ptr sequence{nullptr, product.get(), fasteners[0].get(), nullptr};
  ZELVekBIWResetFastenerColorCmd::RestoreColors(sequence);

  for (QIVBaseUnknown* entry : sequence) EXPECT_EQ(entry, nullptr);
  EXPECT_EQ(product->RefCount(), productRefs);
  EXPECT_EQ(fasteners[0]->RefCount(), fastenerRefs);
  EXPECT_EQ(fasteners[0]->GetColor(), -1);
  EXPECT_NE(fasteners[1]->GetColor(), -1);  // not in the list: untouched
}
