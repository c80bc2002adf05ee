#pragma once
// The program-wide state: owned here from start-up to the exit routine, reached by every
// handler through the App it is given.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "app/exit_routines.h"
#include "app/shell.h"
#include "columns/list_memory.h"
#include "columns/word_list.h"
#include "platform/services.h"
#include "ui/control_model.h"

namespace wc {

class Combiner;
class EventRouter;

struct App {
  App(Services& services, Shell& shell);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

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
  WordListPtr Words(int column) const;
  void ReplaceWords(int column, WordListPtr list);
  // Lets go of every list; from here on each column reads as empty.
  void ReleaseWords();
  // Changes with every replacement, so that a reader can tell cheaply when to take them again.
  std::uint64_t WordsVersion() const { return wordsVersion_.load(std::memory_order_acquire); }
  // Where the word lists take their memory.
  ListMemory* listMemory = &HeapListMemory();

  ControlModel& Controls() { return *controls; }

 private:
  // A lock held only to copy or swap a pointer. std::atomic<std::shared_ptr> would do the same,
  // but libstdc++ 12 releases its internal lock after a load with relaxed order, which
  // ThreadSanitizer rightly reports as a race with the next store.
  mutable std::mutex wordsMutex_;
  std::array<WordListPtr, 4> words_;
  std::atomic<std::uint64_t> wordsVersion_{0};

 public:
  // The combination run, from the first press of the combine button. Declared last so that a
  // run still going is stopped before the lists it reads go.
  std::unique_ptr<Combiner> combiner;
};

}  // namespace wc
