#pragma once

#include <cstdint>
#include <string>

namespace sqp {

inline constexpr std::uint32_t kSecondAgeStaticsSize = 21971754;  // 0x014F432A
inline constexpr std::uint32_t kOriginalStaticsSize = 19171873;   // 0x01248A21

// The CD edition named by the exact size of its "Statics0.mul".
std::string CDEditionFromStaticsSize(std::uint32_t size);
// Whether that size names an edition at all.
bool NamesCDEdition(std::uint32_t size);

}  // namespace sqp
