#include "views/win32/win32_form_view.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <optional>
#include <string>
#include <vector>

#include "encoding/win32/text_conversion.h"
#include "sqpmain/found_folders_offer.h"
#include "views/win32/accessible_names.h"
#include "views/win32/dropped_paths.h"
#include "views/win32/folder_field.h"
#include "views/win32/key_mapping.h"
#include "views/win32/resource_ids.h"
#include "views/win32/window_messages.h"
#include "widgets/accessible_name.h"
#include "widgets/button.h"
#include "widgets/edit.h"
#include "widgets/label.h"
#include "widgets/progress_bar.h"

namespace sqp::win32 {

using widgets::Change;
using widgets::Control;
using widgets::ControlKind;

namespace {

constexpr wchar_t kPanelClass[] = L"StonequillPatchPanel";
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

void RegisterPanelClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  if (GetClassInfoExW(instance, kPanelClass, &window_class)) return;
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(SQP_MAIN_ICON));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kPanelClass;
  RegisterClassExW(&window_class);
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A byte offset into the model's UTF-8 text as a UTF-16 offset.
WPARAM WideOffset(const std::string& text, std::size_t byte_offset) {
  return Utf8ToWide(std::string_view(text).substr(0, byte_offset)).size();
}

}  // namespace

Win32FormView::Win32FormView(Application& application, TSQPMainForm& form, HINSTANCE instance,
                             HWND owner)
    : application_(application), form_(form), instance_(instance) {
  RegisterPanelClass(instance_, &Win32FormView::WindowProc);
  const widgets::Bounds& client = form_.GetBounds();
  RECT frame{0, 0, metrics_.Scaled(client.width), metrics_.Scaled(client.height)};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
  // Created hidden at the window system's default place.
  window_ = CreateWindowExW(0, kPanelClass, Utf8ToWide(form_.Text()).c_str(), kWindowStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                            frame.bottom - frame.top, owner, nullptr, instance_, this);
  windows_[&form_] = window_;
  controls_[window_] = &form_;
  // Parents come before their children in the form's creation order.
  for (Control* control : form_.AllControls()) {
    HWND native = CreateNative(*control, WindowFor(control->Parent()));
    windows_[control] = native;
    controls_[native] = control;
    ShowText(*control);
    EnableWindow(native, control->Enabled());
    if (control->Visible()) ShowWindow(native, SW_SHOWNA);
    if (widgets::NameIsNotShownText(*control)) ServeAccessibleName(native, *control);
    spoken_names_[control] = widgets::AccessibleName(*control);
  }
  StackUnderSiblings();
  announcement_ = std::make_unique<Announcement>(window_, instance_);
  form_.AddObserver(this);
}

Win32FormView::~Win32FormView() {
  for (const auto& [control, native] : windows_) {
    if (FolderField* field = form_.FolderFieldOf(control)) field->SetFoundListener(nullptr);
  }
  form_.RemoveObserver(this);
  if (window_ != nullptr) DestroyWindow(window_);
  for (const auto& [color, brush] : brushes_) DeleteObject(brush);
}

HWND Win32FormView::CreateChild(const wchar_t* window_class, DWORD style, DWORD ex_style,
                                HWND parent, const widgets::Bounds& bounds) {
  HWND child = CreateWindowExW(ex_style, window_class, L"", WS_CHILD | WS_CLIPSIBLINGS | style,
                               metrics_.Scaled(bounds.left), metrics_.Scaled(bounds.top),
                               metrics_.Scaled(bounds.width), metrics_.Scaled(bounds.height),
                               parent, nullptr, instance_, this);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(metrics_.Font()), FALSE);
  return child;
}

HWND Win32FormView::CreateNative(Control& control, HWND parent) {
  switch (control.Kind()) {
    case ControlKind::kLabel:
      return CreateLabel(control, parent);
    case ControlKind::kEdit:
      return CreateEdit(control, parent);
    case ControlKind::kButton:
      return CreateButton(control, parent);
    case ControlKind::kGroupBox:
      return CreateGroupBox(control, parent);
    case ControlKind::kProgressBar:
      return CreateProgressBar(static_cast<widgets::ProgressBar&>(control), parent);
    case ControlKind::kPageControl:
    case ControlKind::kTabSheet:
    case ControlKind::kForm:
      break;
  }
  return CreatePanel(control, parent);
}

HWND Win32FormView::CreateLabel(Control& label, HWND parent) {
  return CreateChild(WC_STATICW, SS_LEFT | SS_NOPREFIX, 0, parent, label.GetBounds());
}

