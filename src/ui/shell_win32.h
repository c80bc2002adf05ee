#pragma once
// The program's windows on Win32: the main window, the user-interface thread's dispatcher,
// the event loop, and the keys the program handles itself.

#include <windows.h>

#include <memory>
#include <vector>

#include "app/shell.h"
#include "ui/ui_dispatch.h"

namespace wc {

class Win32MainWindow;
class Win32DescriptionWindow;

// Work posted from any thread runs in the window procedure of a message-only window, so it
// also runs while a message box has its own loop going.
class Win32Dispatcher final : public QueueDispatcher {
 public:
  explicit Win32Dispatcher(HINSTANCE instance);
  ~Win32Dispatcher() override;
  Win32Dispatcher(const Win32Dispatcher&) = delete;
  Win32Dispatcher& operator=(const Win32Dispatcher&) = delete;

 protected:
  void Wake() override;

 private:
  HWND window_ = nullptr;
};

class Win32Shell : public Shell {
 public:
  explicit Win32Shell(HINSTANCE instance);
  ~Win32Shell() override;
  Win32Shell(const Win32Shell&) = delete;
  Win32Shell& operator=(const Win32Shell&) = delete;

  ControlModel* CreateMainWindow(EventSink& sink) override;
  void ApplySkin(int style) override;
  void ShowMainWindow() override;
  void RunEventLoop() override;
  bool OpenDescriptionWindow() override;
  UiDispatcher& Dispatcher() override { return dispatcher_; }
  bool AttachDropTarget(Control dropTarget, NativeWindow window) override;

  // Every top-level window of the program counts alike: when the last one is gone, the
  // event loop gets its quit message.
  void AddTopLevel(HWND window);
  void RemoveTopLevel(HWND window);
  std::size_t TopLevelCount() const { return topLevel_.size(); }

  // Esc, Tab and Enter as the program wants them, before any control sees them. True when
  // the key was taken.
  bool PreTranslate(const MSG& message);

  HINSTANCE Instance() const { return instance_; }
  HICON Icon() const { return icon_; }
  Win32MainWindow* MainWindow() { return main_.get(); }
  // nullptr until the usage notes have first been opened.
  Win32DescriptionWindow* DescriptionWindow() { return description_.get(); }

 private:
  HINSTANCE instance_;
  HICON icon_ = nullptr;
  Win32Dispatcher dispatcher_;
  std::unique_ptr<Win32MainWindow> main_;
  std::unique_ptr<Win32DescriptionWindow> description_;
  std::vector<HWND> topLevel_;
  bool skinApplied_ = false;
};

}  // namespace wc
