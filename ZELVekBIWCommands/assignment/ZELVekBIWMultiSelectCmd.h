#pragma once

#include "QIVListVal.h"
#include "QIVPathElement.h"
#include "QIVStateCommand.h"

class QIVApplicationFrame;
class ZELVekBIWCatalogBrowserDlg;

// Selects fasteners by a catalogue query: the browser is opened over every
// fastener of the document, and when it closes each fastener its query
// matched becomes the editor's current selection.
class ZELVekBIWMultiSelectCmd : public QIVStateCommand {
 public:
  ZELVekBIWMultiSelectCmd();
  ~ZELVekBIWMultiSelectCmd() override;

  const char* GetImplClassName() const override { return "ZELVekBIWMultiSelectCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Init();
  bool OnDlgClose(void* data);
  // One fastener per entry of the query result, in result order: the first
  // of the document whose identifier is the entry's text.
  void GetListOfFilteredWelds();
  // Replaces the current selection with the fasteners' paths.
  void WeldsSelection(const QIVListValQIVBaseUnknown_var& fasteners);
  // The path from the root of the object's tree down to the object.
  static QIVPathElement_var GetPathElement(const QIVBaseUnknown_var& object);
  static void BuildPathElement(const QIVBaseUnknown_var& object, QIVPathElement& path);

  ZELVekBIWCatalogBrowserDlg* GetBrowser() const { return _pBrowser; }
  const QIVListValQIVBaseUnknown_var& GetListOfAllWelds() const { return _allWelds; }
  const QIVListValQIVBaseUnknown_var& GetFilteredWelds() const { return _filteredWelds; }

 private:
  ZELVekBIWCatalogBrowserDlg* _pBrowser = nullptr;
  QIVDialogAgent* _pDlgAgent = nullptr;
  QIVApplicationFrame* _pFrame = nullptr;
  QIVBaseUnknown_var _rootContainer;
  QIVListValQIVBaseUnknown_var _allWelds;
  QIVListValQIVBaseUnknown_var _filteredWelds;
};
