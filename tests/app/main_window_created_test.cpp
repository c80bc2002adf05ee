#include "app/main_window_created.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/startup.h"
#include "support/fake_services.h"
#include "support/memory_shell.h"

namespace wc::testing {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Between(const std::vector<std::string>& log, const std::string& first,
                                 const std::string& last) {
  const auto from = std::find(log.begin(), log.end(), first);
  const auto to = std::find(log.begin(), log.end(), last);
  if (from == log.end() || to == log.end() || to < from) return {};
  return {from, to + 1};
}

TEST(MainWindowCreated, SkinsTheWindowThenAttachesTheDropTargetsBeforeItIsShown) {
  FakeServices services;
  MemoryShell shell(services);
  ASSERT_EQ(RunProgram(services, shell), 0);
  EXPECT_THAT(shell.skinStyles, ElementsAre(3));
  // The whole window is there when the skin comes, and the user sees it only afterwards.
  EXPECT_THAT(Between(services.log, "CreateMainWindow", "ShowMainWindow"),
              ElementsAre("CreateMainWindow", "ApplySkin 3", "AttachDropTarget", "AttachDropTarget",
                          "AttachDropTarget", "AttachDropTarget", "ShowMainWindow"));
}

TEST(MainWindowCreated, AttachesEachDropTargetToItsOwnBoxColumnOneFirst) {
  FakeServices services;
  MemoryShell shell(services);
  std::vector<MemoryShell::Attachment> expected;
  shell.whileRunning = [&](MemoryControls& ui) {
    for (const ColumnControls& column : kColumns) {
      expected.push_back({column.dropTarget, ui.WindowHandle(column.box)});
    }
  };
  ASSERT_EQ(RunProgram(services, shell), 0);
  EXPECT_EQ(shell.attached, expected);
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
