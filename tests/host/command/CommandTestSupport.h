#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "QIVDelayedDestruction.h"
#include "QIVDialog.h"
#include "QIVDispatcher.h"
#include "QIVDlgNotify.h"
#include "QIVFrmEditor.h"
#include "QIVPathElement.h"
#include "QIVTranscript.h"
#include "QIVVar.h"

// Objects of a small product: welds and products, told apart by interface.
class ITestWeld : public QIVInterface<ITestWeld> {
 public:
  static constexpr const char* InterfaceName = "ITestWeld";
  virtual int GetNumber() const = 0;
};

class ITestProduct : public QIVInterface<ITestProduct> {
 public:
  static constexpr const char* InterfaceName = "ITestProduct";
  virtual const std::string& GetProductName() const = 0;
};

class TestWeld : public ITestWeld {
 public:
  explicit TestWeld(int number) : _number(number) {}
  int GetNumber() const override { return _number; }
  const char* GetImplClassName() const override { return "TestWeld"; }

 private:
  int _number;
};

class TestProduct : public ITestProduct {
 public:
  explicit TestProduct(std::string name) : _name(std::move(name)) {}
  const std::string& GetProductName() const override { return _name; }
  const char* GetImplClassName() const override { return "TestProduct"; }

 private:
  std::string _name;
};

inline QIVPathElement_var PathOf(std::initializer_list<QIVBaseUnknown*> rootToLeaf) {
  std::vector<QIVBaseUnknown_var> objects;
  for (QIVBaseUnknown* object : rootToLeaf) objects.emplace_back(object);
  return QIVMake<QIVPathElement>(std::move(objects));
}

// A session with an open document for each test: a dispatcher, a current
// editor, and the check that the test leaves no object, shown dialog or
// pending destruction behind.
class CommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _liveAtStart = QIVBaseUnknown::LiveObjectCount();
    QIVDlgNotify::ClearAnswers();
    _dispatcher = std::make_unique<QIVDispatcher>();
    _dispatcher->OpenDocument(QIVMake<QIVBaseUnknown>());
    _transcriptMark = QIVTranscript::Current().Size();
  }
  void TearDown() override {
    _dispatcher->CloseDocument();
    _dispatcher.reset();
    QIVDelayedDestruction::Flush();
    EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart);
  }

  std::vector<std::string> NewTranscriptLines() const {
    return QIVTranscript::Current().LinesSince(_transcriptMark);
  }
  QIVCSO* CSO() const { return QIVFrmEditor::GetCurrentEditor()->GetCSO(); }

  std::unique_ptr<QIVDispatcher> _dispatcher;

 private:
  long _liveAtStart = 0;
  std::size_t _transcriptMark = 0;
};
