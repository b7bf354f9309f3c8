#pragma once

#include <array>
#include <span>
#include <string_view>
#include <variant>

#include "sqpmain/sqp_main_form.h"

namespace sqp {

// The window as laid out for 96 dots per inch.
struct WindowLayout {
  std::string_view caption;
  int client_width;
  int client_height;
  std::string_view font_name;
  int font_points;
  // The font's character height in pixels at 96 dpi (8 points).
  int font_pixels;
  // The font's text height at 96 dpi; every position and size scales by the
  // actual text height over this one.
  int design_text_height;
  // Rounds the pages of a container are inset by on every side.
  int page_inset;
};
const WindowLayout& SQPMainWindowLayout();

// The field of TSQPMainForm that a row fills; its type names the control kind.
using LayoutField =
    std::variant<widgets::Label * TSQPMainForm::*, widgets::Edit * TSQPMainForm::*,
                 widgets::Button * TSQPMainForm::*, widgets::GroupBox * TSQPMainForm::*,
                 widgets::ProgressBar * TSQPMainForm::*, widgets::PageControl * TSQPMainForm::*,
                 widgets::TabSheet * TSQPMainForm::*>;

// A handler of the form: click for a button, change for an edit or a page
// container.
using LayoutEvent = void (TSQPMainForm::*)(widgets::Control*);

inline constexpr int kNoTabOrder = -1;

struct LayoutRow {
  LayoutField field;
  std::string_view name;
  std::string_view parent;  // empty for the window itself
  widgets::Bounds bounds;
  std::string_view text;
  int tab_order;
  LayoutEvent event;
};

// Every control of the window, parents before their children.
std::span<const LayoutRow> SQPMainLayout();

// Which labels name a control to assistive technology, in reading order: a
// folder edit by its path label, a result label by its row (the file name,
// then the result itself).
struct AccessibleNameRow {
  std::string_view control;
  std::array<std::string_view, 2> named_by;  // an unused place stays empty
};
std::span<const AccessibleNameRow> SQPMainAccessibleNames();

// The edits that hold a folder: they offer completion, the picker and drops.
std::span<const std::string_view> SQPMainFolderFields();

}  // namespace sqp
