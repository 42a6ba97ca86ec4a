#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "QIVIXMLSAXFactory.h"
#include "frame/ZELVekBIWCommandsModule.h"
#include "xml/ZELVekBIWXMLGraphicFormat.h"

namespace {

// The handler read a file as the appearance command gives it to the parser:
// found as both handlers through the ties the module registers at load.
struct Reading {
  HRESULT rc = E_FAIL;
  std::vector<ZELVekBIWAppearanceEntry> entries;
  QIVListValQIVUnicodeString pointFastener, locating, clamping;
  std::vector<std::string> errors;
};

Reading Read(const std::string& text) {
  ZELVekBIWCommandsModule::Load();
  Reading reading;
  QIVIXMLSAXFactory_var factory;
  QIVISAXParser_var parser;
  CreateQIVIXMLSAXFactory(factory);
  factory->CreateParser(parser, {"QIVDoValidation"}, {"false"});
  auto handler = QIVMake<ZELVekBIWXMLGraphicFormat>();
  parser->SetDocumentHandler(QIVISAXDocumentHandler_var(handler.get()));
  parser->SetErrorHandler(QIVISAXErrorHandler_var(handler.get()));
  reading.rc = parser->ParseText(text, "Graphic.xml");
  handler->GetAllAppearanceEntity(reading.entries);
  handler->GetAllAttributesFromXML(reading.pointFastener, reading.locating, reading.clamping);
  for (const QIVSAXParseException& error : handler->GetErrors())
    reading.errors.push_back(error.Format().str());
  return reading;
}

}  // namespace

TEST(ZELVekBIWXMLGraphicFormatTest, GivesOneEntryPerAttributeDetailsAndTheAttributesOfEachKind) {
  const Reading reading = Read(R"(<Rules>
  <BIWFeatureType BIWFeature="point fastener">
    <AttributeDetails attribute="fasteningcontext" value="1"><color>16711680</color><CGRName>Endo</CGRName></AttributeDetails>
    <AttributeDetails attribute="quality" value="A"><CGRName>Gold</CGRName></AttributeDetails>
    <AttributeDetails attribute="quality" value="B"><color> 255 </color></AttributeDetails>
  </BIWFeatureType>
  <AttributeDetails attribute="outside" value="x"><color>1</color></AttributeDetails>
  <BIWFeatureType BIWFeature="locating feature">
    <AttributeDetails attribute="plantype_name" value="4-way pin"><color>16777215</color></AttributeDetails>
  </BIWFeatureType>
  <BIWFeatureType BIWFeature="clamping point"><Other/>
    <AttributeDetails attribute="name" value="CP1"><color>0</color></AttributeDetails>
  </BIWFeatureType>
  <BIWFeatureType BIWFeature="gusset"><AttributeDetails attribute="name" value="G"/></BIWFeatureType>
</Rules>)");
  EXPECT_EQ(reading.rc, S_OK);
  EXPECT_TRUE(reading.errors.empty());
  using Entry = ZELVekBIWAppearanceEntry;
  EXPECT_EQ(reading.entries,
            (std::vector<Entry>{{"point fastener", "fasteningcontext", "1", "16711680", "Endo"},
                                {"point fastener", "quality", "A", "-1", "Gold"},
                                {"point fastener", "quality", "B", " 255 ", "-1"},
                                {"locating feature", "plantype_name", "4-way pin", "16777215", "-1"},
                                {"clamping point", "name", "CP1", "0", "-1"},
                                {"gusset", "name", "G", "-1", "-1"}}));
  EXPECT_EQ(reading.pointFastener, (QIVListValQIVUnicodeString{"fasteningcontext", "quality", "quality"}));
  EXPECT_EQ(reading.locating, (QIVListValQIVUnicodeString{"plantype_name"}));
  EXPECT_EQ(reading.clamping, (QIVListValQIVUnicodeString{"name"}));
}

TEST(ZELVekBIWXMLGraphicFormatTest, NamesEveryFaultWithLineAndColumn) {
  struct Case {
    const char* text;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {"<Rules>\n<BIWFeatureType BIWFeature=\"point fastener\">\n</Rules>",
       {"Graphic.xml:3:9: Opening and ending tag mismatch: BIWFeatureType line 2 and Rules"}},
      {"<Rules>\n<BIWFeatureType BIWFeature=\"point fastener\">",
       {"Graphic.xml:2:45: Premature end of data in tag BIWFeatureType line 2"}},
      {"<Rules/>\n<Rules/>", {"Graphic.xml:2:1: Extra content at the end of the document"}},
      {"<Rules>\n<BIWFeatureType BIWFeature=\"point fastener\">\n<AttributeDetails attribute=\"name\" "
       "value=\"W1\"><color>red</color></AttributeDetails></BIWFeatureType></Rules>",
       {"Graphic.xml:3:57: bad colour \"red\": a colour is a number from 0 to 16777215 (0xRRGGBB)"}},
      {"<Rules><BIWFeatureType>\n<AttributeDetails value=\"W1\"><color>16777216</color></AttributeDetails>"
       "</BIWFeatureType></Rules>",
       {"Graphic.xml:1:23: \"BIWFeatureType\" without its \"BIWFeature\" attribute",
        "Graphic.xml:2:29: \"AttributeDetails\" without its \"attribute\" attribute",
        "Graphic.xml:2:45: bad colour \"16777216\": a colour is a number from 0 to 16777215 (0xRRGGBB)"}},
  };
  for (const Case& fault : cases) {
    const Reading reading = Read(fault.text);
    EXPECT_EQ(reading.errors, fault.errors) << fault.text;
  }
}
