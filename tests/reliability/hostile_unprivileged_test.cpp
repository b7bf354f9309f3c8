// Hostile inputs that only an ordinary user meets: root is let through every
// permission check. CTest runs this binary under an unprivileged user.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/hostile_case.h"
#include "support/temp_tree.h"

namespace sqp::testing {
namespace {

constexpr std::uint64_t kSecondAge = 21971754;

HostileInput Folders(std::string text, Via via = Via::kStartupFolders) {
  return {via, std::move(text), {}};
}

std::string GoodFolder(const TempTree& tree, const std::string& name = "d") {
  MakeMapFiles(tree, name, kSecondAge);
  return tree.Path(name);
}

const Outcome kAllFound = {"WWW", "FFF", "The Second Age", true, {}, 0};
const Outcome kNothingFound = {};

std::vector<HostileCase> Cases() {
  return {
      {"a folder the user may not list still yields its exact names",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(folder, 0300);
         return Folders(folder, Via::kTypedFolders);
       },
       kAllFound},
      {"case variants in a folder the user may not list are not found",
       [](const TempTree& t) {
         t.File("d/staidx0.mul");
         t.File("d/statics0.mul");
         t.File("d/map0.mul");
         SetMode(t.Path("d"), 0300);
         return Folders(t.Path("d"));
       },
       kNothingFound},
      {"a folder without search permission hides its files",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(folder, 0600);
         return Folders(folder);
       },
       kNothingFound},
      {"a folder on the way without search permission hides what lies below",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t, "outer/d");
         SetMode(t.Path("outer"), 0600);
         return Folders(folder, Via::kPastedFolders);
       },
       kNothingFound},
      {"a folder without any permission",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(folder, 0);
         return Folders(folder);
       },
       kNothingFound},
      {"a Statics0.mul the user may not read is found but cannot be measured",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(t.Path("d/Statics0.mul"), 0200);
         return Folders(folder);
       },
       {"WWW",
        "FFF",
        "UOCDTypeResultLabel",
        true,
        {ReporterBoxText("Dateizugriff verweigert.")},
        0}},
      {"a Statics0.mul without any permission is read-only and cannot be measured",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(t.Path("d/Statics0.mul"), 0);
         return Folders(folder);
       },
       {"WRW",
        "FFF",
        "UOCDTypeResultLabel",
        false,
        {ReporterBoxText("Dateizugriff verweigert.")},
        0}},
      {"unreadable StaIdx0.mul and Map0.mul are found: only Statics0.mul is opened",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         SetMode(t.Path("d/StaIdx0.mul"), 0200);
         SetMode(t.Path("d/Map0.mul"), 0200);
         return Folders(folder);
       },
       kAllFound},
      {"a patch file the user may not read is present",
       [](const TempTree& t) {
         const std::string folder = GoodFolder(t);
         const std::string patch = t.File("locked.sq2");
         SetMode(patch, 0);
         return HostileInput{Via::kArgv, {}, {patch, folder, folder}};
       },
       kAllFound},
      {"a patch file in a folder without search permission does not exist",
       [](const TempTree& t) {
         const std::string patch = t.File("hidden/south.sq2");
         SetMode(t.Path("hidden"), 0600);
         return HostileInput{Via::kArgv, {}, {patch}};
       },
       {"NNN",
        "NNN",
        "Path not correct!",
        false,
        {ErrorBoxText("{root}/hidden/south.sq2 does not exist!", true)},
        1}},
  };
}

class HostileUnprivileged : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileUnprivileged, NeitherCrashNorHangNorWrite) { ExpectHostileCaseHolds(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Table, HostileUnprivileged, ::testing::ValuesIn(Cases()),
                         HostileCaseTestName);

}  // namespace
}  // namespace sqp::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (geteuid() == 0) {
    std::fprintf(stderr,
                 "These tests need an ordinary user: root passes every permission check.\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}
