// The Win32 test program. Started with --child=NAME it plays the program in a way a test
// needs and that the real WordCombiner.exe cannot be made to (it takes no arguments).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/startup.h"
#include "platform/services_win32.h"
#include "ui/shell_win32.h"
#include "win32/drag_source.h"

namespace {

// The real program, except that its main window cannot be built.
class ShellThatCannotLoad final : public wc::Win32Shell {
 public:
  using Win32Shell::Win32Shell;
  wc::ControlModel* CreateMainWindow(wc::EventSink&) override { return nullptr; }
};

// `arguments` are the ones after --child=NAME.
int RunChild(const std::string& name, const std::vector<std::string>& arguments) {
  if (name == "load-failure") {
    wc::Win32Services services;
    ShellThatCannotLoad shell(GetModuleHandleA(nullptr));
    wc::RunProgram(services, shell);
    return 0;  // not reached: the failure ends the process with -1
  }
  if (name == wc::testing::kDragSourceChild && arguments.size() >= 4) {
    // LEFT TOP KIND ITEM...
    return wc::testing::RunDragSource(std::stoi(arguments[0]), std::stoi(arguments[1]),
                                      arguments[2], {arguments.begin() + 3, arguments.end()});
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  constexpr char kChild[] = "--child=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kChild, sizeof kChild - 1) == 0) {
      return RunChild(argv[i] + sizeof kChild - 1, {argv + i + 1, argv + argc});
    }
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
