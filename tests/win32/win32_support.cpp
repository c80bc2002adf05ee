#include "win32/win32_support.h"

#include <psapi.h>

#include <thread>

#include "ui/shell_win32.h"

namespace wc::testing {

namespace {
using Clock = std::chrono::steady_clock;
int quitMessages = 0;

void PumpOnce(Win32Shell* shell) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {  // the tests decide when they are done
      ++quitMessages;
      continue;
    }
    if (shell != nullptr && shell->PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
}  // namespace

int QuitMessagesSeen() {
  return quitMessages;
}

void PumpFor(std::chrono::milliseconds duration, Win32Shell* shell) {
  const auto end = Clock::now() + duration;
  do {
    PumpOnce(shell);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (Clock::now() < end);
  PumpOnce(shell);
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
               Win32Shell* shell) {
  const auto end = Clock::now() + timeout;
  while (true) {
    PumpOnce(shell);
    if (done()) return true;
    if (Clock::now() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void MouseAt(POINT screen, DWORD buttons) {
  const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
  const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  inputs[0].mi.dx = static_cast<LONG>((screen.x * 65535 + width / 2) / width);
  inputs[0].mi.dy = static_cast<LONG>((screen.y * 65535 + height / 2) / height);
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  UINT count = 1;
  for (DWORD button : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
    if (buttons & button) inputs[count++].mi.dwFlags = button;
  }
  SendInput(count, inputs, sizeof(INPUT));
}

void ClickAt(POINT screen) {
  MouseAt(screen, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
}

void ClickCentreOf(HWND window) {
  RECT place;
  GetWindowRect(window, &place);
  ClickAt({(place.left + place.right) / 2, (place.top + place.bottom) / 2});
}

void PressKey(WORD virtualKey, bool shift) {
  INPUT inputs[4] = {};
  int n = 0;
  auto key = [&](WORD vk, bool up) {
    inputs[n].type = INPUT_KEYBOARD;
    inputs[n].ki.wVk = vk;
    inputs[n].ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    inputs[n].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ++n;
  };
  if (shift) key(VK_SHIFT, false);
  key(virtualKey, false);
  key(virtualKey, true);
  if (shift) key(VK_SHIFT, true);
  SendInput(static_cast<UINT>(n), inputs, sizeof(INPUT));
}

void BringToFront(HWND window) {
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  SetActiveWindow(window);
}

std::string TestDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path);
  return directory.substr(0, directory.find_last_of('\\'));
}

std::string ProgramPath() {
  return TestDirectory() + "\\WordCombiner.exe";
}

ChildProcess::ChildProcess(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::string line = commandLine;
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
}

ChildProcess::~ChildProcess() {
  if (process_ == nullptr) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

std::optional<DWORD> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
  if (process_ == nullptr) return std::nullopt;
  if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

std::optional<std::size_t> ChildProcess::PeakMemory() const {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (process_ == nullptr || !GetProcessMemoryInfo(process_, &counters, sizeof counters)) {
    return std::nullopt;
  }
  return counters.PeakWorkingSetSize;
}

namespace {
struct WindowSearch {
  DWORD processId;
  const std::string* title;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  if (*search->title != title) return TRUE;
  search->found = window;
  return FALSE;
}
}  // namespace

HWND WaitForWindow(DWORD processId, const std::string& title, std::chrono::milliseconds timeout) {
  const auto end = Clock::now() + timeout;
  while (true) {
    WindowSearch search{processId, &title};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr || Clock::now() >= end) return search.found;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace wc::testing
