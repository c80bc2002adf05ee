#include "win32/program_driver.h"

#include <winioctl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <thread>

#include "ui/main_window_layout.h"
#include "win32/drag_source.h"

namespace wc::testing {

namespace {

using std::chrono::milliseconds;

constexpr char kMainTitle[] = "青禾词语组合器 V1.0";
constexpr char kNoticeTitle[] = "提示";
constexpr char kDescriptionTitle[] = "说明";

std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// Wine's mount manager defines a drive letter from a Unix path, the way winecfg does it. The
// layout is Wine's own (include/ddk/mountmgr.h), not part of any Windows SDK.
struct WineUnixDrive {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;
  USHORT mountPointOffset;
  USHORT deviceOffset;
  USHORT labelOffset;
};
constexpr DWORD kDefineUnixDrive =
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

bool DefineDrive(char letter, const char* unixPath) {
  HANDLE manager =
      CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  const std::size_t pathBytes = unixPath ? std::strlen(unixPath) + 1 : 0;
  std::vector<char> request(sizeof(WineUnixDrive) + pathBytes, '\0');
  auto* drive = reinterpret_cast<WineUnixDrive*>(request.data());
  drive->size = static_cast<ULONG>(request.size());
  drive->type = DRIVE_FIXED;
  drive->letter = static_cast<WCHAR>(letter - 'A' + 'a');
  if (unixPath != nullptr) {  // without a mount point the letter is removed
    drive->mountPointOffset = sizeof(WineUnixDrive);
    std::memcpy(request.data() + sizeof(WineUnixDrive), unixPath, pathBytes);
  }
  DWORD returned = 0;
  const BOOL done =
      DeviceIoControl(manager, kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                      nullptr, 0, &returned, nullptr);
  CloseHandle(manager);
  return done != FALSE;
}

std::string UnixPathOf(const std::string& path) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (toUnix == nullptr) return {};
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  char* unixPath = toUnix(wide);
  if (unixPath == nullptr) return {};
  std::string result(unixPath);
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}
}  // namespace

TempDirectory::TempDirectory() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  for (unsigned attempt = 0; attempt < 1000 && path_.empty(); ++attempt) {
    const std::string candidate = std::string(base) + "wc-test-" +
                                  std::to_string(GetCurrentProcessId()) + "-" +
                                  std::to_string(GetTickCount() + attempt);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) path_ = candidate;
  }
}

TempDirectory::~TempDirectory() {
  if (path_.empty()) return;
  // Empty folders a test made go as well.
  for (const std::string& name : FileNames()) {
    const std::string path = path_ + "\\" + name;
    if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
  }
  RemoveDirectoryA(path_.c_str());
}

std::vector<std::string> TempDirectory::FileNames() const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

MappedDrive::MappedDrive(const std::string& directory) {
  const std::string unixPath = UnixPathOf(directory);
  if (unixPath.empty()) return;
  const DWORD used = GetLogicalDrives();
  // From the end of the alphabet down, away from the letters Wine hands out itself.
  for (char letter = 'Y'; letter >= 'M'; --letter) {
    if (used & (1u << (letter - 'A'))) continue;
    if (DefineDrive(letter, unixPath.c_str())) letter_ = letter;
    break;
  }
}

MappedDrive::~MappedDrive() {
  if (letter_ != 0) DefineDrive(letter_, nullptr);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return bytes;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL done =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return done && written == bytes.size();
}

