#pragma once

// Registers the bindings of the property pages in the host's dictionary:
// for each kind, the root properties on its activity types, the
// QIVIEditProperties tie on its editor, and its editor factory on the
// editor manager. Only the first call registers.
void ZELBIWRegisterPropertyEditors();
