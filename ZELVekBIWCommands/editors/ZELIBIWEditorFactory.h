#pragma once

#include "QIVIGenericFactory.h"
#include "ZELBIWEditorKind.h"

// The editor factory interface of one kind (ZELIBIWStationEditorFactory
// and its four siblings): the host's generic factory under the kind's own
// interface name, so that each kind hangs its factory on the editor
// manager separately.
template <ZELBIWEditorKindId K>
class ZELIBIWEditorFactoryOf : public QIVInterface<ZELIBIWEditorFactoryOf<K>>, public QIVIGenericFactory {
 public:
  static constexpr const char* InterfaceName = ZELBIWEditorFactoryInterfaceNames[static_cast<int>(K)];
  using QIVInterface<ZELIBIWEditorFactoryOf<K>>::ClassId;
  using QIVInterface<ZELIBIWEditorFactoryOf<K>>::ClassName;
};

using ZELIBIWStationEditorFactory = ZELIBIWEditorFactoryOf<ZELBIWEditorKindId::Station>;
using ZELIBIWGroupingEditorFactory = ZELIBIWEditorFactoryOf<ZELBIWEditorKindId::Grouping>;
using ZELIBIWWeldingEditorFactory = ZELIBIWEditorFactoryOf<ZELBIWEditorKindId::Welding>;
using ZELIBIWCurveFasteningEditorFactory = ZELIBIWEditorFactoryOf<ZELBIWEditorKindId::CurveFastening>;
using ZELIBIWNonValueAddedEditorFactory = ZELIBIWEditorFactoryOf<ZELBIWEditorKindId::NonValueAdded>;
using ZELIBIWStationEditorFactory_var = QIVVar<ZELIBIWStationEditorFactory>;
using ZELIBIWGroupingEditorFactory_var = QIVVar<ZELIBIWGroupingEditorFactory>;
using ZELIBIWWeldingEditorFactory_var = QIVVar<ZELIBIWWeldingEditorFactory>;
using ZELIBIWCurveFasteningEditorFactory_var = QIVVar<ZELIBIWCurveFasteningEditorFactory>;
using ZELIBIWNonValueAddedEditorFactory_var = QIVVar<ZELIBIWNonValueAddedEditorFactory>;
