#pragma once

#include <utility>

#include "QIVUnicodeString.h"

// One catalogue message: a text in which "/p1", "/p2", ... stand for the
// parameters given when the message is built.
class QIVMsg {
 public:
  QIVMsg() = default;
  explicit QIVMsg(QIVUnicodeString text) : _text(std::move(text)) {}

  const QIVUnicodeString& GetText() const { return _text; }
  bool IsEmpty() const { return _text.IsEmpty(); }

  // The text with each "/pN", N from 1 to `count`, replaced by params[N-1].
  // The longest run of digits after "/p" is the number, so "/p12" is never
  // read as "/p1" and "2"; placeholders without a parameter stay as written,
  // and the parameters themselves are not searched for placeholders.
  QIVUnicodeString BuildMessage(const QIVUnicodeString* params = nullptr, int count = 0) const;

 private:
  QIVUnicodeString _text;
};
