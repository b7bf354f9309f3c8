#pragma once

#include <string_view>

namespace sqp {

enum class PathStyle { kPosix, kWindows };

// Path conventions of the file system the probes run on.
#ifdef _WIN32
inline constexpr PathStyle kPlatformPathStyle = PathStyle::kWindows;
inline constexpr char kPathDelimiter = '\\';
// Characters after which a "." no longer starts a file extension.
inline constexpr std::string_view kExtensionStopChars = "\\:";
#else
inline constexpr PathStyle kPlatformPathStyle = PathStyle::kPosix;
inline constexpr char kPathDelimiter = '/';
inline constexpr std::string_view kExtensionStopChars = "/";
#endif

}  // namespace sqp
