// Files and folders dropped onto a folder field: which folder a drop names.
#include "sqpmain/folder_drop.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sqp::testing {
namespace {

struct DropCase {
  const char* what;
  PathStyle style;
  std::vector<std::string> paths;
  std::set<std::string> folders;  // the dropped paths that are folders
  std::optional<std::string> named;
  // Whether every item is a local path, the only kind the file system may be
  // asked about.
  bool local = true;
};

const PathStyle kPosix = PathStyle::kPosix;
const PathStyle kWindows = PathStyle::kWindows;

const DropCase kDropCases[] = {
    {"a folder names itself", kPosix, {"/home/u/client"}, {"/home/u/client"}, "/home/u/client"},
    {"a folder URL's trailing slash goes",
     kPosix,
     {"/home/u/client/"},
     {"/home/u/client/"},
     "/home/u/client"},
    {"a file names the folder that holds it", kPosix, {"/home/u/cd/Map0.mul"}, {}, "/home/u/cd"},
    {"the root names itself", kPosix, {"/"}, {"/"}, "/"},
    {"a file in the root names the root", kPosix, {"/setup.sh"}, {}, "/"},
    {"files of one folder name it",
     kPosix,
     {"/home/u/cd/Statics0.mul", "/home/u/cd/Map0.mul"},
     {},
     "/home/u/cd"},
    {"files of two folders name none",
     kPosix,
     {"/home/u/client/Map0.mul", "/home/u/cd/Map0.mul"},
     {},
     std::nullopt},
    {"a folder and a file beside it name two folders",
     kPosix,
     {"/home/u/client/sub", "/home/u/client/Map0.mul"},
     {"/home/u/client/sub"},
     std::nullopt},
    {"a file URL with a host is a network path",
     kPosix,
     {"//server/share/uo"},
     {"//server/share/uo"},
     std::nullopt,
     false},
    {"a web address", kPosix, {"https://example.invalid/uo/"}, {}, std::nullopt, false},
    {"a remote folder", kPosix, {"sftp://example.invalid/home/uo"}, {}, std::nullopt, false},
    {"a local folder with a web address",
     kPosix,
     {"/home/u/client", "https://example.invalid/uo/"},
     {"/home/u/client"},
     std::nullopt,
     false},
    {"a bare name", kPosix, {"Map0.mul"}, {}, std::nullopt, false},
    {"a drive path on Linux", kPosix, {"C:\\UO"}, {"C:\\UO"}, std::nullopt, false},
    {"an empty drop", kPosix, {}, {}, std::nullopt},

    {"a drive folder names itself", kWindows, {"C:\\UO"}, {"C:\\UO"}, "C:\\UO"},
    {"a trailing backslash goes", kWindows, {"C:\\UO\\"}, {"C:\\UO\\"}, "C:\\UO"},
    {"a file names its folder", kWindows, {"C:\\UO\\Data\\Map0.mul"}, {}, "C:\\UO\\Data"},
    {"forward slashes separate too", kWindows, {"C:/UO/Map0.mul"}, {}, "C:/UO"},
    {"a drive's root keeps its backslash", kWindows, {"D:\\"}, {"D:\\"}, "D:\\"},
    {"a file in a drive's root names the root", kWindows, {"C:\\setup.exe"}, {}, "C:\\"},
    {"items of one folder name it",
     kWindows,
     {"C:\\UO\\Map0.mul", "C:\\UO\\StaIdx0.mul"},
     {},
     "C:\\UO"},
    {"items of two drives name none",
     kWindows,
     {"C:\\UO\\Map0.mul", "D:\\Map0.mul"},
     {},
     std::nullopt},
    {"a folder and a file beside it name none",
     kWindows,
     {"C:\\UO\\Data", "C:\\UO\\Map0.mul"},
     {"C:\\UO\\Data"},
     std::nullopt},
    {"a share",
     kWindows,
     {"\\\\server\\share\\UO"},
     {"\\\\server\\share\\UO"},
     std::nullopt,
     false},
    {"a share in the long form",
     kWindows,
     {"\\\\?\\UNC\\server\\share\\Map0.mul"},
     {},
     std::nullopt,
     false},
    {"a long local path is local", kWindows, {"\\\\?\\C:\\UO\\Map0.mul"}, {}, "\\\\?\\C:\\UO"},
    {"a bare file name", kWindows, {"Map0.mul"}, {}, std::nullopt, false},
    {"an empty drop of Explorer", kWindows, {}, {}, std::nullopt},
};

TEST(DroppedFolder, IsTheFolderAllItemsNameOnLocalPathsOnly) {
  for (const DropCase& drop : kDropCases) {
    SCOPED_TRACE(drop.what);
    std::vector<std::string> asked;
    const auto is_folder = [&](const std::string& path) {
      asked.push_back(path);
      return drop.folders.count(path) > 0;
    };
    EXPECT_EQ(DroppedFolder(drop.paths, is_folder, drop.style), drop.named);
    if (!drop.local) {
      EXPECT_EQ(asked, std::vector<std::string>{});
    }
  }
}

}  // namespace
}  // namespace sqp::testing
