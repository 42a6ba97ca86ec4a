#include "ZELBIWEditorRegistration.h"

#include <utility>

#include "QIVDictionary.h"
#include "QIVEditorManager.h"
#include "QIVIRootProperties.h"
#include "TIEQIVIEditProperties.h"
#include "ZELBIWBaseProperties.h"
#include "ZELBIWEditorFactory.h"

namespace {

int loadCounter = 0;

template <ZELBIWEditorKindId K>
void RegisterKind() {
  const ZELBIWEditorKind& kind = ZELBIWEditorKind::Of(K);
  for (const char* lateType : kind.lateTypes)
    QIVFillDictionary(lateType, QIVIRootProperties::ClassName(), &ZELBIWBaseProperties::Extension<K>);
  QIVFillDictionary(kind.editorClass, QIVIEditProperties::ClassName(), &TIEQIVIEditProperties::Tie);
  QIVFillDictionary(QIVEditorManager::LateType, ZELIBIWEditorFactoryOf<K>::ClassName(),
                    &ZELBIWEditorFactoryOf<K>::Extension);
}

template <int... I>
void RegisterKinds(std::integer_sequence<int, I...>) {
  (RegisterKind<static_cast<ZELBIWEditorKindId>(I)>(), ...);
}

}  // namespace

void ZELBIWRegisterPropertyEditors() {
  if (loadCounter++ != 0) return;
  RegisterKinds(std::make_integer_sequence<int, ZELBIWEditorKindCount>());
}
