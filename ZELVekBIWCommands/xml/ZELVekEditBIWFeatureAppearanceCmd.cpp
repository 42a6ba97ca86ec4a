#include "ZELVekEditBIWFeatureAppearanceCmd.h"

#include <utility>

#include "QIVCommandDeletion.h"
#include "QIVEnvironment.h"
#include "QIVFileInfo.h"
#include "QIVIAlias.h"
#include "QIVIModelEvents.h"
#include "QIVIXMLSAXFactory.h"
#include "QIVSession.h"
#include "ZELBIWGraphicXMLReader.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIBIWPointFastener.h"
#include "ZELIPLMOpenObjectInfo.h"
#include "ZELPLMOpenObjectServices.h"
#include "ZELPLMServices.h"
#include "ZELVekBIWFeatureAppearanceXMLSelectDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELCatalogMessage.h"
#include "frame/ZELEnvironmentSwitches.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekEditBIWFeatureAppearanceCmd";

// The position attributes, in the order of a feature's six position values.
constexpr const char* kCoordinates[] = {"location.x",    "location.y",    "location.z",
                                        "orientation.x", "orientation.y", "orientation.z"};
// Faults named in the box; the others are counted.
constexpr std::size_t kFaultsShown = 10;

int CoordinateOf(const QIVUnicodeString& attribute) {
  for (int i = 0; i < 6; ++i)
    if (attribute == kCoordinates[i]) return i;
  return -1;
}

template <class I>
HRESULT SetColorThrough(const QIVBaseUnknown_var& object, long color) {
  QIVVar<I> feature(object);
  return feature ? feature->SetColor(color) : E_FAIL;
}

template <class I>
HRESULT PositionThrough(const QIVBaseUnknown_var& object, QIVRawColldouble& position) {
  QIVVar<I> feature(object);
  return feature ? feature->GetPosition(position) : E_FAIL;
}

HRESULT DesignPosition(const QIVBaseUnknown_var& object, QIVRawColldouble& position) {
  ZELIBIWPointFastener_var fastener(object);
  return fastener ? fastener->GetDesignPosition(position) : E_FAIL;
}

// Each object that the services list with a PLM identifier (or every one
// when `takeAll`), with its identifier.
void TakeIdentified(const QIVBaseUnknown_var& object, bool takeAll, QIVListValQIVUnicodeString& ids,
                    QIVListValQIVBaseUnknown_var& objects) {
  QIVUnicodeString id;
  ZELPLMServices::GetPLMID(object, id);
  if (id.IsEmpty() && !takeAll) return;
  ids.Append(id);
  objects.Append(object);
}

void TakeIdentified(_SEQUENCE_QIVBaseUnknown_ptr& sequence, QIVListValQIVUnicodeString& ids,
                    QIVListValQIVBaseUnknown_var& objects) {
  for (QIVBaseUnknown*& raw : sequence)
    TakeIdentified(QIVBaseUnknown_var::Adopt(std::exchange(raw, nullptr)), false, ids, objects);
  sequence.clear();
}

// "point fastener name=W1 -> color 255, CGRName Pin", what the figure of
// a rule is told under.
std::string Describe(const ZELVekBIWAppearanceEntry& entry) {
  std::string text = entry.kind.str() + " " + entry.attribute.str() + "=" + entry.value.str() + " ->";
  if (entry.color != "-1") text += " color " + entry.color.str();
  if (entry.graphic != "-1")
    text += std::string(entry.color != "-1" ? "," : "") + " CGRName " + entry.graphic.str();
  return entry.color == "-1" && entry.graphic == "-1" ? text + " nothing" : text;
}

QIVListValQIVUnicodeString WithoutRepeats(const QIVListValQIVUnicodeString& names,
                                          const QIVListValQIVUnicodeString& left) {
  QIVListValQIVUnicodeString kept;
  for (const QIVUnicodeString& name : names)
    if (!kept.Contains(name) && !left.Contains(name)) kept.Append(name);
  return kept;
}
}  // namespace

