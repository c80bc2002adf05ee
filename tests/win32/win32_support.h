#pragma once
// What the Win32 tests share: a message pump that handles keys as the program's loop does,
// real mouse and keyboard input, and the program started as a process of its own.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace wc {
class Win32Shell;
}

namespace wc::testing {

// Takes and dispatches this thread's messages for `duration`, with the shell's key handling.
void PumpFor(std::chrono::milliseconds duration, Win32Shell* shell = nullptr);
// How many quit messages the pumps above have taken (and dropped) so far.
int QuitMessagesSeen();
// Pumps until `done` holds or `timeout` passes; returns whether it holds.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
               Win32Shell* shell = nullptr);

// Real input through the system, as a user's hand would give it. `buttons` holds
// MOUSEEVENTF_LEFTDOWN and/or MOUSEEVENTF_LEFTUP, given in that order after the move.
void MouseAt(POINT screen, DWORD buttons);
void ClickAt(POINT screen);
void ClickCentreOf(HWND window);
void PressKey(WORD virtualKey, bool shift = false);
// Makes `window` the foreground window with the keyboard focus on `focus`.
void BringToFront(HWND window);

// The directory of the running test program, without a trailing backslash.
std::string TestDirectory();
std::string ProgramPath();  // WordCombiner.exe beside the tests

// A process of its own, ended when this object goes if it still runs.
class ChildProcess {
 public:
  explicit ChildProcess(const std::string& commandLine);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  // The exit code once the process has ended within `timeout`; empty if it still runs.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout);
  // Its peak working set in bytes, while it runs or after.
  std::optional<std::size_t> PeakMemory() const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// The first visible top-level window of process `processId` with this title, waiting up to
// `timeout` for it to appear.
HWND WaitForWindow(DWORD processId, const std::string& title, std::chrono::milliseconds timeout);

}  // namespace wc::testing
