#include "support/fake_services.h"

#include <algorithm>

namespace wc::testing {

bool FakeServices::InitializeOle() {
  log.push_back("OleInitialize");
  return !oleFails;
}

void FakeServices::UninitializeOle() {
  log.push_back("OleUninitialize");
}

std::string FakeServices::ModuleFileName() {
  log.push_back("GetModuleFileName");
  return moduleFileName;
}

bool FakeServices::ChangeDirectory(const std::string& path) {
  log.push_back("SetCurrentDirectory " + path);
  return true;
}

std::uint32_t FakeServices::TickCount() {
  return tickCount;
}

void FakeServices::ExitProcess(int code) {
  log.push_back("ExitProcess " + std::to_string(code));
  throw ProcessExit{code};
}

void FakeServices::ShowMessage(std::string_view text, std::string_view title, MessageKind kind) {
  log.push_back("MessageBox");
  messages.push_back({std::string(text), std::string(title), kind});
}

bool FakeServices::OpenClipboard() {
  if (clipboardHeldElsewhere || clipboardOpen) return false;
  clipboardOpen = true;
  return true;
}

bool FakeServices::EmptyClipboard() {
  if (!clipboardOpen) return false;
  clipboard.reset();
  return true;
}

bool FakeServices::SetClipboardText(std::string_view bytes) {
  if (!clipboardOpen || clipboardMemoryFails) return false;
  clipboard = std::string(bytes) + '\0';
  return true;
}

void FakeServices::CloseClipboard() {
  clipboardOpen = false;
}

bool FakeServices::Locked(const std::string& path) const {
  return std::find(lockedPaths.begin(), lockedPaths.end(), path) != lockedPaths.end();
}

FileId FakeServices::OpenForReading(const std::string& path) {
  if (path.empty() || Locked(path) || !files.contains(path)) return 0;
  open_[nextId_] = {path, false, 0};
  return nextId_++;
}

FileId FakeServices::CreateForWriting(const std::string& path) {
  if (path.empty() || Locked(path) || createFails) return 0;
  files[path].clear();
  open_[nextId_] = {path, true, 0};
  return nextId_++;
}

std::optional<std::uint64_t> FakeServices::FileSize(FileId file) {
  auto it = open_.find(file);
  if (it == open_.end()) return std::nullopt;
  return files[it->second.path].size();
}

std::optional<std::string> FakeServices::Read(FileId file, std::size_t size) {
  auto it = open_.find(file);
  if (it == open_.end() || readFails) return std::nullopt;
  const std::string& bytes = files[it->second.path];
  std::string out = bytes.substr(std::min(it->second.position, bytes.size()), size);
  it->second.position += out.size();
  return out;
}

bool FakeServices::Write(FileId file, std::string_view bytes) {
  auto it = open_.find(file);
  if (it == open_.end() || !it->second.writing) return false;
  std::string& target = files[it->second.path];
  if (writeFailsAfterBytes && *writeFailsAfterBytes < bytes.size()) {
    target.append(bytes.substr(0, *writeFailsAfterBytes));
    return false;
  }
  target.append(bytes);
  return true;
}

void FakeServices::Close(FileId file) {
  open_.erase(file);
}

bool FakeServices::MoveReplacing(const std::string& from, const std::string& to) {
  if (Locked(to) || !files.contains(from)) return false;
  files[to] = std::move(files[from]);
  files.erase(from);
  return true;
}

bool FakeServices::RemoveFile(const std::string& path) {
  return files.erase(path) == 1;
}

std::optional<std::thread> FakeServices::StartThread(std::function<void()> body) {
  if (threadStartFails) return std::nullopt;
  return std::thread(std::move(body));
}

bool FakeServices::Grant(std::size_t bytes) {
  if (!listGrantsLeft) return true;
  if (*listGrantsLeft == 0) {
    refusedGrants.push_back(bytes);
    return false;
  }
  --*listGrantsLeft;
  return true;
}

std::vector<std::string> FakeServices::OpenPaths() const {
  std::vector<std::string> paths;
  for (const auto& [id, file] : open_) paths.push_back(file.path);
  return paths;
}

}  // namespace wc::testing
