#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The line format shared by message catalogues and settings files:
//
//   // a comment
//   Key = "Text with \"quotes\", a \\ and a line feed\n";
//
// One entry a line; blank lines and lines starting with // are ignored, a
// // comment may also follow the ';'. Keys are letters, digits, '.', '_' and
// '-'. The escapes are \n, \t, \" and \\. Files are UTF-8, an initial byte
// order mark and CR before LF are accepted.
class QIVKeyValueFile {
 public:
  struct Entry {
    std::string key;
    std::string value;
    int line = 0;
  };

  // The entries in file order. A malformed line is skipped, and a key given
  // twice keeps the later line; both are reported on `warnings` as
  // "<fileName>:<line>: <reason>".
  static std::vector<Entry> Parse(std::string_view content, std::string_view fileName,
                                  std::ostream& warnings);

  // One line of the format, with a line feed, the value escaped.
  static std::string FormatEntry(std::string_view key, std::string_view value);
};
