#include "QIVMsg.h"

#include <string>

QIVUnicodeString QIVMsg::BuildMessage(const QIVUnicodeString* params, int count) const {
  const std::string& text = _text.str();
  if (!params || count <= 0) return _text;
  std::string built;
  built.reserve(text.size());
  std::size_t done = 0;
  for (std::size_t at = text.find("/p"); at != std::string::npos; at = text.find("/p", at)) {
    std::size_t end = at + 2;
    long number = 0;
    for (; end < text.size() && text[end] >= '0' && text[end] <= '9'; ++end)
      if (number <= count) number = number * 10 + (text[end] - '0');
    if (end == at + 2 || number < 1 || number > count) {
      at += 2;
      continue;
    }
    built.append(text, done, at - done);
    built += params[number - 1].str();
    done = at = end;
  }
  built.append(text, done, std::string::npos);
  return built;
}
