#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/act_announcer.h"
#include "app/application_view.h"
#include "app/window_post.h"
#include "widgets/form.h"

namespace sqp {

// The text the default error reporter shows for a failure's message: a "."
// is appended when the message is not empty and its last character's code is
// above that of "." (46).
std::string ErrorReportText(std::string message);

// One per process: title, command-line arguments, main form, message boxes,
// the queued quit request, the exit status, and the one dispatch point
// through which every event reaches the program's handlers.
class Application {
 public:
  explicit Application(ApplicationView& view);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // The arguments after the program's own name.
  void SetArguments(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }
  int ParamCount() const { return static_cast<int>(arguments_.size()); }
  // Argument `index` counted from 1; empty when there is none.
  std::string ParamStr(int index) const;

  widgets::Form* MainForm() const { return main_form_; }
  void SetMainForm(widgets::Form* form) { main_form_ = form; }

  // Makes the main form visible. Its show handler runs the first time, before
  // the view puts the window on screen, through the dispatch point.
  void ShowMainForm();
  bool MainFormShown() const { return shown_; }

  void MessageBox(std::string text, std::string caption, MessageBoxIcon icon);

  // The queued request to end the event loop. Once asked it stays pending,
  // and every box opened meanwhile closes at once.
  void PostQuitRequest();
  bool QuitPending() const { return quit_pending_; }
  // Closing the main window ends the program without a question.
  void CloseMainForm() { PostQuitRequest(); }

  int ExitCode() const { return exit_code_; }
  void SetExitCode(int exit_code) { exit_code_ = exit_code; }

  // Runs one event's handler. A failure that escapes it ends the handler,
  // keeps whatever it changed, and goes to the default error reporter; then
  // the event loop goes on. An outermost event is one act of the user: once
  // the window shows, the result rows it changed are announced on the main
  // form, before an error box it led to and at its end.
  void Dispatch(const std::function<void()>& handler);

  // The default error reporter.
  void ShowException(const std::exception& failure);

  // For threads that answer the window later. It closes with the quit
  // request: nothing lands on a window that is going.
  std::shared_ptr<WindowPost> WindowThread() const { return window_post_; }

 private:
  ApplicationView& view_;
  std::string title_;
  std::vector<std::string> arguments_;
  widgets::Form* main_form_ = nullptr;
  bool shown_ = false;
  // What start-up writes before the window shows is nobody's act.
  bool starting_ = false;
  int dispatch_depth_ = 0;
  ActAnnouncer announcer_;
  bool quit_pending_ = false;
  int exit_code_ = 0;
  std::shared_ptr<WindowPost> window_post_;
};

}  // namespace sqp
