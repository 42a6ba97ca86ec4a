#include <gtest/gtest.h>

#include "QIVIXMLDOMDocumentBuilder.h"
#include "QIVXMLDOMDocument.h"

namespace {
class QIVXMLDOMDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QIVIXMLDOMDocumentBuilder_var builder;
    ASSERT_EQ(CreateQIVIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder), S_OK);
    QIVIDOMImplementation_var implementation;
    ASSERT_EQ(builder->GetDOMImplementation(implementation), S_OK);
    ASSERT_EQ(implementation->CreateDocument("", "WeldData", document), S_OK);
    ASSERT_EQ(document->GetDocumentElement(root), S_OK);
  }

  QIVIDOMElement_var NewElement(const char* tag) {
    QIVIDOMElement_var element;
    EXPECT_EQ(document->CreateElement(tag, element), S_OK);
    return element;
  }
  QIVIDOMNode_var NewText(const char* text) {
    QIVIDOMNode_var node;
    EXPECT_EQ(document->CreateTextNode(text, node), S_OK);
    return node;
  }
  static HRESULT Append(const QIVIDOMElement_var& parent, const QIVBaseUnknown_var& child) {
    return QIVIDOMNode_var(parent)->AppendChild(QIVIDOMNode_var(child));
  }
  static std::vector<std::string> NamesOfChildren(const QIVBaseUnknown_var& parent) {
    QIVListValQIVBaseUnknown_var children;
    QIVIDOMNode_var(parent)->GetChildNodes(children);
    std::vector<std::string> names;
    for (const auto& child : children) names.push_back(QIVIDOMNode_var(child)->GetNodeName().str());
    return names;
  }

  const long liveBefore = QIVBaseUnknown::LiveObjectCount();
  QIVIDOMDocument_var document;
  QIVIDOMElement_var root;
};
}  // namespace

TEST_F(QIVXMLDOMDocumentTest, AttributesKeepTheOrderInWhichTheyWereFirstSet) {
  auto weld = NewElement("Weld");
  ASSERT_EQ(weld->SetAttribute("Name", "W1"), S_OK);
  ASSERT_EQ(weld->SetAttribute("X", "    12.500"), S_OK);
  ASSERT_EQ(weld->SetAttribute("Pitch", "-90.000"), S_OK);
  ASSERT_EQ(weld->SetAttribute("X", "1.000"), S_OK);  // changed in place

  QIVListValQIVUnicodeString names;
  ASSERT_EQ(weld->GetAttributeNames(names), S_OK);
  EXPECT_EQ(names, (QIVListValQIVUnicodeString{"Name", "X", "Pitch"}));
  QIVUnicodeString value;
  EXPECT_EQ(weld->GetAttribute("X", value), S_OK);
  EXPECT_EQ(value, "1.000");
  EXPECT_EQ(weld->GetAttribute("Pitch", value), S_OK);
  EXPECT_EQ(value, "-90.000");
  EXPECT_EQ(weld->GetAttribute("Yaw", value), E_FAIL);
  EXPECT_EQ(weld->GetTagName(), "Weld");
}

TEST_F(QIVXMLDOMDocumentTest, ChildrenStayInAppendOrderAndKnowTheirParentAndDocument) {
  auto dataRoot = NewElement("WeldDataRoot");
  ASSERT_EQ(Append(root, dataRoot), S_OK);
  for (const char* tag : {"RefProduct", "Weld", "Weld"}) ASSERT_EQ(Append(dataRoot, NewElement(tag)), S_OK);
  EXPECT_EQ(NamesOfChildren(dataRoot), (std::vector<std::string>{"RefProduct", "Weld", "Weld"}));
  EXPECT_EQ(NamesOfChildren(document), (std::vector<std::string>{"WeldData"}));

  QIVListValQIVBaseUnknown_var first, second;
  QIVIDOMNode_var(dataRoot)->GetChildNodes(first);
  QIVIDOMNode_var(dataRoot)->GetChildNodes(second);
  EXPECT_TRUE(first[2] == second[2]);  // one node, one object
  QIVIDOMNode_var parent;
  ASSERT_EQ(QIVIDOMNode_var(first[1])->GetParentNode(parent), S_OK);
  EXPECT_TRUE(parent == dataRoot);
  QIVIDOMDocument_var owner;
  ASSERT_EQ(QIVIDOMNode_var(first[1])->GetOwnerDocument(owner), S_OK);
  EXPECT_TRUE(owner == document);
  EXPECT_EQ(QIVIDOMNode_var(document)->GetParentNode(parent), E_FAIL);
  EXPECT_EQ(QIVIDOMNode_var(document)->GetNodeType(), QIVIDOMNode::DocumentNode);
  EXPECT_EQ(QIVIDOMNode_var(document)->GetNodeName(), "#document");
}

