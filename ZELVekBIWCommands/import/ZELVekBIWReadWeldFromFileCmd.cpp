#include "ZELVekBIWReadWeldFromFileCmd.h"

#include <string>
#include <utility>

#include "QIVApplicationFrame.h"
#include "QIVCommandDeletion.h"
#include "QIVIAlias.h"
#include "QIVMsgCatalog.h"
#include "QIVPlainNumber.h"
#include "QIVProgress.h"
#include "ZELBIWFastenerType.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWCurveFastener.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELISpotWeld.h"
#include "ZELVekBIWProductCandidates.h"
#include "ZELVekBIWReadWeldSelectDlg.h"
#include "ZELVekBIWWeldJointIndex.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELCatalogMessage.h"
#include "frame/ZELEnvironmentSwitches.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWReadWeldFromFileCmd";

// A physical read stops after this many characters; the last one is lost.
constexpr int kLineReadSize = 1024;
// Line and keyword searches give up after this many lines.
constexpr int kSearchLimit = 50;

// Where P1 to P6 of a point record go among the spot weld's nine values.
constexpr int kPointValueOfRest[6] = {7, 8, 9, 4, 5, 6};

struct ErrorText {
  const char* key;
  const char* defaultText;
};
// By error kind; any other kind reads "UnknownError".
constexpr ErrorText kErrorTexts[] = {{"MissingPartErr", "SomePartsMissing"},
                                     {"ManyInstPartErr", "ManyInstancesForOnePart"}};

bool IsCommentOrBlank(std::string_view line) {
  return line.find("##") != std::string_view::npos || line.find_first_not_of(' ') == std::string_view::npos;
}

// The first child of `father` that `find` finds for `token`.
QIVIProduct_var ChildFound(const QIVIProduct_var& father,
                           HRESULT (QIVIProduct::*find)(const QIVUnicodeString&, QIVBaseUnknown_var&) const,
                           const QIVUnicodeString& token) {
  QIVBaseUnknown_var child;
  if (FAILED(((*father).*find)(token, child))) return {};
  return QIVIProduct_var(child);
}

QIVUnicodeString CatalogText(const char* key, const char* defaultText) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, defaultText);
}
}  // namespace

ZELVekBIWReadWeldFromFileCmd::ZELVekBIWReadWeldFromFileCmd()
    : QIVStateCommand("ReadWeldFromFileCmd", ZELVekBIWBehavior::Single, ZELVekBIWMode::Exclusive),
      _pWeldIndexList(std::make_unique<QIVRawCollint>()),
      _pErrorKindList(std::make_unique<QIVRawCollint>()),
      _pPartNameList(std::make_unique<QIVListValQIVUnicodeString>()) {
  ZELTraceLine(QIVUnicodeString(kClass) + " Constructor --> IN");
  ZELTraceLine(QIVUnicodeString(kClass) + " Constructor <-- OUT");
}

ZELVekBIWReadWeldFromFileCmd::~ZELVekBIWReadWeldFromFileCmd() {
  ZELTraceLine(QIVUnicodeString(kClass) + " Destructor --> IN");
  if (_pReadWeldDlg) std::exchange(_pReadWeldDlg, nullptr)->RequestDelayedDestruction();
  if (_pReadWeldDlgAgent) QIVCommandDeletion(std::exchange(_pReadWeldDlgAgent, nullptr));
  _spFactory = nullptr;
  _pWeldIndexList.reset();
  _pErrorKindList.reset();
  _pPartNameList.reset();
  ZELTraceLine(QIVUnicodeString(kClass) + " Destructor <-- OUT");
}

const char* ZELVekBIWReadWeldFromFileCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVDialogAgent::GetResourceFilename(level - 1);
}

void ZELVekBIWReadWeldFromFileCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pReadWeldDlg = new ZELVekBIWReadWeldSelectDlg();
  _pReadWeldDlg->SetFather(this);
  _pReadWeldDlg->Build();

  QIVDialogState* state = GetInitialState("State1Id");
  _pReadWeldDlgAgent = new QIVDialogAgent("ReadWeldDlgAgentId", 0, 3);
  _pReadWeldDlgAgent->AcceptOnNotify(_pReadWeldDlg, QIVDialog::GetDiaOKNotification());
  _pReadWeldDlgAgent->AcceptOnNotify(_pReadWeldDlg, QIVDialog::GetDiaCANCELNotification());
  _pReadWeldDlgAgent->AcceptOnNotify(_pReadWeldDlg, QIVDialog::GetWindCloseNotification());
  _pReadWeldDlgAgent->InitializeAcquisition();
  state->AddDialogAgent(_pReadWeldDlgAgent);
  _pReadWeldDlg->SetVisibility(QIVDlgShow);

  AddTransition(state, nullptr,
                AndCondition(IsLastModifiedAgentCondition(_pReadWeldDlgAgent, QIVDialog::GetDiaOKNotification()),
                             Condition(this, &ZELVekBIWReadWeldFromFileCmd::TestInput)),
                Action(this, &ZELVekBIWReadWeldFromFileCmd::LaunchWeldImport));
  AddTransition(state, nullptr,
                IsLastModifiedAgentCondition(_pReadWeldDlgAgent, QIVDialog::GetDiaCANCELNotification()),
                Action(this, &ZELVekBIWReadWeldFromFileCmd::CloseReadWeldDlg));
  AddTransition(state, nullptr,
                IsLastModifiedAgentCondition(_pReadWeldDlgAgent, QIVDialog::GetWindCloseNotification()),
                Action(this, &ZELVekBIWReadWeldFromFileCmd::CloseReadWeldDlg));
}

void ZELVekBIWReadWeldFromFileCmd::Activate() { ZELTraceLine(QIVUnicodeString(kClass) + "::Activate"); }

void ZELVekBIWReadWeldFromFileCmd::Desactivate() {
  if (_pReadWeldDlgAgent) _pReadWeldDlgAgent->InitializeAcquisition();
}

void ZELVekBIWReadWeldFromFileCmd::Cancel() {
  ZELTraceScope scope(kClass, "Cancel");
  if (_pReadWeldDlgAgent) _pReadWeldDlgAgent->InitializeAcquisition();
  if (_pReadWeldDlg && _pReadWeldDlg->GetVisibility() == QIVDlgShow) _pReadWeldDlg->SetVisibility(QIVDlgHide);
  RequestDelayedDestruction();
}

bool ZELVekBIWReadWeldFromFileCmd::TestInput(void*) {
  ZELTraceScope scope(kClass, "TestInput");
  const QIVUnicodeString fileName = _pReadWeldDlg->GetTextFileName();
  ZELTraceLine(fileName);
  if (_pReadWeldDlg->GoodTextFile(fileName)) return true;
  // The dialog stays for another choice.
  _pReadWeldDlgAgent->InitializeAcquisition();
  return false;
}

bool ZELVekBIWReadWeldFromFileCmd::LaunchWeldImport(void*) {
  ZELTraceScope scope(kClass, "LaunchWeldImport");
  ZELSetBusyCursor();
  _pReadWeldDlg->SetVisibility(QIVDlgHide);
  const QIVUnicodeString fileName = _pReadWeldDlg->GetTextFileName();
  ZELTraceLine(fileName);
  ReadWeldFromFile(fileName);
  return true;
}

bool ZELVekBIWReadWeldFromFileCmd::CloseReadWeldDlg(void*) {
  ZELTraceScope scope(kClass, "CloseReadWeldDlg");
  _pReadWeldDlg->SetVisibility(QIVDlgHide);
  return true;
}

