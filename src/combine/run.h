#pragma once
// The combination run: its thread, and how its lines reach the result box. The thread makes
// the passes and never waits for the user-interface thread; the user-interface thread takes
// the lines in batches with a gap of some 30 ms between, appends them to the end of the box and
// moves the bar, so the window keeps answering however long the run is. One run at a time.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "combine/engine.h"
#include "ui/controls.h"

namespace wc {

struct App;
struct RunChannel;

class Combiner {
 public:
  // Starts following the include boxes; on the user-interface thread, once the window exists.
  explicit Combiner(App& app);
  ~Combiner();
  Combiner(const Combiner&) = delete;
  Combiner& operator=(const Combiner&) = delete;

  // Starts a run with what the count box, the de-dup box and the columns say now, then stops
  // the current one, if any. A thread that cannot be started leaves everything as it was, the
  // run going on included.
  void Start();
  // Stops the current run at its next pass and waits for its thread. Lines it made that the
  // box has not shown yet are dropped. Never waits long: the run never waits for this thread.
  void Stop();
  // A run whose lines are not all in the box yet.
  bool Running() const { return running_; }

 private:
  void Follow(Control control);
  void Show(const std::shared_ptr<RunChannel>& channel);
  void FitBatch(std::chrono::steady_clock::duration elsewhere,
                std::chrono::steady_clock::duration took, std::size_t lines);

  App& app_;
  // Bit c set: the include box of column c (0-based, 1...3) is ticked. Written on the
  // user-interface thread whenever a box toggles, read by the run before every pass.
  std::atomic<unsigned> included_{0};

  std::shared_ptr<RunChannel> channel_;
  std::optional<std::thread> thread_;

  // The run as the user-interface thread sees it.
  bool running_ = false;
  bool dedup_ = false;
  bool writing_ = false;  // the run itself is changing the result box
  bool boxChangedElsewhere_ = false;
  LineSet shown_;  // de-dup: the lines in the result box
  std::int32_t passesShown_ = 0;
  std::size_t batchLines_ = 0;  // lines per batch, fitted to how fast the box takes them
  std::chrono::steady_clock::time_point lastShowEnd_{};
};

// The run's state of the program, made on first use; user-interface thread only.
Combiner& CombinerOf(App& app);
// Stops a run that is still going; for the end of the program.
void StopCombination(App& app);

}  // namespace wc
