#pragma once

#include <cstdint>
#include <string>

#include "probes/in_out_error.h"

namespace sqp {

// The three questions the checks ask the file system. Names match without
// regard to letter case, as they do on Windows.

// True when the path names an existing entry that is not a folder. The last
// component may hold the wildcards "*" and "?"; the first match decides.
// Never fails: any file-system failure means false.
bool FileIsPresent(const std::string& path);

// False when the path's attributes cannot be read or it carries the
// read-only attribute. "*" and "?" are taken as part of the name, here and in
// FileByteSize. Never fails.
bool FileIsWriteable(const std::string& path);

// The low 32 bits of the file's size in bytes. The file is opened for
// reading only and nothing is read from it. Throws EInOutError.
std::uint32_t FileByteSize(const std::string& path);

}  // namespace sqp