bool ZELVekBIWReadWeldFromFileCmd::PrepareReading() {
  QIVBaseUnknown_var container;
  if (FAILED(ZELFastenerServices::GetProductFeatureContainer(container)) || !container) return false;
  _spFactory = container;
  _spPartRelations = container;
  if (!_spFactory || !_spPartRelations) return false;
  if (FAILED(_spFactory->GetTopGroup(_spTopGroup)) || !_spTopGroup) return false;
  ZELIBIWFeatureChildMgmt_var top(_spTopGroup);
  if (!top) return false;

  _jointNumber = top->GetChildrenCount();
  _pJointIndex = std::make_unique<ZELVekBIWWeldJointIndex>();
  QIVListValQIVBaseUnknown_var joints;
  top->GetChildren(joints);
  for (const QIVBaseUnknown_var& joint : joints) {
    QIVListValQIVBaseUnknown_var parts;
    _spPartRelations->GetRelatedParts(joint, parts);
    _pJointIndex->AddJoint(joint, parts);
  }
  _recordParts.Clear();
  _pCandidates.reset();
  _productsFetched = false;
  _pWeldIndexList->RemoveAll();
  _pErrorKindList->RemoveAll();
  _pPartNameList->RemoveAll();
  return true;
}

void ZELVekBIWReadWeldFromFileCmd::ReadWeldFromFile(const QIVUnicodeString& path) {
  ZELTraceScope scope(kClass, "ReadWeldFromFile");
  ZELTraceLine(path);
  QIVFile opened;
  if (PrepareReading() && SUCCEEDED(QIVFOpen(path, "r", opened))) {
    QIVLineReader file(opened);
    FindNextLine(file, "EndGlobalData");
    int weldCount = 0;
    if (GetNextLine(file).ConvertToNum(&weldCount, "%d") == 1) {
      ZELTraceLine(QIVUnicodeString::Format("Number of welds: %d", weldCount));
      for (long weldIndex = 1; weldIndex <= weldCount; ++weldIndex) {
        // Past the end only empty lines would come: no record, no error.
        if (file.AtEnd()) break;
        const int found = FindNextLine(file, "Weld");
        if (found == 2) break;
        if (found == 1) ReadWeldRecord(file, static_cast<int>(weldIndex));
        QIVProgressWatcher::Raise({"reading welds", weldIndex, weldCount});
      }
    }
    EndReading();
    QIVFClose(opened);
  }
  _recordParts.Clear();
  _spTopGroup = nullptr;
  _spPartRelations = nullptr;
  _pJointIndex.reset();
  _pCandidates.reset();
}

void ZELVekBIWReadWeldFromFileCmd::EndReading() {
  if (ZELIBIWFeatureContainer_var container(_spFactory); container) container->Update();
  MessageBadFile();
}

std::string_view ZELVekBIWReadWeldFromFileCmd::NextLineView(QIVLineReader& file) {
  std::string_view line;
  for (int read = 1; read <= kSearchLimit; ++read) {
    line = file.ReadLine(kLineReadSize);
    if (!IsCommentOrBlank(line)) break;
  }
  return line;
}

QIVUnicodeString ZELVekBIWReadWeldFromFileCmd::GetNextLine(QIVLineReader& file) {
  return QIVUnicodeString(NextLineView(file));
}

int ZELVekBIWReadWeldFromFileCmd::FindNextLine(QIVLineReader& file, const QIVUnicodeString& keyword) {
  for (int read = 1; read <= kSearchLimit; ++read) {
    const std::string_view line = NextLineView(file);
    if (line.find(keyword.view()) != std::string_view::npos) return 1;
    if (line.find("EndOfFile") != std::string_view::npos) return 2;
  }
  return 0;
}

void ZELVekBIWReadWeldFromFileCmd::ReadInteger(QIVLineReader& file, int& value) {
  QIVUnicodeString(NextLineView(file)).ConvertToNum(&value, "%d");
}

void ZELVekBIWReadWeldFromFileCmd::ReadReal(QIVLineReader& file, double& value) {
  // Plain numbers are read in the reader's buffer; anything else as sscanf reads it.
  const std::string_view line = NextLineView(file);
  if (!QIVPlainNumber::ReadReal(line, value)) QIVUnicodeString(line).ConvertToNum(&value, "%le");
}

