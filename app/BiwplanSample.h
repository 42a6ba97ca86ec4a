#pragma once

#include <string>

#include "QIVIDocument.h"

// The sample document of the demo and of `biwplan new --sample`: the
// under-body sub-assembly of examples/underbody_bom.csv, and a process with
// a grouping of three stations in flow, each with its loading activity and
// the parts it handles.
namespace BiwplanSample {
// The folder of the example files: BIWPLAN_EXAMPLES when set, else the
// examples folder of the source tree the program was built from.
std::string ExamplesDirectory();
// Fills an empty new document; false with the reason.
bool Build(const QIVIDocument_var& document, std::string& error);
}  // namespace BiwplanSample
