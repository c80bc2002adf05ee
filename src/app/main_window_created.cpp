#include "app/main_window_created.h"

#include "app/app.h"

namespace wc {

void MainWindowCreated(App& app, const EventArgs&) {
  app.shell.ApplySkin(kMainWindowSkin);
  // Column 1 first. A box whose target cannot be attached (OLE not initialised) merely takes
  // no drops, which is nothing to tell the user about.
  for (const ColumnControls& column : kColumns) {
    app.shell.AttachDropTarget(column.dropTarget, app.Controls().WindowHandle(column.box));
  }
}

}  // namespace wc
