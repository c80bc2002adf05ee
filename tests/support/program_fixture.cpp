#include "support/program_fixture.h"

#include "combine/run.h"

namespace wc::testing {

ProgramTest::ProgramTest() {
  app.events = &router;
  app.controls = shell.CreateMainWindow(router);
  ui = shell.controls.get();
}

ProgramTest::~ProgramTest() {
  StopCombination(app);
}

bool ProgramTest::RunGoing() {
  return app.combiner && app.combiner->Running();
}

void ProgramTest::FinishRun(std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (RunGoing()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the run did not finish";
    shell.dispatcher.WaitAndRun(std::chrono::milliseconds(100));
  }
}

void ProgramTest::WaitForFirstLines(std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (Result().empty()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the run showed no line";
    shell.dispatcher.WaitAndRun(std::chrono::milliseconds(100));
  }
}

}  // namespace wc::testing
