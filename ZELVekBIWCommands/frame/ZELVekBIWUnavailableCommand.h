#pragma once

#include <utility>

#include "QIVStateCommand.h"
#include "ZELCatalogMessage.h"
#include "ZELVekBIWCommandNumbers.h"

// A command of the module whose work this release does not carry yet. It is
// built exactly as its class is (command name, base, behaviour, mode), so
// the host can start it; when started it tells the planner in a box and
// ends at once.
template <class Base>
class ZELVekBIWUnavailableCommand : public Base {
 public:
  template <class... BaseArgs>
  explicit ZELVekBIWUnavailableCommand(const char* className, BaseArgs&&... baseArgs)
      : Base(std::forward<BaseArgs>(baseArgs)...), _className(className) {}

  void BuildGraph() override {
    QIVDialogState* initial = this->GetInitialState("InitialState");
    this->AddTransition(initial, nullptr, nullptr, this->Action(this, &ZELVekBIWUnavailableCommand::Announce));
  }

  const char* GetImplClassName() const override { return _className; }
  const char* GetResourceFilename(int level) const override {
    return level == 0 ? _className : Base::GetResourceFilename(level - 1);
  }

 private:
  bool Announce(void*) {
    const QIVUnicodeString className(_className);
    ZELCatalogMessage{"ZELVekBIWUnavailableCommand", "NotAvailableMessage", "The command /p1 is not available yet.",
                      "NotAvailableTitle", "Command not available", ZELVekBIWStyle::WarningBox, "Name", &className, 1}
        .Display();
    return true;
  }

  const char* _className;
};
