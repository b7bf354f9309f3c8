#include "views/win32/accessible_names.h"

#include <commctrl.h>
#include <oleacc.h>

#include <string>

#include "encoding/win32/text_conversion.h"
#include "widgets/accessible_name.h"

namespace sqp::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x5351;
// Sent by a served object to its own window (always on the window's thread,
// where COM calls into it arrive) for the control's current name.
const UINT kNameMessage = RegisterWindowMessageW(L"StonequillPatchAccessibleName");
// The same for its description: an empty edit's cue text.
const UINT kDescriptionMessage = RegisterWindowMessageW(L"StonequillPatchAccessibleDescription");

// The system's accessible object for a window's client area with the name
// taken from the window's control. Every other question goes to the
// system's object.
class NamedAccessible final : public IAccessible {
 public:
  // With a `role`, the object also answers that role instead of the system's.
  NamedAccessible(HWND window, IAccessible* system, LONG role = 0)
      : window_(window), system_(system), role_(role) {}
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // Clients find the window and walk children through these.
    if (iid == __uuidof(IOleWindow) || iid == __uuidof(IEnumVARIANT)) {
      return system_->QueryInterface(iid, object);
    }
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return system_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return system_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return system_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* bad_argument) override {
    return system_->Invoke(id, iid, locale, flags, parameters, result, exception, bad_argument);
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (name == nullptr) return E_POINTER;
    std::wstring own;
    if (child.vt == VT_I4 && child.lVal == CHILDID_SELF && IsWindow(window_) &&
        SendMessageW(window_, kNameMessage, 0, reinterpret_cast<LPARAM>(&own)) != 0) {
      *name = SysAllocStringLen(own.data(), static_cast<UINT>(own.size()));
      return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    return system_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return system_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return system_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return system_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return system_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    std::wstring own;
    if (description != nullptr && child.vt == VT_I4 && child.lVal == CHILDID_SELF &&
        IsWindow(window_) &&
        SendMessageW(window_, kDescriptionMessage, 0, reinterpret_cast<LPARAM>(&own)) != 0) {
      *description = SysAllocStringLen(own.data(), static_cast<UINT>(own.size()));
      return *description != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    return system_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role_ != 0 && role != nullptr && child.vt == VT_I4 && child.lVal == CHILDID_SELF) {
      VariantInit(role);
      role->vt = VT_I4;
      role->lVal = role_;
      return S_OK;
    }
    return system_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return system_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return system_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return system_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return system_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return system_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return system_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return system_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return system_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return system_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return system_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
    return system_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return system_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return system_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    // An edit's value is its text, set as Windows' own edit object sets it
    // (Wine's has no setter): the edit takes it as a change of the user's.
    wchar_t class_name[16] = L"";
    GetClassNameW(window_, class_name, 16);
    if (child.vt == VT_I4 && child.lVal == CHILDID_SELF && lstrcmpiW(class_name, WC_EDITW) == 0) {
      SendMessageW(window_, WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(value != nullptr ? value : L""));
      return S_OK;
    }
    return system_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() { system_->Release(); }

  HWND window_;
  IAccessible* system_;
  LONG role_;
  LONG references_ = 1;
};

LRESULT AnswerGetObject(HWND window, WPARAM wparam, LONG role = 0) {
  // Handing the object to another process needs COM on this thread, which
  // the program's entry has set up.
  IAccessible* system = nullptr;
  if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&system))) ||
      system == nullptr) {
    return 0;
  }
  auto* named = new NamedAccessible(window, system, role);
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wparam, named);
  named->Release();
  return result;
}

LRESULT CALLBACK ServingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                             UINT_PTR /*id*/, DWORD_PTR control_data) {
  const auto* control = reinterpret_cast<const widgets::Control*>(control_data);
  if (message == WM_GETOBJECT && static_cast<DWORD>(lparam) == static_cast<DWORD>(OBJID_CLIENT)) {
    if (const LRESULT answer = AnswerGetObject(window, wparam); answer != 0) return answer;
  } else if (message == kNameMessage) {
    *reinterpret_cast<std::wstring*>(lparam) = Utf8ToWide(widgets::AccessibleName(*control));
    return 1;
  } else if (message == kDescriptionMessage) {
    // An empty edit's cue text, which says what the field offers.
    wchar_t class_name[16] = L"";
    wchar_t cue[256] = L"";
    GetClassNameW(window, class_name, 16);
    if (lstrcmpiW(class_name, WC_EDITW) != 0 || GetWindowTextLengthW(window) != 0 ||
        !SendMessageW(window, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 256) ||
        cue[0] == L'\0')
      return 0;
    *reinterpret_cast<std::wstring*>(lparam) = cue;
    return 1;
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &ServingProc, kSubclassId);
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

LRESULT CALLBACK AlertProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR /*id*/,
                           DWORD_PTR text_data) {
  if (message == WM_GETOBJECT && static_cast<DWORD>(lparam) == static_cast<DWORD>(OBJID_CLIENT)) {
    if (const LRESULT answer = AnswerGetObject(window, wparam, ROLE_SYSTEM_ALERT); answer != 0) {
      return answer;
    }
  } else if (message == kNameMessage) {
    *reinterpret_cast<std::wstring*>(lparam) = *reinterpret_cast<const std::wstring*>(text_data);
    return 1;
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &AlertProc, kSubclassId);
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace

void ServeAlert(HWND window, const std::wstring& text) {
  SetWindowSubclass(window, &AlertProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&text));
}

void ServeAccessibleName(HWND window, const widgets::Control& control) {
  SetWindowSubclass(window, &ServingProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&control));
}

void AnnounceNameChange(HWND window) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace sqp::win32
