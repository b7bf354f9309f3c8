#include "support/temp_tree.h"

namespace sqp::testing {

void MakeMapFiles(const TempTree& tree, std::string_view folder, std::uint64_t statics_size) {
  const std::string base(folder);
  tree.File(base + "/StaIdx0.mul", 100);
  tree.File(base + "/Statics0.mul", statics_size);
  tree.File(base + "/Map0.mul", 200);
}

}  // namespace sqp::testing