// What differs between the three kinds of feature the rules colour.
struct ZELVekEditBIWFeatureAppearanceCmd::Kind {
  const char* name;
  const char* localCode;
  const char* repositoryCode;
  QIVListValQIVUnicodeString ZELVekEditBIWFeatureAppearanceCmd::*localAttributes;
  QIVListValQIVUnicodeString ZELVekEditBIWFeatureAppearanceCmd::*repositoryAttributes;
  QIVListValQIVBaseUnknown_var ZELVekEditBIWFeatureAppearanceCmd::*records;
  QIVListValQIVBaseUnknown_var ZELVekEditBIWFeatureAppearanceCmd::*objects;
  HRESULT (*setColor)(const QIVBaseUnknown_var& object, long color);
  HRESULT (*position)(const QIVBaseUnknown_var& object, QIVRawColldouble& position);
};

const ZELVekEditBIWFeatureAppearanceCmd::Kind ZELVekEditBIWFeatureAppearanceCmd::kKinds[3] = {
    {"point fastener", "R7PF", "K2PF", &ZELVekEditBIWFeatureAppearanceCmd::_pointFastenerLocalAttributes,
     &ZELVekEditBIWFeatureAppearanceCmd::_pointFastenerRepositoryAttributes,
     &ZELVekEditBIWFeatureAppearanceCmd::_pointFastenerRecords,
     &ZELVekEditBIWFeatureAppearanceCmd::_pointFasteners, &SetColorThrough<ZELIBIWFastener>, &DesignPosition},
    {"locating feature", "R7LP", "K2LP", &ZELVekEditBIWFeatureAppearanceCmd::_locatingFeatureLocalAttributes,
     &ZELVekEditBIWFeatureAppearanceCmd::_locatingFeatureRepositoryAttributes,
     &ZELVekEditBIWFeatureAppearanceCmd::_locatingFeatureRecords,
     &ZELVekEditBIWFeatureAppearanceCmd::_locatingFeatures, &SetColorThrough<ZELIBIWLocatingPoint>,
     &PositionThrough<ZELIBIWLocatingPoint>},
    {"clamping point", "R7CP", "K2CP", &ZELVekEditBIWFeatureAppearanceCmd::_clampingPointLocalAttributes,
     &ZELVekEditBIWFeatureAppearanceCmd::_clampingPointRepositoryAttributes,
     &ZELVekEditBIWFeatureAppearanceCmd::_clampingPointRecords,
     &ZELVekEditBIWFeatureAppearanceCmd::_clampingPoints, &SetColorThrough<ZELIBIWClampingPoint>,
     &PositionThrough<ZELIBIWClampingPoint>},
};

ZELVekEditBIWFeatureAppearanceCmd::ZELVekEditBIWFeatureAppearanceCmd()
    : QIVStateCommand("ZELEditBIWFeatureAppearanceCmd", ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive),
      _pointFastenerLocalAttributes{"name",          "planningcolor", "fasteningcontext", "plantype_name",
                                    "location.x",    "location.y",    "location.z",       "orientation.x",
                                    "orientation.y", "orientation.z"},
      _locatingFeatureLocalAttributes{"name",       "plantype_name", "location.x",    "location.y",
                                      "location.z", "orientation.x", "orientation.y", "orientation.z"},
      _clampingPointLocalAttributes(_locatingFeatureLocalAttributes) {}

ZELVekEditBIWFeatureAppearanceCmd::~ZELVekEditBIWFeatureAppearanceCmd() {
  if (_pDialog) std::exchange(_pDialog, nullptr)->RequestDelayedDestruction();
  if (_pDialogAgent) QIVCommandDeletion(std::exchange(_pDialogAgent, nullptr));
}

const char* ZELVekEditBIWFeatureAppearanceCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVDialogAgent::GetResourceFilename(level - 1);
}

void ZELVekEditBIWFeatureAppearanceCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pDialog = new ZELVekBIWFeatureAppearanceXMLSelectDlg();
  _pDialog->SetFather(this);
  _pDialog->Build();

  QIVDialogState* state = GetInitialState("State1Id");
  _pDialogAgent = new QIVDialogAgent("ReadXMLDlgAgentId", 0, 3);
  _pDialogAgent->AcceptOnNotify(_pDialog, QIVDialog::GetDiaOKNotification());
  _pDialogAgent->AcceptOnNotify(_pDialog, QIVDialog::GetDiaCANCELNotification());
  _pDialogAgent->AcceptOnNotify(_pDialog, QIVDialog::GetWindCloseNotification());
  state->AddDialogAgent(_pDialogAgent);
  _pDialog->SetVisibility(QIVDlgShow);

  AddTransition(state, nullptr,
                IsLastModifiedAgentCondition(_pDialogAgent, QIVDialog::GetDiaOKNotification()),
                Action(this, &ZELVekEditBIWFeatureAppearanceCmd::Init));
  AddTransition(state, nullptr,
                IsLastModifiedAgentCondition(_pDialogAgent, QIVDialog::GetDiaCANCELNotification()),
                Action(this, &ZELVekEditBIWFeatureAppearanceCmd::CloseReadXMLDlg));
  AddTransition(state, nullptr,
                IsLastModifiedAgentCondition(_pDialogAgent, QIVDialog::GetWindCloseNotification()),
                Action(this, &ZELVekEditBIWFeatureAppearanceCmd::CloseReadXMLDlg));
}

void ZELVekEditBIWFeatureAppearanceCmd::Activate() {}

void ZELVekEditBIWFeatureAppearanceCmd::Desactivate() {
  if (_pDialogAgent) _pDialogAgent->InitializeAcquisition();
}

void ZELVekEditBIWFeatureAppearanceCmd::Cancel() {
  ZELTraceScope scope(kClass, "Cancel");
  if (_pDialogAgent) _pDialogAgent->InitializeAcquisition();
  if (_pDialog && _pDialog->GetVisibility() == QIVDlgShow) _pDialog->SetVisibility(QIVDlgHide);
  RequestDelayedDestruction();
}

bool ZELVekEditBIWFeatureAppearanceCmd::Init(void*) {
  ZELTraceScope scope(kClass, "Init");
  _pDialog->SetVisibility(QIVDlgHide);
  const QIVListValQIVUnicodeString fileNames = _pDialog->GetXMLFileName();
  ZELSetBusyCursor();
  if (FAILED(GetXMLParser(fileNames))) return true;
  QueryXMLAttributes();
  UpdateBIWFeatureAppearance();
  return true;
}

bool ZELVekEditBIWFeatureAppearanceCmd::CloseReadXMLDlg(void*) {
  ZELTraceScope scope(kClass, "CloseReadXMLDlg");
  _pDialog->SetVisibility(QIVDlgHide);
  return true;
}

HRESULT ZELVekEditBIWFeatureAppearanceCmd::GetXMLParser(const QIVListValQIVUnicodeString& fileNames) {
  ZELTraceScope scope(kClass, "GetXMLParser");
  _styleNames.RemoveAll();
  _stylePaths.RemoveAll();
  _entries.clear();
  if (fileNames.Size() < 2) return E_INVALIDARG;
  if (!fileNames[1].IsEmpty()) {
    ZELBIWGraphicXMLReader reader;
    if (FAILED(reader.SetGraphicXMLPath(fileNames[1]))) {
      ReportUnusableFile(fileNames[1], reader.GetErrors());
      return E_FAIL;
    }
    reader.GetParsedData(_styleNames, _stylePaths);
  }
  QIVIXMLSAXFactory_var factory;
  QIVISAXParser_var parser;
  if (FAILED(CreateQIVIXMLSAXFactory(factory)) ||
      FAILED(factory->CreateParser(parser, {"QIVDoValidation"}, {"false"})))
    return E_FAIL;
  auto handler = QIVMake<ZELVekBIWXMLGraphicFormat>();
  parser->SetDocumentHandler(QIVISAXDocumentHandler_var(handler.get()));
  parser->SetErrorHandler(QIVISAXErrorHandler_var(handler.get()));
  parser->Parse(fileNames[2]);
  if (handler->GetErrorCount() > 0) {
    ReportUnusableFile(fileNames[2], handler->GetErrors());
    return E_FAIL;
  }
  handler->GetAllAppearanceEntity(_entries);
  QIVListValQIVUnicodeString pointFastener, locatingFeature, clampingPoint;
  handler->GetAllAttributesFromXML(pointFastener, locatingFeature, clampingPoint);
  ListOfQueryAttributes(pointFastener, locatingFeature, clampingPoint);
  ZELTraceLine(QIVUnicodeString::Format("%zu appearance entries", _entries.size()));
  return S_OK;
}

