#pragma once

#include <string>
#include <string_view>

namespace wc {

// The executable's path up to its last backslash: "C:\\a\\b.exe" gives "C:\\a", a program in a
// drive root gives "C:", a path without a backslash gives "". A 0x5C that is the second byte
// of a double-byte character is no backslash.
std::string ProgramDirectory(std::string_view modulePath);

}  // namespace wc
