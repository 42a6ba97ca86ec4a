#include "ZELPLMServices.h"

#include <unordered_map>

#include "QIVFrmEditor.h"
#include "QIVIAlias.h"
#include "QIVIDocument.h"
#include "QIVIPLMObject.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWPointFastener.h"

namespace {

std::optional<QIVPosition> PositionOf(const QIVRawColldouble& values) {
  if (values.Size() != 6) return std::nullopt;
  QIVPosition position;
  for (int i = 0; i < 6; ++i) position[i] = values[i + 1];
  return position;
}

QIVBaseUnknown_var ProcessContainer(const QIVBaseUnknown_var& document) {
  QIVBaseUnknown_var container;
  if (QIVIDocument_var typed = document) typed->GetProcessContainer(container);
  return container;
}

QIVPublishedFeature Feature(const QIVBaseUnknown_var& object, const char* kind) {
  QIVPublishedFeature feature;
  feature.kind = kind;
  if (QIVIPLMObject_var plm = object) feature.plmId = plm->GetPLMID().str();
  if (QIVIAlias_var alias = object) feature.name = alias->GetAlias().str();
  if (ZELIBIWFastener_var fastener = object) {
    feature.fastener = true;
    feature.attributes["type"] = QIVVariant(fastener->GetType().str());
    feature.attributes["color"] = QIVVariant(static_cast<long long>(fastener->GetColor()));
  }
  if (ZELIBIWPointFastener_var point = object) {
    QIVRawColldouble values;
    point->GetDesignPosition(values);
    feature.design = PositionOf(values);
    point->GetManufacturingPosition(values);
    feature.manufacturing = PositionOf(values);
  }
  return feature;
}

}  // namespace

HRESULT ZELPLMServices::GetPLMID(const QIVBaseUnknown_var& object, QIVUnicodeString& identifier) {
  identifier = "";
  QIVIPLMObject_var plm(object);
  if (!plm) return E_INVALIDARG;
  identifier = plm->GetPLMID();
  return identifier.str().empty() ? S_FALSE : S_OK;
}

QIVRepository* ZELPLMServices::GetCurrentRepository() {
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  return editor ? editor->GetRepository() : nullptr;
}

std::string ZELPLMServices::GetDocumentIdentity(const QIVBaseUnknown_var& document) {
  QIVIPLMObject_var container = ProcessContainer(document);
  return container ? container->GetPLMID().str() : std::string();
}

QIVPublicationResult ZELPLMServices::PublishDocument(const QIVBaseUnknown_var& document,
                                                     QIVRepository& repository) {
  QIVPublicationRequest request;
  request.documentId = GetDocumentIdentity(document);
  std::vector<QIVBaseUnknown_var> objects;
  struct Family {
    HRESULT (*list)(_SEQUENCE_QIVBaseUnknown_ptr&, const QIVBaseUnknown_var&);
    const char* kind;
  };
  for (const Family& family : {Family{ZELFastenerServices::GetListOfAllFasteners, "fastener"},
                               Family{ZELFastenerServices::GetListOfAllLocators, "locating feature"},
                               Family{ZELFastenerServices::GetListOfAllClamps, "clamping point"}}) {
    _SEQUENCE_QIVBaseUnknown_ptr sequence;
    family.list(sequence, document);
    for (QIVBaseUnknown* raw : sequence) {
      QIVBaseUnknown_var object = QIVBaseUnknown_var::Adopt(raw);
      request.features.push_back(Feature(object, family.kind));
      objects.push_back(object);
    }
  }
  for (std::size_t i = 0; i < objects.size(); ++i) {
    QIVListValQIVBaseUnknown_var activities;
    if (ZELIBIWFeature_var feature = objects[i]) feature->GetAssignedActivities(activities);
    for (const QIVBaseUnknown_var& activity : activities) {
      QIVUnicodeString path;
      if (SUCCEEDED(ZELFastenerServices::GetActivityHierarchy(activity, path)))
        request.assignments.push_back({i, path.str()});
    }
  }

  QIVPublicationResult result = repository.Publish(request);

  if (QIVIPLMObject_var container = ProcessContainer(document))
    container->SetPLMID(QIVUnicodeString(result.documentId));
  for (std::size_t i = 0; i < objects.size(); ++i) {
    QIVIPLMObject_var(objects[i])->SetPLMID(QIVUnicodeString(result.plmIds[i]));
    ZELIBIWFastener_var fastener = objects[i];
    if (!fastener) continue;
    fastener->SetFastenerVersion(QIVUnicodeString(std::to_string(result.versions[i])));
    fastener->ClearExternalAssignments();
    for (const std::string& path : repository.AssignmentPathsOutside(result.documentId, result.plmIds[i]))
      fastener->AddExternalAssignment(QIVUnicodeString(path));
  }
  return result;
}
