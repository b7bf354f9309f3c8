#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <map>

#include "app/application.h"
#include "sqpmain/layout_scale.h"
#include "sqpmain/sqp_main_form.h"
#include "widgets/control.h"

namespace sqp::win32 {

// The wizard window drawn with native controls. It holds no state of its
// own: it draws the model, tells it what the user did through the
// application's dispatch point, and leaves every decision to it.
class Win32FormView : public widgets::ControlObserver {
 public:
  Win32FormView(Application& application, TSQPMainForm& form, HINSTANCE instance);
  ~Win32FormView() override;
  Win32FormView(const Win32FormView&) = delete;
  Win32FormView& operator=(const Win32FormView&) = delete;

  HWND Window() const { return window_; }

  // Makes the window visible as the process was told to show it: the show
  // handler runs first, and the window is put on screen after it. A start
  // minimised without activation runs the show handler only when the user
  // first restores the window.
  void Show(int show_command);

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
  void TakeFolderDrop(HWND edit_window, HDROP drop);

  void CreateFontAndScale();
  void CreateControls();
  HWND CreatePanel(HWND parent, const widgets::Bounds& bounds, DWORD ex_style);
  HWND CreateChild(const wchar_t* window_class, DWORD style, DWORD ex_style, HWND parent,
                   const widgets::Bounds& bounds);
  int Scale(int layout_pixels) const;

  widgets::Control* ControlOf(HWND window) const;
  HWND WindowOf(const widgets::Control* control) const;
  HBRUSH Brush(COLORREF color);

  void ShowText(widgets::Control& control);
  void ShowSelection(widgets::Control& control);
  void ShowFocus();
  void FitLabel(HWND label_window);

  Application& application_;
  TSQPMainForm& form_;
  HINSTANCE instance_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  int text_height_ = 13;
  LayoutScale scale_;
  std::map<const widgets::Control*, HWND> windows_;
  std::map<HWND, widgets::Control*> controls_;
  // The frame of each group box; its panel holds the children.
  std::map<const widgets::Control*, HWND> group_frames_;
  std::map<COLORREF, HBRUSH> brushes_;
  // Set while the view writes an edit itself, whose EN_CHANGE is no user's.
  bool writing_text_ = false;
  // The edit whose user change is being handed to the model.
  const widgets::Control* user_editing_ = nullptr;
  bool activated_ = false;
};

}  // namespace sqp::win32
