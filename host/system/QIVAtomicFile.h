#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "QIVStatus.h"
#include "QIVUnicodeString.h"

// Replaces the file at `path` with `content` through a temporary file in the
// same directory, flushed to disk and then renamed over the target, so that a
// failed or interrupted save never damages the previous file. A new file gets
// the usual permissions, a replaced one keeps its own. On failure the target
// is untouched, the temporary is removed and `errorText` names the path and
// the reason.
HRESULT QIVWriteFileAtomically(const QIVUnicodeString& path, std::string_view content,
                               QIVUnicodeString& errorText);

// Test seam: when set, called with the temporary's path once it is written
// and synced, just before it replaces the target. A nonzero errno value it
// returns fails the save with that reason. An empty hook removes it.
using QIVAtomicWriteHook = std::function<int(const std::string& temporaryPath)>;
void QIVSetAtomicWriteHook(QIVAtomicWriteHook hook);
