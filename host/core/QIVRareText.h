#pragma once

#include <memory>

#include "QIVUnicodeString.h"

// A text most objects never set (a PLM identifier, a plan type name): it
// costs one pointer while empty instead of a whole string in each of the
// hundred thousand features of a body.
class QIVRareText {
 public:
  const QIVUnicodeString& Get() const {
    static const QIVUnicodeString none;
    return _text ? *_text : none;
  }
  void Set(const QIVUnicodeString& text) {
    if (text.IsEmpty())
      _text.reset();
    else if (_text)
      *_text = text;
    else
      _text = std::make_unique<QIVUnicodeString>(text);
  }

 private:
  std::unique_ptr<QIVUnicodeString> _text;
};