void ZELVekEditBIWFeatureAppearanceCmd::ReportUnusableFile(const QIVUnicodeString& path,
                                                           const std::vector<QIVSAXParseException>& errors) {
  QIVUnicodeString faults;
  for (std::size_t i = 0; i < errors.size() && i < kFaultsShown; ++i)
    faults += (i == 0 ? "" : "\n") + errors[i].Format();
  if (errors.size() > kFaultsShown)
    faults += QIVUnicodeString::Format("\n(%zu more)", errors.size() - kFaultsShown);
  const QIVUnicodeString params[] = {path, faults};
  ZELCatalogMessage{kClass,
                    "BadAppearanceFileMessageId",
                    "/p1 cannot be used; no feature was changed:\n/p2",
                    "BadAppearanceFileTitleId",
                    "WARNING",
                    ZELVekBIWStyle::WarningBox,
                    "Name",
                    params,
                    2}
      .Display();
}

void ZELVekEditBIWFeatureAppearanceCmd::ListOfQueryAttributes(
    const QIVListValQIVUnicodeString& pointFastenerAttributes,
    const QIVListValQIVUnicodeString& locatingFeatureAttributes,
    const QIVListValQIVUnicodeString& clampingPointAttributes) {
  _pointFastenerRepositoryAttributes = WithoutRepeats(pointFastenerAttributes, _pointFastenerLocalAttributes);
  _locatingFeatureRepositoryAttributes =
      WithoutRepeats(locatingFeatureAttributes, _locatingFeatureLocalAttributes);
  _clampingPointRepositoryAttributes = WithoutRepeats(clampingPointAttributes, _clampingPointLocalAttributes);
}

const QIVListValQIVUnicodeString& ZELVekEditBIWFeatureAppearanceCmd::GetRepositoryAttributes(int kind) const {
  return this->*kKinds[kind].repositoryAttributes;
}

int ZELVekEditBIWFeatureAppearanceCmd::GetRecordCount() const {
  int count = 0;
  for (const Kind& kind : kKinds) count += (this->*kind.records).Size();
  return count;
}

void ZELVekEditBIWFeatureAppearanceCmd::QueryXMLAttributes() {
  ZELTraceScope scope(kClass, "QueryXMLAttributes");
  _indexes.clear();
  QIVListValQIVUnicodeString ids[3];
  for (const Kind& kind : kKinds) {
    (this->*kind.objects).RemoveAll();
    (this->*kind.records).RemoveAll();
  }
  QIVBaseUnknown_var document;
  if (FAILED(ZELFastenerServices::GetCurrentDocument(document))) return;
  QIVListValQIVBaseUnknown_var pointFasteners;
  ZELFastenerServices::GetListOfAllPointFasteners(document, pointFasteners);
  const bool takeAll = ZELEnvironmentSwitches::KeepsGatheringOrder();
  for (const QIVBaseUnknown_var& fastener : pointFasteners)
    TakeIdentified(fastener, takeAll, ids[0], _pointFasteners);
  _SEQUENCE_QIVBaseUnknown_ptr sequence;
  if (SUCCEEDED(ZELFastenerServices::GetListOfAllLocators(sequence, document)))
    TakeIdentified(sequence, ids[1], _locatingFeatures);
  QIVReleaseSequence(sequence);
  if (SUCCEEDED(ZELFastenerServices::GetListOfAllClamps(sequence, document)))
    TakeIdentified(sequence, ids[2], _clampingPoints);
  QIVReleaseSequence(sequence);

  if (_pointFastenerRepositoryAttributes.IsEmpty() && _locatingFeatureRepositoryAttributes.IsEmpty() &&
      _clampingPointRepositoryAttributes.IsEmpty())
    return;
  ZELFastenerServices::QueryAttributes(ids[0], ids[1], ids[2], _pointFastenerRepositoryAttributes,
                                       _locatingFeatureRepositoryAttributes,
                                       _clampingPointRepositoryAttributes, _pointFastenerRecords,
                                       _locatingFeatureRecords, _clampingPointRecords);
}

const ZELVekEditBIWFeatureAppearanceCmd::Kind* ZELVekEditBIWFeatureAppearanceCmd::KindOfCode(
    const QIVUnicodeString& code) const {
  for (const Kind& kind : kKinds)
    if (code == kind.localCode || code == kind.repositoryCode) return &kind;
  return nullptr;
}

