// Reads sqpatch.exe's resources as Windows does: the manifest the loader
// applies, the version Explorer shows in the file's properties, and the icon
// group Explorer shows for the file.
//   resource_probe SQPATCH_EXE
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <string_view>

namespace {

int failures = 0;

void Expect(bool condition, const char* what) {
  std::printf("%s: %s\n", condition ? "ok" : "FAIL", what);
  if (!condition) ++failures;
}

std::string_view Resource(HMODULE module, LPCWSTR name, LPCWSTR type) {
  HRSRC found = FindResourceW(module, name, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  if (loaded == nullptr) return {};
  return {static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found)};
}

void CheckManifest(HMODULE module) {
  const std::string_view manifest =
      Resource(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  Expect(!manifest.empty(), "a manifest for the process");
  Expect(manifest.find("<requestedExecutionLevel level=\"asInvoker\"") != std::string_view::npos,
         "requested execution level asInvoker");
  Expect(manifest.find("name=\"Microsoft.Windows.Common-Controls\"") != std::string_view::npos &&
             manifest.find("version=\"6.0.0.0\"") != std::string_view::npos,
         "common controls 6");
  Expect(manifest.find(">true</dpiAware>") != std::string_view::npos, "DPI aware");
}

std::wstring VersionString(const std::string& info, WORD language, WORD code_page,
                           const wchar_t* name) {
  wchar_t query[128];
  swprintf(query, 128, L"\\StringFileInfo\\%04x%04x\\%ls", language, code_page, name);
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), query, &value, &length) || length == 0) return {};
  return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

void CheckVersion(const wchar_t* exe) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe, &handle);
  std::string info(size, '\0');
  if (size == 0 || !GetFileVersionInfoW(exe, 0, size, info.data())) {
    Expect(false, "a version resource");
    return;
  }
  void* value = nullptr;
  UINT length = 0;
  VerQueryValueW(info.data(), L"\\", &value, &length);
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  Expect(fixed != nullptr && fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0,
         "file version 1.0.0.0");
  Expect(
      fixed != nullptr && fixed->dwProductVersionMS == 0x00010000 && fixed->dwProductVersionLS == 0,
      "product version 1.0.0.0");
  Expect(fixed != nullptr && fixed->dwFileType == VFT_APP, "an application");

  // The strings in the first language the file names.
  const WORD* translation = nullptr;
  VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                 reinterpret_cast<void**>(const_cast<WORD**>(&translation)), &length);
  if (translation == nullptr || length < 2 * sizeof(WORD)) {
    Expect(false, "a translation");
    return;
  }
  const auto expect_string = [&](const wchar_t* name, const wchar_t* expected, const char* what) {
    Expect(VersionString(info, translation[0], translation[1], name) == expected, what);
  };
  expect_string(L"FileDescription", L"Stonequill Patch", "FileDescription \"Stonequill Patch\"");
  expect_string(L"ProductName", L"Stonequill Patch", "ProductName \"Stonequill Patch\"");
  expect_string(L"CompanyName", L"Stonequill", "CompanyName \"Stonequill\"");
  expect_string(L"FileVersion", L"1.0.0.0", "FileVersion \"1.0.0.0\"");
  expect_string(L"ProductVersion", L"1.0.0.0", "ProductVersion \"1.0.0.0\"");
  expect_string(L"OriginalFilename", L"sqpatch.exe", "OriginalFilename \"sqpatch.exe\"");
}

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first) {
  *reinterpret_cast<ULONG_PTR*>(first) = reinterpret_cast<ULONG_PTR>(name);
  return FALSE;
}

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width;
  BYTE height;
  BYTE color_count;
  BYTE reserved;
  WORD planes;
  WORD bit_count;
  DWORD bytes;
  WORD id;
};
struct IconGroupHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
#pragma pack(pop)

void CheckIcon(HMODULE module) {
  // Explorer shows the first icon group; the window class loads number 1.
  ULONG_PTR first = 0;
  EnumResourceNamesW(module, RT_GROUP_ICON, &TakeFirstName, reinterpret_cast<LONG_PTR>(&first));
  Expect(first == 1, "icon group 1 comes first");
  const std::string_view group = Resource(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  if (group.size() < sizeof(IconGroupHeader)) {
    Expect(false, "icon group 1");
    return;
  }
  IconGroupHeader header;
  std::memcpy(&header, group.data(), sizeof(header));
  std::set<int> sizes;
  bool all_present = true;
  for (WORD index = 0; index < header.count; ++index) {
    const std::size_t offset = sizeof(header) + index * sizeof(IconGroupEntry);
    if (offset + sizeof(IconGroupEntry) > group.size()) break;
    IconGroupEntry entry;
    std::memcpy(&entry, group.data() + offset, sizeof(entry));
    // 0 stands for 256.
    sizes.insert(entry.width == 0 ? 256 : entry.width);
    all_present = all_present && !Resource(module, MAKEINTRESOURCEW(entry.id), RT_ICON).empty();
  }
  Expect(sizes == std::set<int>{16, 32, 48, 256}, "icons of 16, 32, 48 and 256 pixels");
  Expect(all_present, "every icon of the group present");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: resource_probe SQPATCH_EXE\n");
    return 2;
  }
  HMODULE module = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) {
    std::printf("FAIL: cannot load the exe's resources (error %lu)\n", GetLastError());
    return 1;
  }
  CheckManifest(module);
  CheckIcon(module);
  FreeLibrary(module);
  CheckVersion(argv[1]);
  return failures == 0 ? 0 : 1;
}
