#include "ui/ui_dispatch.h"

#include <utility>

namespace wc {

void QueueDispatcher::Post(std::function<void()> work) {
  bool wasEmpty;
  {
    std::lock_guard lock(mutex_);
    wasEmpty = queue_.empty();
    queue_.push_back(std::move(work));
  }
  posted_.notify_one();
  if (wasEmpty) Wake();
}

std::size_t QueueDispatcher::RunPending() {
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(queue_);
  }
  // Run outside the lock: the work may post more, which then waits for the next call.
  for (auto& work : batch) work();
  return batch.size();
}

std::size_t QueueDispatcher::WaitAndRun(std::chrono::milliseconds timeout) {
  {
    std::unique_lock lock(mutex_);
    posted_.wait_for(lock, timeout, [this] { return !queue_.empty(); });
  }
  return RunPending();
}

void QueueDispatcher::Discard() {
  std::deque<std::function<void()>> dropped;
  std::lock_guard lock(mutex_);
  dropped.swap(queue_);
}

}  // namespace wc
