#include "QIVCommandDeletion.h"

#include "QIVCommand.h"

void QIVCommandDeletion(QIVCommand* object) {
  if (object) object->RequestDelayedDestruction();
}
