#pragma once

#include <string>

// A typed attribute value as the product-data repository keeps it: nothing,
// a text, an integer or a real. Type() answers the automation type code a
// caller switches on (VT_EMPTY, VT_BSTR, VT_I8, VT_R8).
class QIVVariant {
 public:
  static constexpr int VT_EMPTY = 0;
  static constexpr int VT_R8 = 5;
  static constexpr int VT_BSTR = 8;
  static constexpr int VT_I8 = 20;

  QIVVariant() = default;
  QIVVariant(std::string text) : _type(VT_BSTR), _text(std::move(text)) {}
  QIVVariant(const char* text) : QIVVariant(std::string(text)) {}
  QIVVariant(long long integer) : _type(VT_I8), _integer(integer) {}
  QIVVariant(int integer) : QIVVariant(static_cast<long long>(integer)) {}
  QIVVariant(double real) : _type(VT_R8), _real(real) {}

  int Type() const { return _type; }
  bool IsEmpty() const { return _type == VT_EMPTY; }
  const std::string* Text() const { return _type == VT_BSTR ? &_text : nullptr; }
  const long long* Integer() const { return _type == VT_I8 ? &_integer : nullptr; }
  const double* Real() const { return _type == VT_R8 ? &_real : nullptr; }

  bool operator==(const QIVVariant& other) const {
    return _type == other._type && _text == other._text && _integer == other._integer && _real == other._real;
  }

 private:
  int _type = VT_EMPTY;
  std::string _text;
  long long _integer = 0;
  double _real = 0;
};
