// Copy and export on the real clipboard and file system, and through the real program.

#include "results/result_actions.h"

#include <windows.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <set>
#include <thread>

#include "app/app.h"
#include "platform/services_win32.h"
#include "support/fake_services.h"
#include "support/memory_shell.h"
#include "support/recording_sink.h"
#include "ui/memory_controls.h"
#include "win32/program_driver.h"

namespace wc::testing {
namespace {

using std::chrono::milliseconds;
using ::testing::ElementsAre;

// The handlers over the real services; only the main window is the in-memory one.
struct RealServicesApp {
  Win32Services services;
  FakeServices unused;  // backs the shell, which these tests never reach
  MemoryShell shell{unused};
  App app{services, shell};
  RecordingSink sink;
  MemoryControls controls{sink};

  RealServicesApp() { app.controls = &controls; }
  void Copy(std::string_view result) {
    controls.SetText(Control::编辑框_结果, result);
    CopyResult(app, {});
  }
};

std::set<UINT> ClipboardFormats() {
  std::set<UINT> formats;
  if (!OpenClipboard(nullptr)) return formats;
  for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f)) formats.insert(f);
  CloseClipboard();
  return formats;
}

TEST(ClipboardWin32, HoldsTheResultBytesAndOneNulAsText) {
  RealServicesApp program;
  for (const std::string& result : {std::string(""), std::string("苹果手机\r\n甲\x95\x5C\r\n")}) {
    program.Copy(result);
    EXPECT_EQ(ClipboardText(), result + '\0');
    // Only what the system derives from CF_TEXT by itself may stand beside it.
    for (UINT format : ClipboardFormats()) {
      EXPECT_TRUE(format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT ||
                  format == CF_LOCALE)
          << "format " << format;
    }
  }
}

TEST(ClipboardWin32, ClipboardHeldByAnotherWindowKeepsItsContent) {
  RealServicesApp program;
  program.Copy("before\r\n");
  std::atomic<bool> holding = false, release = false;
  std::thread holder([&] {
    // Another window holds it open, as another program would.
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr && OpenClipboard(window)) {
      holding = true;
      while (!release) Sleep(10);
      CloseClipboard();
    }
    DestroyWindow(window);
    holding = true;  // also when it failed, so the test goes on and fails below
  });
  while (!holding) Sleep(10);
  program.Copy("after\r\n");
  release = true;
  holder.join();
  EXPECT_EQ(ClipboardText(), std::string("before\r\n") + '\0');
}

// ---- export through the real program

// Clicks 导出 and answers the notice; returns whether "导出成功" came.
bool ExportAndAnswer(RunningProgram& program) {
  program.Click(Control::按钮_导出);
  HWND notice = program.WaitForNotice(milliseconds(5000));
  if (notice == nullptr) return false;
  const std::vector<std::string> texts = ChildTexts(notice);
  EXPECT_THAT(texts, ::testing::Contains("导出成功"));
  EXPECT_FALSE(HasIconChild(notice)) << "the notice shows an icon";
  // The notice has an OK button and nothing else to press.
  EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                          [](const std::string& t) { return !t.empty() && t != "导出成功"; }),
            1);
  PostMessageA(notice, WM_COMMAND, IDOK, 0);
  return PumpUntil([&] { return !IsWindow(notice); }, milliseconds(3000));
}

void EndProgram(RunningProgram& program) {
  RunningProgram::Close(program.Main());
  EXPECT_EQ(program.WaitForExit(milliseconds(10000)), 0u);
}

TEST(ExportWin32, WritesTheResultBesideTheProgram) {
  ProgramCopy copy;
  RunningProgram program(copy.exe);
  ASSERT_TRUE(program.Ready());
  const std::string result = "甲乙\r\n\x95\x5C丙\r\n";
  program.SetResult(result);
  ASSERT_EQ(program.Result(), result);

  EXPECT_TRUE(ExportAndAnswer(program));
  EXPECT_EQ(ReadWholeFile(copy.ExportFile()), result);
  EXPECT_THAT(copy.directory.FileNames(), ElementsAre("WordCombiner.exe", kExportName));
  EndProgram(program);
}

TEST(ExportWin32, AProgramInADriveRootExportsToThatRoot) {
  ProgramCopy copy;
  MappedDrive drive(copy.directory.Path());
  ASSERT_TRUE(drive.Mapped()) << "no drive letter could be mapped";
  RunningProgram program(drive.Root() + "\\WordCombiner.exe");
  ASSERT_TRUE(program.Ready());
  program.SetResult("根\r\n");

  EXPECT_TRUE(ExportAndAnswer(program));
  // One backslash between the drive and the name: the file is right in the root.
  EXPECT_EQ(ReadWholeFile(drive.Root() + "\\" + kExportName), "根\r\n");
  EXPECT_EQ(ReadWholeFile(copy.ExportFile()), "根\r\n");
  EXPECT_THAT(copy.directory.FileNames(), ElementsAre("WordCombiner.exe", kExportName));
  EndProgram(program);
}

TEST(ExportWin32, AFileHeldWithoutWriteSharingStaysAsItWas) {
  ProgramCopy copy;
  ASSERT_TRUE(WriteWholeFile(copy.ExportFile(), "previous export\r\n"));
  RunningProgram program(copy.exe);
  ASSERT_TRUE(program.Ready());
  program.SetResult("new result\r\n");
  {
    // This test's process is "another program" to WordCombiner.exe.
    HANDLE held = CreateFileA(copy.ExportFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    program.Click(Control::按钮_导出);
    EXPECT_EQ(program.WaitForNotice(milliseconds(2500)), nullptr) << "a failed export spoke";
    // The program is still responsive, so its handler has run to its end.
    DWORD_PTR ignored = 0;
    EXPECT_NE(SendMessageTimeoutA(program.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored), 0);
    CloseHandle(held);
  }
  EXPECT_EQ(ReadWholeFile(copy.ExportFile()), "previous export\r\n");
  EXPECT_THAT(copy.directory.FileNames(), ElementsAre("WordCombiner.exe", kExportName));

  // Let go, and the next export goes through.
  EXPECT_TRUE(ExportAndAnswer(program));
  EXPECT_EQ(ReadWholeFile(copy.ExportFile()), "new result\r\n");
  EndProgram(program);
}

}  // namespace
}  // namespace wc::testing
