#include "ui/memory_controls.h"

#include "ui/control_contract.h"

namespace wc::testing {
namespace {

struct MemoryHarness {
  RecordingSink sink;
  MemoryControls controls{sink};
  ControlModel& Controls() { return controls; }
  RecordingSink& Sink() { return sink; }
  void UserClicks(Control c) { controls.UserClicks(c); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, ControlContract, MemoryHarness);

}  // namespace
}  // namespace wc::testing
