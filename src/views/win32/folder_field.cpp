#include "views/win32/folder_field.h"

// After windows.h, whose types they use.
#include <commctrl.h>
#include <shldisp.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <memory>
#include <string>
#include <vector>

#include "encoding/win32/text_conversion.h"
#include "probes/path_text.h"
#include "sqpmain/folder_field.h"

namespace sqp::win32 {

namespace {

// The folder picker's client, under which the dialog would keep its state.
constexpr GUID kPickerClient = {
    0x5b1f3c2e, 0x8d4a, 0x4e7b, {0x9a, 0x61, 0x2c, 0x7e, 0x15, 0xd0, 0x43, 0xb8}};

enum MenuCommand : UINT {
  kUndo = 1,
  kCut,
  kCopy,
  kPaste,
  kDelete,
  kSelectAll,
  kBrowse,
};

bool IsCompletionList(HWND window) {
  wchar_t class_name[32] = L"";
  GetClassNameW(window, class_name, 32);
  // Windows draws the list in a window of its own class; Wine uses a list
  // box, alone or in a frame.
  return lstrcmpiW(class_name, L"Auto-Suggest Dropdown") == 0 ||
         lstrcmpiW(class_name, WC_LISTBOXW) == 0 ||
         FindWindowExW(window, nullptr, WC_LISTBOXW, nullptr) != nullptr;
}

BOOL CALLBACK FindShownList(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && IsCompletionList(window)) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

template <class T>
struct Releaser {
  void operator()(T* object) const { object->Release(); }
};

// The list the system's completion draws from: the folders in the folder
// typed up to the last separator, as that text followed by each name. The
// completion object asks for them (Expand) whenever that folder changes,
// and picks the entries that start with the whole text itself.
class FolderList : public IEnumString, public IACList {
 public:
  // IUnknown
  STDMETHODIMP QueryInterface(REFIID id, void** object) override {
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IEnumString)) {
      *object = static_cast<IEnumString*>(this);
    } else if (IsEqualIID(id, IID_IACList)) {
      *object = static_cast<IACList*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IEnumString
  STDMETHODIMP Next(ULONG count, LPOLESTR* entries, ULONG* fetched) override {
    ULONG taken = 0;
    for (; taken < count && next_ < entries_.size(); ++taken, ++next_) {
      const std::wstring& entry = entries_[next_];
      const std::size_t bytes = (entry.size() + 1) * sizeof(wchar_t);
      entries[taken] = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
      if (entries[taken] == nullptr) break;
      CopyMemory(entries[taken], entry.c_str(), bytes);
    }
    if (fetched != nullptr) *fetched = taken;
    return taken == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    next_ += count;
    return next_ <= entries_.size() ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    next_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumString** copy) override {
    *copy = nullptr;
    return E_NOTIMPL;
  }

  // IACList
  STDMETHODIMP Expand(PCWSTR typed_folder) override {
    entries_.clear();
    next_ = 0;
    // The completion object picks the entries that start with the whole
    // text itself, so the folder's entries are asked for with no typed name.
    const std::string text = WideToUtf8(typed_folder != nullptr ? typed_folder : L"");
    if (text.empty() || LastSeparator(text) != text.size() - 1) return S_OK;
    // Wine asks on the window's thread: a folder that does not answer in
    // time offers nothing rather than freezing the window.
    for (const std::string& entry : field_.EntriesInTime(text).value_or(std::vector<std::string>{}))
      entries_.push_back(Utf8ToWide(entry));
    return S_OK;
  }

  explicit FolderList(const FolderField& field) : field_(field) {}

 private:
  virtual ~FolderList() = default;

  const FolderField& field_;
  LONG references_ = 1;
  std::vector<std::wstring> entries_;
  std::size_t next_ = 0;
};

}  // namespace

void AttachFolderCompletion(HWND edit, const FolderField& field) {
  IAutoComplete2* raw_completion = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AutoComplete, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&raw_completion))))
    return;
  std::unique_ptr<IAutoComplete2, Releaser<IAutoComplete2>> completion(raw_completion);
  std::unique_ptr<FolderList, Releaser<FolderList>> folders(new FolderList(field));
  // The completion object keeps itself and the list alive as long as the edit.
  if (FAILED(completion->Init(edit, static_cast<IEnumString*>(folders.get()), nullptr, nullptr)))
    return;
  // A list under the edit, and no text of its own written into it.
  completion->SetOptions(ACO_AUTOSUGGEST);
}

