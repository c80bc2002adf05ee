#include "platform/services_win32.h"

#include <windows.h>
#include <ole2.h>

#include <cstring>
#include <system_error>

namespace wc {

namespace {

HANDLE ToHandle(FileId file) {
  return reinterpret_cast<HANDLE>(file);
}
FileId ToFileId(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<FileId>(handle);
}

}  // namespace

bool Win32Services::InitializeOle() {
  return SUCCEEDED(::OleInitialize(nullptr));
}

void Win32Services::UninitializeOle() {
  ::OleUninitialize();
}

std::string Win32Services::ModuleFileName() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length < MAX_PATH ? length : MAX_PATH - 1);
}

bool Win32Services::ChangeDirectory(const std::string& path) {
  return ::SetCurrentDirectoryA(path.c_str()) != FALSE;
}

std::uint32_t Win32Services::TickCount() {
  return ::GetTickCount();
}

void Win32Services::ExitProcess(int code) {
  ::ExitProcess(static_cast<UINT>(code));
}

void Win32Services::ShowMessage(std::string_view text, std::string_view title, MessageKind kind) {
  const UINT flags = kind == MessageKind::Error ? MB_OK | MB_ICONERROR : MB_OK | MB_TASKMODAL;
  ::MessageBoxA(nullptr, std::string(text).c_str(), std::string(title).c_str(), flags);
}

bool Win32Services::OpenClipboard() {
  return ::OpenClipboard(nullptr) != FALSE;
}

bool Win32Services::EmptyClipboard() {
  return ::EmptyClipboard() != FALSE;
}

bool Win32Services::SetClipboardText(std::string_view bytes) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() + 1);
  if (memory == nullptr) return false;
  void* target = ::GlobalLock(memory);
  if (target == nullptr) {
    ::GlobalFree(memory);
    return false;
  }
  std::memcpy(target, bytes.data(), bytes.size());  // the NUL is there from GMEM_ZEROINIT
  ::GlobalUnlock(memory);
  if (::SetClipboardData(CF_TEXT, memory) == nullptr) {
    ::GlobalFree(memory);  // not taken: still ours
    return false;
  }
  return true;
}

void Win32Services::CloseClipboard() {
  ::CloseClipboard();
}

FileId Win32Services::OpenForReading(const std::string& path) {
  if (path.empty()) return 0;
  return ToFileId(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileId Win32Services::CreateForWriting(const std::string& path) {
  if (path.empty()) return 0;
  return ToFileId(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::uint64_t> Win32Services::FileSize(FileId file) {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(ToHandle(file), &size)) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<std::string> Win32Services::Read(FileId file, std::size_t size) {
  if (size > MAXDWORD) return std::nullopt;
  std::string bytes(size, '\0');
  DWORD read = 0;
  if (!::ReadFile(ToHandle(file), bytes.data(), static_cast<DWORD>(size), &read, nullptr)) {
    return std::nullopt;
  }
  bytes.resize(read);
  return bytes;
}

bool Win32Services::Write(FileId file, std::string_view bytes) {
  // WriteFile takes a DWORD count, so a result beyond 4 GB goes in pieces.
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(bytes.size() < 0x40000000u ? bytes.size() : 0x40000000u);
    DWORD written = 0;
    if (!::WriteFile(ToHandle(file), bytes.data(), chunk, &written, nullptr) || written != chunk) {
      return false;
    }
    bytes.remove_prefix(chunk);
  }
  return true;
}

void Win32Services::Close(FileId file) {
  if (file != 0) ::CloseHandle(ToHandle(file));
}

bool Win32Services::MoveReplacing(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Services::RemoveFile(const std::string& path) {
  return ::DeleteFileA(path.c_str()) != FALSE;
}

std::optional<std::thread> Win32Services::StartThread(std::function<void()> body) {
  try {
    return std::thread(std::move(body));
  } catch (const std::system_error&) {
    return std::nullopt;
  }
}

}  // namespace wc
