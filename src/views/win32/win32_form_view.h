#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <map>
#include <memory>
#include <string>

#include "app/application.h"
#include "sqpmain/sqp_main_form.h"
#include "views/win32/announcement.h"
#include "views/win32/found_list.h"
#include "views/win32/window_metrics.h"
#include "widgets/control.h"

namespace sqp::widgets {
class ProgressBar;
}

namespace sqp::win32 {

// The wizard window drawn with native controls. It holds no state of its
// own: every native window mirrors a control of the core's form, and every
// input goes to the core through the application's dispatch point.
class Win32FormView : public widgets::ControlObserver {
 public:
  // Created hidden, owned by `owner`, which stands for the program in the
  // task bar and minimises in its place.
  Win32FormView(Application& application, TSQPMainForm& form, HINSTANCE instance, HWND owner);
  ~Win32FormView() override;
  Win32FormView(const Win32FormView&) = delete;
  Win32FormView& operator=(const Win32FormView&) = delete;

  HWND Window() const { return window_; }

  // Searches this machine for installed clients and CD copies, once the
  // window shows, and offers them in the folder fields while it lives.
  void StartFolderSearch();
  HWND WindowFor(const widgets::Control* control) const;

  // Offers a message fetched by the event loop to the focus rules before it
  // is dispatched; true when they took it.
  bool PreTranslate(const MSG& message);

  void ControlChanged(widgets::Control& control, widgets::Change change) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR id, DWORD_PTR view);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleCommand(HWND control_window, WORD code);
  LRESULT LabelColors(HWND label_window, HDC dc);
  FolderField* FolderFieldOf(HWND edit_window) const;
  void TakeFolderDrop(HWND edit_window, HDROP drop);
  // Whether the edit shows an entry of its completion list, not yet the model's.
  bool ListEntryShown(HWND edit_window) const;
  // Hands a text that the completion list or assistive technology left in
  // the edit to the model, once the list has closed.
  void SettleListText(HWND edit_window);
  void ShowFolderFieldMenu(HWND edit_window, LPARAM where);
  // The cue an empty folder field shows, and its description to screen readers.
  void ShowCue(HWND edit_window);
  // Takes the found folder picked in the found list as the user's edit.
  void TakeFoundEntry();

  // The native window of each control kind is made in one place: its
  // style, its font and what it accepts.
  HWND CreateNative(widgets::Control& control, HWND parent);
  HWND CreateLabel(widgets::Control& label, HWND parent);
  HWND CreateEdit(widgets::Control& edit, HWND parent);
  HWND CreateButton(widgets::Control& button, HWND parent);
  HWND CreateGroupBox(widgets::Control& box, HWND parent);
  HWND CreateProgressBar(widgets::ProgressBar& bar, HWND parent);
  HWND CreatePanel(widgets::Control& container, HWND parent);
  HWND CreateChild(const wchar_t* window_class, DWORD style, DWORD ex_style, HWND parent,
                   const widgets::Bounds& bounds);
  void StackUnderSiblings();

  widgets::Control* ControlOf(HWND window) const;
  HBRUSH Brush(COLORREF color);

  void ShowText(widgets::Control& control);
  void ShowSelection(widgets::Control& control);
  void ShowFocus();
  void TakeUserFocus(widgets::Control& control);
  void FitLabel(HWND label_window);

  Application& application_;
  TSQPMainForm& form_;
  HINSTANCE instance_;
  WindowMetrics metrics_;
  HWND window_ = nullptr;
  std::map<const widgets::Control*, HWND> windows_;
  std::map<HWND, widgets::Control*> controls_;
  // The frame of each group box; its panel holds the children.
  std::map<const widgets::Control*, HWND> group_frames_;
  // The name each control was last announced with: a reader hears one event
  // per change of it, however often the change is reported.
  std::map<const widgets::Control*, std::string> spoken_names_;
  std::map<COLORREF, HBRUSH> brushes_;
  // Set while the view writes an edit itself, whose EN_CHANGE is no user's.
  bool writing_text_ = false;
  // The edit the completion list is writing its entry into.
  HWND list_writing_ = nullptr;
  // The edit whose user change is being handed to the model.
  const widgets::Control* user_editing_ = nullptr;
  bool activated_ = false;
  // Made after the window, within it; outlives it (the window goes first).
  std::unique_ptr<Announcement> announcement_;
  bool searching_ = false;
  FoundList found_list_;
};

}  // namespace sqp::win32
