#pragma once

#include <unordered_map>

#include "QIVPathElement.h"
#include "QIVStateCommand.h"

class ZELVekBIWSaveLocationsInXMLDlg;

// Writes the design and manufacturing positions of chosen spot welds, and
// the position of a reference product, to an XML file. The dialog starts
// with every spot weld of the document; picking welds or their groups
// selects those already listed and adds the others, picking a product
// makes it the reference. The dialog's Save writes the file; Cancel or
// closing the window ends the command.
class ZELVekBIWSaveLocationsInXMLCmd : public QIVStateCommand {
 public:
  ZELVekBIWSaveLocationsInXMLCmd();
  ~ZELVekBIWSaveLocationsInXMLCmd() override;

  const char* GetImplClassName() const override { return "ZELVekBIWSaveLocationsInXMLCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Cancel() override;

  // The actions of the state graph; the argument is not used.
  bool ProductSelected(void* data);
  bool WeldSelected(void* data);
  bool CloseDialog(void* data);

  // The path a person picked to reach `object`, else one built for it.
  QIVPathElement_var GetPathElement(const QIVBaseUnknown_var& object) const;
  // The path from the root of the object's tree (product or feature
  // structure) down to it.
  static QIVPathElement_var BuildPathElement(const QIVBaseUnknown_var& object);
  // The current selection becomes the welds selected in the list and the
  // reference product.
  void UpdateCSO();

  ZELVekBIWSaveLocationsInXMLDlg* GetDialog() const { return _pDlg; }
  QIVDialogAgent* GetCloseAgent() const { return _pCloseAgent; }
  QIVPathElementAgent* GetProductAgent() const { return _pProductAgent; }
  QIVPathElementAgent* GetWeldAgent() const { return _pWeldAgent; }

 private:
  void RememberPickedPaths(const QIVPathElementAgent* agent);

  ZELVekBIWSaveLocationsInXMLDlg* _pDlg = nullptr;
  QIVDialogAgent* _pCloseAgent = nullptr;
  QIVPathElementAgent* _pProductAgent = nullptr;
  QIVPathElementAgent* _pWeldAgent = nullptr;
  // The last path picked for each object, by the object's identity.
  std::unordered_map<const QIVBaseUnknown*, QIVPathElement_var> _pickedPaths;
};
