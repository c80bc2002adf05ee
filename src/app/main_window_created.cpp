#include "app/main_window_created.h"

#include "app/app.h"

namespace wc {

void MainWindowCreated(App& app, const EventArgs&) {
  app.shell.ApplySkin(kMainWindowSkin);
}

}  // namespace wc
