#pragma once

#include "platform/services.h"

namespace wc {

class Win32Services final : public Services {
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
};

}  // namespace wc
