#include <gtest/gtest.h>

#include "app/app.h"
#include "app/bindings.h"
#include "support/fake_services.h"
#include "support/memory_shell.h"
#include "ui/memory_controls.h"

namespace wc::testing {
namespace {

TEST(Description, EveryPressOnTheGreenLabelAsksTheShellForTheNotes) {
  FakeServices services;
  MemoryShell shell(services);
  App app(services, shell);
  EventRouter router(app, ProgramBindings());
  MemoryControls controls(router);
  app.controls = &controls;

  controls.UserPressesLeftButton(Control::透明标签_说明, 5, 7, 1 | 2);
  EXPECT_EQ(shell.descriptionOpens, 1);
  // One window at a time is the shell's business; the handler asks every time.
  controls.UserPressesLeftButton(Control::透明标签_说明);
  EXPECT_EQ(shell.descriptionOpens, 2);
  // Nothing else opens it.
  for (Control c : {Control::分组框1, Control::按钮_复制, Control::按钮_清空第一列})
    controls.UserClicks(c);
  EXPECT_EQ(shell.descriptionOpens, 2);
  EXPECT_TRUE(services.messages.empty());
}

}  // namespace
}  // namespace wc::testing
