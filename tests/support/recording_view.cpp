#include "support/recording_view.h"

namespace sqp::testing {

void PrintTo(const ShownBox& shown, std::ostream* out) {
  *out << "{\"" << shown.box.text << "\", caption \"" << shown.box.caption << "\", "
       << (shown.box.icon == MessageBoxIcon::kStop ? "stop icon" : "no icon") << ", "
       << (shown.waited ? "waited" : "closed at once") << "}";
}

ShownBox ErrorBox(std::string text, bool waited) {
  return {{std::move(text), "Error", MessageBoxIcon::kNone}, waited};
}

ShownBox ReporterBox(std::string text) {
  return {{std::move(text), "Stonequill Patch", MessageBoxIcon::kStop}, true};
}

}  // namespace sqp::testing
