#pragma once

#include <sys/resource.h>

#include <memory>
#include <string>
#include <vector>

#include "QIVDelayedDestruction.h"
#include "QIVDispatcher.h"
#include "QIVDlgMultiList.h"
#include "QIVDocument.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "frame/ZELVekBIWCommandsModule.h"

// A generated document that a benchmark builds and then opens in a
// dispatcher of its own, as the program opens one; closed and its objects
// freed when the session goes (after the members of the session built on
// it, which go first).
struct BenchDocumentSession {
  BenchDocumentSession() {
    ZELVekBIWCommandsModule::Load();
    document = QIVDocument::New();
  }
  ~BenchDocumentSession() {
    if (dispatcher) dispatcher->CloseDocument();
    dispatcher.reset();
    document->Close();
    QIVDelayedDestruction::Flush();
  }
  BenchDocumentSession(const BenchDocumentSession&) = delete;
  BenchDocumentSession& operator=(const BenchDocumentSession&) = delete;

  // Once the document is built.
  void Open() {
    dispatcher = std::make_unique<QIVDispatcher>();
    dispatcher->OpenDocument(QIVBaseUnknown_var(document));
  }

  // A root product "Body" with `count` parts "Part.N" (reference "PN-N")
  // below it; the parts in order.
  std::vector<QIVBaseUnknown_var> MakeBody(int count) {
    QIVBaseUnknown_var body, part;
    document->CreateProduct(nullptr, "Body", "PN-BODY", body);
    std::vector<QIVBaseUnknown_var> parts;
    for (int p = 0; p < count; ++p) {
      document->CreateProduct(body, "Part." + std::to_string(p + 1), "PN-" + std::to_string(p + 1), part);
      parts.push_back(part);
    }
    return parts;
  }

  // The rows of a multi-column list of the running command; 0 without one.
  int Rows(const char* list) const {
    const auto* widget = dynamic_cast<const QIVDlgMultiList*>(dispatcher->FindWidget(list));
    return widget ? widget->GetRowCount() : 0;
  }

  QIVIDocument_var document;
  std::unique_ptr<QIVDispatcher> dispatcher;
};

// A new activity of `type` named `name`, last under `parent`.
inline QIVBaseUnknown_var BenchChild(const QIVBaseUnknown_var& parent, const char* type, const std::string& name) {
  QIVBaseUnknown_var child;
  QIVISPPChildManagement_var(parent)->CreateChild(type, child);
  QIVISPPActivity_var(child)->SetName(name);
  return child;
}

// The process's peak resident size so far, in MiB.
inline double BenchPeakMB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}
