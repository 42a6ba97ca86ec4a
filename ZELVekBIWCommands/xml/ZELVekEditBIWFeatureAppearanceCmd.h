#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "QIVListVal.h"
#include "QIVStateCommand.h"
#include "QIVVariant.h"
#include "ZELVekBIWXMLGraphicFormat.h"

class ZELVekBIWFeatureAppearanceXMLSelectDlg;

// Colours point fasteners, locating features and clamping points and gives
// them graphic representations by the rules of a feature appearance file:
// the planner picks the style-format file and the graphic file in the
// dialog; on OK every feature of a rule's kind whose attribute has the
// rule's value gets the rule's colour and representation. Attributes the
// document holds (the local ones of each kind) are read from the features,
// the others from the plant's repository records of the features, queried
// once for every attribute the rules name. A file that cannot be read, is
// not well-formed or breaks the format's rules is reported in a box naming
// file, line and column, and no feature is changed.
//
// Each rule is matched through an index of its attribute's values built
// once per attribute and kind, so a run costs one pass over the features
// per attribute named plus the matches, not rules x features.
class ZELVekEditBIWFeatureAppearanceCmd : public QIVStateCommand {
 public:
  ZELVekEditBIWFeatureAppearanceCmd();
  ~ZELVekEditBIWFeatureAppearanceCmd() override;

  const char* GetImplClassName() const override { return "ZELVekEditBIWFeatureAppearanceCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Activate() override;
  void Desactivate() override;
  void Cancel() override;

  bool Init(void* data);
  bool CloseReadXMLDlg(void* data);

  // Reads the style table and the appearance entries of the files [style
  // format, graphic]; E_FAIL, after the box that names the faults, when
  // either cannot be used.
  HRESULT GetXMLParser(const QIVListValQIVUnicodeString& fileNames);
  // Takes the features of each kind that the repository knows (every point
  // fastener when "ADL_ODT_IN" is set) and, when the rules name repository
  // attributes, their records.
  void QueryXMLAttributes();
  // Each list without repeats and without the local attributes of its
  // kind: what to ask the repository.
  void ListOfQueryAttributes(const QIVListValQIVUnicodeString& pointFastenerAttributes,
                             const QIVListValQIVUnicodeString& locatingFeatureAttributes,
                             const QIVListValQIVUnicodeString& clampingPointAttributes);
  void UpdateBIWFeatureAppearance();
  // The positions (from 1) of the objects whose attribute reads `value`:
  // "R7PF", "R7LP", "R7CP" match features of the document, "K2..."
  // repository records.
  void GetObjectIndex(const QIVUnicodeString& code, const QIVUnicodeString& attribute,
                      const QIVListValQIVBaseUnknown_var& objects, const QIVUnicodeString& value,
                      QIVRawCollint& positions);
  void FeatureVisualizationUpdate(const QIVUnicodeString& code, const QIVUnicodeString& color,
                                  const QIVUnicodeString& graphicName, const QIVRawCollint& positions);
  // A colour of -1 leaves the colour as it is.
  HRESULT SetPFCGRColor(const QIVBaseUnknown_var& object, long color, const QIVUnicodeString& path);
  HRESULT SetLPCGRColor(const QIVBaseUnknown_var& object, long color, const QIVUnicodeString& path);
  HRESULT SetCPCGRColor(const QIVBaseUnknown_var& object, long color, const QIVUnicodeString& path);
  // Sets the file as the feature's representation when it is found as
  // written or under a folder of "QIVGraphicPath" (";" between folders).
  HRESULT SetCGRonBIWFeature(const QIVBaseUnknown_var& object, const QIVUnicodeString& path);
  static HRESULT GetUnicodeStringValue(const QIVVariant& value, QIVUnicodeString& text, int& type);
  // The name without what follows its first ", ".
  static QIVUnicodeString GetNameFromAlias(const QIVUnicodeString& text);
  static bool IsFilePresent(const QIVUnicodeString& path);

  ZELVekBIWFeatureAppearanceXMLSelectDlg* GetDialog() const { return _pDialog; }
  // Of point fasteners (0), locating features (1), clamping points (2).
  const QIVListValQIVUnicodeString& GetRepositoryAttributes(int kind) const;
  // The repository records read, of all kinds.
  int GetRecordCount() const;

 private:
  struct Kind;
  static const Kind kKinds[3];
  const Kind* KindOfCode(const QIVUnicodeString& code) const;
  HRESULT SetCGRColor(const Kind& kind, const QIVBaseUnknown_var& object, long color,
                      const QIVUnicodeString& path);
  void ReportUnusableFile(const QIVUnicodeString& path, const std::vector<QIVSAXParseException>& errors);

  // The values of one attribute over one list of objects, each with the
  // positions of the objects that have it.
  struct AttributeIndex {
    bool numeric = false;
    std::unordered_map<std::string, std::vector<int>> byText;
    std::unordered_map<double, std::vector<int>> byNumber;
  };
  AttributeIndex BuildIndex(const QIVUnicodeString& code, const QIVUnicodeString& attribute,
                            const QIVListValQIVBaseUnknown_var& objects) const;

  QIVListValQIVUnicodeString _styleNames;
  QIVListValQIVUnicodeString _stylePaths;
  QIVListValQIVUnicodeString _pointFastenerLocalAttributes;
  QIVListValQIVUnicodeString _pointFastenerRepositoryAttributes;
  QIVListValQIVUnicodeString _locatingFeatureLocalAttributes;
  QIVListValQIVUnicodeString _locatingFeatureRepositoryAttributes;
  QIVListValQIVUnicodeString _clampingPointLocalAttributes;
  QIVListValQIVUnicodeString _clampingPointRepositoryAttributes;
  QIVListValQIVBaseUnknown_var _pointFastenerRecords;
  QIVListValQIVBaseUnknown_var _locatingFeatureRecords;
  QIVListValQIVBaseUnknown_var _clampingPointRecords;
  std::vector<ZELVekBIWAppearanceEntry> _entries;
  QIVListValQIVBaseUnknown_var _pointFasteners;
  QIVListValQIVBaseUnknown_var _locatingFeatures;
  QIVListValQIVBaseUnknown_var _clampingPoints;
  ZELVekBIWFeatureAppearanceXMLSelectDlg* _pDialog = nullptr;
  QIVDialogAgent* _pDialogAgent = nullptr;

  // What one run keeps: the attribute indexes by list and attribute, the
  // representation files found by path, and the folders of
  // "QIVGraphicPath".
  std::map<std::pair<const void*, std::string>, AttributeIndex> _indexes;
  std::unordered_map<std::string, QIVUnicodeString> _foundFiles;
  QIVListValQIVUnicodeString _graphicFolders;
  bool _graphicFoldersRead = false;
};