void ZELVekEditBIWFeatureAppearanceCmd::UpdateBIWFeatureAppearance() {
  ZELTraceScope scope(kClass, "UpdateBIWFeatureAppearance");
  // Records stay at the positions of their features, an empty handle for
  // a feature the repository does not know, so that a record's position
  // names its feature.
  for (const ZELVekBIWAppearanceEntry& entry : _entries) {
    QIVRawCollint positions;
    for (const Kind& kind : kKinds) {
      if (entry.kind != kind.name) continue;
      if ((this->*kind.localAttributes).Contains(entry.attribute))
        GetObjectIndex(kind.localCode, entry.attribute, this->*kind.objects, entry.value, positions);
      else
        GetObjectIndex(kind.repositoryCode, entry.attribute, this->*kind.records, entry.value, positions);
      FeatureVisualizationUpdate(kind.localCode, entry.color, entry.graphic, positions);
    }
    ZELTraceLine(QIVUnicodeString::Format("%d features", positions.Size()));
    QIVSession::Current().RaiseFigure({Describe(entry), positions.Size()});
  }
}

ZELVekEditBIWFeatureAppearanceCmd::AttributeIndex ZELVekEditBIWFeatureAppearanceCmd::BuildIndex(
    const QIVUnicodeString& code, const QIVUnicodeString& attribute,
    const QIVListValQIVBaseUnknown_var& objects) const {
  AttributeIndex index;
  const Kind* kind = KindOfCode(code);
  const int coordinate = CoordinateOf(attribute);
  index.numeric = kind && code == kind->localCode && coordinate >= 0;
  QIVRawColldouble position;
  for (int i = 1; i <= objects.Size(); ++i) {
    const QIVBaseUnknown_var& object = objects[i];
    if (!object) continue;
    if (ZELIPLMOpenObjectInfo_var(object)) {
      QIVVariant variant;
      QIVUnicodeString text;
      int type = 0;
      if (SUCCEEDED(ZELPLMOpenObjectServices::GetVariantAttribute(object, attribute, variant)) &&
          SUCCEEDED(GetUnicodeStringValue(variant, text, type)))
        index.byText[text.str()].push_back(i);
    } else if (index.numeric) {
      // Orientation values count only in a full position of six.
      if (FAILED(kind->position(object, position))) continue;
      if (position.Size() == 6 || (coordinate < 3 && position.Size() >= 3))
        index.byNumber[position[coordinate + 1]].push_back(i);
    } else if (attribute == "plantype_name") {
      if (ZELIBIWFeature_var feature = object) index.byText[feature->GetPlanTypeName().str()].push_back(i);
    } else if (attribute == "fasteningcontext") {
      if (ZELIBIWFastener_var fastener = object) {
        const QIVUnicodeString context = fastener->GetCategory();
        index.byText[context == "exo" ? "0" : context == "endo" ? "1" : context.str()].push_back(i);
      }
    } else if (attribute == "name") {
      if (QIVIAlias_var alias = object) index.byText[GetNameFromAlias(alias->GetAlias()).str()].push_back(i);
    }
  }
  return index;
}

void ZELVekEditBIWFeatureAppearanceCmd::GetObjectIndex(const QIVUnicodeString& code,
                                                       const QIVUnicodeString& attribute,
                                                       const QIVListValQIVBaseUnknown_var& objects,
                                                       const QIVUnicodeString& value,
                                                       QIVRawCollint& positions) {
  positions.RemoveAll();
  auto key = std::make_pair(static_cast<const void*>(&objects), code.str() + '\n' + attribute.str());
  auto found = _indexes.find(key);
  if (found == _indexes.end())
    found = _indexes.emplace(std::move(key), BuildIndex(code, attribute, objects)).first;
  const AttributeIndex& index = found->second;
  const std::vector<int>* matches = nullptr;
  if (index.numeric) {
    double number = 0.0;
    if (value.ConvertToNum(&number, "%le") == 1)
      if (auto at = index.byNumber.find(number); at != index.byNumber.end()) matches = &at->second;
  } else if (auto at = index.byText.find(value.str()); at != index.byText.end()) {
    matches = &at->second;
  }
  if (!matches) return;
  positions.Reserve(static_cast<int>(matches->size()));
  for (int position : *matches) positions.Append(position);
}

