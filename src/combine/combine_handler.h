#pragma once

#include "app/bindings.h"

namespace wc {

// Clicked of 按钮_输出: checks the count and starts a run, stopping one that is going.
void CombineClicked(App& app, const EventArgs&);

}  // namespace wc