HWND Win32FormView::CreateEdit(Control& edit, HWND parent) {
  HWND native = CreateChild(WC_EDITW, WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                            parent, edit.GetBounds());
  SendMessageW(native, EM_SETLIMITTEXT, 0, 0);
  SetWindowSubclass(native, &Win32FormView::EditProc, 0, reinterpret_cast<DWORD_PTR>(this));
  if (const FolderField* field = form_.FolderFieldOf(&edit); field != nullptr) {
    // Dropped folders come to the edit itself, not to its parent.
    DragAcceptFiles(native, TRUE);
    AttachFolderCompletion(native, *field);
    form_.FolderFieldOf(&edit)->SetFoundListener([this, native] { ShowCue(native); });
  }
  return native;
}

void Win32FormView::StartFolderSearch() {
  if (searching_) return;
  searching_ = true;
  sqp::StartFolderSearch(form_, application_.WindowThread(), MachineSearchPlaces());
}

void Win32FormView::ShowCue(HWND edit_window) {
  const FolderField* field = FolderFieldOf(edit_window);
  if (field == nullptr) return;
  // Shown while the field is empty, focused or not.
  const std::wstring cue = Utf8ToWide(field->CueText());
  SendMessageW(edit_window, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue.c_str()));
  // Wine's edit draws a new cue only when it repaints.
  InvalidateRect(edit_window, nullptr, TRUE);
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, edit_window, OBJID_CLIENT, CHILDID_SELF);
}

void Win32FormView::TakeFoundEntry() {
  HWND edit_window = found_list_.Edit();
  const std::optional<std::string> picked = found_list_.Picked();
  found_list_.Close();
  if (FolderField* field = FolderFieldOf(edit_window); field != nullptr && picked)
    field->TakeText(*picked);
}

HWND Win32FormView::CreateButton(Control& button, HWND parent) {
  return CreateChild(WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0, parent, button.GetBounds());
}

HWND Win32FormView::CreateGroupBox(Control& box, HWND parent) {
  // The panel holds the children and answers their messages; the frame lies
  // underneath them. No WS_CLIPCHILDREN: the panel paints the background the
  // frame leaves open.
  const widgets::Bounds& bounds = box.GetBounds();
  HWND panel = CreateChild(kPanelClass, 0, WS_EX_CONTROLPARENT, parent, bounds);
  HWND frame = CreateChild(WC_BUTTONW, BS_GROUPBOX | WS_VISIBLE, 0, panel,
                           {0, 0, bounds.width, bounds.height});
  group_frames_[&box] = frame;
  controls_[frame] = &box;
  return panel;
}

HWND Win32FormView::CreateProgressBar(widgets::ProgressBar& bar, HWND parent) {
  HWND native = CreateChild(PROGRESS_CLASSW, 0, 0, parent, bar.GetBounds());
  SendMessageW(native, PBM_SETRANGE32, static_cast<WPARAM>(bar.Min()),
               static_cast<LPARAM>(bar.Max()));
  SendMessageW(native, PBM_SETPOS, static_cast<WPARAM>(bar.Position()), 0);
  return native;
}

HWND Win32FormView::CreatePanel(Control& container, HWND parent) {
  return CreateChild(kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent,
                     container.GetBounds());
}

void Win32FormView::StackUnderSiblings() {
  // Labels lie under the windowed controls of their parent, as text drawn on
  // the parent would; group box frames lie under everything.
  constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  for (const auto& [control, native] : windows_) {
    if (control->Kind() == ControlKind::kLabel) {
      SetWindowPos(native, HWND_BOTTOM, 0, 0, 0, 0, kKeepPlace);
    }
  }
  for (const auto& [control, frame] : group_frames_) {
    SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, kKeepPlace);
  }
  // A control named by one label comes right after it: the system names a
  // field by the label before it, for screen readers that ask it.
  for (const auto& [control, native] : windows_) {
    const std::vector<const Control*>& named_by = control->NamedBy();
    if (named_by.size() == 1 && named_by.front() != control) {
      SetWindowPos(native, WindowFor(named_by.front()), 0, 0, 0, 0, kKeepPlace);
    }
  }
}

Control* Win32FormView::ControlOf(HWND window) const {
  const auto found = controls_.find(window);
  return found == controls_.end() ? nullptr : found->second;
}

HWND Win32FormView::WindowFor(const Control* control) const {
  const auto found = windows_.find(control);
  return found == windows_.end() ? nullptr : found->second;
}

HBRUSH Win32FormView::Brush(COLORREF color) {
  auto found = brushes_.find(color);
  if (found == brushes_.end()) found = brushes_.emplace(color, CreateSolidBrush(color)).first;
  return found->second;
}

