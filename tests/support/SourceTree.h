#pragma once

#include <filesystem>
#include <string>

// A file of the source tree, named from its top; the build defines
// BIWPLAN_SOURCE_DIR for the tests that read such files.
inline std::string SourcePath(const std::string& relative) {
  return (std::filesystem::path(BIWPLAN_SOURCE_DIR) / relative).lexically_normal().string();
}
