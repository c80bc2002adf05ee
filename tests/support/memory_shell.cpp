#include "support/memory_shell.h"

#include <algorithm>
#include <string>

#include "columns/file_drop.h"

namespace wc::testing {

ControlModel* MemoryShell::CreateMainWindow(EventSink& sink) {
  services_.log.push_back("CreateMainWindow");
  if (failCreate) return nullptr;
  sink_ = &sink;
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

DropEffects MemoryShell::UserDrops(Control dropTarget, const Drag& drag) {
  const bool attachedHere = std::any_of(attached.begin(), attached.end(), [&](const Attachment& a) {
    return a.dropTarget == dropTarget;
  });
  // A box without its target shows the no-drop cursor: the drop never reaches the program.
  if (!attachedHere || sink_ == nullptr) return kDropNone;
  const DropEffects effect =
      ChooseDropEffect(drag.files.has_value(), drag.ctrl, drag.shift, drag.allowed);
  if (effect == kDropNone) return effect;
  const std::string argument = DropArgument(*drag.files);
  sink_->Raise(WindowId::主窗口, dropTarget, Event::FileDropped, {.text = argument});
  return effect;
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
