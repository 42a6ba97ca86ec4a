#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "QIVDelayedDestruction.h"
#include "QIVDispatcher.h"
#include "QIVDlgNotify.h"
#include "QIVDocument.h"
#include "QIVTranscript.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELVekBIWCommandsModule.h"

// A session for tests of the module's commands: the module loaded, a
// dispatcher, and a new document open in the current editor. Checks at the
// end that every object the test made was freed.
class ModuleTestSession : public ::testing::Test {
 protected:
  void SetUp() override {
    ZELVekBIWCommandsModule::Load();
    _liveAtStart = QIVBaseUnknown::LiveObjectCount();
    _dispatcher = std::make_unique<QIVDispatcher>();
    _document = QIVDocument::New();
    _dispatcher->OpenDocument(_document);
    _transcriptMark = QIVTranscript::Instance().Size();
  }

  void TearDown() override {
    _dispatcher->CloseDocument();
    _document->Close();
    _document = nullptr;
    _dispatcher.reset();
    QIVDelayedDestruction::Flush();
    QIVDlgNotify::ClearAnswers();
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart) << "objects left alive";
  }

  QIVDispatcher& Dispatcher() { return *_dispatcher; }
  const QIVIDocument_var& Document() const { return _document; }

  // The transcript lines written since the test began.
  std::vector<std::string> Transcript() const { return QIVTranscript::Instance().LinesSince(_transcriptMark); }

  ZELIBIWFPPFactory_var FastenerFactory() const {
    QIVBaseUnknown_var container;
    _document->GetFeatureContainer(container);
    return ZELIBIWFPPFactory_var(container);
  }

 private:
  long _liveAtStart = 0;
  std::unique_ptr<QIVDispatcher> _dispatcher;
  QIVIDocument_var _document;
  std::size_t _transcriptMark = 0;
};
