// A real drag as a user makes it: another program drags with the mouse, moved by real input
// through the system, onto a column box of WordCombiner.exe running on its own.

#include <windows.h>
#include <gtest/gtest.h>
#include <ole2.h>

#include <string>
#include <thread>

#include "win32/drag_source.h"
#include "win32/program_driver.h"
#include "win32/win32_support.h"

namespace wc::testing {
namespace {

using std::chrono::milliseconds;

class RealDrag : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program_.Ready()); }

  void TearDown() override {
    if (!program_.Ready()) return;
    RunningProgram::Close(program_.Main());
    const std::optional<DWORD> code = program_.WaitForExit(milliseconds(10000));
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
  }

  RunningProgram program_{ProgramPath()};
};

TEST_F(RealDrag, AFileDraggedFromAnotherProgramFillsTheColumnBox) {
  const std::string content = "苹果\r\n香蕉\r\n橙子";
  TempDirectory directory;
  const std::string path = directory.Path() + "\\真实拖放.txt";
  ASSERT_TRUE(WriteWholeFile(path, content));
  ASSERT_EQ(program_.Text(Control::编辑框_第三列), "");

  const std::optional<DWORD> answer = DragOnto(program_, Control::编辑框_第三列, kDragFiles, path);
  ASSERT_TRUE(answer.has_value()) << "the drag never ended";
  // The box is filled inside the drop, before the source hears its answer, and its column
  // follows.
  EXPECT_EQ(program_.Text(Control::编辑框_第三列), content);
  EXPECT_EQ(program_.Text(Control::标签_第三列), "3个");
  // The source hears that the drop failed, with the effect the box chose, so that a source
  // asked to move never deletes the file it offered.
  EXPECT_EQ(*answer, static_cast<DWORD>(kDragFailed + DROPEFFECT_COPY));
}

TEST_F(RealDrag, TextDraggedFromAnEditorIsRefused) {
  SendMessageA(program_.ControlWindow(Control::编辑框_第一列), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>("old"));
  const std::optional<DWORD> answer =
      DragOnto(program_, Control::编辑框_第一列, kDragText, "C:\\a.txt");
  ASSERT_TRUE(answer.has_value()) << "the drag never ended";
  // Nothing was dropped: the source ends with no effect, as over any window that refuses.
  EXPECT_EQ(*answer, static_cast<DWORD>(kDragDropped + DROPEFFECT_NONE));
  EXPECT_EQ(program_.Text(Control::编辑框_第一列), "old");
}

}  // namespace
}  // namespace wc::testing