void ZELVekBIWReadWeldFromFileCmd::SkipLines(QIVLineReader& file, int count) {
  for (int line = 0; line < count; ++line) NextLineView(file);
}

void ZELVekBIWReadWeldFromFileCmd::ReadPartPaths(QIVLineReader& file, std::string& key) {
  key.clear();
  for (int block = 0; block < _partCount; ++block) {
    // Past the end every further path reads empty, and the first empty one
    // stops the resolution: one stands for them all.
    if (file.AtEnd()) {
      key += '\n';
      return;
    }
    key += NextLineView(file);
    key += '\n';
    SkipLines(file, 3);
  }
}

ZELVekBIWReadWeldFromFileCmd::RecordParts& ZELVekBIWReadWeldFromFileCmd::PartsOfRecord(const std::string& key,
                                                                                     int weldIndex) {
  auto [record, isNew] = _recordParts.TryEmplace(key);
  if (isNew) {
    QIVListValQIVUnicodeString paths;
    for (std::size_t from = 0, feed; (feed = key.find('\n', from)) != std::string::npos; from = feed + 1)
      paths.Append(QIVUnicodeString(key.substr(from, feed - from)));
    const int errorCount = _pWeldIndexList->Size();
    record.resolved = SUCCEEDED(GetPartsFromPartNames(paths, record.parts, weldIndex));
    if (_pWeldIndexList->Size() > errorCount) {
      record.errorKind = (*_pErrorKindList)[errorCount + 1];
      record.errorPath = (*_pPartNameList)[errorCount + 1];
    }
  } else if (!record.resolved) {
    AddError(weldIndex, record.errorKind, record.errorPath);
  }
  return record;
}

void ZELVekBIWReadWeldFromFileCmd::ReadWeldRecord(QIVLineReader& file, int weldIndex) {
  NextLineView(file);
  const QIVUnicodeString weldName = GetNextLine(file);
  const bool isCurve = NextLineView(file) == "curve";
  ReadInteger(file, _partCount);
  ReadPartPaths(file, _recordKey);

  RecordParts& record = PartsOfRecord(_recordKey, weldIndex);
  if (record.resolved) {
    const QIVUnicodeString jointBodyName = GetNextLine(file);
    if (ZELVekBIWWeldJointIndex::JointBody* jointBody = PlaceRecord(record, jointBodyName, weldName)) {
      QIVBaseUnknown_var fastener;
      const HRESULT created = isCurve ? _spFactory->CreateCurveFastener(jointBody->group, fastener)
                                      : _spFactory->CreatePointFastener(jointBody->group, fastener);
      ZELISpotWeld_var spotWeld = isCurve ? nullptr : ZELISpotWeld_var(fastener);
      if (SUCCEEDED(created) && fastener && (isCurve || spotWeld))
        _pJointIndex->AddFastenerName(*jointBody, ReadFastenerData(file, fastener, spotWeld, weldName));
    }
  }
  FindNextLine(file, "EndWeld");
}

ZELVekBIWWeldJointIndex::JointBody* ZELVekBIWReadWeldFromFileCmd::PlaceRecord(RecordParts& record,
                                                                             const QIVUnicodeString& jointBodyName,
                                                                             const QIVUnicodeString& weldName) {
  if (!record.joint) record.joint = ChkForAssmJtJoiningSameParts(record.parts);
  if (!record.joint) {
    ZELVekBIWWeldJointIndex::Joint* joint = CreateAssemblyJoint(record.parts);
    if (!joint) return nullptr;
    // The next record of these parts finds this joint, unless it could not
    // be linked to exactly them.
    ZELVekBIWWeldJointIndex::JointBody* jointBody = AddJointBody(*joint, jointBodyName);
    if (!joint->parts.IsEmpty() && !ArePartsDifferent(record.parts, joint->parts)) {
      record.joint = joint;
      record.lastJointBody = jointBody;
      record.lastJointBodyName = jointBodyName;
    }
    return jointBody;
  }
  // The first joint body of a name stays the first: the reader only adds.
  ZELVekBIWWeldJointIndex::JointBody* jointBody = record.lastJointBody;
  if (!jointBody || record.lastJointBodyName != jointBodyName) {
    jointBody = CompareWeldGrpIDWithExistingJointBodies(*record.joint, jointBodyName);
    if (!jointBody) jointBody = AddJointBody(*record.joint, jointBodyName);
    record.lastJointBody = jointBody;
    record.lastJointBodyName = jointBodyName;
  }
  if (jointBody && CheckIfCurrFastenerAlreadyExists(*jointBody, weldName)) return nullptr;
  return jointBody;
}

