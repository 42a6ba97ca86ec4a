#pragma once

#include <string>

// The reason of a libxml2 error as the host words it: libxml2's message
// without the line break it ends with.
inline std::string QIVXMLErrorReason(const char* message) {
  std::string reason = message ? message : "not a well-formed XML document";
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' ')) reason.pop_back();
  return reason;
}
