#pragma once

#include <memory>
#include <string>

#include "QIVLineReader.h"
#include "QIVIProduct.h"
#include "QIVListVal.h"
#include "QIVStateCommand.h"
#include "QIVTextMap.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELISpotWeld.h"
#include "ZELVekBIWWeldJointIndex.h"

class ZELVekBIWProductCandidates;
class ZELVekBIWReadWeldSelectDlg;

// Imports the welds of a weld text file: the planner picks the file in the
// selection dialog, and on OK each record of the file becomes a fastener of
// the product, inside an assembly joint per set of joined parts and a joint
// body per weld group. Records whose parts cannot be found are listed in one
// summary box at the end.
//
// The file, as the reader sees it (comments "##" and blank lines anywhere):
//   a global block ended by "EndGlobalData"; the number of welds; then per
//   weld a "Weld" line, identifier, name, kind ("curve" or a point), number
//   of parts, four lines per part (path first), joint body, name suffix, an
//   unused line and number, type, seven unused lines, an unused integer,
//   three coordinates, then six numbers for a point (values 7-9 then 4-6 of
//   the spot weld) or four for a curve (its end point), and "EndWeld".
class ZELVekBIWReadWeldFromFileCmd : public QIVStateCommand {
 public:
  // Error kinds of the records that could not be placed.
  enum ErrorKind { PartNotFound = 0, ManyInstancesForOnePart = 1, UnknownError = 2 };

  ZELVekBIWReadWeldFromFileCmd();
  ~ZELVekBIWReadWeldFromFileCmd() override;

