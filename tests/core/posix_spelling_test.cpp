#include "probes/posix/posix_spelling.h"

#include <gtest/gtest.h>

namespace sqp {
namespace {

TEST(PosixSpelling, MapsDrivesThroughThePrefixAndTildeToHome) {
  const PathEnvironment prefixed{"/p/wine", "/home/u"};
  const PathEnvironment home_only{"", "/home/u/"};
  const PathEnvironment bare{"", ""};
  struct Case {
    const char* text;
    const PathEnvironment& environment;
    std::optional<std::string> spelling;
  };
  const Case cases[] = {
      {"C:\\UO", prefixed, "/p/wine/dosdevices/c:/UO"},
      {"c:/uo/", prefixed, "/p/wine/dosdevices/c:/uo/"},
      {"C:\\UO\\\\/x\\", prefixed, "/p/wine/dosdevices/c:/UO/x/"},
      {"C:", prefixed, "/p/wine/dosdevices/c:"},
      {"Z:\\", prefixed, "/p/wine/dosdevices/z:/"},
      {"C:\\..\\..\\UO", prefixed, "/p/wine/dosdevices/c:/UO"},
      {"C:\\UO\\.\\x\\..\\", prefixed, "/p/wine/dosdevices/c:/UO/"},
      {"D:\\Client", home_only, "/home/u/.wine/dosdevices/d:/Client"},
      {"C:\\UO", bare, std::nullopt},
      {"~", home_only, "/home/u/"},
      {"~/client", home_only, "/home/u/client"},
      {"~/client", prefixed, "/home/u/client"},
      {"~", bare, std::nullopt},
      // Everything else is a POSIX path as it stands.
      {"~user/x", prefixed, "~user/x"},
      {"C:UO", prefixed, "C:UO"},
      {"CD:\\x", prefixed, "CD:\\x"},
      {"1:\\x", prefixed, "1:\\x"},
      {"/opt/UO\\x", prefixed, "/opt/UO\\x"},
      {"", prefixed, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PosixSpelling(c.text, c.environment), c.spelling) << c.text;
  }
}

TEST(CollapseDotSteps, TakesDotsAsStepsInTheText) {
  const struct {
    const char* path;
    const char* collapsed;
  } cases[] = {
      {"/a/missing/../b", "/a/b"},
      {"/a/./b/.", "/a/b"},
      {"/../a", "/a"},
      {"/a/b/../../..", "/"},
      {"a/../../b", "../b"},
      {"./../here/x", "../here/x"},
      {"a/..", "."},
      {"a//b/", "a/b/"},
      {"/", "/"},
      {"", ""},
      {"/a/..x/b.", "/a/..x/b."},
  };
  for (const auto& c : cases) EXPECT_EQ(CollapseDotSteps(c.path), c.collapsed) << c.path;
}

}  // namespace
}  // namespace sqp
