#include "encoding/win32/text_conversion.h"

#include <windows.h>

namespace sqp {

namespace {

std::wstring ToWide(UINT code_page, DWORD flags, std::string_view text) {
  if (text.empty()) return {};
  const int length =
      MultiByteToWideChar(code_page, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, flags, text.data(), static_cast<int>(text.size()), wide.data(),
                      length);
  return wide;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, 0, utf8); }

std::string WideToUtf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                      nullptr, nullptr);
  return utf8;
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
  if (utf8.find('\0') != std::string_view::npos) return std::nullopt;
  if (utf8.empty()) return std::string();
  const std::wstring wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
  if (wide.empty()) return std::nullopt;
  BOOL lossy = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, &lossy);
  if (length <= 0 || lossy) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), length,
                      nullptr, nullptr);
  return ansi;
}

std::string AnsiToUtf8(std::string_view ansi) { return WideToUtf8(ToWide(CP_ACP, 0, ansi)); }

}  // namespace sqp