std::vector<HWND> WindowsOf(DWORD processId, const std::string& title) {
  struct Search {
    DWORD processId;
    const std::string* title;
    std::vector<HWND> found;
  } search{processId, &title, {}};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId && IsWindowVisible(window) && TextOf(window) == *s->title) {
          s->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<std::string> ChildTexts(HWND window) {
  std::vector<std::string> texts;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM parameter) -> BOOL {
        reinterpret_cast<std::vector<std::string>*>(parameter)->push_back(TextOf(child));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

bool HasIconChild(HWND window) {
  bool found = false;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM parameter) -> BOOL {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(cls, "Static") == 0 && IsWindowVisible(child) &&
            (style & SS_TYPEMASK) == SS_ICON && SendMessageA(child, STM_GETICON, 0, 0) != 0) {
          *reinterpret_cast<bool*>(parameter) = true;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void MouseDownAt(POINT screen) {
  MouseAt(screen, MOUSEEVENTF_LEFTDOWN);
}
void MouseUpAt(POINT screen) {
  MouseAt(screen, MOUSEEVENTF_LEFTUP);
}

POINT CentreOf(HWND window) {
  RECT place;
  GetWindowRect(window, &place);
  return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

RunningProgram::RunningProgram(const std::string& exePath) : process_("\"" + exePath + "\"") {
  if (!process_.Started()) return;
  main_ = WaitForWindow(process_.Id(), kMainTitle, milliseconds(15000));
  // Let it finish painting before anybody clicks.
  if (main_ != nullptr) std::this_thread::sleep_for(milliseconds(300));
}

HWND RunningProgram::ControlWindow(Control c) const {
  const auto place = std::find_if(kMainWindowPlaces.begin(), kMainWindowPlaces.end(),
                                  [c](const ControlPlace& p) { return p.control == c; });
  if (place == kMainWindowPlaces.end() || main_ == nullptr) return nullptr;
  HWND parent = place->parent ? ControlWindow(*place->parent) : main_;
  struct Search {
    HWND parent;
    RECT want;
    HWND found = nullptr;
  } search{parent,
           {place->left, place->top, place->left + place->width, place->top + place->height}};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        if (GetParent(child) != s->parent) return TRUE;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, s->parent, reinterpret_cast<POINT*>(&r), 2);
        if (EqualRect(&r, &s->want)) {
          s->found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void RunningProgram::SetResult(const std::string& text) {
  SendMessageA(ControlWindow(Control::编辑框_结果), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(text.c_str()));
}

void RunningProgram::Enter(Control box, const std::string& text) {
  SendMessageA(ControlWindow(box), EM_SETSEL, 0, -1);
  SendMessageA(ControlWindow(box), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string RunningProgram::Text(Control c) const {
  // GetWindowText does not reach into another process's controls; the message does.
  HWND box = ControlWindow(c);
  const auto length = SendMessageA(box, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const auto copied =
      SendMessageA(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

void RunningProgram::Click(Control c) {
  BringToFront(main_);
  std::this_thread::sleep_for(milliseconds(100));
  ClickCentreOf(ControlWindow(c));
}

HWND RunningProgram::WaitForNotice(milliseconds timeout) const {
  return WaitForWindow(process_.Id(), kNoticeTitle, timeout);
}

HWND RunningProgram::WaitForDescription(milliseconds timeout) const {
  return WaitForWindow(process_.Id(), kDescriptionTitle, timeout);
}

std::vector<HWND> RunningProgram::Descriptions() const {
  return WindowsOf(process_.Id(), kDescriptionTitle);
}

void RunningProgram::Close(HWND window) {
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

ProgramCopy::ProgramCopy() {
  CopyFileA(ProgramPath().c_str(), exe.c_str(), FALSE);
}

std::string NumberedWords(std::string_view stem, int count, int digits) {
  std::string text;
  text.reserve(static_cast<std::size_t>(count) * (stem.size() + digits + 2));
  char number[16];
  for (int i = 0; i < count; ++i) {
    std::snprintf(number, sizeof number, "%0*d\r\n", digits, i);
    text += stem;
    text += number;
  }
  return text;
}

std::optional<std::string> ClipboardText() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    const SIZE_T size = GlobalSize(data);
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      const std::size_t length = strnlen(bytes, size);
      if (length < size) text = std::string(bytes, length + 1);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::optional<DWORD> DragOnto(RunningProgram& program, Control box, const std::string& kind,
                              const std::string& item) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const POINT sourceAt = {40, 40};  // clear of the centred main window
  ChildProcess source('"' + std::string(self) + "\" --child=" + kDragSourceChild + " " +
                      std::to_string(sourceAt.x) + " " + std::to_string(sourceAt.y) + " " + kind +
                      " \"" + item + '"');
  if (WaitForWindow(source.Id(), kDragSourceTitle, milliseconds(20000)) == nullptr) {
    return std::nullopt;
  }
  const POINT start = {sourceAt.x + 80, sourceAt.y + 60};
  const POINT target = CentreOf(program.ControlWindow(box));
  MouseAt(start, 0);
  std::this_thread::sleep_for(milliseconds(300));
  MouseAt(start, MOUSEEVENTF_LEFTDOWN);
  std::this_thread::sleep_for(milliseconds(500));
  constexpr int kSteps = 20;
  for (int step = 1; step <= kSteps; ++step) {
    MouseAt({start.x + (target.x - start.x) * step / kSteps,
             start.y + (target.y - start.y) * step / kSteps},
            0);
    std::this_thread::sleep_for(milliseconds(50));
  }
  std::this_thread::sleep_for(milliseconds(500));
  MouseAt(target, MOUSEEVENTF_LEFTUP);
  // A big file is read and shown inside the drop, before the source hears its answer.
  return source.WaitForExit(milliseconds(300000));
}

AnswerWatch::AnswerWatch(HWND window) : window_(window) {
  thread_ = std::thread([this] {
    using Clock = std::chrono::steady_clock;
    while (!stop_.load()) {
      const auto asked = Clock::now();
      DWORD_PTR ignored = 0;
      if (!SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &ignored)) {
        // A window that is gone has ended, not hung.
        if (IsWindow(window_)) stuck_ = true;
        return;
      }
      const long long took = std::chrono::duration_cast<milliseconds>(Clock::now() - asked).count();
      if (took > longestMs_.load()) longestMs_ = took;
      std::this_thread::sleep_for(milliseconds(10));
    }
  });
}

AnswerWatch::~AnswerWatch() {
  stop_ = true;
  thread_.join();
}

}  // namespace wc::testing
