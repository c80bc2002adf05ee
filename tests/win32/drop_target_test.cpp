// The column boxes' OLE drop targets in the real window, with the program's own handlers:
// what each drag is told, and what a drop does to the column.

#include <windows.h>
#include <gtest/gtest.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "app/bindings.h"
#include "platform/services_win32.h"
#include "ui/main_window_win32.h"
#include "ui/shell_win32.h"
#include "win32/program_driver.h"
#include "win32/test_data_object.h"
#include "win32/win32_support.h"

namespace wc::testing {
namespace {

using std::chrono::milliseconds;

struct OleScope {
  OleScope() : initialised(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleScope() {
    if (initialised) OleUninitialize();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;
  bool initialised;
};

// A file of these bytes in `directory`; its path.
std::string MakeFile(const TempDirectory& directory, const std::string& name,
                     const std::string& bytes) {
  const std::string path = directory.Path() + "\\" + name;
  EXPECT_TRUE(WriteWholeFile(path, bytes)) << path;
  return path;
}

// True when nobody holds the file open: an open that shares nothing succeeds only then.
bool NobodyHoldsOpen(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

class DropTargets : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ole_.initialised);
    app_.events = &router_;
    app_.controls = shell_.CreateMainWindow(router_);
    ASSERT_NE(app_.controls, nullptr);
    router_.Raise(WindowId::主窗口, std::nullopt, Event::Created, {});
    shell_.ShowMainWindow();
    PumpFor(milliseconds(100), &shell_);
  }

  void TearDown() override {
    // The window goes while the handlers it calls still exist, and before OLE ends.
    if (Main() != nullptr) DestroyWindow(Main());
    PumpFor(milliseconds(50), &shell_);
  }

