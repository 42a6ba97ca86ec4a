#pragma once

#include "QIVCommand.h"
#include "QIVUnicodeString.h"

// A blocking box whose message and title come from a class's message
// catalogue: the common way commands warn and report.
struct ZELCatalogMessage {
  // The catalogue: the class name of the command or dialog.
  const char* catalog;
  const char* messageKey;
  const char* messageDefault;
  const char* titleKey;
  const char* titleDefault;
  unsigned long style;
  // The box's widget name.
  const char* boxName = "Name";
  const QIVUnicodeString* params = nullptr;
  int paramCount = 0;

  QIVUnicodeString Message() const;
  QIVUnicodeString Title() const;
  // Shows the box over `parent`, or over the application's main window when
  // `parent` is null, and returns the answer once it is closed.
  int Display(QIVCommand* parent = nullptr) const;
};

// Shows `message` under `title` in a blocking box named `boxName`; the
// parent is the main window when `parent` is null. `catalog` and `key`
// name where the message came from, when it came from a catalogue.
// Returns the answer.
int ZELDisplayBlockedBox(QIVCommand* parent, const char* boxName, unsigned long style,
                         const QIVUnicodeString& message, const QIVUnicodeString& title,
                         const char* catalog = nullptr, const char* key = nullptr);
