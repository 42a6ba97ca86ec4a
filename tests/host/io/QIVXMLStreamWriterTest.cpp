#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../system/TemporaryDirectory.h"
#include "QIVXMLDOMDocumentBuilder.h"
#include "QIVXMLStreamWriter.h"

using namespace std::string_view_literals;

namespace {
struct Element {
  const char* tag;
  std::vector<std::pair<const char*, std::string>> attributes;
  std::vector<Element> children;
};

void Stream(QIVXMLStreamWriter& writer, const Element& element) {
  ASSERT_EQ(writer.StartElement(element.tag), S_OK);
  for (const auto& [name, value] : element.attributes) ASSERT_EQ(writer.Attribute(name, value), S_OK);
  for (const Element& child : element.children) Stream(writer, child);
  ASSERT_EQ(writer.EndElement(), S_OK);
}

void Build(const QIVIDOMDocument_var& document, const QIVIDOMElement_var& parent, const Element& element) {
  QIVIDOMElement_var made;
  ASSERT_EQ(document->CreateElement(element.tag, made), S_OK);
  for (const auto& [name, value] : element.attributes) ASSERT_EQ(made->SetAttribute(name, value), S_OK);
  QIVIDOMNode_var(parent)->AppendChild(QIVIDOMNode_var(made));
  for (const Element& child : element.children) Build(document, made, child);
}
}  // namespace

// The streamed file holds the bytes the DOM builder writes for the same
// elements: layout, empty elements, escapes and UTF-8 alike.
TEST(QIVXMLStreamWriterTest, WritesTheBytesTheDOMBuilderWrites) {
  const Element root{"WeldDataRoot",
                     {},
                     {{"RefProduct", {{"Name", "No Ref Product"}}, {}},
                      {"Weld", {{"Name", "A<&>\"B'\tC\nSchwei\xc3\x9f\r"}, {"X", "    12.500"}}, {}},
                      {"Empty", {}, {}},
                      {"Group", {{"Name", "G"}}, {{"Weld", {{"Name", "W2"}}, {}}}}}};
  TemporaryDirectory dir;
  QIVUnicodeString errorText;
  QIVXMLStreamWriter writer;
  ASSERT_EQ(writer.Open(dir.File("streamed.xml"), "WeldData", errorText), S_OK) << errorText;
  Stream(writer, root);
  // Numbers go straight into the text, as BuildFromNum writes them; a name
  // checked once writes as the same name given each time.
  QIVXMLStreamWriter::Name y;
  ASSERT_EQ(writer.PrepareName("p:Y", y), S_OK);
  ASSERT_EQ(writer.StartElement("Number"), S_OK);
  ASSERT_EQ(writer.Attribute("X", 12.5, 10, 3), S_OK);
  ASSERT_EQ(writer.Attribute(y, -1e15 / 3, 10, 3), S_OK);
  ASSERT_EQ(writer.EndElement(), S_OK);
  ASSERT_EQ(writer.Commit(errorText), S_OK) << errorText;

  QIVIXMLDOMDocumentBuilder_var builder;
  QIVIDOMImplementation_var implementation;
  QIVIDOMDocument_var document;
  QIVIDOMElement_var weldData;
  CreateQIVIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder);
  builder->GetDOMImplementation(implementation);
  implementation->CreateDocument("", "WeldData", document);
  document->GetDocumentElement(weldData);
  Build(document, weldData, root);
  Build(document, weldData,
        {"Number",
         {{"X", QIVUnicodeString().BuildFromNum(12.5, "%10.3f").str()},
          {"p:Y", QIVUnicodeString().BuildFromNum(-1e15 / 3, "%10.3f").str()}},
         {}});
  QIVUnicodeString built;
  ASSERT_EQ(builder->WriteToString(document, built), S_OK);
  EXPECT_EQ(dir.Read("streamed.xml"), built.str());
}

TEST(QIVXMLStreamWriterTest, ARefusedNameLeavesNoFile) {
  TemporaryDirectory dir;
  QIVUnicodeString errorText;
  {
    QIVXMLStreamWriter writer;
    ASSERT_EQ(writer.Open(dir.File("out.xml"), "WeldData", errorText), S_OK);
    EXPECT_EQ(writer.StartElement("Weld"), S_OK);
    EXPECT_EQ(writer.Attribute("Name", "bad \x01 text"), E_INVALIDARG);
    EXPECT_EQ(writer.StartElement("no good"), E_INVALIDARG);
    QIVXMLStreamWriter::Name unchecked;
    EXPECT_EQ(writer.PrepareName("no good", unchecked), E_INVALIDARG);
    EXPECT_EQ(writer.Attribute(unchecked, 1.0, 10, 3), E_FAIL);
    for (const std::string_view name : {"1a"sv, "a:b:c"sv, "a:"sv, ":a"sv, "-a"sv, "a\0b"sv, ""sv})
      EXPECT_EQ(writer.StartElement(name), E_INVALIDARG) << name;
    for (const char* name : {"a:b", "_x-1.2", "Schwei\xc3\x9f", "x:\xc3\xa9"}) {
      EXPECT_EQ(writer.StartElement(name), S_OK) << name;
      EXPECT_EQ(writer.Attribute(name, 1.0, 10, 3), S_OK) << name;
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}
