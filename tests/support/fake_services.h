#pragma once
// The platform as the tests want it: every call is logged, files live in memory, and each
// failure the program must survive can be switched on.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "columns/list_memory.h"
#include "platform/services.h"

namespace wc::testing {

// Thrown where the real process would end.
struct ProcessExit {
  int code;
};

struct ShownMessage {
  std::string text;
  std::string title;
  MessageKind kind;
  bool operator==(const ShownMessage&) const = default;
};

// Also the memory the word lists take, so that running out is one more switch: point
// App::listMemory at the double.
class FakeServices : public Services, public ListMemory {
 public:
  bool InitializeOle() override;
  void UninitializeOle() override;
  std::string ModuleFileName() override;
  bool ChangeDirectory(const std::string& path) override;
  std::uint32_t TickCount() override;
  [[noreturn]] void ExitProcess(int code) override;
  void ShowMessage(std::string_view text, std::string_view title, MessageKind kind) override;
  bool OpenClipboard() override;
  bool EmptyClipboard() override;
  bool SetClipboardText(std::string_view bytes) override;
  void CloseClipboard() override;
  FileId OpenForReading(const std::string& path) override;
  FileId CreateForWriting(const std::string& path) override;
  std::optional<std::uint64_t> FileSize(FileId file) override;
  std::optional<std::string> Read(FileId file, std::size_t size) override;
  bool Write(FileId file, std::string_view bytes) override;
  void Close(FileId file) override;
  bool MoveReplacing(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  std::optional<std::thread> StartThread(std::function<void()> body) override;
  bool Grant(std::size_t bytes) override;

  // What happened, in order: "OleInitialize", "SetCurrentDirectory C:\\x", ...
  std::vector<std::string> log;
  std::vector<ShownMessage> messages;

  // The world the program sees.
  std::string moduleFileName = "C:\\WordCombiner\\WordCombiner.exe";
  std::uint32_t tickCount = 1000;
  std::map<std::string, std::string> files;  // path -> bytes
  std::optional<std::string> clipboard;      // CF_TEXT bytes with their NUL
  bool clipboardOpen = false;

  // Failures to inject.
  bool oleFails = false;
  bool clipboardHeldElsewhere = false;
  bool clipboardMemoryFails = false;
  std::vector<std::string> lockedPaths;             // cannot be created, replaced or read
  bool createFails = false;                         // no new file anywhere (read-only folder)
  std::optional<std::size_t> writeFailsAfterBytes;  // a write stops after this many bytes
  bool readFails = false;
  bool threadStartFails = false;
  // Word-list memory: this many more requests are met, every later one is refused.
  std::optional<std::size_t> listGrantsLeft;
  std::vector<std::size_t> refusedGrants;  // the bytes of each refused request

  // Paths of the files still open, for "nothing left open" checks.
  std::vector<std::string> OpenPaths() const;

 private:
  struct OpenFile {
    std::string path;
    bool writing = false;
    std::size_t position = 0;
  };
  bool Locked(const std::string& path) const;

  std::map<FileId, OpenFile> open_;
  FileId nextId_ = 1;
};

}  // namespace wc::testing
