#pragma once

#include "QIVBaseUnknown.h"

// Tells every process root of the current editor's document that `object`
// was modified (QIVSPPActivityNotification::Modified), so that every view
// of the process refreshes. Nothing is told when there is no editor, no
// process container, or a root without QIVISPPActivityModificationEvents.
void QIVAnnounceActivityModification(QIVBaseUnknown* object);
