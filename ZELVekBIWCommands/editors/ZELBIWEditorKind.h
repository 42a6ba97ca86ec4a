#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "QIVBaseUnknown.h"
#include "QIVUnicodeString.h"
#include "QIVVar.h"
#include "frame/ZELActivityAttribute.h"

// The five property pages of the BIW activities, as one family: each kind
// is a row of the table below, and one class of each role (root
// properties, editor factory, editor, page) reads its kind from it.
enum class ZELBIWEditorKindId { Station, Grouping, Welding, CurveFastening, NonValueAdded };
inline constexpr int ZELBIWEditorKindCount = 5;

// The interface names of the kinds' editor factories, by ZELBIWEditorKindId.
inline constexpr const char* ZELBIWEditorFactoryInterfaceNames[ZELBIWEditorKindCount] = {
    "ZELIBIWStationEditorFactory", "ZELIBIWGroupingEditorFactory", "ZELIBIWWeldingEditorFactory",
    "ZELIBIWCurveFasteningEditorFactory", "ZELIBIWNonValueAddedEditorFactory"};

using ZELBIWEditorRow = ZELActivityAttributeRow;

// Whether the activity answers the interface now (a query, so that an
// activity offers only the interfaces of its own kind).
using ZELBIWInterfaceTest = bool (*)(QIVBaseUnknown* activity);
template <class I>
bool ZELBIWAnswers(QIVBaseUnknown* activity) {
  return activity && QIVVar<I>(activity);
}

// An activity a page edits: the interface that marks it and its type name.
struct ZELBIWEditorTarget {
  ZELBIWInterfaceTest answers;
  const char* typeName;
};

struct ZELBIWEditorKind {
  ZELBIWEditorKindId id;
  // The page name the host lists and the editor's class (also its
  // catalogue).
  const char* editorClass;
  const char* basePropertiesClass;
  const char* factoryClass;
  const char* pageClass;
  // The identifier of the factory interface, for a host that keeps them.
  const char* factoryInterfaceId;
  // Late types the root-properties extension is registered for.
  std::vector<const char*> lateTypes;
  // Tested in order on a selected leaf; the first that holds names its type.
  std::vector<ZELBIWEditorTarget> targets;
  // Whether the activity offers the interface the values are read and
  // written through.
  ZELBIWInterfaceTest offersValues;
  const char* pageFrame;
  const char* attributesFrame;
  std::vector<ZELBIWEditorRow> rows;
  // The catalogue key of the title, by the type of the last extracted
  // entry; `titleKey` when no entry of `titleKeys` matches.
  const char* titleKey;
  std::vector<std::pair<const char*, const char*>> titleKeys;
  // Run on the activity after its attributes were set; null for none.
  HRESULT (*update)(QIVBaseUnknown* activity);

  static const std::vector<ZELBIWEditorKind>& All();
  static const ZELBIWEditorKind& Of(ZELBIWEditorKindId id);
  // The kind whose page has that name, or null.
  static const ZELBIWEditorKind* Find(std::string_view pageName);

  const char* TitleKey(std::string_view typeName) const;
  // How a journal names the row's editor: by its frame and name, and the
  // position among its namesakes when the page holds several
  // ("StationAttributes/PrefixEditorName[2]").
  std::string EditorReference(int row) const;
  // The row whose label has that name, -1 when none.
  int FindRow(std::string_view label) const;
};

// The page names the host lists first on every BIW activity, its own.
const std::vector<const char*>& ZELBIWHostPageNames();