  HWND Main() { return shell_.MainWindow() ? shell_.MainWindow()->Handle() : nullptr; }
  HWND Box(int column) { return shell_.MainWindow()->ControlWindow(kColumns[column].box); }
  Win32DropTarget& Target(int column) {
    return *shell_.MainWindow()->DropTarget(kColumns[column].dropTarget);
  }
  std::string BoxText(int column) { return app_.Controls().Text(kColumns[column].box); }
  std::string LabelText(int column) { return app_.Controls().Caption(kColumns[column].countLabel); }
  std::vector<std::string> Words(int column) {
    const WordListPtr list = app_.Words(column);
    std::vector<std::string> words;
    for (std::int32_t i = 1; i <= list->Count(); ++i) words.emplace_back(list->At(i));
    return words;
  }
  void SetBoxText(int column, const std::string& text) {
    app_.Controls().SetText(kColumns[column].box, text);
  }
  POINTL CentreOf(int column) {
    RECT r;
    GetWindowRect(Box(column), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  DWORD Enter(int column, IDataObject* data, DWORD keys, DWORD allowed) {
    DWORD effect = allowed;
    EXPECT_EQ(Target(column).DragEnter(data, keys, CentreOf(column), &effect), S_OK);
    return effect;
  }
  DWORD Over(int column, DWORD keys, DWORD allowed) {
    DWORD effect = allowed;
    EXPECT_EQ(Target(column).DragOver(keys, CentreOf(column), &effect), S_OK);
    return effect;
  }
  // Drop answers failure whatever it did, so that no source deletes a file it thinks moved.
  DWORD DropOn(int column, IDataObject* data, DWORD keys, DWORD allowed) {
    DWORD effect = allowed;
    EXPECT_EQ(Target(column).Drop(data, keys, CentreOf(column), &effect), E_FAIL);
    return effect;
  }
  // A whole drag as OLE plays it: enter, move, drop.
  DWORD Drag(int column, IDataObject* data, DWORD keys = 0,
             DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK) {
    Enter(column, data, keys, allowed);
    Over(column, keys, allowed);
    return DropOn(column, data, keys, allowed);
  }

  OleScope ole_;
  Win32Services services_;
  Win32Shell shell_{GetModuleHandleA(nullptr)};
  App app_{services_, shell_};
  EventRouter router_{app_, ProgramBindings()};
  TempDirectory scratch_;
};

TEST_F(DropTargets, EachColumnBoxIsRegisteredOnceWithItsOwnTarget) {
  ComPtr<TestDropSource> unrelated = TestDropSource::Create();  // any COM object would do
  ComPtr<Win32DropTarget> stranger = Win32DropTarget::Create([](std::string_view) {});
  for (int column = 0; column < kColumnCount; ++column) {
    SCOPED_TRACE(column);
    EXPECT_EQ(Target(column).Window(), Box(column));
    EXPECT_EQ(RegisterDragDrop(Box(column), stranger.get()), DRAGDROP_E_ALREADYREGISTERED);
    // Attached once in its life.
    EXPECT_FALSE(shell_.AttachDropTarget(kColumns[column].dropTarget, Box(column)));
    EXPECT_FALSE(Target(column).Attach(shell_.MainWindow()->ControlWindow(Control::编辑框_结果)));
  }
  // No other control takes drops.
  HWND result = shell_.MainWindow()->ControlWindow(Control::编辑框_结果);
  EXPECT_EQ(RegisterDragDrop(result, stranger.get()), S_OK);
  RevokeDragDrop(result);
}

struct EffectRow {
  bool fileList;
  DWORD keys;
  DWORD allowed;
  DWORD effect;
};

constexpr DWORD kAll = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

const EffectRow kEffectRows[] = {
    {false, 0, kAll, DROPEFFECT_NONE},
    {false, MK_CONTROL, kAll, DROPEFFECT_NONE},
    {false, MK_SHIFT, kAll, DROPEFFECT_NONE},
    {false, MK_CONTROL | MK_SHIFT, kAll, DROPEFFECT_NONE},
    {true, MK_CONTROL, kAll, DROPEFFECT_COPY},
    {true, MK_CONTROL, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_NONE},
    {true, MK_CONTROL | MK_SHIFT, kAll, DROPEFFECT_NONE},
    {true, MK_SHIFT, kAll, DROPEFFECT_MOVE},
    {true, MK_SHIFT, DROPEFFECT_COPY | DROPEFFECT_LINK, DROPEFFECT_NONE},
    {true, 0, kAll, DROPEFFECT_COPY},
    {true, 0, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_MOVE},
    {true, 0, DROPEFFECT_LINK, DROPEFFECT_LINK},
    {true, 0, DROPEFFECT_NONE, DROPEFFECT_NONE},
    // The mouse buttons play no part.
    {true, MK_LBUTTON | MK_CONTROL, kAll, DROPEFFECT_COPY},
    {true, MK_RBUTTON, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
};

TEST_F(DropTargets, EffectFollowsTheTableInDragEnterDragOverAndDrop) {
  const std::string path = MakeFile(scratch_, "a.txt", "word");
  for (const EffectRow& row : kEffectRows) {
    SCOPED_TRACE(::testing::Message() << "file list " << row.fileList << " keys " << row.keys
                                      << " allowed " << row.allowed);
    ComPtr<TestDataObject> data =
        row.fileList ? TestDataObject::FileList({path}) : TestDataObject::Text("word");
    EXPECT_EQ(Enter(1, data.get(), row.keys, row.allowed), row.effect);
    // DragOver recomputes from its own keys, after an enter with other keys.
    Target(1).DragLeave();
    Enter(1, data.get(), 0, kAll);
    EXPECT_EQ(Over(1, row.keys, row.allowed), row.effect);

    SetBoxText(1, "old");
    EXPECT_EQ(DropOn(1, data.get(), row.keys, row.allowed), row.effect);
    // A drop with no effect does nothing at all.
    EXPECT_EQ(BoxText(1), row.effect == DROPEFFECT_NONE ? "old" : "word");
    EXPECT_EQ(data->getDataCalls, row.effect == DROPEFFECT_NONE ? 0 : 1);
  }
}

TEST_F(DropTargets, TextIsRefusedAndNeverFetched) {
  ComPtr<TestDataObject> text = TestDataObject::Text("C:\\a.txt");
  SetBoxText(0, "old");
  EXPECT_EQ(Drag(0, text.get()), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(text->getDataCalls, 0);
  EXPECT_EQ(BoxText(0), "old");
}

TEST_F(DropTargets, AfterDragLeaveNothingIsAcceptable) {
  const std::string path = MakeFile(scratch_, "a.txt", "word");
  ComPtr<TestDataObject> data = TestDataObject::FileList({path});
  EXPECT_EQ(Enter(2, data.get(), 0, kAll), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(Target(2).DragLeave(), S_OK);
  EXPECT_EQ(Over(2, 0, kAll), static_cast<DWORD>(DROPEFFECT_NONE));
  SetBoxText(2, "old");
  EXPECT_EQ(DropOn(2, data.get(), 0, kAll), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(BoxText(2), "old");
}

TEST_F(DropTargets, ADroppedFileFillsItsColumnBoxAndIsClosedAfterwards) {
  // GBK text with CRLF and LF-only lines, in a file whose name needs the code page.
  const std::string content = "苹果\r\n香蕉\r\nx\ny\r\n";
  const std::string path = MakeFile(scratch_, "词语.txt", content);
  for (bool wide : {true, false}) {
    SCOPED_TRACE(wide ? "UTF-16 file list" : "ANSI file list");
    ComPtr<TestDataObject> data = TestDataObject::FileList({path}, wide);
    for (int column = 0; column < kColumnCount; ++column) SetBoxText(column, "old");
    EXPECT_EQ(Drag(2, data.get()), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(BoxText(2), content);
    // The column follows at once: an LF alone is no line end.
    EXPECT_EQ(LabelText(2), "3个");
    EXPECT_EQ(Words(2), (std::vector<std::string>{"苹果", "香蕉", "x\ny"}));
    EXPECT_EQ(BoxText(1), "old");
    EXPECT_EQ(BoxText(3), "old");
    EXPECT_EQ(data->mediaReleased, data->mediaGiven) << "the file list was not released";
    EXPECT_TRUE(NobodyHoldsOpen(path)) << "the dropped file stayed open";
  }
}

TEST_F(DropTargets, WhatCannotBeOpenedOrIsEmptyEmptiesTheBox) {
  const std::string a = MakeFile(scratch_, "a.txt", "a");
  const std::string b = MakeFile(scratch_, "b.txt", "b");
  const std::string empty = MakeFile(scratch_, "empty.txt", "");
  const std::string folder = scratch_.Path() + "\\文件夹";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const struct {
    const char* what;
    std::vector<std::string> paths;
  } cases[] = {
      {"two files", {a, b}},
      {"a folder", {folder}},
      {"a missing file", {scratch_.Path() + "\\missing.txt"}},
      {"an empty file", {empty}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ComPtr<TestDataObject> data = TestDataObject::FileList(c.paths);
    SetBoxText(3, "old");
    app_.Controls().SetChecked(Control::选择框_第四列, 1);
    EXPECT_EQ(Drag(3, data.get()), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(BoxText(3), "");
    EXPECT_EQ(LabelText(3), "0个");
    EXPECT_TRUE(Words(3).empty());
    EXPECT_EQ(app_.Controls().Checked(Control::选择框_第四列), 0);
  }
  EXPECT_TRUE(NobodyHoldsOpen(a));
  EXPECT_TRUE(NobodyHoldsOpen(empty));
}

TEST_F(DropTargets, AFileOpenForWritingThatSharesReadingIsStillImported) {
  const std::string path = MakeFile(scratch_, "open.txt", "busy");
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  ComPtr<TestDataObject> data = TestDataObject::FileList({path});
  Drag(0, data.get());
  EXPECT_EQ(BoxText(0), "busy");
  CloseHandle(writer);
  EXPECT_TRUE(NobodyHoldsOpen(path));
}

TEST_F(DropTargets, OleLetsGoOfTheTargetsWhenTheWindowIsDestroyed) {
  std::vector<ComPtr<Win32DropTarget>> held;
  std::vector<ULONG> whileRegistered;
  for (int column = 0; column < kColumnCount; ++column) {
    Target(column).AddRef();
    held.emplace_back(&Target(column));
    whileRegistered.push_back(held.back()->AddRef());
    held.back()->Release();
  }
  DestroyWindow(Main());
  PumpFor(milliseconds(50), &shell_);
  for (int column = 0; column < kColumnCount; ++column) {
    SCOPED_TRACE(column);
    // Ours is the last reference: neither OLE nor the window keeps one.
    const ULONG now = held[column]->AddRef();
    held[column]->Release();
    EXPECT_LT(now, whileRegistered[column]);
    EXPECT_EQ(now, 3u);  // the window's, ours, and the one just taken
  }
}

}  // namespace
}  // namespace wc::testing
