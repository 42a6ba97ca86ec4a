#pragma once

#include "QIVFrmDialog.h"
#include "QIVUnicodeString.h"
#include "frame/ZELFileSelectionBox.h"

class QIVDlgEditor;
class QIVDlgFrame;
class QIVDlgLabel;
class QIVDlgPushButton;

// The weld file selection dialog: the path in an editor beside a light that
// turns green when the file is a weld file, and a button that opens the
// file box. OK becomes sensitive once a tested path was good.
class ZELVekBIWReadWeldSelectDlg : public QIVFrmDialog {
 public:
  // On the application's main window.
  ZELVekBIWReadWeldSelectDlg();
  ~ZELVekBIWReadWeldSelectDlg() override;

  const char* GetImplClassName() const override { return "ZELVekBIWReadWeldSelectDlg"; }

  void Build();

  // The editor's text, kept as the current file name.
  QIVUnicodeString GetTextFileName();
  // The weld file test; a failure is told in a box.
  bool GoodTextFile(const QIVUnicodeString& path);
  // The weld file test: a weld file extension, and a file that opens with
  // the two header lines of a weld file.
  static bool IsAGoodTextFile(const QIVUnicodeString& path);
  void MessageBadText();
  // OK follows the result of the last test.
  void UpdateOK();

  void OpenSelectTextDlg(QIVCommand* sender, const QIVNotification& notification, void* data);
  void GetTextPath(QIVCommand* sender, const QIVNotification& notification, void* data);
  void CloseTextBrowser(QIVCommand* sender, const QIVNotification& notification, void* data);
  void UpdateTextValidity(QIVCommand* sender, const QIVNotification& notification, void* data);

  // Whether the last tested path was a weld file; shared by every run of the
  // command while the module stays loaded.
  static bool _bTextOK;

  QIVDlgFile* GetFileBox() const { return _fileBox.Get(); }
  QIVDlgLabel* GetLightLabel() const { return _pLabelIcon; }
  QIVDlgEditor* GetPathEditor() const { return _pEditorTextPath; }
  const QIVUnicodeString& GetDefaultTextPath() const { return _defaultTextPath; }
  const QIVUnicodeString& GetDefaultTextFileName() const { return _defaultTextFileName; }

 private:
  ZELFileSelectionBox _fileBox;
  QIVDlgFrame* _pFrameSelection = nullptr;
  QIVDlgLabel* _pLabelIcon = nullptr;
  QIVDlgEditor* _pEditorTextPath = nullptr;
  QIVDlgPushButton* _pButtonText = nullptr;
  QIVUnicodeString _defaultTextPath;
  QIVUnicodeString _defaultTextFileName;
  QIVUnicodeString _currentFileName;
};

// The path editor's input hook: each edit turns the light (the label given
// as `data`) red, and green again when the text names a weld file.
void OnEditInputText(const QIVUnicodeString& text, void* data);
