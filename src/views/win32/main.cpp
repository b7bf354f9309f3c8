// SQPatch: the Windows program's entry.
#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <string>
#include <vector>

#include "cmdline/windows_command_line.h"
#include "encoding/code_page.h"
#include "encoding/win32/text_conversion.h"
#include "sqpatch/sqpatch_program.h"
#include "views/win32/application_window.h"
#include "views/win32/win32_application_view.h"
#include "views/win32/win32_form_view.h"

namespace {

// The arguments as UTF-8, split from the raw line in the system code page
// so that a double-byte character's second byte is never a quote or a blank.
std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> words =
      sqp::SplitWindowsCommandLine(GetCommandLineA(), &sqp::IsCodePageLeadByte);
  for (std::string& word : words) word = sqp::AnsiToUtf8(word);
  return sqp::ArgumentsFromWords(words);
}

int RunEventLoop(sqp::win32::Win32FormView& view) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (view.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

// Returns the exit status.
int RunProgram(HINSTANCE instance, int show_command) {
  sqp::win32::Win32ApplicationView application_view(instance);
  sqp::SQPatchProgram program(application_view, CommandLineArguments());
  program.AskOffWindowThread();
  sqp::win32::ApplicationWindow application_window(program.App(), instance);
  sqp::win32::Win32FormView form_view(program.App(), program.SQPMainForm(), instance,
                                      application_window.Window());
  application_window.SetMainWindow(form_view.Window());
  application_window.Show(show_command);
  RunEventLoop(form_view);
  return program.ExitStatus();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int show_command) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  // The folder fields' completion and folder picker are COM objects; the
  // window is gone before COM goes.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  const int status = RunProgram(instance, show_command);
  if (com) CoUninitialize();
  return status;
}
