#pragma once
// The program with its main window in memory: the real binding table, the real handlers, the
// platform double. A test plays the user on `ui` and pumps the user-interface queue itself.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "app/app.h"
#include "app/bindings.h"
#include "support/fake_services.h"
#include "support/memory_shell.h"

namespace wc::testing {

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest();
  ~ProgramTest() override;

  void Type(Control box, std::string_view text) { ui->UserTypes(box, text); }
  void Click(Control c) { ui->UserClicks(c); }
  std::string Result() const { return ui->Text(Control::编辑框_结果); }

  bool RunGoing();
  // Runs what the run posts until all its lines are in the box; fails the test after `limit`.
  void FinishRun(std::chrono::seconds limit = std::chrono::seconds(120));
  // Runs what the run posts until the box holds something.
  void WaitForFirstLines(std::chrono::seconds limit = std::chrono::seconds(60));

  FakeServices services;
  MemoryShell shell{services};
  App app{services, shell};
  EventRouter router{app, ProgramBindings()};
  MemoryControls* ui = nullptr;
};

}  // namespace wc::testing
