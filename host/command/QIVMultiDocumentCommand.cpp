#include "QIVMultiDocumentCommand.h"

QIVMultiDocumentCommand::QIVMultiDocumentCommand(int mode) : QIVStateCommand(mode) {}

QIVMultiDocumentCommand::~QIVMultiDocumentCommand() = default;

void QIVMultiDocumentCommand::ReturnValues(const QIVListValQIVPathElement_var& values) {
  _returned.assign(values.begin(), values.end());
}
