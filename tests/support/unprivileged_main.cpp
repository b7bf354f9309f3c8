// The main of the test binaries whose cases need an ordinary user: root
// passes every permission check, so a run as root would prove nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (geteuid() == 0) {
    std::fprintf(stderr,
                 "These tests need an ordinary user: root passes every permission check.\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}
