// A real drag as a user makes it: another program drags a file list with the mouse, moved by
// real input through the system, onto a column box of WordCombiner.exe running on its own.

#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include <string>
#include <thread>

#include "ui/main_window_layout.h"
#include "win32/drag_source.h"
#include "win32/win32_support.h"

namespace wc::testing {
namespace {

using std::chrono::milliseconds;

const std::string kTitle(kMainWindow.title);

// The text of a control of another process: WM_GETTEXT is carried across processes.
std::string TextOf(HWND control) {
  const LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

// Where a control of the main window lies on the screen, from the layout.
POINT ScreenCentreOf(HWND main, Control control) {
  for (const ControlPlace& place : kMainWindowPlaces) {
    if (place.control != control) continue;
    POINT at = {place.left + place.width / 2, place.top + place.height / 2};
    ClientToScreen(main, &at);
    return at;
  }
  return {0, 0};
}

void MoveMouseTo(POINT screen, bool withLeftButtonDown = false, bool withLeftButtonUp = false) {
  const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
  const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65535 + width / 2) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65535 + height / 2) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE |
                     (withLeftButtonDown ? MOUSEEVENTF_LEFTDOWN : 0) |
                     (withLeftButtonUp ? MOUSEEVENTF_LEFTUP : 0);
  SendInput(1, &input, sizeof input);
}

class TempFile {
 public:
  TempFile(const std::string& name, const std::string& bytes) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + name;
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  ~TempFile() { DeleteFileA(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

class RealDrag : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.Started());
    main_ = WaitForWindow(program_.Id(), kTitle, milliseconds(20000));
    ASSERT_NE(main_, nullptr);
  }

  void TearDown() override {
    if (main_ == nullptr) return;
    PostMessageA(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    const std::optional<DWORD> code = program_.WaitForExit(milliseconds(10000));
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
  }

  // The control of the running program at its place in the layout.
  HWND WindowOf(Control control) {
    POINT at = ScreenCentreOf(main_, control);
    ScreenToClient(main_, &at);
    return ChildWindowFromPointEx(main_, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  }

  // Starts the second program, presses on it, moves over to the centre of `box` in steps as a
  // hand would and lets go there. Returns what the drag source answered.
  std::optional<DWORD> DragOnto(Control box, const std::string& kind, const std::string& item) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const POINT sourceAt = {40, 40};  // clear of the centred main window
    ChildProcess source('"' + std::string(self) + "\" --child=" + kDragSourceChild + " " +
                        std::to_string(sourceAt.x) + " " + std::to_string(sourceAt.y) + " " + kind +
                        " \"" + item + '"');
    if (WaitForWindow(source.Id(), kDragSourceTitle, milliseconds(20000)) == nullptr) {
      ADD_FAILURE() << "the drag source did not show";
      return std::nullopt;
    }
    const POINT start = {sourceAt.x + 80, sourceAt.y + 60};
    const POINT target = ScreenCentreOf(main_, box);
    MoveMouseTo(start);
    std::this_thread::sleep_for(milliseconds(300));
    MoveMouseTo(start, /*withLeftButtonDown=*/true);
    std::this_thread::sleep_for(milliseconds(500));
    constexpr int kSteps = 20;
    for (int step = 1; step <= kSteps; ++step) {
      MoveMouseTo({start.x + (target.x - start.x) * step / kSteps,
                   start.y + (target.y - start.y) * step / kSteps});
      std::this_thread::sleep_for(milliseconds(50));
    }
    std::this_thread::sleep_for(milliseconds(500));
    MoveMouseTo(target, false, /*withLeftButtonUp=*/true);
    return source.WaitForExit(milliseconds(15000));
  }

  ChildProcess program_{'"' + ProgramPath() + '"'};
  HWND main_ = nullptr;
};

TEST_F(RealDrag, AFileDraggedFromAnotherProgramFillsTheColumnBox) {
  const std::string content = "苹果\r\n香蕉\r\n橙子";
  TempFile file("真实拖放_" + std::to_string(GetCurrentProcessId()) + ".txt", content);
  HWND box = WindowOf(Control::编辑框_第三列);
  ASSERT_EQ(TextOf(box), "");

  const std::optional<DWORD> answer = DragOnto(Control::编辑框_第三列, kDragFiles, file.Path());
  ASSERT_TRUE(answer.has_value()) << "the drag never ended";
  // The box is filled inside the drop, before the source hears its answer, and its column
  // follows.
  EXPECT_EQ(TextOf(box), content);
  EXPECT_EQ(TextOf(WindowOf(Control::标签_第三列)), "3个");
  // The source hears that the drop failed, with the effect the box chose, so that a source
  // asked to move never deletes the file it offered.
  EXPECT_EQ(*answer, static_cast<DWORD>(kDragFailed + DROPEFFECT_COPY));
}

TEST_F(RealDrag, TextDraggedFromAnEditorIsRefused) {
  HWND box = WindowOf(Control::编辑框_第一列);
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("old"));
  const std::optional<DWORD> answer = DragOnto(Control::编辑框_第一列, kDragText, "C:\\a.txt");
  ASSERT_TRUE(answer.has_value()) << "the drag never ended";
  // Nothing was dropped: the source ends with no effect, as over any window that refuses.
  EXPECT_EQ(*answer, static_cast<DWORD>(kDragDropped + DROPEFFECT_NONE));
  EXPECT_EQ(TextOf(box), "old");
}

}  // namespace
}  // namespace wc::testing