  const char* GetImplClassName() const override { return "ZELVekBIWReadWeldFromFileCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Activate() override;
  void Desactivate() override;
  void Cancel() override;

  bool TestInput(void* data);
  bool LaunchWeldImport(void* data);
  bool CloseReadWeldDlg(void* data);

  // Reads the weld file and creates its fasteners; records that could not be
  // placed are shown in one box at the end.
  void ReadWeldFromFile(const QIVUnicodeString& path);

  // The next line that is neither a comment nor blank, as read; after 50
  // skipped lines the 50th is returned. Lines longer than 1023 characters
  // are cut: the rest is read as the next line. Empty at the end of the file.
  QIVUnicodeString GetNextLine(QIVLineReader& file);
  // Skips to a line containing `keyword`: 1 when found, 2 when a line
  // containing "EndOfFile" comes first, 0 when neither comes within 50
  // lines.
  int FindNextLine(QIVLineReader& file, const QIVUnicodeString& keyword);
  // GetNextLine's line as a view into the reader's buffer, valid until the
  // next read: skipped lines are never copied.
  static std::string_view NextLineView(QIVLineReader& file);

  // Finds the products of a record's part paths, at most one product per
  // path and each product once; E_FAIL, with an entry in the error
  // collection, when a path cannot be resolved or no path is given.
  HRESULT GetPartsFromPartNames(const QIVListValQIVUnicodeString& partNames, QIVListValQIVBaseUnknown_var& parts,
                                int weldIndex);
  // Splits a path at "\"; a token "Name (Inner)" stands for "Inner".
  static void TokenizeString(const QIVUnicodeString& path, QIVListValQIVUnicodeString& tokens);
  // The product of a token path: the first token among the candidates, each
  // further one among the children of the product before.
  HRESULT FindCorrectInstance(const QIVListValQIVUnicodeString& tokens, QIVIProduct_var& product,
                              bool& manyInstances);
  // The first product of that instance name, or of a reference of that part
  // number, among the candidates (no `father`) or the father's children.
  QIVIProduct_var CheckInstance(const QIVUnicodeString& token, const QIVIProduct_var& father);
  QIVIProduct_var CheckReference(const QIVUnicodeString& token, const QIVIProduct_var& father);
  // A part named by its reference must be the only instance of it.
  bool SinglePrdInstanceExist(const QIVIProduct_var& product);

  // The first assembly joint that joins exactly the record's parts; null
  // when none does.
  ZELVekBIWWeldJointIndex::Joint* ChkForAssmJtJoiningSameParts(const QIVListValQIVBaseUnknown_var& parts);
  // Different when the sizes differ or a part of the record is not among
  // the joint's parts; the order does not count.
  static bool ArePartsDifferent(const QIVListValQIVBaseUnknown_var& recordParts,
                                const QIVListValQIVBaseUnknown_var& jointParts);
  // Creates a group named `name` under `group`, which then holds the new one.
  HRESULT CreateJointBody(QIVBaseUnknown_var& group, const QIVUnicodeString& name);
  // The joint body of that name in the joint; null when there is none.
  ZELVekBIWWeldJointIndex::JointBody* CompareWeldGrpIDWithExistingJointBodies(ZELVekBIWWeldJointIndex::Joint& joint,
                                                                              const QIVUnicodeString& name);
  bool CheckIfCurrFastenerAlreadyExists(ZELVekBIWWeldJointIndex::JointBody& jointBody,
                                        const QIVUnicodeString& weldName);

  // The summary box of the records that were not placed.
  void MessageBadFile();
  // The text of that box for the errors collected so far.
  QIVUnicodeString BuildErrorMessage() const;

  const QIVRawCollint* GetErrorWeldIndices() const { return _pWeldIndexList.get(); }
  const QIVRawCollint* GetErrorKinds() const { return _pErrorKindList.get(); }
  const QIVListValQIVUnicodeString* GetErrorPartNames() const { return _pPartNameList.get(); }
  ZELVekBIWReadWeldSelectDlg* GetDialog() const { return _pReadWeldDlg; }

 private:
  // Looks up the container, its factory and relations and the top group;
  // false when the document has none.
  bool PrepareReading();
  void ReadWeldRecord(QIVLineReader& file, int weldIndex);
  // What the part paths of a record gave: resolved once for every record
  // that names the same paths in the same order, since neither the product
  // tree nor a joint found for the parts changes while a file is read.
  struct RecordParts {
    bool resolved = false;
    QIVListValQIVBaseUnknown_var parts;
    int errorKind = UnknownError;
    QIVUnicodeString errorPath;
    ZELVekBIWWeldJointIndex::Joint* joint = nullptr;
    // Records of one joint mostly share their joint body.
    ZELVekBIWWeldJointIndex::JointBody* lastJointBody = nullptr;
    QIVUnicodeString lastJointBodyName;
  };

  // The record's part paths, each followed by a line feed.
  void ReadPartPaths(QIVLineReader& file, std::string& key);
  // The paths are made into texts only the first time a key is met.
  RecordParts& PartsOfRecord(const std::string& key, int weldIndex);
  // The joint body of the record, made with its joint when needed; null
  // when it could not be made or the record's fastener is there already.
  ZELVekBIWWeldJointIndex::JointBody* PlaceRecord(RecordParts& record, const QIVUnicodeString& jointBodyName,
                                                  const QIVUnicodeString& weldName);
  // Creates the joint for new parts.
  ZELVekBIWWeldJointIndex::Joint* CreateAssemblyJoint(const QIVListValQIVBaseUnknown_var& parts);
  ZELVekBIWWeldJointIndex::JointBody* AddJointBody(ZELVekBIWWeldJointIndex::Joint& joint,
                                                   const QIVUnicodeString& name);
  // Reads the rest of the record into the new fastener, a point when it
  // comes with its spot weld, else a curve; returns its name.
  QIVUnicodeString ReadFastenerData(QIVLineReader& file, const QIVBaseUnknown_var& fastener,
                                    const ZELISpotWeld_var& spotWeld, const QIVUnicodeString& weldName);
  void ReadInteger(QIVLineReader& file, int& value);
  void ReadReal(QIVLineReader& file, double& value);
  void SkipLines(QIVLineReader& file, int count);
  void AddError(int weldIndex, int kind, const QIVUnicodeString& partName);
  void EndReading();

  ZELVekBIWReadWeldSelectDlg* _pReadWeldDlg = nullptr;
  QIVDialogAgent* _pReadWeldDlgAgent = nullptr;
  ZELIBIWFPPFactory_var _spFactory;

  std::unique_ptr<QIVRawCollint> _pWeldIndexList;
  std::unique_ptr<QIVRawCollint> _pErrorKindList;
  std::unique_ptr<QIVListValQIVUnicodeString> _pPartNameList;

  // What one reading keeps from record to record.
  QIVBaseUnknown_var _spTopGroup;
  ZELIBIWFeaturePartRelations_var _spPartRelations;
  int _jointNumber = 0;
  std::unique_ptr<ZELVekBIWWeldJointIndex> _pJointIndex;
  std::unique_ptr<ZELVekBIWProductCandidates> _pCandidates;
  QIVTextMap<RecordParts> _recordParts;
  std::string _recordKey;
  bool _productsFetched = false;
  // Numbers that fail to convert keep the previous record's value.
  int _partCount = 0;
  double _start[3] = {0.0, 0.0, 0.0};
  double _pointRest[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  double _curveEnd[4] = {0.0, 0.0, 0.0, 0.0};
};
