#pragma once
// The program-wide state: owned here from start-up to the exit routine, reached by every
// handler through the App it is given.

#include <array>
#include <atomic>
#include <string>

#include "app/exit_routines.h"
#include "app/shell.h"
#include "columns/word_list.h"
#include "platform/services.h"
#include "ui/control_model.h"

namespace wc {

class EventRouter;

struct App {
  App(Services& services, Shell& shell);

  Services& services;
  Shell& shell;
  // The main window's controls, from the moment the window exists.
  ControlModel* controls = nullptr;
  std::string programDirectory;
  ExitRoutines exitRoutines;
  // Delivers the controls' events; handlers and listeners hang off it.
  EventRouter* events = nullptr;

  // Column word lists, 0-based. Replaced whole on the user-interface thread; any thread may
  // take the current one and keep it as long as it needs it.
  WordListPtr Words(int column) const { return words_[column].load(); }
  void ReplaceWords(int column, WordListPtr list) { words_[column].store(std::move(list)); }
  // Lets go of every list; from here on each column reads as empty.
  void ReleaseWords();

  ControlModel& Controls() { return *controls; }

 private:
  std::array<std::atomic<WordListPtr>, 4> words_;
};

}  // namespace wc
