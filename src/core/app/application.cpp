#include "app/application.h"

namespace sqp {

std::string ErrorReportText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

std::string Application::ParamStr(int index) const {
  if (index < 1 || index > ParamCount()) return {};
  return arguments_[static_cast<std::size_t>(index - 1)];
}

void Application::ShowMainForm() {
  if (shown_ || main_form_ == nullptr) return;
  shown_ = true;
  if (main_form_->on_show) Dispatch([this] { main_form_->on_show(main_form_); });
}

void Application::MessageBox(std::string text, std::string caption, MessageBoxIcon icon) {
  view_.RunMessageBox({std::move(text), std::move(caption), icon}, quit_pending_);
}

void Application::PostQuitRequest() {
  quit_pending_ = true;
  view_.PostQuit();
}

void Application::Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& failure) {
    ShowException(failure);
  }
}

void Application::ShowException(const std::exception& failure) {
  view_.ReleaseMouseCapture();
  MessageBox(ErrorReportText(failure.what()), title_, MessageBoxIcon::kStop);
}

}  // namespace sqp
