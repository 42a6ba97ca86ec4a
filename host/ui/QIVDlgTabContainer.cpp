#include "QIVDlgTabContainer.h"

#include <algorithm>

#include "QIVDlgTabPage.h"

std::vector<QIVDlgTabPage*> QIVDlgTabContainer::GetPages() const {
  std::vector<QIVDlgTabPage*> pages;
  for (QIVCommand* child : GetChildren()) {
    if (auto* page = dynamic_cast<QIVDlgTabPage*>(child)) pages.push_back(page);
  }
  return pages;
}

QIVDlgTabPage* QIVDlgTabContainer::GetSelectedPage() const {
  // The chosen page may have gone since; only a page still here counts.
  std::vector<QIVDlgTabPage*> pages = GetPages();
  if (std::find(pages.begin(), pages.end(), _selected) != pages.end()) return _selected;
  return pages.empty() ? nullptr : pages.front();
}

void QIVDlgTabContainer::SetSelectedPage(QIVDlgTabPage* page, int notify) {
  std::vector<QIVDlgTabPage*> pages = GetPages();
  if (std::find(pages.begin(), pages.end(), page) == pages.end()) return;
  _selected = page;
  if (notify) SendNotification(QIVNotificationKind::TabSelected);
}

QIVUserEventResult QIVDlgTabContainer::UserSelectTab(std::string_view pageName) {
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  for (QIVDlgTabPage* page : GetPages()) {
    if (page->GetName().view() != pageName) continue;
    if (page->GetVisibility() != QIVDlgShow || page->GetSensitivity() != QIVDlgEnable) {
      return Refuse("cannot open page " + std::string(pageName));
    }
    SetSelectedPage(page, 1);
    return QIVUserEventResult::Done();
  }
  return Refuse("has no page " + std::string(pageName));
}

bool QIVDlgTabContainer::ShowsChild(const QIVDialog* child) const {
  auto* page = dynamic_cast<const QIVDlgTabPage*>(child);
  return !page || page == GetSelectedPage();
}

void QIVDlgTabContainer::DescribeState(std::string& line) const {
  line += " pages=[";
  std::vector<QIVDlgTabPage*> pages = GetPages();
  for (std::size_t i = 0; i < pages.size(); ++i) line += (i ? "," : "") + pages[i]->GetName().str();
  line += "] selected=" + (GetSelectedPage() ? GetSelectedPage()->GetName().str() : std::string("none"));
}
