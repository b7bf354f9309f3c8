#include "sqpmain/cd_edition.h"

namespace sqp {

std::string CDEditionFromStaticsSize(std::uint32_t size) {
  switch (size) {
    case kSecondAgeStaticsSize:
      return "The Second Age";
    case kOriginalStaticsSize:
      return "Original (not T2A)";
    default:
      return "Unknown";
  }
}

bool NamesCDEdition(std::uint32_t size) {
  return size == kSecondAgeStaticsSize || size == kOriginalStaticsSize;
}

}  // namespace sqp
