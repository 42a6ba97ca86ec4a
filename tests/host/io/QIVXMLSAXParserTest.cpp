#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../system/TemporaryDirectory.h"
#include "QIVDictionary.h"
#include "QIVIXMLSAXFactory.h"
#include "QIVSAXDefaultHandler.h"
#include "TIEQIVISAXHandler.h"

namespace {

// Writes every event it hears as a line, with the place of each start tag.
class RecordingHandler : public QIVSAXDefaultHandler {
 public:
  const char* GetImplClassName() const override { return "RecordingHandler"; }

  HRESULT StartElement(const QIVUnicodeString& name, const QIVISAXAttributeList* attributes) override {
    std::string line = "start " + name.str();
    for (int i = 0; i < attributes->GetLength(); ++i)
      line += " " + attributes->GetName(i).str() + "=" + attributes->GetValue(i).str();
    events.push_back(line + QIVUnicodeString::Format(" @%d", GetDocumentLocator()->GetLineNumber()).str());
    return name == "refuse" ? E_FAIL : S_OK;
  }
  HRESULT EndElement(const QIVUnicodeString& name) override {
    events.push_back("end " + name.str());
    return S_OK;
  }
  HRESULT Characters(const QIVUnicodeString& text) override {
    events.push_back(text.GetLengthInByte() > 40 ? "text of " + std::to_string(text.GetLengthInByte())
                                                 : "text " + text.str());
    return S_OK;
  }
  HRESULT ProcessingInstruction(const QIVUnicodeString& target, const QIVUnicodeString& data) override {
    events.push_back("pi " + target.str() + " " + data.str());
    return S_OK;
  }

  std::vector<std::string> events;
};

class QIVXMLSAXParserTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    QIVFillDictionary("RecordingHandler", QIVISAXDocumentHandler::ClassName(),
                      &TIEQIVISAXDocumentHandler<RecordingHandler>::Create);
    QIVFillDictionary("RecordingHandler", QIVISAXErrorHandler::ClassName(),
                      &TIEQIVISAXErrorHandler<RecordingHandler>::Create);
  }

  void SetUp() override {
    QIVIXMLSAXFactory_var factory;
    ASSERT_EQ(CreateQIVIXMLSAXFactory(factory), S_OK);
    ASSERT_EQ(factory->CreateParser(parser, {"QIVDoValidation"}, {"false"}), S_OK);
    handler = QIVMake<RecordingHandler>();
    // The handler reaches the parser through its ties, found by query.
    ASSERT_EQ(parser->SetDocumentHandler(QIVISAXDocumentHandler_var(handler.get())), S_OK);
    ASSERT_EQ(parser->SetErrorHandler(QIVISAXErrorHandler_var(handler.get())), S_OK);
  }

  std::string FirstError() const {
    return handler->GetErrors().empty() ? std::string("(none)") : handler->GetErrors()[0].Format().str();
  }

  TemporaryDirectory dir;
  QIVISAXParser_var parser;
  QIVVar<RecordingHandler> handler;
};

}  // namespace

TEST_F(QIVXMLSAXParserTest, DeliversElementsAttributesAndWholeTextsInOrder) {
  // The long text crosses the parser's blocks and comes as one event, as
  // does text cut by references and CDATA.
  const std::string longText(200000, 'x');
  const std::string path = dir.Write("ok.xml",
                                     "<?xml version=\"1.0\"?>\n<root a=\"1\" p:b=\"two\" xmlns:p=\"urn:p\">\n"
                                     "<?style sheet?><c>R&amp;D &#65;<![CDATA[<x>]]></c><long>" +
                                         longText + "</long><p:e/></root>");
  EXPECT_EQ(parser->Parse(path.c_str()), S_OK);
  EXPECT_EQ(handler->events,
            (std::vector<std::string>{"start root a=1 p:b=two @2", "text \n", "pi style sheet", "start c @3",
                                      "text R&D A<x>", "end c", "start long @3",
                                      "text of " + std::to_string(longText.size()), "end long",
                                      "start p:e @3", "end p:e", "end root"}));
  EXPECT_EQ(handler->GetErrorCount(), 0);
}

TEST_F(QIVXMLSAXParserTest, StopsAtTheFirstFatalErrorNamingFileLineAndColumn) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"<root>\n  <a>\n</root>", "bad.xml:3:8: Opening and ending tag mismatch: a line 2 and root"},
      {"<root>\n  <a>text", "bad.xml:2:10: Premature end of data in tag a line 2"},
      {"<root/>\n<second/>", "bad.xml:2:1: Extra content at the end of the document"},
      {"", "bad.xml:1:1: Document is empty"},
      {"<root a=\"1\" a=\"2\"/>", "bad.xml:1:18: Attribute a redefined"},
      {"<root>&unknown;</root>", "bad.xml:1:16: Entity 'unknown' not defined"},
  };
  for (const Case& fault : cases) {
    SetUp();
    const std::string path = dir.Write("bad.xml", fault.text);
    EXPECT_EQ(parser->Parse(path.c_str()), E_FAIL) << fault.text;
    EXPECT_EQ(FirstError(), path.substr(0, path.size() - 7) + fault.error) << fault.text;
    EXPECT_EQ(handler->GetErrorCount(), 1) << fault.text;
  }
  SetUp();
  EXPECT_EQ(parser->Parse(dir.File("missing.xml").c_str()), E_FAIL);
  EXPECT_EQ(FirstError(), dir.File("missing.xml") + ": cannot open " + dir.File("missing.xml") +
                              ": No such file or directory");
}

TEST_F(QIVXMLSAXParserTest, AHandlersRefusalEndsTheReadingAsAFatalError) {
  EXPECT_EQ(parser->ParseText("<root>\n<refuse/><after/></root>", "text"), E_FAIL);
  EXPECT_EQ(handler->events, (std::vector<std::string>{"start root @1", "text \n", "start refuse @2"}));
  EXPECT_EQ(FirstError(), "text:2:8: the reader refused the element");
}

TEST_F(QIVXMLSAXParserTest, ReadsNoExternalContent) {
  const std::string secret = dir.Write("secret.txt", "SECRET");
  const std::string text = "<!DOCTYPE root [<!ENTITY x SYSTEM \"file://" + secret + "\">]><root>&x;</root>";
  parser->ParseText(text, "text");
  for (const std::string& event : handler->events)
    EXPECT_EQ(event.find("SECRET"), std::string::npos) << event;
}

