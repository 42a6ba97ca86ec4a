#pragma once

#include <string_view>
#include <vector>

#include "QIVDialog.h"

class QIVDlgTabPage;

// Tab pages of which one is shown: the page chosen last, or the first page
// until one is chosen. A person's click on a page's tab emits TabSelected
// from the container, also on the page already shown.
class QIVDlgTabContainer : public QIVDialog {
 public:
  QIVDlgTabContainer(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style) {}

  std::vector<QIVDlgTabPage*> GetPages() const;
  QIVDlgTabPage* GetSelectedPage() const;
  // Emits TabSelected when `notify` is set.
  void SetSelectedPage(QIVDlgTabPage* page, int notify = 0);

  QIVUserEventResult UserSelectTab(std::string_view pageName);

  const char* GetImplClassName() const override { return "QIVDlgTabContainer"; }

 protected:
  const char* KindName() const override { return "tab container"; }
  void DescribeState(std::string& line) const override;
  bool ShowsChild(const QIVDialog* child) const override;

 private:
  QIVDlgTabPage* _selected = nullptr;
};
