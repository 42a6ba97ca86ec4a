#pragma once

#include "QIVFrmDialog.h"
#include "QIVListVal.h"
#include "frame/ZELFileSelectionBox.h"

class QIVDlgEditor;
class QIVDlgFrame;
class QIVDlgLabel;
class QIVDlgPushButton;

// Chooses the two files of the feature appearance: the style-format file
// (representation names to files) and the graphic file (the appearance
// rules). Each row has a light that turns green when its path names an XML
// file, an editor and a button that opens the row's file box; OK is
// sensitive once both rows are good.
class ZELVekBIWFeatureAppearanceXMLSelectDlg : public QIVFrmDialog {
 public:
  // One row: what the editors' input hook is given as its data, named
  // "Format" or "Graphic".
  struct Row {
    const char* name;
    QIVDlgLabel* light = nullptr;
    QIVDlgEditor* editor = nullptr;
    QIVDlgPushButton* button = nullptr;
    bool valid = false;
  };

  // On the application's main window.
  ZELVekBIWFeatureAppearanceXMLSelectDlg();
  ~ZELVekBIWFeatureAppearanceXMLSelectDlg() override;

  const char* GetImplClassName() const override { return "ZELVekBIWFeatureAppearanceXMLSelectDlg"; }

  void Build();

  // [style-format path, graphic path], from the two editors.
  QIVListValQIVUnicodeString GetXMLFileName() const;
  // An XML file: ".xml" or ".XML" in the path, and a file whose first line
  // holds both "<" and ">".
  static bool IsAGoodXMLFile(const QIVUnicodeString& path);
  // The test; a failure is told in a box.
  bool GoodXMLFile(const QIVUnicodeString& path);
  void MessageBadXML();
  // OK is sensitive when both rows are good.
  void UpdateOK();

  void OpenSelectFormatXMLDlg(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OpenSelectGraphicXMLDlg(QIVCommand* sender, const QIVNotification& notification, void* data);
  void GetXMLPathFormat(QIVCommand* sender, const QIVNotification& notification, void* data);
  void GetXMLPathGraphic(QIVCommand* sender, const QIVNotification& notification, void* data);
  void CloseXMLBrowser(QIVCommand* sender, const QIVNotification& notification, void* data);
  void UpdateXMLValidity(QIVCommand* sender, const QIVNotification& notification, void* data);

  // Row 0 is the style-format file, row 1 the graphic file.
  const Row& GetRow(int index) const { return _rows[index]; }
  QIVDlgFile* GetFileBox(int index) const { return _fileBoxes[index].Get(); }

 private:
  // The file box's choice for the row: tested, shown in its light and
  // editor.
  void TakeChosenFile(int index);

  ZELFileSelectionBox _fileBoxes[2];
  QIVDlgFrame* _pFrameSelection = nullptr;
  Row _rows[2] = {{"Format"}, {"Graphic"}};
};

// The editors' input hook, `data` being the edited Row: each edit turns the
// row's light red, and green again with its flag set when the text names an
// XML file.
void OnEditInputXML(const QIVUnicodeString& text, void* data);
