#pragma once

#include <atomic>
#include <cstddef>

#include "QIVStatus.h"

class QIVBaseUnknown;

// An interface identifier: the interface's name and the cast that finds the
// interface on an object. Two identifiers are the same interface when their
// names are equal. The cast answers from the object's type alone (see
// QIVCastCache, which remembers its answers).
struct QIVIID {
  const char* name;
  void* (*cast)(QIVBaseUnknown* object);

  bool operator==(const QIVIID& other) const;

  // The interface on the object itself, extensions aside; null when the
  // object's type does not derive it or the identifier has no cast.
  void* CastOf(QIVBaseUnknown* object) const;

  // The identifier of the interface of that name, once the interface's own
  // identifier was built (its ClassId() or ClassName() asked); null before.
  // Lets callers that hold only an interface name query it.
  static const QIVIID* Find(const char* name);
  // Records a lasting identifier under its name; the first one stays.
  static bool Register(const QIVIID& iid);
};

// The root of every host component object: a reference count shared by all
// the interfaces an object offers, interface queries, and a late type name.
//
// A new object starts with one reference, owned by its creator (usually
// taken over by a QIVVar through QIVVar::Adopt or QIVMake).
class QIVBaseUnknown {
 public:
  QIVBaseUnknown();
  QIVBaseUnknown(const QIVBaseUnknown&) = delete;
  QIVBaseUnknown& operator=(const QIVBaseUnknown&) = delete;
  virtual ~QIVBaseUnknown();

  unsigned long AddRef();
  unsigned long Release();
  unsigned long RefCount() const { return _refCount.load(); }

  // Finds the interface on the object itself, then among the extensions
  // registered in the dictionary for the object's late type. On success
  // *ppv holds the interface with one new reference.
  virtual HRESULT QueryInterface(const QIVIID& iid, void** ppv);
  // Whether the object itself answers the interface now, extensions aside,
  // without taking a reference: its type derives it, and an object whose
  // interfaces depend on its state offers it.
  virtual bool AnswersInterface(const QIVIID& iid) { return iid.CastOf(this) != nullptr; }

  // Late type: the type name under which extensions are looked up.
  virtual const char* IsA() const;
  // Class name of the implementation, used for catalogues and traces.
  virtual const char* GetImplClassName() const;

  static const QIVIID& ClassId();
  static const char* ClassName() { return "QIVBaseUnknown"; }

  // Number of component objects alive in the process; tests use it to
  // catch leaks.
  static long LiveObjectCount();

 private:
  std::atomic<unsigned long> _refCount{1};
};

// Base of every interface: gives the interface its identifier and
// ClassName(). Interfaces derive from it with themselves as argument and
// declare `static constexpr const char* InterfaceName`.
template <class I>
class QIVInterface : public virtual QIVBaseUnknown {
 public:
  static const QIVIID& ClassId() {
    static const QIVIID id{I::InterfaceName, &QIVInterface::CastFrom};
    static const bool registered = QIVIID::Register(id);
    (void)registered;
    return id;
  }
  static const char* ClassName() {
    ClassId();
    return I::InterfaceName;
  }

 private:
  static void* CastFrom(QIVBaseUnknown* object) { return dynamic_cast<I*>(object); }
};

using QIVBaseUnknown_ptr = QIVBaseUnknown*;
