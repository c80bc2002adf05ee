#pragma once
// How another thread gets work done on the user-interface thread. Posting never waits for
// the user-interface thread, so that thread may wait for a worker without a deadlock.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace wc {

class UiDispatcher {
 public:
  virtual ~UiDispatcher() = default;
  // Runs `work` on the user-interface thread, in posting order, after the caller returns.
  virtual void Post(std::function<void()> work) = 0;
};

// A dispatcher whose "user-interface thread" is whoever calls RunPending: the tests' thread,
// or the Win32 window procedure that a posted wake-up message reaches.
class QueueDispatcher : public UiDispatcher {
 public:
  void Post(std::function<void()> work) override;

  // Runs what was posted so far; returns how many pieces of work ran.
  std::size_t RunPending();
  // Waits until something is posted or `timeout` passes, then runs what is there.
  std::size_t WaitAndRun(std::chrono::milliseconds timeout);
  // Drops what was posted and not yet run.
  void Discard();

 protected:
  // Called after a post found the queue empty, so the platform can wake its thread once.
  virtual void Wake() {}

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> queue_;
};

}  // namespace wc