QIVUnicodeString ZELVekBIWReadWeldFromFileCmd::ReadFastenerData(QIVLineReader& file, const QIVBaseUnknown_var& fastener,
                                                                const ZELISpotWeld_var& spotWeld,
                                                                const QIVUnicodeString& weldName) {
  const QIVUnicodeString name = weldName + ", " + GetNextLine(file);
  if (QIVIAlias_var alias(fastener); alias) alias->SetAlias(name);

  SkipLines(file, 2);
  const QIVUnicodeString type = GetNextLine(file);
  if (ZELIBIWFastener_var biwFastener(fastener); biwFastener) {
    biwFastener->SetType(type);
    biwFastener->SetCategory(ZELBIWFastenerType::CategoryOf(type.view()));
  }

  SkipLines(file, 8);
  for (double& value : _start) ReadReal(file, value);

  if (spotWeld) {
    for (double& value : _pointRest) ReadReal(file, value);
    for (int i = 0; i < 3; ++i) spotWeld->SetValue(i + 1, _start[i]);
    for (int i = 0; i < 6; ++i) spotWeld->SetValue(kPointValueOfRest[i], _pointRest[i]);
    return name;
  }
  for (double& value : _curveEnd) ReadReal(file, value);
  if (ZELIBIWCurveFastener_var curve(fastener); curve) {
    QIVListVal<QIVRawColldouble> points;
    points.Append({_start[0], _start[1], _start[2], 0.0, 0.0, 0.0});
    points.Append({_curveEnd[0], _curveEnd[1], _curveEnd[2], 0.0, 0.0, 0.0});
    curve->SetPoints(points);
  }
  return name;
}

HRESULT ZELVekBIWReadWeldFromFileCmd::GetPartsFromPartNames(const QIVListValQIVUnicodeString& partNames,
                                                             QIVListValQIVBaseUnknown_var& parts, int weldIndex) {
  if (!_productsFetched) {
    _productsFetched = true;
    QIVListValQIVBaseUnknown_var products;
    if (SUCCEEDED(ZELFastenerServices::GetAllProducts(products)))
      _pCandidates = std::make_unique<ZELVekBIWProductCandidates>(products);
  }
  if (!_pCandidates) {
    AddError(weldIndex, UnknownError, QIVUnicodeString());
    return E_FAIL;
  }
  _pCandidates->RestoreAll();

  bool manyInstances = false;
  int stoppedAt = 0;
  for (int position = 1; position <= partNames.Size(); ++position) {
    QIVListValQIVUnicodeString tokens;
    TokenizeString(partNames[position], tokens);
    QIVIProduct_var product;
    if (FAILED(FindCorrectInstance(tokens, product, manyInstances))) {
      stoppedAt = position;
      break;
    }
    parts.Append(product);
    _pCandidates->Remove(product);
  }
  if (!stoppedAt && !parts.IsEmpty()) return S_OK;

  AddError(weldIndex, manyInstances ? ManyInstancesForOnePart : stoppedAt ? PartNotFound : UnknownError,
           stoppedAt ? partNames[stoppedAt] : QIVUnicodeString());
  return E_FAIL;
}

