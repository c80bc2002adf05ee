#include "app/exit_routines.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app.h"
#include "support/fake_services.h"
#include "support/memory_shell.h"

namespace wc {
namespace {

std::string trail;
void First(App&) {
  trail += "1";
}
void Second(App&) {
  trail += "2";
}

TEST(ExitRoutines, RunInTheOrderAddedAndOnceEachEvenWhenAddedTwice) {
  testing::FakeServices services;
  testing::MemoryShell shell(services);
  App app(services, shell);
  ExitRoutines routines;
  trail.clear();
  routines.Add(&Second);
  routines.Add(&First);
  routines.Add(&Second);
  EXPECT_EQ(routines.Size(), 2u);
  routines.RunAll(app);
  EXPECT_EQ(trail, "21");
  routines.RunAll(app);  // already run: nothing left
  EXPECT_EQ(trail, "21");
}

}  // namespace
}  // namespace wc
