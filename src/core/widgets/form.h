#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/control.h"
#include "widgets/keys.h"

namespace sqp::widgets {

// A top-level window: owns its controls, tells observers of their changes,
// and keeps the keyboard focus by the rules of the Windows dialog manager
// (tab order, arrow keys among siblings, Enter on a focused push button).
class Form : public Control {
 public:
  Form(std::string name, Bounds client_area);
  ~Form() override;

  // Runs when the window is first made visible, before it is on screen.
  Handler on_show;

  // Creates a control owned by this form.
  template <class T>
  T* Create(std::string name, Control* parent, Bounds bounds) {
    auto control = std::make_unique<T>(std::move(name), parent, bounds);
    T* raw = control.get();
    owned_.push_back(std::move(control));
    NoteChange();
    return raw;
  }
  // Every control of the form in creation order.
  std::vector<Control*> AllControls() const;
  // The same without a copy, for what runs on every key press.
  template <class Visit>
  void ForEachControl(Visit&& visit) const {
    for (const auto& control : owned_) visit(static_cast<const Control&>(*control));
  }
  Control* FindControl(std::string_view name) const;

  void AddObserver(ControlObserver* observer);
  void RemoveObserver(ControlObserver* observer);
  void NotifyObservers(Control& control, Change change);

  // Moves on with every change of the form or its controls, and is never
  // the same for two forms: an equal revision means nothing changed.
  std::uint64_t Revision() const { return revision_; }
  // A change that tells no observer: a control created or named.
  void NoteChange();

  // Tells observers to have a screen reader speak `text` (kAnnouncement on
  // the form): what the user's last act changed, which they cannot see.
  void Announce(std::string text);
  const std::string& Announcement() const { return announcement_; }

  Control* Focused() const { return focused_; }
  // Focuses `control` if it can take the focus; answers whether it did.
  bool SetFocus(Control* control);
  // The first activation puts the focus on the first tab stop.
  void Activate();
  // A key press that the focus rules may take. Answers whether they took it;
  // a view hands a key they did not take to the focused control itself.
  bool KeyDown(Key key, Modifiers modifiers);

  // Called when a control was disabled or hidden: a focused control that can
  // no longer be reached loses the focus, and no other control gets it.
  void DropFocusIfUnreachable();

 private:
  std::vector<Control*> TabOrderList() const;
  void MoveFocusByTab(bool forward);
  void MoveFocusAmongSiblings(bool forward);
  void SetFocusInternal(Control* control);

  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<ControlObserver*> observers_;
  Control* focused_ = nullptr;
  std::string announcement_;
  bool activated_ = false;
  std::uint64_t revision_ = 0;
};

}  // namespace sqp::widgets
