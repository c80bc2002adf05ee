#pragma once

#include "app/bindings.h"

namespace wc {

// Created of the main window: runs once every control exists, before the window shows.
void MainWindowCreated(App& app, const EventArgs&);

}  // namespace wc
