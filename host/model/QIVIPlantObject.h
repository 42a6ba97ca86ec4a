#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// A product as a plant object: a product that is a resource (a robot, a
// cell) has the name of its plant type; a part has none.
class QIVIPlantObject : public QIVInterface<QIVIPlantObject> {
 public:
  static constexpr const char* InterfaceName = "QIVIPlantObject";

  virtual QIVUnicodeString GetPlantType() const = 0;
  virtual HRESULT SetPlantType(const QIVUnicodeString& plantType) = 0;
};
using QIVIPlantObject_var = QIVVar<QIVIPlantObject>;