void ZELVekBIWReadWeldFromFileCmd::TokenizeString(const QIVUnicodeString& path, QIVListValQIVUnicodeString& tokens) {
  tokens.RemoveAll();
  const std::string& text = path.str();
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    std::string token = text.substr(start, end - start);
    start = end + 1;
    if (token.empty()) continue;
    // "Front floor (FrontFloor.1)" names FrontFloor.1; a token with no
    // closing parenthesis takes the rest after the opening one.
    if (const std::size_t open = token.find('('); open != std::string::npos) {
      const std::size_t close = token.find(')', open + 1);
      std::string inner = token.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
      if (!inner.empty()) token = std::move(inner);
    }
    tokens.Append(QIVUnicodeString(std::move(token)));
  }
}

HRESULT ZELVekBIWReadWeldFromFileCmd::FindCorrectInstance(const QIVListValQIVUnicodeString& tokens,
                                                          QIVIProduct_var& product, bool& manyInstances) {
  product = nullptr;
  QIVIProduct_var found;
  for (const QIVUnicodeString& token : tokens) {
    QIVIProduct_var next = CheckInstance(token, found);
    if (!next) {
      next = CheckReference(token, found);
      if (next && !SinglePrdInstanceExist(next)) {
        manyInstances = true;
        return E_FAIL;
      }
    }
    if (!next) return E_FAIL;
    found = next;
  }
  if (!found) return E_FAIL;
  product = found;
  return S_OK;
}

QIVIProduct_var ZELVekBIWReadWeldFromFileCmd::CheckInstance(const QIVUnicodeString& token,
                                                            const QIVIProduct_var& father) {
  if (!father) return _pCandidates ? _pCandidates->FirstByInstanceName(token) : QIVIProduct_var();
  return ChildFound(father, &QIVIProduct::FindChildByInstanceName, token);
}

QIVIProduct_var ZELVekBIWReadWeldFromFileCmd::CheckReference(const QIVUnicodeString& token,
                                                             const QIVIProduct_var& father) {
  if (!father) return _pCandidates ? _pCandidates->FirstByPartNumber(token) : QIVIProduct_var();
  return ChildFound(father, &QIVIProduct::FindChildByPartNumber, token);
}

bool ZELVekBIWReadWeldFromFileCmd::SinglePrdInstanceExist(const QIVIProduct_var& product) {
  const int count = _pCandidates ? _pCandidates->VisualisableInstanceCount(product)
                                 : ZELVekBIWProductCandidates::CountVisualisableInstances(product);
  return count == 1;
}

ZELVekBIWWeldJointIndex::Joint* ZELVekBIWReadWeldFromFileCmd::ChkForAssmJtJoiningSameParts(
    const QIVListValQIVBaseUnknown_var& parts) {
  if (!_pJointIndex) return nullptr;
  for (int position : _pJointIndex->CandidateJoints(parts)) {
    ZELVekBIWWeldJointIndex::Joint& joint = _pJointIndex->JointAt(position);
    if (!joint.parts.IsEmpty() && !ArePartsDifferent(parts, joint.parts)) return &joint;
  }
  return nullptr;
}

bool ZELVekBIWReadWeldFromFileCmd::ArePartsDifferent(const QIVListValQIVBaseUnknown_var& recordParts,
                                                     const QIVListValQIVBaseUnknown_var& jointParts) {
  if (recordParts.Size() != jointParts.Size()) return true;
  for (const QIVBaseUnknown_var& part : recordParts)
    if (!jointParts.Contains(part)) return true;
  return false;
}

ZELVekBIWWeldJointIndex::Joint* ZELVekBIWReadWeldFromFileCmd::CreateAssemblyJoint(
    const QIVListValQIVBaseUnknown_var& parts) {
  ++_jointNumber;
  QIVBaseUnknown_var joint;
  if (FAILED(_spFactory->CreateGroup(_spTopGroup, joint)) || !joint) return nullptr;
  if (QIVIAlias_var alias(joint); alias) alias->SetAlias(QIVUnicodeString::Format("Assembly Joint.%d", _jointNumber));
  _spPartRelations->SetRelatedParts(joint, parts, true);
  QIVListValQIVBaseUnknown_var linked;
  _spPartRelations->GetRelatedParts(joint, linked);
  return &_pJointIndex->AddJoint(joint, linked);
}

