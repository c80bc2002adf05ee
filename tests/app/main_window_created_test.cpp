#include "app/main_window_created.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/startup.h"
#include "support/fake_services.h"
#include "support/memory_shell.h"

namespace wc::testing {
namespace {

using ::testing::ElementsAre;

TEST(MainWindowCreated, AttachesTheFourDropTargetsColumnOneFirstBeforeTheWindowShows) {
  FakeServices services;
  MemoryShell shell(services);
  std::vector<MemoryShell::Attachment> expected;
  shell.whileRunning = [&](MemoryControls& ui) {
    for (const ColumnControls& column : kColumns) {
      expected.push_back({column.dropTarget, ui.WindowHandle(column.box)});
    }
  };
  EXPECT_EQ(RunProgram(services, shell), 0);
  EXPECT_EQ(shell.attached, expected);
  EXPECT_THAT(services.log, ElementsAre("OleInitialize", "GetModuleFileName", ::testing::_,
                                        "CreateMainWindow", "AttachDropTarget", "AttachDropTarget",
                                        "AttachDropTarget", "AttachDropTarget", "ShowMainWindow",
                                        "EventLoop", "EventLoopEnded", "OleUninitialize"));
}

TEST(MainWindowCreated, ATargetThatCannotBeAttachedIsNeitherReportedNorFatal) {
  FakeServices services;
  services.oleFails = true;
  MemoryShell shell(services);
  shell.failAttach = true;
  EXPECT_EQ(RunProgram(services, shell), 0);
  EXPECT_TRUE(shell.shown);
  EXPECT_TRUE(services.messages.empty());
}

}  // namespace
}  // namespace wc::testing
