#pragma once
// The windows of the program as the start-up and the handlers see them.

#include "ui/control_model.h"
#include "ui/ui_dispatch.h"

namespace wc {

class Shell {
 public:
  virtual ~Shell() = default;

  // Builds the main window and its controls, hidden; nullptr when it cannot be built.
  virtual ControlModel* CreateMainWindow(EventSink& sink) = 0;
  // Applies the window skin to every window of the user-interface thread: 1, 2 or 3 install
  // it with that colour scheme, any other number removes it.
  virtual void ApplySkin(int style) = 0;
  // Shows the main window in normal state.
  virtual void ShowMainWindow() = 0;
  // Takes and dispatches messages until the last window of the program is gone.
  virtual void RunEventLoop() = 0;
  // Opens the usage-notes window, or brings the open one back: restored when minimised, else
  // made active. It has no owner, so either window may be closed first. False when it could
  // not be built; nobody is told.
  virtual bool OpenDescriptionWindow() = 0;
  // Reaches the user-interface thread from any thread.
  virtual UiDispatcher& Dispatcher() = 0;
  // Lets the main window's drop target `dropTarget` take drops on `window`, from now until the
  // main window goes. False when it is attached already or the platform refuses.
  virtual bool AttachDropTarget(Control dropTarget, NativeWindow window) = 0;
};

}  // namespace wc
