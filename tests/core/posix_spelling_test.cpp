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

}  // namespace
}  // namespace sqp
