// Asks the file probes of this build about every query of the differential
// table below a tree's root. Built natively and with mingw (run under Wine)
// from this one source.
//
//   differential_harness --build ROOT        make the tree in the empty folder ROOT (Linux)
//   differential_harness --root ROOT         print one line per query and probe
//   differential_harness --root ROOT --compare FILE
//       compare with the answers FILE holds (Linux); status 0 when every
//       difference is an accepted one
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "probe_answers.h"

#ifndef _WIN32
#include "comparison.h"
#include "test_tree.h"
#endif

namespace {

int Usage() {
  std::fputs("usage: differential_harness --build ROOT | --root ROOT [--compare FILE]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string build, root, compare;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 < argc && (arg == "--build" || arg == "--root" || arg == "--compare")) {
      (arg == "--build" ? build : arg == "--root" ? root : compare) = argv[++i];
    } else {
      return Usage();
    }
  }
  try {
#ifndef _WIN32
    if (!build.empty()) {
      sqp::differential::BuildTestTree(build);
      return 0;
    }
    if (!root.empty() && !compare.empty()) {
      std::ifstream other(compare);
      if (!other) {
        std::cerr << "cannot read " << compare << "\n";
        return 2;
      }
      return sqp::differential::CompareAnswers(root, other, std::cout).Passed() ? 0 : 1;
    }
#endif
    if (root.empty() || !build.empty() || !compare.empty()) return Usage();
    sqp::differential::PrintAnswers(root, std::cout);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "differential_harness: " << error.what() << "\n";
    return 2;
  }
}
