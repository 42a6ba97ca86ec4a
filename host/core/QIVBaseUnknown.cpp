#include "QIVBaseUnknown.h"

#include <cassert>
#include <cstring>
#include <map>
#include <string>

#include "QIVCastCache.h"
#include "QIVDictionary.h"

namespace {
std::atomic<long> liveObjects{0};

void* CastToBase(QIVBaseUnknown* object) { return object; }

std::map<std::string, const QIVIID*, std::less<>>& Registry() {
  static std::map<std::string, const QIVIID*, std::less<>> identifiers;
  return identifiers;
}
}  // namespace

const QIVIID* QIVIID::Find(const char* name) {
  if (!name) return nullptr;
  auto found = Registry().find(name);
  return found == Registry().end() ? nullptr : found->second;
}

bool QIVIID::Register(const QIVIID& iid) { return iid.name && Registry().emplace(iid.name, &iid).second; }

bool QIVIID::operator==(const QIVIID& other) const {
  return name == other.name || std::strcmp(name, other.name) == 0;
}

void* QIVIID::CastOf(QIVBaseUnknown* object) const { return QIVCastCache::Instance().CastOf(cast, object); }

QIVBaseUnknown::QIVBaseUnknown() { ++liveObjects; }

QIVBaseUnknown::~QIVBaseUnknown() {
  // An object destroyed while references remain is an ownership bug; the
  // creator's own reference (count 1) may be dropped by deleting directly.
  assert(_refCount.load() <= 1 && "component object destroyed with references left");
  --liveObjects;
}

unsigned long QIVBaseUnknown::AddRef() { return ++_refCount; }

unsigned long QIVBaseUnknown::Release() {
  const unsigned long left = --_refCount;
  if (left == 0) {
    _refCount = 1;  // the destructor sees the count of a lone owner
    delete this;
  }
  return left;
}

HRESULT QIVBaseUnknown::QueryInterface(const QIVIID& iid, void** ppv) {
  if (!ppv) return E_INVALIDARG;
  *ppv = nullptr;
  if (void* found = iid.CastOf(this)) {
    AddRef();
    *ppv = found;
    return S_OK;
  }
  // An extension object answers for the object: it is created with one
  // reference, which goes to the caller.
  const QIVDictionary& dictionary = QIVDictionary::Instance();
  if (!dictionary.HasExtension(iid.name)) return E_NOINTERFACE;
  if (QIVBaseUnknown* extension = dictionary.CreateExtension(this, IsA(), iid.name)) {
    if (void* found = iid.CastOf(extension)) {
      *ppv = found;
      return S_OK;
    }
    extension->Release();
  }
  return E_NOINTERFACE;
}

const char* QIVBaseUnknown::IsA() const { return GetImplClassName(); }

const char* QIVBaseUnknown::GetImplClassName() const { return "QIVBaseUnknown"; }

const QIVIID& QIVBaseUnknown::ClassId() {
  static const QIVIID id{"QIVBaseUnknown", &CastToBase};
  return id;
}

long QIVBaseUnknown::LiveObjectCount() { return liveObjects.load(); }
