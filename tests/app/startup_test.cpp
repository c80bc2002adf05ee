#include "app/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/app.h"
#include "support/fake_services.h"
#include "support/memory_shell.h"

namespace wc::testing {
namespace {

using ::testing::ElementsAre;

FakeServices& Fake(App& app) {
  return static_cast<FakeServices&>(app.services);
}

void LogCreated(App& app, const EventArgs&) {
  Fake(app).log.push_back("Created");
  // The window is complete before its Created handler runs.
  EXPECT_NE(app.controls, nullptr);
  EXPECT_NE(app.Controls().WindowHandle(Control::编辑框_第一列), nullptr);
}

constexpr Binding kCreatedOnly[] = {
    {WindowId::主窗口, std::nullopt, Event::Created, &LogCreated},
};

TEST(Startup, RunsEveryStepInOrderAndEndsWithZero) {
  FakeServices services;
  services.moduleFileName = "C:\\Program Files\\青禾\\WordCombiner.exe";
  MemoryShell shell(services);
  const int code = RunProgram(services, shell, kCreatedOnly);
  EXPECT_EQ(code, 0);
  EXPECT_THAT(services.log, ElementsAre("OleInitialize", "GetModuleFileName",
                                        "SetCurrentDirectory C:\\Program Files\\青禾",
                                        "CreateMainWindow", "Created", "ShowMainWindow",
                                        "EventLoop", "EventLoopEnded", "OleUninitialize"));
  EXPECT_TRUE(services.messages.empty());
}

TEST(Startup, GoesOnWhenOleCannotBeInitialised) {
  FakeServices services;
  services.oleFails = true;
  MemoryShell shell(services);
  EXPECT_EQ(RunProgram(services, shell), 0);
  EXPECT_TRUE(shell.shown);
}

TEST(Startup, ADriveRootGivesTheDriveAsProgramDirectory) {
  FakeServices services;
  services.moduleFileName = "E:\\WordCombiner.exe";
  MemoryShell shell(services);
  RunProgram(services, shell);
  EXPECT_THAT(services.log, ::testing::Contains("SetCurrentDirectory E:"));
}

TEST(Startup, AMainWindowThatCannotBeBuiltIsFatal) {
  FakeServices services;
  MemoryShell shell(services);
  shell.failCreate = true;
  try {
    RunProgram(services, shell, kCreatedOnly);
    FAIL() << "the program went on without a main window";
  } catch (const ProcessExit& exit) {
    EXPECT_EQ(exit.code, -1);
  }
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].title, "错误");
  EXPECT_EQ(services.messages[0].text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(services.messages[0].kind, MessageKind::Error);
  // Nothing ran after the message: no Created, no event loop, no OLE uninitialise.
  EXPECT_THAT(services.log, ElementsAre("OleInitialize", "GetModuleFileName",
                                        ::testing::StartsWith("SetCurrentDirectory"),
                                        "CreateMainWindow", "MessageBox", "ExitProcess -1"));
}

}  // namespace
}  // namespace wc::testing