TEST_F(QIVXMLDOMDocumentTest, RefusesTreesXMLCannotHold) {
  auto weld = NewElement("Weld");
  ASSERT_EQ(Append(root, weld), S_OK);
  EXPECT_EQ(Append(weld, root), E_INVALIDARG);  // an ancestor under its descendant
  EXPECT_EQ(Append(weld, weld), E_INVALIDARG);
  EXPECT_EQ(Append(weld, document), E_INVALIDARG);
  EXPECT_EQ(QIVIDOMNode_var(document)->AppendChild(QIVIDOMNode_var(NewElement("Second"))), E_INVALIDARG);
  EXPECT_EQ(QIVIDOMNode_var(document)->AppendChild(NewText("loose")), E_INVALIDARG);
  EXPECT_EQ(NewText("leaf")->AppendChild(QIVIDOMNode_var(NewElement("Under"))), E_INVALIDARG);

  QIVIXMLDOMDocumentBuilder_var builder;
  CreateQIVIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder);
  QIVIDOMImplementation_var implementation;
  builder->GetDOMImplementation(implementation);
  QIVIDOMDocument_var other;
  ASSERT_EQ(implementation->CreateDocument("", "Other", other), S_OK);
  QIVIDOMElement_var foreign;
  ASSERT_EQ(other->CreateElement("Foreign", foreign), S_OK);
  EXPECT_EQ(Append(root, foreign), E_INVALIDARG);
  EXPECT_EQ(NamesOfChildren(root), (std::vector<std::string>{"Weld"}));
}

TEST_F(QIVXMLDOMDocumentTest, RefusesNamesAndTextsXMLCannotCarry) {
  QIVIDOMElement_var element;
  for (const char* bad : {"", "1Weld", "Weld Name", "a<b", "a:b:c"})
    EXPECT_EQ(document->CreateElement(bad, element), E_INVALIDARG) << bad;
  EXPECT_TRUE(element.IsNull());

  auto weld = NewElement("Weld");
  EXPECT_EQ(weld->SetAttribute("Two words", "x"), E_INVALIDARG);
  EXPECT_EQ(weld->SetAttribute("Name", "bell\x07"), E_INVALIDARG);
  EXPECT_EQ(weld->SetAttribute("Name", "\xff\xfe"), E_INVALIDARG);      // not UTF-8
  EXPECT_EQ(weld->SetAttribute("Name", "\xed\xa0\x80"), E_INVALIDARG);  // a lone surrogate
  QIVIDOMNode_var text;
  EXPECT_EQ(document->CreateTextNode("\x01", text), E_INVALIDARG);
  QIVListValQIVUnicodeString names;
  weld->GetAttributeNames(names);
  EXPECT_TRUE(names.IsEmpty());

  EXPECT_EQ(weld->SetAttribute("Name", "Schwei\xc3\x9fpunkt\ttab\nline"), S_OK);
  EXPECT_EQ(weld->SetAttribute("xml:lang", "de"), S_OK);
}

TEST_F(QIVXMLDOMDocumentTest, FreesTreesAndLooseNodesWithTheDocument) {
  {
    auto attached = NewElement("Attached");
    ASSERT_EQ(Append(root, attached), S_OK);
    auto loose = NewElement("Loose");
    ASSERT_EQ(Append(loose, NewText("under a loose element")), S_OK);
    NewText("never appended");
  }
  root = nullptr;
  document = nullptr;
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), liveBefore);
}