bool Win32FormView::PreTranslate(const MSG& message) {
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const widgets::Key key = KeyFromVirtualKey(message.wParam);
      if (key == widgets::Key::kOther) return false;
      const widgets::Modifiers modifiers = CurrentModifiers();
      if (found_list_.Edit() != nullptr && message.hwnd == found_list_.Edit()) {
        switch (FolderField::KeyWhileListOpen(key, true)) {
          case ListKeyAction::kMoveInList:
            found_list_.Move(key == widgets::Key::kDown ? 1 : -1);
            return true;
          case ListKeyAction::kTakeEntry:
            TakeFoundEntry();
            return true;
          case ListKeyAction::kCloseList:
            found_list_.Close();
            return true;
          case ListKeyAction::kCloseAndPass:
          case ListKeyAction::kToField:
            found_list_.Close();
            break;
        }
      }
      if (FolderFieldOf(message.hwnd) != nullptr && !FolderCompletionListShown()) {
        // Down opens the found folders only where the folder field says;
        // every other arrow goes to the edit as before.
        if (const auto found = FolderFieldOf(message.hwnd)->ListOnKey(key, modifiers)) {
          found_list_.Open(window_, message.hwnd, *found);
          return true;
        }
      }
      if (FolderFieldOf(message.hwnd) != nullptr && FolderCompletionListShown()) {
        switch (FolderField::KeyWhileListOpen(key, ListEntryShown(message.hwnd))) {
          case ListKeyAction::kMoveInList:
          case ListKeyAction::kCloseList:
          case ListKeyAction::kToField:
            // The completion object acts on these keys itself.
            return false;
          case ListKeyAction::kTakeEntry:
            // Tab takes the entry as Enter does.
            if (key != widgets::Key::kEnter) SendMessageW(message.hwnd, WM_KEYDOWN, VK_RETURN, 0);
            return key != widgets::Key::kEnter;
          case ListKeyAction::kCloseAndPass:
            break;
        }
      }
      bool taken = false;
      application_.Dispatch([&] { taken = form_.KeyDown(key, modifiers); });
      return taken;
    }
    case WM_LBUTTONDOWN:
      // The press moves the focus, whether or not the mouse is released over
      // the control.
      if (Control* control = ControlOf(message.hwnd); control != nullptr) TakeUserFocus(*control);
      return false;
    default:
      return false;
  }
}

