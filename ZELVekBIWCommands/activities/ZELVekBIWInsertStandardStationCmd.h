#pragma once

#include <map>
#include <string>
#include <vector>

#include "QIVListVal.h"
#include "QIVPathElementAgent.h"
#include "QIVStateCommand.h"

class ZELVekBIWInsertStandardStationDlg;

// Inserts a standard station, copied from a station template of the plant
// library, under a grouping, with the resource the template station uses.
// The planner picks the grouping ("SelectParentActivity"), then the parent
// resource ("SelectParentResource"), then one of the template stations that
// fit that resource in the dialog ("HandleDialog"); OK copies it. A
// document loaded in partial read-only mode is refused at once.
class ZELVekBIWInsertStandardStationCmd : public QIVStateCommand {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  // The stations of one template that fit the parent resource, each with
  // the resource it uses.
  struct TemplateStations {
    List stations;
    List resources;
  };

  ZELVekBIWInsertStandardStationCmd();
  ~ZELVekBIWInsertStandardStationCmd() override;

  const char* GetImplClassName() const override { return "ZELVekBIWInsertStandardStationCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  // Takes the copied station and resource out again.
  void Revert() override;

  bool ValidParentActivity(QIVPathElementAgent* agent, void* data);
  bool ValidParentResource(QIVPathElementAgent* agent, void* data);
  bool OnProcessParentSelection(void* data);
  bool OnResourceParentSelection(void* data);
  bool DialogOk(void* data);
  bool DialogClose(void* data);
  bool ShowErrorForPartialReadOnlyDoc(void* data);

  // The current document's product data, and the plant library's plant
  // type set with the derivation of every plant type.
  HRESULT InitPPR();
  HRESULT GetMPTS();
  // Every template of the plant library with the stations that fit the
  // parent resource; a template whose stations cannot be read is dropped.
  HRESULT GetTemplatesAndAssociatedStations(List& templates, std::vector<TemplateStations>& stations);
  HRESULT GetStationsFromTemplate(const QIVBaseUnknown_var& libraryTemplate, List& stations, List& resources);
  // The resource the station uses: the one gathered with it, else its one
  // "proc_uses_plant" resource when that is of a plant type below the
  // parent resource's.
  HRESULT GetAssociatedResource(const QIVBaseUnknown_var& station, QIVBaseUnknown_var& resource);
  // Whether a plant type on the "derivesfrom" chain from the object's type
  // (the object itself for a plant type) is named `typeName`.
  bool IsSubTypeOf(const QIVBaseUnknown_var& object, const QIVUnicodeString& typeName) const;
  // A station activity or a resource product of the current document made
  // from the library object, not yet placed.
  HRESULT CopyStandardObjectFromLibrary(QIVBaseUnknown_var& copy, const QIVBaseUnknown_var& libraryObject);
  HRESULT InsertStandardStationFromTemplate(const QIVBaseUnknown_var& station,
                                            const QIVBaseUnknown_var& resource);
  // The offered stations in row order, with the template of each; their
  // resources in the same order.
  void GetCopyListOfStations(List& stations, List& templates) const;
  void GetCopyListOfResources(List& resources) const;
  QIVBaseUnknown_var GetCurrentDocAdapter() const;
  static void ClearUnknownLists(List& list);

  ZELVekBIWInsertStandardStationDlg* GetDialog() const { return _pDialog; }
  const std::vector<std::string>& GetPlantTypeNames() const { return _plantTypeNames; }

 private:
  std::string TypeOf(const QIVBaseUnknown_var& object) const;
  void GatherPlantTypesBelow(const QIVBaseUnknown_var& resource);

  QIVPathElementAgent* _pProcessParentAgent = nullptr;
  QIVPathElementAgent* _pResourceParentAgent = nullptr;
  QIVDialogAgent* _pDialogAgent = nullptr;
  ZELVekBIWInsertStandardStationDlg* _pDialog = nullptr;
  QIVBaseUnknown_var _grouping;
  QIVBaseUnknown_var _resource;
  List _templates;
  std::vector<TemplateStations> _templateStations;
  QIVBaseUnknown_var _document;
  QIVBaseUnknown_var _plantTypeSet;
  // Plant type name -> the name of the type it derives from.
  std::map<std::string, std::string> _derivesFrom;
  std::vector<std::string> _plantTypeNames;
  // What this run put into the document, for Revert.
  List _copies;
};
