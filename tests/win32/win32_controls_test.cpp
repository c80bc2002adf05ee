// The real window under the same rules as the in-memory controls.

#include <windows.h>

#include "support/recording_sink.h"
#include "ui/control_contract.h"
#include "ui/main_window_win32.h"
#include "ui/shell_win32.h"
#include "win32/win32_support.h"

namespace wc::testing {
namespace {

using std::chrono::milliseconds;

struct Win32Harness {
  RecordingSink sink;
  Win32Shell shell{GetModuleHandleA(nullptr)};
  ControlModel* controls = nullptr;

  Win32Harness() {
    controls = shell.CreateMainWindow(sink);
    shell.ApplySkin(3);  // as the program's Created handler does
    shell.ShowMainWindow();
    BringToFront(shell.MainWindow()->Handle());
    PumpFor(milliseconds(100), &shell);
  }
  ControlModel& Controls() { return *controls; }
  RecordingSink& Sink() { return sink; }
  void UserClicks(Control c) {
    const std::size_t before = sink.events.size();
    ClickCentreOf(shell.MainWindow()->ControlWindow(c));
    // A click that raises nothing is waited for in full; one that raises returns early.
    PumpUntil([&] { return sink.events.size() > before; }, milliseconds(1500), &shell);
    PumpFor(milliseconds(50), &shell);
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ControlContract, Win32Harness);

}  // namespace
}  // namespace wc::testing
