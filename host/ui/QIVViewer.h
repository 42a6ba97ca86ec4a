#pragma once

#include <string>

#include "QIVIRedrawEvent.h"

// A 3D viewer of the session. Headless it holds no picture; a redraw asked
// of it is recorded as "redraw viewer "NAME"".
class QIVViewer : public QIVIRedrawEvent {
 public:
  explicit QIVViewer(std::string name) : _name(std::move(name)) {}

  const std::string& GetName() const { return _name; }
  HRESULT Redraw() override;

  const char* GetImplClassName() const override { return "QIVViewer"; }

 private:
  std::string _name;
};
