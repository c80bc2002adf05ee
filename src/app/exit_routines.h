#pragma once

#include <vector>

namespace wc {

struct App;
using ExitRoutine = void (*)(App&);

// Routines run once at the end, in the order they were added; adding one twice changes nothing.
class ExitRoutines {
 public:
  void Add(ExitRoutine routine);
  void RunAll(App& app);
  std::size_t Size() const { return routines_.size(); }

 private:
  std::vector<ExitRoutine> routines_;
};

}  // namespace wc
