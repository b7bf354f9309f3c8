#include "app/application.h"

namespace sqp {

std::string ErrorReportText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

Application::Application(ApplicationView& view)
    : view_(view),
      window_post_(std::make_shared<WindowPost>([&view](std::function<void()> callback) {
        view.PostToWindowThread(std::move(callback));
      })) {}

Application::~Application() { window_post_->Close(); }

std::string Application::ParamStr(int index) const {
  if (index < 1 || index > ParamCount()) return {};
  return arguments_[static_cast<std::size_t>(index - 1)];
}

void Application::ShowMainForm() {
  if (shown_ || main_form_ == nullptr) return;
  shown_ = true;
  starting_ = true;
  if (main_form_->on_show) Dispatch([this] { main_form_->on_show(main_form_); });
  starting_ = false;
}

void Application::MessageBox(std::string text, std::string caption, MessageBoxIcon icon) {
  view_.RunMessageBox({std::move(text), std::move(caption), icon}, quit_pending_);
}

void Application::PostQuitRequest() {
  quit_pending_ = true;
  window_post_->Close();
  view_.PostQuit();
}

void Application::Dispatch(const std::function<void()>& handler) {
  const bool act = dispatch_depth_ == 0 && main_form_ != nullptr && !starting_;
  // Told when the act is over, so what a key changed is announced once.
  const auto announce = [&] {
    if (!act) return;
    std::string changes = announcer_.TakeChanges();
    if (!changes.empty()) main_form_->Announce(std::move(changes));
  };
  if (act) announcer_.Begin(*main_form_);
  {
    struct Depth {
      int& depth;
      ~Depth() { --depth; }
    } depth{++dispatch_depth_};
    try {
      handler();
    } catch (const std::exception& failure) {
      announce();
      ShowException(failure);
    }
  }
  announce();
}

void Application::ShowException(const std::exception& failure) {
  view_.ReleaseMouseCapture();
  MessageBox(ErrorReportText(failure.what()), title_, MessageBoxIcon::kStop);
}

}  // namespace sqp