ZELVekBIWWeldJointIndex::JointBody* ZELVekBIWReadWeldFromFileCmd::AddJointBody(ZELVekBIWWeldJointIndex::Joint& joint,
                                                                              const QIVUnicodeString& name) {
  QIVBaseUnknown_var group = joint.group;
  if (FAILED(CreateJointBody(group, name))) return nullptr;
  return &_pJointIndex->AddJointBody(joint, group, name);
}

HRESULT ZELVekBIWReadWeldFromFileCmd::CreateJointBody(QIVBaseUnknown_var& group, const QIVUnicodeString& name) {
  QIVBaseUnknown_var jointBody;
  if (!_spFactory || FAILED(_spFactory->CreateGroup(group, jointBody)) || !jointBody) return E_FAIL;
  if (QIVIAlias_var alias(jointBody); alias) alias->SetAlias(name);
  group = jointBody;
  return S_OK;
}

ZELVekBIWWeldJointIndex::JointBody* ZELVekBIWReadWeldFromFileCmd::CompareWeldGrpIDWithExistingJointBodies(
    ZELVekBIWWeldJointIndex::Joint& joint, const QIVUnicodeString& name) {
  return _pJointIndex ? _pJointIndex->FindJointBody(joint, name) : nullptr;
}

bool ZELVekBIWReadWeldFromFileCmd::CheckIfCurrFastenerAlreadyExists(ZELVekBIWWeldJointIndex::JointBody& jointBody,
                                                                    const QIVUnicodeString& weldName) {
  return _pJointIndex && _pJointIndex->HasFastenerNamed(jointBody, weldName);
}

void ZELVekBIWReadWeldFromFileCmd::AddError(int weldIndex, int kind, const QIVUnicodeString& partName) {
  _pWeldIndexList->Append(weldIndex);
  _pErrorKindList->Append(kind);
  _pPartNameList->Append(partName);
}

QIVUnicodeString ZELVekBIWReadWeldFromFileCmd::BuildErrorMessage() const {
  QIVUnicodeString kindTexts[std::size(kErrorTexts)];
  for (std::size_t kind = 0; kind < std::size(kErrorTexts); ++kind)
    kindTexts[kind] = CatalogText(kErrorTexts[kind].key, kErrorTexts[kind].defaultText);
  const QIVUnicodeString label = CatalogText("WeldIndex", "WeldIndex");

  std::string message = CatalogText("MessageErr", "SomeWeldsNotCreated").str() + "\n";
  for (int entry = 1; entry <= _pWeldIndexList->Size(); ++entry) {
    const int kind = (*_pErrorKindList)[entry];
    const bool known = kind >= 0 && kind < static_cast<int>(std::size(kErrorTexts));
    message += label.str();
    message += QIVUnicodeString::Format("%d", (*_pWeldIndexList)[entry]).str();
    message += "   ";
    message += known ? kindTexts[kind].str() : "UnknownError";
    message += " - ";
    message += (*_pPartNameList)[entry].str();
    message += "\n";
  }
  return QIVUnicodeString(std::move(message));
}

void ZELVekBIWReadWeldFromFileCmd::MessageBadFile() {
  ZELTraceScope scope(kClass, "MessageBadFile");
  if (!_pWeldIndexList || !_pErrorKindList || !_pPartNameList) return;
  const int count = _pWeldIndexList->Size();
  if (count == 0 || _pErrorKindList->Size() != count || _pPartNameList->Size() != count) return;
  QIVApplicationFrame* frame = QIVApplicationFrame::GetFrame();
  if (!frame || !frame->GetMainWindow()) return;
  ZELDisplayBlockedBox(frame->GetMainWindow(), "ZELVekBIWCreateWeldWarning", ZELVekBIWStyle::WarningBox, BuildErrorMessage(),
                       CatalogText("TitleErr", "WeldCreationError"));
}
