#pragma once

#include <span>

#include "app/bindings.h"
#include "app/shell.h"
#include "platform/services.h"

namespace wc {

// The whole life of the program on its user-interface thread: start-up, the event loop and
// the end. Returns the exit code of a normal end; a fatal failure never returns.
int RunProgram(Services& services, Shell& shell,
               std::span<const Binding> bindings = ProgramBindings());

}  // namespace wc
