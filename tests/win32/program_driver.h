#pragma once
// WordCombiner.exe driven from outside as a user would: started from a folder of the test's
// choosing, its controls found by their places, its message boxes read and answered.

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
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

 private:
  ChildProcess process_;
  HWND main_ = nullptr;
};

}  // namespace wc::testing
