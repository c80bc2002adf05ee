#include "app/exit_routines.h"

#include <algorithm>

namespace wc {

void ExitRoutines::Add(ExitRoutine routine) {
  if (std::find(routines_.begin(), routines_.end(), routine) == routines_.end()) {
    routines_.push_back(routine);
  }
}

void ExitRoutines::RunAll(App& app) {
  // Taken out first so that a routine which adds another cannot make the list run twice.
  std::vector<ExitRoutine> routines;
  routines.swap(routines_);
  for (ExitRoutine routine : routines) routine(app);
}

}  // namespace wc
