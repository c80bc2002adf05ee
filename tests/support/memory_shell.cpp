#include "support/memory_shell.h"

#include <string>

namespace wc::testing {

ControlModel* MemoryShell::CreateMainWindow(EventSink& sink) {
  services_.log.push_back("CreateMainWindow");
  if (failCreate) return nullptr;
  controls = std::make_unique<MemoryControls>(sink);
  return controls.get();
}

void MemoryShell::ApplySkin(int style) {
  services_.log.push_back("ApplySkin " + std::to_string(style));
  skinStyles.push_back(style);
}

void MemoryShell::ShowMainWindow() {
  services_.log.push_back("ShowMainWindow");
  shown = true;
}

bool MemoryShell::AttachDropTarget(Control dropTarget, NativeWindow window) {
  services_.log.push_back("AttachDropTarget");
  if (failAttach) return false;
  for (const Attachment& a : attached) {
    if (a.dropTarget == dropTarget) return false;  // once only
  }
  attached.push_back({dropTarget, window});
  return true;
}

bool MemoryShell::OpenDescriptionWindow() {
  services_.log.push_back("OpenDescriptionWindow");
  ++descriptionOpens;
  return true;
}

void MemoryShell::RunEventLoop() {
  services_.log.push_back("EventLoop");
  if (whileRunning) whileRunning(*controls);
  dispatcher.RunPending();
  services_.log.push_back("EventLoopEnded");
}

}  // namespace wc::testing
