#pragma once

#include <vector>

#include "QIVUnicodeString.h"

// A catalogue message array (the lines of a combo): the text of `key` in
// the catalogue, one item a line ("All\nAssigned"), or `defaultItems` when
// the catalogue has no such key.
std::vector<QIVUnicodeString> ZELCatalogMessageArray(const char* catalog, const char* key,
                                                     std::vector<QIVUnicodeString> defaultItems);
