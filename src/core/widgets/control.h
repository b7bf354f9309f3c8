#pragma once

#include <functional>
#include <string>
#include <vector>

namespace sqp::widgets {

class Control;
class Form;

enum class ControlKind {
  kForm,
  kLabel,
  kEdit,
  kButton,
  kGroupBox,
  kProgressBar,
  kPageControl,
  kTabSheet
};

// Position within the parent's client area and size, in layout pixels.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds&) const = default;
};

// What about a control a view has to draw again.
enum class Change {
  kText,
  kColor,
  kEnabled,
  kVisible,
  kSelection,
  kActivePage,
  kFocus,
  // The name assistive technology reads changed (see AccessibleName).
  kAccessibleName,
  // The form has a new announcement for a screen reader to speak.
  kAnnouncement
};

class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  virtual void ControlChanged(Control& control, Change change) = 0;
};

// An event handler; the argument is the sender.
using Handler = std::function<void(Control* sender)>;

// The common part of every control: identity, place in the tree, text,
// enabled and visible state, tab order. Controls hold no drawing of their
// own; observers registered on the form are told of every change.
class Control {
 public:
  Control(ControlKind kind, std::string name, Control* parent, Bounds bounds);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }
  const Bounds& GetBounds() const { return bounds_; }
  Form* OwnerForm();

  const std::string& Text() const { return text_; }
  virtual void SetText(std::string text);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Visible itself and through every parent.
  bool Showing() const;
  // Enabled itself and through every parent.
  bool EnabledInTree() const;

  // Only windowed controls take part in tab order and focus; labels do not.
  bool IsWindowed() const { return kind_ != ControlKind::kLabel; }
  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int tab_order) { tab_order_ = tab_order; }
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool tab_stop) { tab_stop_ = tab_stop; }
  // Controls that move a caret or a selection with the arrow keys keep them.
  bool UsesArrowKeys() const;
  // Pages and the window itself pass the focus on; they never hold it.
  bool CanFocus() const {
    return IsWindowed() && kind_ != ControlKind::kForm && kind_ != ControlKind::kTabSheet &&
           Showing() && EnabledInTree();
  }
  bool Contains(const Control* control) const;

  // Windowed children sorted by tab order.
  std::vector<Control*> TabOrderedChildren() const;

  // The controls whose texts name this one to assistive technology, in
  // reading order; empty when it goes by its own text.
  const std::vector<const Control*>& NamedBy() const { return named_by_; }
  void SetNamedBy(std::vector<const Control*> named_by);

 protected:
  void Notify(Change change);

 private:
  ControlKind kind_;
  std::string name_;
  Control* parent_;
  std::vector<Control*> children_;
  Bounds bounds_;
  std::string text_;
  bool enabled_ = true;
  bool visible_ = true;
  int tab_order_ = -1;
  bool tab_stop_ = false;
  std::vector<const Control*> named_by_;
};

}  // namespace sqp::widgets
