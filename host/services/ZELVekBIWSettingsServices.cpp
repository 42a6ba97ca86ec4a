#include "ZELVekBIWSettingsServices.h"

#include "QIVSettingsRepository.h"

namespace {
QIVSettingsRepository& Settings() { return QIVSettingsRepository::GetRepository(ZELVekBIWSettingsServices::RepositoryName); }
}  // namespace

HRESULT ZELVekBIWSettingsServices::GetPartLoadConstraint(bool& constraint) {
  constraint = Settings().GetBool("PartLoadConstraint", false);
  return S_OK;
}

HRESULT ZELVekBIWSettingsServices::GetTextDefaultPath(QIVUnicodeString& path) {
  path = Settings().GetText("TextDefaultPath", ".");
  return S_OK;
}

HRESULT ZELVekBIWSettingsServices::GetTextDefaultFileName(QIVUnicodeString& fileName) {
  fileName = Settings().GetText("TextDefaultFileName", "welds.txt");
  return S_OK;
}
