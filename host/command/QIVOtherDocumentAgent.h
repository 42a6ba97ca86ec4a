#pragma once

#include <string>

#include "QIVPathElementAgent.h"

// A path-element agent whose picks are made through another command: a
// multi-document command (QIVMultiDocumentCommand) that lets the planner
// pick in any document window. When a pick would value this agent, the
// dispatcher starts that command with this agent as its caller and hands it
// the pick; the values it returns come back here as if picked, the agent's
// filter having passed them already.
class QIVOtherDocumentAgent : public QIVPathElementAgent {
 public:
  QIVOtherDocumentAgent(const QIVUnicodeString& name, std::string pickerClass,
                        const char* elementType = nullptr, std::uint64_t behavior = 0)
      : QIVPathElementAgent(name, elementType, behavior), _pickerClass(std::move(pickerClass)) {}

  // The class name of the command that picks for this agent.
  const std::string& GetPickerClass() const { return _pickerClass; }

  const char* GetImplClassName() const override { return "QIVOtherDocumentAgent"; }

 private:
  std::string _pickerClass;
};
