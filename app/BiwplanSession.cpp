#include "BiwplanSession.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "QIVDocument.h"
#include "QIVDocumentIO.h"
#include "QIVFrmEditor.h"
#include "QIVPropertyWindowCmd.h"
#include "frame/ZELVekBIWCommandsModule.h"

BiwplanSession::BiwplanSession() : _dispatcher(std::make_unique<QIVDispatcher>()) {
  ZELVekBIWCommandsModule::Load();
  QIVPropertyWindowCmd::Register();
}

namespace {
bool leaveToProcessEnd = false;
}  // namespace

void BiwplanSession::LeaveDocumentsToProcessEnd() { leaveToProcessEnd = true; }

BiwplanSession::~BiwplanSession() {
  if (leaveToProcessEnd && _document && !_shared) {
    // Deliberately kept: the process is ending and gives all its memory back
    // at once, where taking a large document down costs a walk over every
    // object.
    (void)_dispatcher.release();
    (void)_document.Detach();
    return;
  }
  Close();
}

bool BiwplanSession::Lock(const std::string& path, const std::function<void()>& onWait, std::string& error) {
  const char* setting = std::getenv("BIWPLAN_LOCK_WAIT");
  const long seconds = setting && *setting ? std::strtol(setting, nullptr, 10) : 30;
  QIVUnicodeString reason;
  if (SUCCEEDED(_lock.Acquire(path, std::chrono::seconds(std::max(seconds, 0L)), onWait, reason))) return true;
  error = reason.str();
  return false;
}

bool BiwplanSession::Open(const std::string& path, std::string& error) {
  QIVSession::Scope scope(Session());
  QIVIDocument_var document;
  QIVDocumentError failure;
  QIVFileStamp stamp;
  if (FAILED(QIVDocumentIO::Load(path, document, failure, &stamp)) || !document) {
    error = failure.Format().str();
    return false;
  }
  Adopt(document, path);
  _stamp = stamp;
  return true;
}

void BiwplanSession::Share(BiwplanSession& owner) {
  std::shared_ptr<QIVRepository> repository;
  {
    QIVSession::Scope scope(owner.Session());
    if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor()) repository = editor->GetSharedRepository();
  }
  Adopt(owner._document, owner._path);
  _shared = true;
  QIVSession::Scope scope(Session());
  if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor()) editor->SetRepository(repository);
}

void BiwplanSession::OpenNew(const std::string& path) {
  Adopt(QIVDocument::New(), path);
  _stamp.reset();
}

bool BiwplanSession::Save(const std::string& path, std::string& error) {
  if (!_document) {
    error = "no document is open";
    return false;
  }
  if (_shared) {
    error = "the document is saved by the session that opened it";
    return false;
  }
  const std::string& target = path.empty() ? _path : path;
  if (target.empty()) {
    error = "the document has no file name";
    return false;
  }
  const bool own = target == _path;
  if (own && _dryRun) return true;
  if (own && _stamp && !_stamp->Matches(target)) {
    error = target + " changed since it was loaded; nothing saved";
    return false;
  }
  QIVDocumentError failure;
  QIVFileStamp written;
  if (FAILED(QIVDocumentIO::Save(_document, target, failure, own ? &written : nullptr))) {
    error = failure.Format().str();
    return false;
  }
  if (own) _stamp = written;
  return true;
}

void BiwplanSession::Adopt(QIVIDocument_var document, const std::string& path) {
  Close();
  _shared = false;
  _document = std::move(document);
  _path = path;
  _dispatcher->OpenDocument(_document);
}

void BiwplanSession::Close() {
  if (!_document) return;
  QIVSession::Scope scope(Session());
  _dispatcher->CloseDocument();
  if (!_shared) _document->Close();
  _document = nullptr;
}
