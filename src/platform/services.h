#pragma once
// What the program needs from the system besides its windows. Win32 provides the real ones;
// the tests use a double that records each call and can make each one fail.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace wc {

// An open file; 0 stands for none.
using FileId = std::uintptr_t;

enum class MessageKind : std::uint8_t {
  Notice,  // OK only, no icon, task-modal
  Error,   // OK only, the error icon
};

class Services {
 public:
  virtual ~Services() = default;

  // Process. ANSI paths throughout.
  virtual bool InitializeOle() = 0;
  virtual void UninitializeOle() = 0;
  virtual std::string ModuleFileName() = 0;
  virtual bool ChangeDirectory(const std::string& path) = 0;
  virtual std::uint32_t TickCount() = 0;
  // Ends the process at once: no exit routine, no destructor.
  [[noreturn]] virtual void ExitProcess(int code) = 0;

  // A message box without owner window; returns when the user has closed it.
  virtual void ShowMessage(std::string_view text, std::string_view title, MessageKind kind) = 0;

  // Clipboard, step by step, so that each step can fail on its own.
  virtual bool OpenClipboard() = 0;
  virtual bool EmptyClipboard() = 0;
  // Hands `bytes` and a terminating NUL to the clipboard as plain text; false when the memory
  // for it could not be had, in which case the clipboard is left as it is.
  virtual bool SetClipboardText(std::string_view bytes) = 0;
  virtual void CloseClipboard() = 0;

  // Files.
  // Existing file for reading, sharing reading and writing with other programs; 0 on failure.
  virtual FileId OpenForReading(const std::string& path) = 0;
  // New or emptied file for writing, shared with nobody; 0 on failure.
  virtual FileId CreateForWriting(const std::string& path) = 0;
  virtual std::optional<std::uint64_t> FileSize(FileId file) = 0;
  // Reads up to `size` bytes from the current position; empty on a read error.
  virtual std::optional<std::string> Read(FileId file, std::size_t size) = 0;
  // True when every byte was written.
  virtual bool Write(FileId file, std::string_view bytes) = 0;
  virtual void Close(FileId file) = 0;
  // Puts `from` in the place of `to`, replacing it when it exists.
  virtual bool MoveReplacing(const std::string& from, const std::string& to) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;

  // A thread of its own for `body`; empty when it could not be started.
  virtual std::optional<std::thread> StartThread(std::function<void()> body) = 0;
};

}  // namespace wc
