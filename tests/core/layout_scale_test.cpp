// How far the window grows for the font a view draws with.
#include "sqpmain/layout_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <ostream>
#include <string>
#include <variant>

#include "sqpmain/sqp_main_layout.h"

namespace sqp::testing {
namespace {

// Each label's laid-out width, by its layout text.
std::map<std::string, int, std::less<>> LaidOutLabelWidths() {
  std::map<std::string, int, std::less<>> widths;
  for (const LayoutRow& row : SQPMainLayout()) {
    if (std::holds_alternative<widgets::Label * TSQPMainForm::*>(row.field))
      widths.emplace(row.text, row.bounds.width);
  }
  return widths;
}

const LayoutRow& Row(std::string_view name) {
  for (const LayoutRow& row : SQPMainLayout()) {
    if (row.name == name) return row;
  }
  ADD_FAILURE() << "no row " << name;
  return SQPMainLayout().front();
}

// A window font as a view measures it: its text height, and each text as
// wide as laid out times `widening`, rounded, plus `extra` pixels for one text.
struct FontCase {
  const char* what;
  int text_height;
  double widening;
  std::string_view extra_text;
  int extra;
  // Whether some label's text is too wide for the height rule.
  bool grows;
  std::string_view second_text = {};  // wider by `second` pixels
  int second = 0;
};

void PrintTo(const FontCase& font, std::ostream* out) { *out << font.what; }

const FontCase kFonts[] = {
    {"layout's own font at 96 dpi", 13, 1.0, {}, 0, false},
    {"layout's proportions, one pixel shorter", 12, 12.0 / 13, {}, 0, false},
    {"layout's metrics at 120 dpi", 16, 16.0 / 13, {}, 0, false},
    {"layout's metrics at 144 dpi", 20, 20.0 / 13, {}, 0, false},
    {"layout's metrics at 192 dpi", 26, 26.0 / 13, {}, 0, false},
    {"narrow face, tall text", 16, 1.1, {}, 0, false},
    {"layout's widths, one pixel shorter (Wine at 96 dpi)", 12, 1.0, {}, 0, true},
    {"sans serif with Arial's widths", 12, 1.06, {}, 0, true},
    {"one path text hinted wider", 13, 1.0, "The UO client is installed at: (i.e. C:\\UO)", 7,
     true},
    {"one name wider at 144 dpi", 20, 20.0 / 13, "CD type", 9, true},
    // The widest need decides, not the last label measured.
    {"path text 15 px too wide, a later name 2 px", 13, 1.0,
     "The UO client is installed at: (i.e. C:\\UO)", 15, true, "CD type", 2},
};

class LayoutScaleForFont : public ::testing::TestWithParam<FontCase> {
 protected:
  int Width(std::string_view text) const {
    const auto laid_out = widths_.find(text);
    if (laid_out == widths_.end()) {
      ADD_FAILURE() << "measured a text no label is laid out with: " << text;
      return 0;
    }
    const FontCase& font = GetParam();
    return static_cast<int>(std::lround(laid_out->second * font.widening)) +
           (text == font.extra_text ? font.extra : 0) +
           (text == font.second_text ? font.second : 0);
  }

  const std::map<std::string, int, std::less<>> widths_ = LaidOutLabelWidths();
};

TEST_P(LayoutScaleForFont, EveryLabelFitsAndTheWindowGrowsNoMoreThanNeeded) {
  const FontCase& font = GetParam();
  int measured = 0;
  const LayoutScale scale = SQPMainLayoutScale(font.text_height, [&](std::string_view text) {
    ++measured;
    return Width(text);
  });
  EXPECT_GT(measured, 0);

  const LayoutScale by_height(font.text_height, SQPMainWindowLayout().design_text_height);
  int filled = 0;
  for (const auto& [text, laid_out] : widths_) {
    EXPECT_LE(Width(text), scale.Scaled(laid_out)) << text;
    if (Width(text) == scale.Scaled(laid_out) && Width(text) > by_height.Scaled(laid_out)) ++filled;
  }
  if (font.grows) {
    EXPECT_LT(by_height, scale);
    // No smaller scale would do: the widest label fills its width to the pixel.
    EXPECT_GT(filled, 0);
  } else {
    EXPECT_EQ(scale, by_height);
  }
  // A path label's text ends before its edit begins, and a file's name
  // before its result.
  for (const auto& [label, beside] : {std::pair{"UOClientPathLabel", "UOClientPathEdit"},
                                      {"UOCDPathLabel", "UOCDPathEdit"},
                                      {"UOClientStaticsNameLabel", "UOClientStaticsResultLabel"},
                                      {"UOCDTypeNameLabel", "UOCDTypeResultLabel"}}) {
    const LayoutRow& row = Row(label);
    EXPECT_LE(scale.Scaled(row.bounds.left) + Width(row.text),
              scale.Scaled(Row(beside).bounds.left))
        << label;
  }
}

INSTANTIATE_TEST_SUITE_P(Fonts, LayoutScaleForFont, ::testing::ValuesIn(kFonts));

TEST(LayoutScaleRounding, RoundsToTheNearestPixelHalvesAwayFromZero) {
  struct Case {
    LayoutScale scale;
    int layout_pixels;
    int scaled;
  };
  for (const Case& c : {Case{{12, 13}, 212, 196}, Case{{12, 13}, 8, 7}, Case{{20, 13}, 461, 709},
                        Case{{1, 2}, 3, 2}, Case{{1, 2}, -3, -2}, Case{{3, 2}, 0, 0}}) {
    EXPECT_EQ(c.scale.Scaled(c.layout_pixels), c.scaled)
        << c.scale.Numerator() << "/" << c.scale.Denominator() << " of " << c.layout_pixels;
  }
  EXPECT_EQ(LayoutScale(24, 26), LayoutScale(12, 13));
  EXPECT_LT(LayoutScale(12, 13), LayoutScale(1, 1));
}

}  // namespace
}  // namespace sqp::testing
