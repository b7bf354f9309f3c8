// Drops files onto the wizard's visible folder field as Explorer does: a
// WM_DROPFILES whose HDROP lives in the wizard's process. Then prints the
// field's text.
//   drop_probe WINDOW_TITLE PATH...
#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "folder_field_window.h"

namespace {

// DROPFILES followed by the wide paths, each ended by a NUL, and one more.
std::vector<char> DropFiles(const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& path : paths) list += path + L'\0';
  list += L'\0';
  std::vector<char> block(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  std::memcpy(block.data(), &header, sizeof(header));
  std::memcpy(block.data() + sizeof(header), list.data(), list.size() * sizeof(wchar_t));
  return block;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: drop_probe WINDOW_TITLE PATH...\n");
    return 2;
  }
  HWND edit = sqp::window_probes::VisibleFolderField(argv[1]);
  if (edit == nullptr) {
    std::fprintf(stderr, "no visible edit in a window titled %ls\n", argv[1]);
    return 1;
  }

  // The shell hands the receiver memory of its own; so does this probe.
  DWORD process_id = 0;
  GetWindowThreadProcessId(edit, &process_id);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process_id);
  const std::vector<char> block = DropFiles(std::vector<std::wstring>(argv + 2, argv + argc));
  void* remote = process == nullptr ? nullptr
                                    : VirtualAllocEx(process, nullptr, block.size(),
                                                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (remote == nullptr ||
      !WriteProcessMemory(process, remote, block.data(), block.size(), nullptr)) {
    std::fprintf(stderr, "cannot write into the wizard's process (error %lu)\n", GetLastError());
    return 1;
  }
  // Sent, not posted: the field's text is read after the drop was handled.
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0,
                           SMTO_ABORTIFHUNG, 30000, &result)) {
    std::fprintf(stderr, "the drop was not delivered (error %lu)\n", GetLastError());
    return 1;
  }
  CloseHandle(process);

  const std::string bytes = sqp::window_probes::FieldText(edit);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fputc('\n', stdout);
  return 0;
}
