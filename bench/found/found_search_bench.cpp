// The search for installed clients and CD copies over a home with five Wine
// prefixes and about 21,000 folders: how long it takes and how many folders
// it lists, with the program's limits (5,000 folders, 3 s) and without the
// folder limit, to show what the limit saves.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "found/folder_search.h"
#include "found/posix/search_places_posix.h"
#include "support/temp_tree.h"

namespace sqp::bench {

namespace {

// Each prefix's drive C: holds 20 folders of 20 of 10 (4,220 folders); the
// first prefix holds a CD copy, the last a client, both three levels down.
struct LargeHome {
  LargeHome() {
    const std::string prefixes[] = {".wine", ".local/share/wineprefixes/a",
                                    ".local/share/wineprefixes/b", "Games/c",
                                    ".local/share/bottles/bottles/d"};
    for (const std::string& prefix : prefixes) {
      const std::string drive_c = "home/" + prefix + "/drive_c";
      tree.Symlink("home/" + prefix + "/dosdevices/c:", "../drive_c");
      for (int a = 0; a < 20; ++a) {
        for (int b = 0; b < 20; ++b) {
          for (int c = 0; c < 10; ++c) {
            tree.Folder(drive_c + "/Publisher " + std::to_string(a) + "/Game " + std::to_string(b) +
                        "/Part " + std::to_string(c));
            ++folders;
          }
        }
      }
      folders += 20 * 20 + 20 + 1;
    }
    sqp::testing::MakeMapFiles(tree, "home/.wine/drive_c/Publisher 0/Game 0/Part 0", 21971754);
    sqp::testing::MakeMapFiles(tree,
                               "home/" + prefixes[4] + "/drive_c/Publisher 19/Game 19/Part 9");
  }
  sqp::testing::TempTree tree;
  int folders = 0;
};

LargeHome& Home() {
  static LargeHome home;
  return home;
}

void BM_Search(benchmark::State& state) {
  LargeHome& home = Home();
  SearchLimits limits;
  if (state.range(0) == 0) limits.max_folders = 1 << 30;
  const auto places = std::make_shared<PosixSearchPlaces>(
      PathEnvironment{"", home.tree.Path("home")}, std::vector<std::string>{});
  FoundFolders found;
  for (auto _ : state) {
    found = SearchFolders(places, limits);
    benchmark::DoNotOptimize(found);
  }
  state.counters["folders_in_home"] = home.folders;
  state.counters["folders_listed"] = found.folders_listed;
  state.counters["client_found"] = static_cast<double>(found.client.size());
  state.counters["cd_found"] = static_cast<double>(found.cd.size());
}
// 1: the program's limits; 0: no folder limit (the 3 s still hold).
BENCHMARK(BM_Search)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

}  // namespace sqp::bench

BENCHMARK_MAIN();
