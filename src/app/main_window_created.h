#pragma once

#include "ui/control_model.h"

namespace wc {

struct App;

// The look the main window's controls get when it is built.
inline constexpr int kMainWindowSkin = 3;

// The main window exists with every control and is still hidden: it gets its finished look
// before the user sees it.
void MainWindowCreated(App& app, const EventArgs& args);

}  // namespace wc
