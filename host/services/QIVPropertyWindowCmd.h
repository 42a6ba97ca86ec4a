#pragma once

#include <string>
#include <utility>
#include <vector>

#include "QIVDlgDialog.h"
#include "QIVDlgFrame.h"
#include "QIVDlgTabContainer.h"
#include "QIVDlgTabPage.h"
#include "QIVIEditProperties.h"
#include "QIVStateCommand.h"

// The host's property window for one object. It asks the object for its
// root properties (QIVIRootProperties), has the editor manager make the
// editor of each listed page, keeps the editors that find the object in
// the selection, and gives each a tab page to build on and fill.
//
// OK and Apply commit every page when a field was typed since the window
// opened or was last applied; Apply keeps the window open and refills it.
// Cancel, Close and the window's close box (or cancelling the command)
// restore every attribute the object had when the window opened, announcing
// the restoration once when something had changed. Close and the close box,
// with fields typed and not applied, first ask whether to discard them
// (OK) or keep the window open (Cancel).
//
// Started like a command, by the class name "QIVPropertyWindowCmd" with the
// object as the factory's argument. An object with no page to show gets a
// box saying so, and the command ends.
class QIVPropertyWindowCmd : public QIVStateCommand {
 public:
  static constexpr const char* ClassName = "QIVPropertyWindowCmd";
  // Names of the window's own widgets.
  static constexpr const char* DialogName = "QIVPropertyWindow";
  static constexpr const char* TabsName = "PropertyTabs";

  // Adds the window's factory to the dictionary (the first call only).
  static void Register();

  explicit QIVPropertyWindowCmd(QIVBaseUnknown* object);
  ~QIVPropertyWindowCmd() override;

  void BuildGraph() override;
  void Cancel() override;
  bool ReceiveNotification(const QIVNotification& notification) override;

  struct Page {
    QIVUnicodeString name;
    QIVIEditProperties_var editor;
    QIVListValQIVBaseUnknown_var extracted;
    QIVDlgTabPage* tab = nullptr;
  };
  // The pages shown, in the order the object lists them.
  const std::vector<Page>& GetPages() const { return _pages; }
  QIVDlgDialog* GetDialog() const { return _dialog; }

  const char* GetImplClassName() const override { return ClassName; }

 private:
  void BuildPages();
  void FillPages();
  bool Apply(void*);
  bool Accept(void*);
  bool Restore(void*);
  bool Close(void*);
  bool SayNoPages(void*);
  bool HasPages(void*) { return !_pages.empty(); }
  bool HasNoPages(void*) { return _pages.empty(); }
  void TakeSnapshot();
  void Commit();

  QIVBaseUnknown_var _object;
  QIVDlgDialog* _dialog = nullptr;
  QIVDlgTabContainer* _tabs = nullptr;
  std::vector<Page> _pages;
  QIVDialogAgent* _okAgent = nullptr;
  QIVDialogAgent* _applyAgent = nullptr;
  QIVDialogAgent* _cancelAgent = nullptr;
  double _cycleTime = 0.0;
  std::vector<std::pair<QIVUnicodeString, double>> _attributes;
  // A field was typed since the window opened or was last applied.
  bool _modified = false;
  bool _restored = false;
};
