#pragma once

class QIVCommand;

// Frees an agent, a dialog or a command its creator owns: the creator's
// reference goes to the delayed destruction queue (a state command run by
// the dispatcher ends instead, and the dispatcher lets it go). Asking again
// for the same object does nothing, so a creator that also clears its
// member frees each object exactly once.
void QIVCommandDeletion(QIVCommand* object);
