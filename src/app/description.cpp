#include "app/description.h"

#include "app/app.h"

namespace wc {

void OpenDescription(App& app, const EventArgs&) {
  // A window that cannot be built leaves the main window as it was, without a word.
  app.shell.OpenDescriptionWindow();
}

}  // namespace wc
