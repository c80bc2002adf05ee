#pragma once
// The green "说明" label opens the usage notes; the window is the shell's.

namespace wc {

struct App;
struct EventArgs;

// Where and with which keys the label was pressed does not matter.
void OpenDescription(App& app, const EventArgs&);

}  // namespace wc