bool FolderCompletionListShown() {
  bool found = false;
  EnumThreadWindows(GetCurrentThreadId(), &FindShownList, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool RunFolderFieldMenu(HWND edit, POINT screen_point, bool offer_browse) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selected = start != end;
  const bool has_text = GetWindowTextLengthW(edit) > 0;
  const auto flags = [](bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); };

  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, flags(SendMessageW(edit, EM_CANUNDO, 0, 0) != 0), kUndo, L"&Undo");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, flags(selected), kCut, L"Cu&t");
  AppendMenuW(menu, flags(selected), kCopy, L"&Copy");
  AppendMenuW(menu, flags(IsClipboardFormatAvailable(CF_UNICODETEXT) != 0), kPaste, L"&Paste");
  AppendMenuW(menu, flags(selected), kDelete, L"&Delete");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, flags(has_text), kSelectAll, L"Select &All");
  if (offer_browse) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kBrowse, Utf8ToWide(kBrowseForFolder).c_str());
  }
  const UINT command =
      static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                       screen_point.x, screen_point.y, 0, edit, nullptr));
  DestroyMenu(menu);

  // The same messages the edit's own menu sends: the edit reports each
  // change as the user's.
  switch (command) {
    case kUndo:
      SendMessageW(edit, WM_UNDO, 0, 0);
      break;
    case kCut:
      SendMessageW(edit, WM_CUT, 0, 0);
      break;
    case kCopy:
      SendMessageW(edit, WM_COPY, 0, 0);
      break;
    case kPaste:
      SendMessageW(edit, WM_PASTE, 0, 0);
      break;
    case kDelete:
      SendMessageW(edit, WM_CLEAR, 0, 0);
      break;
    case kSelectAll:
      SendMessageW(edit, EM_SETSEL, 0, -1);
      break;
    default:
      break;
  }
  return command == kBrowse;
}

std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& start_folder) {
  IFileOpenDialog* raw_dialog = nullptr;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&raw_dialog))))
    return std::nullopt;
  std::unique_ptr<IFileOpenDialog, Releaser<IFileOpenDialog>> dialog(raw_dialog);
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  // The program writes nothing: not the shell's recent lists, and no state
  // kept for it (the dialog's state is kept under this client's GUID,
  // cleared once it has closed).
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST |
                     FOS_DONTADDTORECENT);
  dialog->SetClientGuid(kPickerClient);
  if (!start_folder.empty()) {
    IShellItem* raw_start = nullptr;
    if (SUCCEEDED(
            SHCreateItemFromParsingName(start_folder.c_str(), nullptr, IID_PPV_ARGS(&raw_start)))) {
      std::unique_ptr<IShellItem, Releaser<IShellItem>> start(raw_start);
      dialog->SetFolder(start.get());
    }
  }
  const HRESULT shown = dialog->Show(owner);
  dialog->ClearClientData();
  if (shown != S_OK) return std::nullopt;  // cancelled, or no dialog
  IShellItem* raw_result = nullptr;
  if (FAILED(dialog->GetResult(&raw_result))) return std::nullopt;
  std::unique_ptr<IShellItem, Releaser<IShellItem>> result(raw_result);
  wchar_t* path = nullptr;
  if (FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &path))) return std::nullopt;
  std::wstring chosen(path);
  CoTaskMemFree(path);
  return chosen;
}

}  // namespace sqp::win32
