#include "views/win32/announcement.h"

#include <commctrl.h>
#include <oleacc.h>

#include "encoding/win32/text_conversion.h"
#include "views/win32/accessible_names.h"

namespace sqp::win32 {

Announcement::Announcement(HWND parent, HINSTANCE instance) {
  // Visible, as screen readers pass over events of hidden windows, but empty.
  window_ = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0,
                            parent, nullptr, instance, nullptr);
  if (window_ != nullptr) ServeAlert(window_, text_);
}

void Announcement::Speak(const std::string& text) {
  if (window_ == nullptr) return;
  text_ = Utf8ToWide(text);
  NotifyWinEvent(EVENT_SYSTEM_ALERT, window_, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace sqp::win32
