#include "widgets/page_control.h"

namespace sqp::widgets {

void PageControl::AddPage(TabSheet* page) {
  pages_.push_back(page);
  page->SetVisible(active_ == page);
}

TabSheet* PageControl::Page(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return pages_[static_cast<std::size_t>(index)];
}

int PageControl::ActivePageIndex() const {
  for (int i = 0; i < PageCount(); ++i) {
    if (Page(i) == active_) return i;
  }
  return -1;
}

void PageControl::SetActivePage(TabSheet* page) {
  if (page == active_) return;
  active_ = page;
  for (TabSheet* each : pages_) each->SetVisible(each == active_);
  Notify(Change::kActivePage);
}

void PageControl::UserSelectNextPage(bool forward) {
  const int count = PageCount();
  const int start = ActivePageIndex();
  for (int step = 1; step < count; ++step) {
    const int index = ((start + (forward ? step : -step)) % count + count) % count;
    if (Page(index)->TabVisible()) {
      SetActivePage(Page(index));
      if (on_change) on_change(this);
      return;
    }
  }
}

}  // namespace sqp::widgets
