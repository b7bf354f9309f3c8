// The search for installed clients and CD copies: fake homes and media in a
// temporary folder, searched as the program searches this machine.
#include "found/folder_search.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "found/posix/search_places_posix.h"
#include "support/temp_tree.h"

namespace sqp::testing {
namespace {

constexpr std::uint64_t kT2A = 21971754;
constexpr std::uint64_t kOriginal = 19171873;

// This machine's places, with every folder named "net" on a network share.
class PlacesWithShare : public PosixSearchPlaces {
 public:
  using PosixSearchPlaces::PosixSearchPlaces;
  PlaceListing List(const std::string& folder) const override {
    if (folder.ends_with("/net")) return {true, {}, {}};
    return PosixSearchPlaces::List(folder);
  }
};

void Prefix(const TempTree& tree, const std::string& prefix) {
  tree.Folder(prefix + "/drive_c");
  tree.Symlink(prefix + "/dosdevices/c:", "../drive_c");
  tree.Symlink(prefix + "/dosdevices/z:", "/");
}

struct Row {
  const char* layout;
  const char* wine_prefix;  // below the tree; the home's .wine when empty
  std::function<void(const TempTree&)> make;
  // "@" stands for the tree's root.
  std::vector<std::string> client;
  std::vector<std::string> cd;  // the client list when empty
};

TEST(FolderSearch, FindsMapFoldersInEveryPlaceInTheOrderEachFieldOffersThem) {
  const Row rows[] = {
      {"default prefix: drive spelling, three levels, any letter case",
       "",
       [](const TempTree& t) {
         Prefix(t, "home/.wine");
         MakeMapFiles(t, "home/.wine/drive_c/Program Files (x86)/Publisher/Game");
         t.File("home/.wine/drive_c/uo/STAIDX0.MUL");
         t.File("home/.wine/drive_c/uo/statics0.mul", kT2A);
         t.File("home/.wine/drive_c/uo/map0.Mul");
         MakeMapFiles(t, "home/.wine/drive_c/a/b/c/too deep");
       },
       {"C:\\uo", "C:\\Program Files (x86)\\Publisher\\Game"},
       {}},
      {"every other prefix as its Linux path, in the places' order",
       "",
       [](const TempTree& t) {
         for (const char* prefix :
              {".local/share/wineprefixes/p", "Games/lutris", ".local/share/bottles/bottles/b",
               ".var/app/com.usebottles.bottles/data/bottles/bottles/f",
               ".steam/steam/steamapps/compatdata/1/pfx",
               ".local/share/Steam/steamapps/compatdata/2/pfx", ".PlayOnLinux/wineprefix/o"}) {
           Prefix(t, std::string("home/") + prefix);
           MakeMapFiles(t, std::string("home/") + prefix + "/drive_c/UO");
         }
       },
       {"@/home/.local/share/wineprefixes/p/drive_c/UO", "@/home/Games/lutris/drive_c/UO",
        "@/home/.local/share/bottles/bottles/b/drive_c/UO",
        "@/home/.var/app/com.usebottles.bottles/data/bottles/bottles/f/drive_c/UO",
        "@/home/.steam/steam/steamapps/compatdata/1/pfx/drive_c/UO",
        "@/home/.local/share/Steam/steamapps/compatdata/2/pfx/drive_c/UO",
        "@/home/.PlayOnLinux/wineprefix/o/drive_c/UO"},
       {}},
      {"$WINEPREFIX with a CD image on d:, a read-only copy, two editions, two files of three",
       "pfx",
       [](const TempTree& t) {
         Prefix(t, "pfx");
         Prefix(t, "home/.wine");
         t.Symlink("pfx/dosdevices/d:", t.Path("image"));
         t.Symlink("home/.wine/dosdevices/d:", t.Path("image2"));
         MakeMapFiles(t, "image", kOriginal);
         MakeMapFiles(t, "image2", kT2A);
         MakeMapFiles(t, "pfx/drive_c/UO");
         MakeMapFiles(t, "media/readonly", kT2A);
         for (const char* file : {"StaIdx0.mul", "Statics0.mul", "Map0.mul"})
           SetReadOnly(t.Path(std::string("media/readonly/") + file));
         t.File("media/two/StaIdx0.mul");
         t.File("media/two/Map0.mul");
       },
       {"C:\\UO", "D:\\", "@/image2", "@/media/readonly"},
       {"D:\\", "@/image2", "@/media/readonly", "C:\\UO"}},
      {"a loop of links, two links to one folder, a network share",
       "",
       [](const TempTree& t) {
         Prefix(t, "home/.wine");
         MakeMapFiles(t, "home/.wine/drive_c/UO");
         t.Symlink("home/.wine/drive_c/UO/up", "..");
         t.Symlink("home/.wine/drive_c/again", "UO");
         t.Symlink("media/disc", t.Path("home/.wine/drive_c/UO"));
         MakeMapFiles(t, "media/net/UO");
         MakeMapFiles(t, "media/usb/CD", kT2A);
       },
       {"C:\\UO", "@/media/usb/CD"},
       {"@/media/usb/CD", "C:\\UO"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.layout);
    const TempTree tree;
    tree.Folder("home");
    row.make(tree);
    const PathEnvironment environment{*row.wine_prefix ? tree.Path(row.wine_prefix) : "",
                                      tree.Path("home")};
    const FoundFolders found = SearchFolders(
        std::make_shared<PlacesWithShare>(environment, std::vector{tree.Path("media")}));
    const auto spelled = [&](std::vector<std::string> texts) {
      for (std::string& text : texts) {
        if (text.front() == '@') text = tree.Root() + text.substr(1);
      }
      return texts;
    };
    EXPECT_EQ(found.client, spelled(row.client));
    EXPECT_EQ(found.cd, spelled(row.cd.empty() ? row.client : row.cd));
  }
}

}  // namespace
}  // namespace sqp::testing
