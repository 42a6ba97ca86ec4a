#include <gmock/gmock.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "LocationExportTestSupport.h"
#include "QIVAtomicFile.h"
#include "QIVDlgFile.h"
#include "QIVEnvironment.h"
#include "xml/ZELVekBIWSaveLocationsInXMLDlg.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;

namespace {
class ZELVekBIWSaveLocationsInXMLDlgTest : public LocationExportTest {
 protected:
  void TearDown() override {
    QIVSetAtomicWriteHook(nullptr);
    LocationExportTest::TearDown();
  }
  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
};

}  // namespace

TEST_F(ZELVekBIWSaveLocationsInXMLDlgTest, WritesTheReferenceThenEveryWeldAttributeByAttribute) {
  ZELIBIWPointFastener_var(_w3)->SetManufacturingPosition({1.5, -2, 3, 4, 5, -6}, false);
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Pick({_floor}), S_OK);
  const std::string path = PathIn("welds.xml");
  ASSERT_EQ(SaveAs(path), S_OK);

  EXPECT_EQ(Content(path).rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u);
  const WrittenFile file = ReadWrittenFile(path);
  ASSERT_TRUE(file.readable);
  ASSERT_EQ(file.elements.size(), 5u);
  // The floor sits 100 along Y of the body, turned a quarter about Z.
  EXPECT_EQ(file.elements[0].tag, "RefProduct");
  EXPECT_THAT(file.elements[0].attributes,
              ElementsAre(Pair("Name", "Floor"), Pair("X", "  1000.000"), Pair("Y", "   100.000"),
                          Pair("Z", "   500.000"), Pair("Roll", "     0.000"), Pair("Pitch", "     0.000"),
                          Pair("Yaw", "    90.000")));

  EXPECT_THAT(file.WeldNames(), ElementsAre("W0001, A", "W0002, A", "W0003, A", "W0010, B"));
  const WrittenElement& w1 = file.elements[1];
  EXPECT_EQ(w1.tag, "Weld");
  EXPECT_THAT(
      w1.attributes,
      ElementsAre(Pair("Name", "W0001, A"), Pair("K2FastenerVersion", "K2.0001"), Pair("X", "    12.500"),
                  Pair("Y", "    -3.250"), Pair("Z", "     0.000"), Pair("Roll", "     0.000"),
                  Pair("Pitch", "     0.000"), Pair("Yaw", "    90.000"), Pair("ManufX", "     0.000"),
                  Pair("ManufY", "     0.000"), Pair("ManufZ", "     0.000"), Pair("ManufRoll", "     0.000"),
                  Pair("ManufPitch", "     0.000"), Pair("ManufYaw", "     0.000")));
  const WrittenElement& w2 = file.elements[2];
  EXPECT_EQ(w2.Attribute("X"), " -1500.125");
  EXPECT_EQ(w2.Attribute("Y"), "     0.000");
  const WrittenElement& w3 = file.elements[3];
  EXPECT_EQ(w3.Attribute("Roll"), "    10.000");
  EXPECT_EQ(w3.Attribute("Pitch"), "   -20.000");
  EXPECT_EQ(w3.Attribute("Yaw"), "    30.000");
  EXPECT_EQ(w3.Attribute("ManufX"), "     1.500");
  EXPECT_EQ(w3.Attribute("ManufY"), "    -2.000");
  EXPECT_EQ(w3.Attribute("ManufYaw"), "    -6.000");

  // The file box is gone, the command goes on.
  EXPECT_EQ(Dialog()->GetFileDialog(), nullptr);
  EXPECT_EQ(QIVDlgFile::WaitingBox(), nullptr);
  EXPECT_THAT(Boxes(), IsEmpty());
}

TEST_F(ZELVekBIWSaveLocationsInXMLDlgTest, WithoutAReferenceTheFileSaysSo) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(SaveAs(PathIn("welds.xml")), S_OK);
  const WrittenFile file = ReadWrittenFile(PathIn("welds.xml"));
  ASSERT_FALSE(file.elements.empty());
  EXPECT_EQ(file.elements[0].tag, "RefProduct");
  EXPECT_THAT(file.elements[0].attributes, ElementsAre(Pair("Name", "No Ref Product")));
}

TEST_F(ZELVekBIWSaveLocationsInXMLDlgTest, APathWithoutAnyDotGetsTheXMLExtension) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(SaveAs(PathIn("welds")), S_OK);
  EXPECT_TRUE(std::filesystem::exists(PathIn("welds.xml")));
  ASSERT_EQ(SaveAs(PathIn("welds.v2")), S_OK);
  EXPECT_TRUE(std::filesystem::exists(PathIn("welds.v2")));
  // Any dot counts, even one in a folder's name.
  std::filesystem::create_directory(PathIn("run.1"));
  ASSERT_EQ(SaveAs(PathIn("run.1/welds")), S_OK);
  EXPECT_TRUE(std::filesystem::exists(PathIn("run.1/welds")));
  EXPECT_EQ(FilesInFolder(), 3);
}

TEST_F(ZELVekBIWSaveLocationsInXMLDlgTest, WeldsAreWrittenInListOrder) {
  QIVScopedEnv keepOrder("ADL_ODT_IN", "1");
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(SaveAs(PathIn("document-order.xml")), S_OK);
  EXPECT_THAT(ReadWrittenFile(PathIn("document-order.xml")).WeldNames(),
              ElementsAre("W0003, A", "W0001, A", "W0002, A", "W0010, B"));

  // Removed welds are not written; welds picked back come last.
  ASSERT_EQ(SelectLines({0, 2}), S_OK);
  ASSERT_EQ(Press("pRemoveWeldsPushButton"), S_OK);
  ASSERT_EQ(Pick({_jointBody1}), S_OK);
  ASSERT_EQ(SaveAs(PathIn("picked.xml")), S_OK);
  EXPECT_THAT(ReadWrittenFile(PathIn("picked.xml")).WeldNames(),
              ElementsAre("W0001, A", "W0010, B", "W0003, A"));
}

TEST_F(ZELVekBIWSaveLocationsInXMLDlgTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
  ASSERT_NE(Start(), nullptr);
  const std::string missing = PathIn("missing/welds.xml");
  ASSERT_EQ(SaveAs(missing), S_OK);
  EXPECT_THAT(Boxes(),
              ElementsAre("box 0x10100200 \"WARNING\" \"The weld locations were not saved.\\ncannot write " +
                          missing + ": No such file or directory\" -> OK"));
  EXPECT_EQ(FilesInFolder(), 0);

  // A save that fails at the last step keeps the previous file whole.
  const std::string previous = PathIn("welds.xml");
  std::ofstream(previous) << "previous";
  QIVSetAtomicWriteHook([](const std::string&) { return ENOSPC; });
  ASSERT_EQ(SaveAs(previous), S_OK);
  EXPECT_EQ(Content(previous), "previous");
  EXPECT_EQ(FilesInFolder(), 1);
  EXPECT_EQ(Boxes().size(), 2u);
  EXPECT_NE(Dispatcher().GetActiveCommand(), nullptr);
}

TEST_F(ZELVekBIWSaveLocationsInXMLDlgTest, ANameXMLCannotCarryWritesNothing) {
  QIVIAlias_var(_w2)->SetAlias("W0002\x01");
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(SaveAs(PathIn("welds.xml")), S_OK);
  EXPECT_EQ(FilesInFolder(), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].find("the weld \\\"W0002"), std::string::npos) << Boxes()[0];
}
