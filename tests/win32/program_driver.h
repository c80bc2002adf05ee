#pragma once
// WordCombiner.exe driven from outside as a user would: started from a folder of the test's
// choosing, its controls found by their places, its message boxes read and answered.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "ui/controls.h"
#include "win32/win32_support.h"

namespace wc::testing {

// A fresh directory of the test's own under the temporary folder, removed with its files and
// empty folders.
class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::string& Path() const { return path_; }
  // Names of the files it holds, sorted.
  std::vector<std::string> FileNames() const;

 private:
  std::string path_;
};

// A drive letter of Wine's mapped onto `directory` through the mount manager, as winecfg
// maps one; unmapped when this goes. Root() is "X:" without a backslash.
class MappedDrive {
 public:
  explicit MappedDrive(const std::string& directory);
  ~MappedDrive();
  MappedDrive(const MappedDrive&) = delete;
  MappedDrive& operator=(const MappedDrive&) = delete;

  bool Mapped() const { return letter_ != 0; }
  std::string Root() const { return std::string(1, letter_) + ":"; }

 private:
  char letter_ = 0;
};

inline constexpr char kExportName[] = "青禾词语组合导出结果.txt";

// A copy of WordCombiner.exe in a directory of its own, where its export file goes.
struct ProgramCopy {
  TempDirectory directory;
  std::string exe = directory.Path() + "\\WordCombiner.exe";
  ProgramCopy();
  std::string ExportFile() const { return directory.Path() + "\\" + kExportName; }
};

// `count` words of one stem and `digits` digits, numbered from 0, each followed by CR LF.
std::string NumberedWords(std::string_view stem, int count, int digits);

// What the clipboard holds as CF_TEXT, NUL included, or empty when it holds no text.
std::optional<std::string> ClipboardText();

std::optional<std::string> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// The visible top-level windows of a process with this title.
std::vector<HWND> WindowsOf(DWORD processId, const std::string& title);
// The texts of a window's children, in their order.
std::vector<std::string> ChildTexts(HWND window);
bool HasIconChild(HWND window);

// The real left button, going down or up where the pointer is put.
void MouseDownAt(POINT screen);
void MouseUpAt(POINT screen);
POINT CentreOf(HWND window);

class RunningProgram {
 public:
  explicit RunningProgram(const std::string& exePath);
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Whether its main window came up.
  bool Ready() const { return main_ != nullptr; }
  DWORD Id() const { return process_.Id(); }
  HWND Main() const { return main_; }
  // A control of the main window, found where the layout puts it.
  HWND ControlWindow(Control c) const;

  void SetResult(const std::string& text);
  // Replaces what the box holds as a paste over all of it would: the box reports the change
  // (WM_SETTEXT would not; a multi-line box sends no change notice for it).
  void Enter(Control box, const std::string& text);
  std::string Result() const { return Text(Control::编辑框_结果); }
  // The text of an edit box or a label.
  std::string Text(Control c) const;
  // A real click on the control, the main window brought to the front first.
  void Click(Control c);

  // The "提示" message box once it is up; nullptr if none came within `timeout`.
  HWND WaitForNotice(std::chrono::milliseconds timeout) const;
  // The description window "说明", when one is up within `timeout`.
  HWND WaitForDescription(std::chrono::milliseconds timeout) const;
  std::vector<HWND> Descriptions() const;

  // Closes the window as its close button does.
  static void Close(HWND window);
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout) {
    return process_.WaitForExit(timeout);
  }
  // The most memory the process has held so far (its peak working set), in bytes.
  std::optional<std::size_t> PeakMemory() const { return process_.PeakMemory(); }

 private:
  ChildProcess process_;
  HWND main_ = nullptr;
};

// Another program drags `item` (kDragFiles or kDragText, see drag_source.h) with the mouse,
// moved by real input in steps as a hand would, and lets go on the centre of `box`. Returns
// the drag source's exit code, empty when the drag never ended.
std::optional<DWORD> DragOnto(RunningProgram& program, Control box, const std::string& kind,
                              const std::string& item);

// Asks a window over and over whether it answers, from a thread of its own, and keeps the
// longest time it took: the longest time a user would have found the window frozen.
class AnswerWatch {
 public:
  explicit AnswerWatch(HWND window);
  ~AnswerWatch();
  AnswerWatch(const AnswerWatch&) = delete;
  AnswerWatch& operator=(const AnswerWatch&) = delete;

  std::chrono::milliseconds Longest() const { return std::chrono::milliseconds(longestMs_.load()); }
  // False once the window went two minutes without answering.
  bool AlwaysAnswered() const { return !stuck_.load(); }

 private:
  HWND window_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> stuck_{false};
  std::atomic<long long> longestMs_{0};
  std::thread thread_;
};

}  // namespace wc::testing
