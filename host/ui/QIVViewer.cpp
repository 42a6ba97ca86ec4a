#include "QIVViewer.h"

#include "QIVSession.h"
#include "QIVTranscript.h"

HRESULT QIVViewer::Redraw() {
  QIVSession::Current().RaiseRedraw(QIVBaseUnknown_var(this), "viewer " + QIVTranscript::Quote(_name));
  return S_OK;
}