void ZELVekEditBIWFeatureAppearanceCmd::FeatureVisualizationUpdate(const QIVUnicodeString& code,
                                                                   const QIVUnicodeString& color,
                                                                   const QIVUnicodeString& graphicName,
                                                                   const QIVRawCollint& positions) {
  const Kind* kind = KindOfCode(code);
  if (!kind || code != kind->localCode) return;
  int number = -1;
  color.ConvertToNum(&number, "%d");
  const int style = _styleNames.Locate(graphicName);
  const QIVUnicodeString path = style ? _stylePaths[style] : QIVUnicodeString();
  const QIVListValQIVBaseUnknown_var& objects = this->*kind->objects;
  for (int position : positions)
    if (position >= 1 && position <= objects.Size()) SetCGRColor(*kind, objects[position], number, path);
}

HRESULT ZELVekEditBIWFeatureAppearanceCmd::SetPFCGRColor(const QIVBaseUnknown_var& object, long color,
                                                         const QIVUnicodeString& path) {
  return SetCGRColor(kKinds[0], object, color, path);
}

HRESULT ZELVekEditBIWFeatureAppearanceCmd::SetLPCGRColor(const QIVBaseUnknown_var& object, long color,
                                                         const QIVUnicodeString& path) {
  return SetCGRColor(kKinds[1], object, color, path);
}

HRESULT ZELVekEditBIWFeatureAppearanceCmd::SetCPCGRColor(const QIVBaseUnknown_var& object, long color,
                                                         const QIVUnicodeString& path) {
  return SetCGRColor(kKinds[2], object, color, path);
}

HRESULT ZELVekEditBIWFeatureAppearanceCmd::SetCGRColor(const Kind& kind, const QIVBaseUnknown_var& object,
                                                       long color, const QIVUnicodeString& path) {
  SetCGRonBIWFeature(object, path);
  if (color != -1) kind.setColor(object, color);
  if (QIVIModelEvents_var events = object) events->Dispatch({object});
  return S_OK;
}

HRESULT ZELVekEditBIWFeatureAppearanceCmd::SetCGRonBIWFeature(const QIVBaseUnknown_var& object,
                                                              const QIVUnicodeString& path) {
  if (path.IsEmpty()) return S_OK;
  auto found = _foundFiles.find(path.str());
  if (found == _foundFiles.end()) {
    QIVUnicodeString file;
    if (IsFilePresent(path)) {
      file = path;
    } else {
      if (!_graphicFoldersRead) {
        ZELFastenerServices::TokenizeString(QIVGetEnv("QIVGraphicPath"), _graphicFolders, ";");
        _graphicFoldersRead = true;
      }
      for (const QIVUnicodeString& folder : _graphicFolders)
        if (IsFilePresent(folder + "/" + path)) {
          file = folder + "/" + path;
          break;
        }
    }
    found = _foundFiles.emplace(path.str(), file).first;
  }
  if (found->second.IsEmpty()) return S_FALSE;
  ZELIBIWFeature_var feature(object);
  return feature ? feature->SetGraphicRepresentation(found->second) : E_FAIL;
}

HRESULT ZELVekEditBIWFeatureAppearanceCmd::GetUnicodeStringValue(const QIVVariant& value,
                                                                 QIVUnicodeString& text, int& type) {
  type = value.Type();
  if (const std::string* string = value.Text()) {
    text = *string;
  } else if (const long long* integer = value.Integer()) {
    text = QIVUnicodeString::Format("%g", static_cast<double>(static_cast<long>(*integer)));
  } else if (const double* real = value.Real()) {
    text = QIVUnicodeString::Format("%g", *real);
  } else {
    return E_FAIL;
  }
  return S_OK;
}

QIVUnicodeString ZELVekEditBIWFeatureAppearanceCmd::GetNameFromAlias(const QIVUnicodeString& text) {
  const int separator = text.SearchSubString(", ");
  return separator >= 0 ? text.SubString(0, separator) : text;
}

bool ZELVekEditBIWFeatureAppearanceCmd::IsFilePresent(const QIVUnicodeString& path) {
  QIVFileInfo info;
  return SUCCEEDED(QIVGetFileInfo(path, info)) && info.IsRegularFile();
}
