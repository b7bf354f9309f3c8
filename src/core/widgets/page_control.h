#pragma once

#include <vector>

#include "widgets/control.h"

namespace sqp::widgets {

// One page of a PageControl; only the active page is visible.
class TabSheet : public Control {
 public:
  TabSheet(std::string name, Control* parent, Bounds bounds)
      : Control(ControlKind::kTabSheet, std::move(name), parent, bounds) {}

  // Whether the page's tab is shown. A page without a visible tab cannot be
  // reached by the user, only by the program.
  bool TabVisible() const { return tab_visible_; }
  void SetTabVisible(bool tab_visible) { tab_visible_ = tab_visible; }

 private:
  bool tab_visible_ = true;
};

// A container of pages, one shown at a time.
class PageControl : public Control {
 public:
  PageControl(std::string name, Control* parent, Bounds bounds)
      : Control(ControlKind::kPageControl, std::move(name), parent, bounds) {
    SetTabStop(true);
  }

  // Raised only when the user switches pages through the tabs.
  Handler on_change;

  void AddPage(TabSheet* page);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TabSheet* Page(int index) const;
  TabSheet* ActivePage() const { return active_; }
  int ActivePageIndex() const;

  // The program's own selection: raises no change event.
  void SetActivePage(TabSheet* page);

  // Ctrl+Tab and Ctrl+Shift+Tab: the next or previous page whose tab is
  // visible, raising the change event. Nothing happens when no such page exists.
  void UserSelectNextPage(bool forward);

 private:
  std::vector<TabSheet*> pages_;
  TabSheet* active_ = nullptr;
};

}  // namespace sqp::widgets
