#pragma once

#include <string_view>

#include "platform/services.h"

namespace wc {

// Tells the user the program cannot go on, then ends the process with -1 without running the
// exit routines: the state they would release may be what just failed.
[[noreturn]] void FatalError(Services& services, std::string_view message);

}  // namespace wc
