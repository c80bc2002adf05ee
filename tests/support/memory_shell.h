#pragma once
// The program's windows without a screen: the main window is a MemoryControls, the event
// loop is whatever the test scripts into `whileRunning`.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/shell.h"
#include "columns/drop_effect.h"
#include "support/fake_services.h"
#include "ui/memory_controls.h"
#include "ui/ui_dispatch.h"

namespace wc::testing {

class MemoryShell : public Shell {
 public:
  explicit MemoryShell(FakeServices& services) : services_(services) {}

  ControlModel* CreateMainWindow(EventSink& sink) override;
  void ApplySkin(int style) override;
  void ShowMainWindow() override;
  void RunEventLoop() override;
  bool OpenDescriptionWindow() override;
  UiDispatcher& Dispatcher() override { return dispatcher; }
  bool AttachDropTarget(Control dropTarget, NativeWindow window) override;

  // What the user drags over a column box: a file list, or data without one (text, a link).
  struct Drag {
    std::optional<std::vector<std::string>> files;
    DropEffects allowed = kDropCopy | kDropMove | kDropLink;
    bool ctrl = false;
    bool shift = false;
  };
  // Drops it as OLE would: only a box whose target is attached takes a drop, and only with an
  // effect; then its File dropped event runs. Returns the effect the source is told.
  DropEffects UserDrops(Control dropTarget, const Drag& drag);

  bool failCreate = false;
  bool failAttach = false;  // as when OLE could not be initialised
  bool shown = false;
  std::vector<int> skinStyles;  // every style applied, in order
  int descriptionOpens = 0;
  // Plays the user while the event loop runs; the loop ends when it returns.
  std::function<void(MemoryControls&)> whileRunning;

  struct Attachment {
    Control dropTarget;
    NativeWindow window;
    bool operator==(const Attachment&) const = default;
  };
  // Every attach that succeeded, in order.
  std::vector<Attachment> attached;

  std::unique_ptr<MemoryControls> controls;
  QueueDispatcher dispatcher;

 private:
  FakeServices& services_;
  EventSink* sink_ = nullptr;
};

}  // namespace wc::testing
