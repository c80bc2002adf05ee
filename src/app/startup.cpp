#include "app/startup.h"

#include "app/app.h"
#include "app/bindings.h"
#include "app/fatal.h"
#include "app/program_directory.h"
#include "app/texts.h"
#include "combine/run.h"

namespace wc {

namespace {

// The one routine the program adds: the word lists go before OLE does, and a run still reading
// them stops first.
void ReleaseProgramState(App& app) {
  StopCombination(app);
  app.ReleaseWords();
}

}  // namespace

int RunProgram(Services& services, Shell& shell, std::span<const Binding> bindings) {
  // OLE before anything that could register a drop target; a failure is not fatal, the
  // column boxes then merely take no drops.
  services.InitializeOle();
  const std::string directory = ProgramDirectory(services.ModuleFileName());
  services.ChangeDirectory(directory);

  App app(services, shell);
  app.programDirectory = directory;
  app.exitRoutines.Add(&ReleaseProgramState);

  EventRouter router(app, bindings);
  app.events = &router;
  app.controls = shell.CreateMainWindow(router);
  if (app.controls == nullptr) FatalError(services, texts::kLoadMainWindowFailed);
  router.Raise(WindowId::主窗口, std::nullopt, Event::Created, {});
  shell.ShowMainWindow();

  shell.RunEventLoop();

  // No handler runs from here on.
  app.exitRoutines.RunAll(app);
  services.UninitializeOle();
  return 0;
}

}  // namespace wc
