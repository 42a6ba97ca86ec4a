#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <string>

#include "../system/TemporaryDirectory.h"
#include "QIVAtomicFile.h"
#include "QIVXMLDOMDocumentBuilder.h"

namespace {
using XmlDoc = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

// The file read back by libxml2 itself, not through the builder.
XmlDoc ReadBack(const std::string& path) {
  return XmlDoc(xmlReadFile(path.c_str(), nullptr, XML_PARSE_NOBLANKS), xmlFreeDoc);
}

std::string AttributeOf(xmlNodePtr node, const char* name) {
  std::unique_ptr<xmlChar, decltype(xmlFree)> value(xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)),
                                                    xmlFree);
  return value ? reinterpret_cast<const char*>(value.get()) : "<absent>";
}

class QIVXMLDOMDocumentBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CreateQIVIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder), S_OK);
    QIVIDOMImplementation_var implementation;
    ASSERT_EQ(builder->GetDOMImplementation(implementation), S_OK);
    ASSERT_EQ(implementation->CreateDocument("", "WeldData", document), S_OK);
    document->GetDocumentElement(root);
  }
  void TearDown() override { QIVSetAtomicWriteHook(nullptr); }

  QIVIDOMElement_var AddWeld(const char* name) {
    QIVIDOMElement_var weld;
    document->CreateElement("Weld", weld);
    weld->SetAttribute("Name", name);
    weld->SetAttribute("X", "    12.500");
    QIVIDOMNode_var(root)->AppendChild(QIVIDOMNode_var(weld));
    return weld;
  }

  TemporaryDirectory dir;
  QIVIXMLDOMDocumentBuilder_var builder;
  QIVIDOMDocument_var document;
  QIVIDOMElement_var root;
  QIVUnicodeString errorText;
};
}  // namespace

TEST_F(QIVXMLDOMDocumentBuilderTest, WritesUTF8WithADeclarationOneElementALine) {
  AddWeld("W1");
  QIVUnicodeString text;
  ASSERT_EQ(builder->WriteToString(document, text), S_OK);
  EXPECT_EQ(text,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<WeldData>\n"
            "  <Weld Name=\"W1\" X=\"    12.500\"/>\n"
            "</WeldData>\n");
}

TEST_F(QIVXMLDOMDocumentBuilderTest, MarkupInNamesAndTextsRoundTrips) {
  const std::string awkward = "A<&>\"B'\tC\nSchwei\xc3\x9f";
  AddWeld(awkward.c_str());
  QIVIDOMElement_var note;
  document->CreateElement("Note", note);
  QIVIDOMNode_var text;
  ASSERT_EQ(document->CreateTextNode("]]> & <tag>", text), S_OK);
  QIVIDOMNode_var(note)->AppendChild(text);
  QIVIDOMNode_var(root)->AppendChild(QIVIDOMNode_var(note));

  const std::string path = dir.File("welds.xml");
  ASSERT_EQ(builder->WriteToFile(document, path, errorText), S_OK) << errorText;
  EXPECT_NE(dir.Read("welds.xml").find("Name=\"A&lt;&amp;&gt;&quot;B'&#9;C&#10;Schwei\xc3\x9f\""),
            std::string::npos);

  XmlDoc written = ReadBack(path);
  ASSERT_TRUE(written);
  xmlNodePtr weld = xmlDocGetRootElement(written.get())->children;
  EXPECT_EQ(AttributeOf(weld, "Name"), awkward);
  std::unique_ptr<xmlChar, decltype(xmlFree)> content(xmlNodeGetContent(weld->next), xmlFree);
  EXPECT_STREQ(reinterpret_cast<const char*>(content.get()), "]]> & <tag>");

  QIVIDOMDocument_var parsed;
  ASSERT_EQ(builder->Parse(path, parsed, errorText), S_OK) << errorText;
  QIVIDOMElement_var parsedRoot;
  ASSERT_EQ(parsed->GetDocumentElement(parsedRoot), S_OK);
  QIVListValQIVBaseUnknown_var children;
  QIVIDOMNode_var(parsedRoot)->GetChildNodes(children);
  ASSERT_EQ(children.Size(), 2);
  QIVUnicodeString name;
  ASSERT_EQ(QIVIDOMElement_var(children[1])->GetAttribute("Name", name), S_OK);
  EXPECT_EQ(name.str(), awkward);
  QIVListValQIVUnicodeString names;
  QIVIDOMElement_var(children[1])->GetAttributeNames(names);
  EXPECT_EQ(names, (QIVListValQIVUnicodeString{"Name", "X"}));
}

TEST_F(QIVXMLDOMDocumentBuilderTest, ANamespacedDocumentDeclaresItsNamespace) {
  QIVIDOMImplementation_var implementation;
  builder->GetDOMImplementation(implementation);
  QIVIDOMDocument_var named;
  ASSERT_EQ(implementation->CreateDocument("urn:biw:welds", "w:WeldData", named), S_OK);
  QIVUnicodeString text;
  builder->WriteToString(named, text);
  EXPECT_NE(text.str().find("<w:WeldData xmlns:w=\"urn:biw:welds\"/>"), std::string::npos) << text;
  QIVIDOMElement_var element;
  named->GetDocumentElement(element);
  EXPECT_EQ(element->GetTagName(), "w:WeldData");

  EXPECT_EQ(implementation->CreateDocument("", "w:WeldData", named), E_INVALIDARG);
  EXPECT_EQ(implementation->CreateDocument("", "Weld Data", named), E_INVALIDARG);
  EXPECT_TRUE(named.IsNull());
}

TEST_F(QIVXMLDOMDocumentBuilderTest, ParsingABadFileNamesTheFileTheLineAndTheReason) {
  const std::string path =
      dir.Write("broken.xml", "<?xml version=\"1.0\"?>\n<WeldData>\n  <Weld Name=\"W1>\n</WeldData>\n");
  QIVIDOMDocument_var parsed;
  EXPECT_EQ(builder->Parse(path, parsed, errorText), E_FAIL);
  EXPECT_TRUE(parsed.IsNull());
  EXPECT_EQ(errorText.SearchSubString(QIVUnicodeString(path + ":")), 0) << errorText;
  EXPECT_TRUE(errorText.Contains(":3: ") || errorText.Contains(":4: ")) << errorText;

  EXPECT_EQ(builder->Parse(dir.File("absent.xml"), parsed, errorText), E_FAIL);
  EXPECT_EQ(errorText, "cannot read " + dir.File("absent.xml") + ": No such file or directory");
}
