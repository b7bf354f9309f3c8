#pragma once

#include <string>

namespace sqp::differential {

// Makes the table's entries below `root`, an existing empty folder. Throws
// std::system_error when the file system refuses one.
void BuildTestTree(const std::string& root);

}  // namespace sqp::differential
