#pragma once

#include <cstdint>

namespace sqp::widgets {

// A colour as the Windows toolkit holds it: red in the lowest byte, green in
// the next, blue in the third.
using Color = std::uint32_t;

inline constexpr Color kGreen = 0x008000;
inline constexpr Color kRed = 0x0000FF;

constexpr int RedOf(Color color) { return static_cast<int>(color & 0xFF); }
constexpr int GreenOf(Color color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int BlueOf(Color color) { return static_cast<int>((color >> 16) & 0xFF); }

}  // namespace sqp::widgets