void Win32FormView::ControlChanged(Control& control, Change change) {
  HWND native = WindowFor(&control);
  if (native == nullptr) return;
  switch (change) {
    case Change::kText:
      ShowText(control);
      break;
    case Change::kColor:
      InvalidateRect(native, nullptr, TRUE);
      break;
    case Change::kEnabled:
      EnableWindow(native, control.Enabled());
      break;
    case Change::kVisible:
      ShowWindow(native, control.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Change::kSelection:
      if (&control != user_editing_) ShowSelection(control);
      break;
    case Change::kFocus:
      ShowFocus();
      break;
    case Change::kActivePage:
      break;  // the pages' own visibility shows it
    case Change::kAccessibleName:
      if (std::string name = widgets::AccessibleName(control); name != spoken_names_[&control]) {
        spoken_names_[&control] = std::move(name);
        AnnounceNameChange(native);
      }
      break;
    case Change::kAnnouncement:
      announcement_->Speak(form_.Announcement());
      break;
  }
}

void Win32FormView::ShowText(Control& control) {
  HWND native = WindowFor(&control);
  const std::wstring text = Utf8ToWide(control.Text());
  switch (control.Kind()) {
    case ControlKind::kTabSheet:
    case ControlKind::kPageControl:
    case ControlKind::kProgressBar:
      return;
    case ControlKind::kGroupBox:
      SetWindowTextW(group_frames_[&control], text.c_str());
      return;
    case ControlKind::kEdit:
      // Win32 reports every SetWindowText as a change: this one is no user's.
      if (WindowText(native) == text) return;
      writing_text_ = true;
      SetWindowTextW(native, text.c_str());
      writing_text_ = false;
      return;
    case ControlKind::kLabel:
      SetWindowTextW(native, text.c_str());
      FitLabel(native);
      return;
    default:
      SetWindowTextW(native, text.c_str());
      return;
  }
}

void Win32FormView::FitLabel(HWND label_window) {
  const std::wstring text = WindowText(label_window);
  HDC dc = GetDC(label_window);
  HGDIOBJ previous = SelectObject(dc, metrics_.Font());
  SIZE extent{0, metrics_.TextHeight()};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, previous);
  ReleaseDC(label_window, dc);
  SetWindowPos(label_window, nullptr, 0, 0, extent.cx, metrics_.TextHeight(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(label_window, nullptr, TRUE);
}

void Win32FormView::ShowSelection(Control& control) {
  if (control.Kind() != ControlKind::kEdit) return;
  const auto& edit = static_cast<const widgets::Edit&>(control);
  const std::string& text = edit.Text();
  SendMessageW(
      WindowFor(&control), EM_SETSEL, WideOffset(text, edit.SelectionStart()),
      static_cast<LPARAM>(WideOffset(text, edit.SelectionStart() + edit.SelectionLength())));
}

void Win32FormView::TakeUserFocus(Control& control) {
  if (control.Kind() != ControlKind::kEdit && control.Kind() != ControlKind::kButton) return;
  application_.Dispatch([&] { form_.SetFocus(&control); });
}

void Win32FormView::ShowFocus() {
  // Before the first activation the window system keeps its own focus.
  if (!activated_) return;
  const Control* focused = form_.Focused();
  HWND target = focused != nullptr ? WindowFor(focused) : window_;
  if (target != nullptr && GetFocus() != target) SetFocus(target);
}

LRESULT CALLBACK Win32FormView::WindowProc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  auto* view = WindowOwner<Win32FormView>(window, message, lparam);
  if (view == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return view->HandleMessage(window, message, wparam, lparam);
}

LRESULT CALLBACK Win32FormView::EditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR /*id*/, DWORD_PTR view) {
  auto* self = reinterpret_cast<Win32FormView*>(view);
  switch (message) {
    case WM_DROPFILES: {
      auto drop = reinterpret_cast<HDROP>(wparam);
      self->TakeFolderDrop(edit, drop);
      DragFinish(drop);
      return 0;
    }
    case WM_CONTEXTMENU:
      if (self->FolderFieldOf(edit) == nullptr) break;
      self->ShowFolderFieldMenu(edit, lparam);
      return 0;
    case WM_SETTEXT:
      if (self->writing_text_) break;
      {
        // The completion list shows its entry in the edit: no change of the
        // user's until the list has closed with it.
        self->list_writing_ = edit;
        const LRESULT result = DefSubclassProc(edit, message, wparam, lparam);
        self->list_writing_ = nullptr;
        PostMessageW(edit, kSettleListText, 0, 0);
        return result;
      }
    case WM_KEYDOWN:
    case WM_KILLFOCUS: {
      if (message == WM_KILLFOCUS && self->found_list_.Edit() == edit) self->found_list_.Close();
      // Keys and the focus leaving close the list.
      const LRESULT result = DefSubclassProc(edit, message, wparam, lparam);
      PostMessageW(edit, kSettleListText, 0, 0);
      return result;
    }
    case kSettleListText:
      self->SettleListText(edit);
      return 0;
    case WM_TIMER:
      if (wparam != kSettleListTimer) break;
      KillTimer(edit, kSettleListTimer);
      self->SettleListText(edit);
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, &Win32FormView::EditProc, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

FolderField* Win32FormView::FolderFieldOf(HWND edit_window) const {
  return form_.FolderFieldOf(ControlOf(edit_window));
}

void Win32FormView::TakeFolderDrop(HWND edit_window, HDROP drop) {
  FolderField* field = FolderFieldOf(edit_window);
  if (field == nullptr) return;
  const std::optional<std::string> folder = field->FolderForDrop(DroppedPaths(drop), &IsFolder);
  if (!folder) return;
  // Put in as the user's own edit, whose EN_CHANGE reaches the core and which
  // the edit can undo; WM_SETTEXT would empty the undo buffer.
  const std::wstring text = Utf8ToWide(*folder);
  SendMessageW(edit_window, EM_SETSEL, 0, -1);
  SendMessageW(edit_window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Win32FormView::ListEntryShown(HWND edit_window) const {
  const Control* control = ControlOf(edit_window);
  return control != nullptr && WideToUtf8(WindowText(edit_window)) != control->Text();
}

void Win32FormView::SettleListText(HWND edit_window) {
  Control* control = ControlOf(edit_window);
  if (control == nullptr) return;
  std::string text = WideToUtf8(WindowText(edit_window));
  if (text == control->Text()) return;
  if (FolderCompletionListShown()) {
    // The list may close in ways that send the edit nothing more (a click
    // in it, its own handling of a key): look again shortly, until it has.
    SetTimer(edit_window, kSettleListTimer, USER_TIMER_MINIMUM * 5, nullptr);
    return;
  }
  // The entry the list closed with, or a value set by assistive technology:
  // one change of the user's.
  user_editing_ = control;
  if (FolderField* field = FolderFieldOf(edit_window); field != nullptr) {
    // A field that takes no input keeps the text it had.
    if (!field->TakeText(std::move(text))) {
      user_editing_ = nullptr;
      writing_text_ = true;
      SetWindowTextW(edit_window, Utf8ToWide(control->Text()).c_str());
      writing_text_ = false;
    }
  } else {
    auto& edit = static_cast<widgets::Edit&>(*control);
    application_.Dispatch([&] { edit.UserReplaceText(std::move(text)); });
  }
  user_editing_ = nullptr;
}

void Win32FormView::ShowFolderFieldMenu(HWND edit_window, LPARAM where) {
  FolderField* field = FolderFieldOf(edit_window);
  if (field == nullptr) return;
  POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (where == -1) {
    // From the keyboard: at the edit's corner.
    RECT area;
    GetWindowRect(edit_window, &area);
    point = {area.left, area.bottom};
  }
  if (!RunFolderFieldMenu(edit_window, point, field->OffersFolders())) return;
  const std::optional<std::string> start = field->PickerStart();
  const std::optional<std::wstring> chosen =
      ChooseFolder(window_, start ? Utf8ToWide(*start) : std::wstring());
  if (chosen) field->TakeText(WideToUtf8(*chosen));
}

LRESULT Win32FormView::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      // A click in the found list takes the folder clicked.
      if (lparam != 0 && reinterpret_cast<HWND>(lparam) == found_list_.Window() &&
          HIWORD(wparam) == LBN_SELCHANGE) {
        TakeFoundEntry();
        return 0;
      }
      if (lparam != 0) return HandleCommand(reinterpret_cast<HWND>(lparam), HIWORD(wparam));
      break;
    case WM_CTLCOLORSTATIC:
      if (LRESULT brush =
              LabelColors(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam)))
        return brush;
      break;
    case WM_PAINT:
      if (const Control* control = ControlOf(window);
          control != nullptr && control->Kind() == ControlKind::kPageControl) {
        // The body of a page container whose tab row is hidden.
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT area;
        GetClientRect(window, &area);
        DrawEdge(dc, &area, EDGE_RAISED, BF_RECT);
        EndPaint(window, &paint);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (window == window_) {
        // No question asked: the quit request ends the loop.
        application_.CloseMainForm();
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      // The program minimises as a whole: its owner leaves the task bar
      // button minimised and hides this window.
      if (window == window_ && (wparam & 0xFFF0) == SC_MINIMIZE) {
        if (HWND owner = GetWindow(window_, GW_OWNER); owner != nullptr) {
          ShowWindow(owner, SW_MINIMIZE);
          return 0;
        }
      }
      break;
    case WM_ACTIVATE:
      if (window == window_ && LOWORD(wparam) != WA_INACTIVE && HIWORD(wparam) == 0) {
        if (!activated_) {
          activated_ = true;
          application_.Dispatch([&] { form_.Activate(); });
        }
        ShowFocus();
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT Win32FormView::HandleCommand(HWND control_window, WORD code) {
  // Typing in the field closes its found list.
  if (code == EN_CHANGE && control_window == found_list_.Edit()) found_list_.Close();
  Control* control = ControlOf(control_window);
  if (control == nullptr) return 0;
  if (control->Kind() == ControlKind::kEdit && code == EN_CHANGE && !writing_text_ &&
      list_writing_ != control_window) {
    auto& edit = static_cast<widgets::Edit&>(*control);
    std::string text = WideToUtf8(WindowText(control_window));
    // The native edit keeps its own caret; the model's is not written back.
    user_editing_ = control;
    application_.Dispatch([&] { edit.UserReplaceText(std::move(text)); });
    user_editing_ = nullptr;
  } else if (control->Kind() == ControlKind::kButton && code == BN_CLICKED) {
    auto& button = static_cast<widgets::Button&>(*control);
    application_.Dispatch([&] { button.UserClick(); });
  }
  return 0;
}

LRESULT Win32FormView::LabelColors(HWND label_window, HDC dc) {
  const Control* control = ControlOf(label_window);
  if (control == nullptr || control->Kind() != ControlKind::kLabel) return 0;
  const auto& label = static_cast<const widgets::Label&>(*control);
  // The model's colours are COLORREFs already: red in the lowest byte.
  const COLORREF background =
      label.OwnColor() ? static_cast<COLORREF>(*label.OwnColor()) : GetSysColor(COLOR_BTNFACE);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, background);
  SetBkMode(dc, OPAQUE);
  return reinterpret_cast<LRESULT>(Brush(background));
}

}  // namespace sqp::win32
