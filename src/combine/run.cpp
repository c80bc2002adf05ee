#include "combine/run.h"

#include <algorithm>
#include <cassert>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "app/app.h"
#include "app/bindings.h"
#include "combine/count_text.h"
#include "combine/random.h"

namespace wc {

namespace {

using Clock = std::chrono::steady_clock;

// The run hands its lines over in pieces of this size: small enough that the first lines show
// at once, large enough that handing over costs nothing next to making them.
constexpr std::size_t kPieceLines = 1024;
constexpr std::size_t kPieceBytes = 64 * 1024;
// After each batch the window has its queue to itself for at least this long, to paint the new
// lines and take the user's input before the next batch.
constexpr auto kShowGap = std::chrono::milliseconds(30);
// What may wait for the box before the run pauses: a run of two billion lines must not fill
// the memory just because the box cannot keep up.
constexpr std::size_t kWaitingBytesLimit = 8 * 1024 * 1024;
// Lines per batch: fitted to how long the box takes to add a line, so that a batch keeps the
// window busy about as long as it spent on everything else since the last one (painting a long
// text costs more than adding to it), within these bounds. An edit box under Wine takes some
// 30 to 40 us a line, so a batch is a few thousand lines. Besides, a batch is at least a
// 32nd of the lines shown so far: under Wine, adding to a box and painting it also cost time in
// proportion to what it holds, once per batch: measured here near a million lines, some 0.2 s
// to add and 0.7 s to paint.
constexpr std::size_t kFirstBatchLines = 2 * kPieceLines;
constexpr std::size_t kMostBatchLines = 1024 * kPieceLines;
constexpr auto kBatchTimeLeast = std::chrono::milliseconds(100);
constexpr auto kBatchTimeMost = std::chrono::milliseconds(500);
constexpr std::size_t kBatchesPerText = 32;

// The columns as the run reads them before every pass: the word lists the program holds now
// and the include boxes as the user-interface thread last saw them. Taking the lists again
// only when one was replaced keeps a pass at two atomic reads.
class LiveColumns {
 public:
  LiveColumns(const App& app, const std::atomic<unsigned>& included)
      : app_(app), included_(included) {}

  bool Changed() const {
    return app_.WordsVersion() != version_ ||
           included_.load(std::memory_order_relaxed) != includedBits_;
  }

  ColumnInputs Take() {
    version_ = app_.WordsVersion();
    includedBits_ = included_.load(std::memory_order_relaxed);
    ColumnInputs inputs;
    for (int column = 0; column < kColumnCount; ++column) {
      inputs.lists[column] = app_.Words(column);
      inputs.included[column] = column == 0 || (includedBits_ & (1u << column)) != 0;
    }
    return inputs;
  }

 private:
  const App& app_;
  const std::atomic<unsigned>& included_;
  std::uint64_t version_ = ~std::uint64_t{0};
  unsigned includedBits_ = ~0u;
};

}  // namespace

// What a run's thread and the user-interface thread share.
struct RunChannel {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<LineBatch> waiting;  // made, not yet taken for the box
  std::size_t waitingBytes = 0;
  bool made = false;        // every pass is made
  bool showPosted = false;  // a batch is on its way to the box
  bool finished = false;    // the box shows everything the run made
  Clock::time_point nextShow{};
  std::atomic<bool> stop{false};

  // User-interface thread only: the run was stopped, what it posted must do nothing.
  bool detached = false;
};

namespace {

// The run's thread: the passes, then waiting until the box has taken every line.
class PassMaker {
 public:
  PassMaker(App& app, const std::atomic<unsigned>& included, std::shared_ptr<RunChannel> channel,
            std::int32_t passes, std::function<void()> postShow)
      : app_(app),
        columns_(app, included),
        channel_(std::move(channel)),
        passes_(passes),
        postShow_(std::move(postShow)) {}

  void operator()() {
    SeedRandom(app_.services);
    PassEngine engine;
    LineBatch piece;
    for (std::int32_t done = 0; done < passes_; ++done) {
      if (columns_.Changed()) engine.Use(columns_.Take());
      engine.Pass(piece);
      if (piece.Lines() >= kPieceLines || piece.Bytes() >= kPieceBytes) {
        if (!HandOver(std::move(piece))) return;
        piece = LineBatch();
      }
    }
    std::unique_lock lock(channel_->mutex);
    if (!piece.Empty()) Queue(std::move(piece));
    channel_->made = true;
    // Once made, a batch is due even with no lines: it tells the box the run is over.
    WaitWhile(lock, [&] { return !channel_->finished; });
  }

 private:
  bool Stopped() const { return channel_->stop.load(std::memory_order_relaxed); }

  void Queue(LineBatch piece) {
    channel_->waitingBytes += piece.Bytes();
    channel_->waiting.push_back(std::move(piece));
  }

  bool HandOver(LineBatch piece) {
    std::unique_lock lock(channel_->mutex);
    Queue(std::move(piece));
    WaitWhile(lock, [&] { return channel_->waitingBytes > kWaitingBytesLimit; });
    return !Stopped();
  }

  // Posts the next batch when it is due, and waits while `blocked` holds, until stopped.
  template <typename BlockedFn>
  void WaitWhile(std::unique_lock<std::mutex>& lock, BlockedFn blocked) {
    for (;;) {
      RunChannel& ch = *channel_;
      const Clock::time_point now = Clock::now();
      const bool somethingToShow = !ch.waiting.empty() || ch.made;
      if (!ch.showPosted && somethingToShow && now >= ch.nextShow) {
        ch.showPosted = true;
        postShow_();
      }
      if (Stopped() || !blocked()) return;
      if (ch.showPosted) {
        ch.changed.wait(lock);
      } else {
        ch.changed.wait_until(lock, ch.nextShow);
      }
    }
  }

  App& app_;
  LiveColumns columns_;
  std::shared_ptr<RunChannel> channel_;
  std::int32_t passes_;
  std::function<void()> postShow_;
};

}  // namespace

Combiner::Combiner(App& app) : app_(app) {
  for (int column = 1; column < kColumnCount; ++column) Follow(kColumns[column].includeBox);
  assert(app_.events != nullptr && "the run follows the controls through the event router");
  app_.events->OnStateChanged([this](Control control) { Follow(control); });
  app_.events->OnWindowDestroying([this](WindowId) { Stop(); });
}

Combiner::~Combiner() {
  Stop();
}

void Combiner::Follow(Control control) {
  for (int column = 1; column < kColumnCount; ++column) {
    if (control != kColumns[column].includeBox) continue;
    const unsigned bit = 1u << column;
    if (app_.Controls().Checked(control) == 1) {
      included_.fetch_or(bit, std::memory_order_relaxed);
    } else {
      included_.fetch_and(~bit, std::memory_order_relaxed);
    }
    return;
  }
  if (control == Control::编辑框_结果 && running_ && !writing_) boxChangedElsewhere_ = true;
}

void Combiner::Start() {
  ControlModel& ui = app_.Controls();
  const std::int32_t maximum = CountFromText(ui.Text(Control::编辑框_输出条数));
  const bool dedup = ui.Checked(Control::选择框_去重) == 1;
  const std::int32_t passes = CountFromText(ui.Text(Control::编辑框_输出条数));

  auto channel = std::make_shared<RunChannel>();
  UiDispatcher& dispatcher = app_.shell.Dispatcher();
  auto postShow = [this, &dispatcher, weak = std::weak_ptr<RunChannel>(channel)] {
    dispatcher.Post([this, weak] {
      // A stopped run's batches stay behind in the queue; they must not touch anything.
      const std::shared_ptr<RunChannel> posted = weak.lock();
      if (posted && !posted->detached) Show(posted);
    });
  };
  std::optional<std::thread> thread =
      app_.services.StartThread(PassMaker(app_, included_, channel, passes, std::move(postShow)));
  // A press whose run cannot start changes nothing: the run going on, if any, goes on.
  if (!thread) return;
  // Only now the run before ends. The new one cannot reach the box before this handler has
  // returned, so the two never write to it together.
  Stop();

  channel_ = std::move(channel);
  thread_ = std::move(thread);
  running_ = true;
  dedup_ = dedup;
  shown_ = LineSet();  // lets go of the memory the last run's lines took
  passesShown_ = 0;
  boxChangedElsewhere_ = false;
  batchLines_ = kFirstBatchLines;
  lastShowEnd_ = Clock::now();
  // The run's batches reach the box only after this handler has returned.
  writing_ = true;
  ui.SetText(Control::编辑框_结果, "");
  writing_ = false;
  ui.SetProgressMaximum(Control::进度条1, maximum);
}

void Combiner::Stop() {
  if (!channel_) return;
  {
    std::lock_guard lock(channel_->mutex);
    channel_->stop.store(true, std::memory_order_relaxed);
  }
  channel_->changed.notify_all();
  if (thread_ && thread_->joinable()) thread_->join();
  thread_.reset();
  channel_->detached = true;
  channel_.reset();
  running_ = false;
}

void Combiner::Show(const std::shared_ptr<RunChannel>& channel) {
  const Clock::time_point start = Clock::now();
  std::deque<LineBatch> taken;
  std::size_t lines = 0;
  bool last = false;
  {
    std::lock_guard lock(channel->mutex);
    while (!channel->waiting.empty() && lines < batchLines_) {
      lines += channel->waiting.front().Lines();
      channel->waitingBytes -= channel->waiting.front().Bytes();
      taken.push_back(std::move(channel->waiting.front()));
      channel->waiting.pop_front();
    }
    last = channel->made && channel->waiting.empty();
    channel->finished = last;
  }
  channel->changed.notify_all();  // room for more lines

  ControlModel& ui = app_.Controls();
  std::string text;
  if (dedup_) {
    if (boxChangedElsewhere_) {
      // Someone else wrote to the box: its lines, not ours, are what the next ones must avoid.
      shown_.Clear();
      shown_.AddLinesOf(ui.Text(Control::编辑框_结果));
      boxChangedElsewhere_ = false;
    }
    for (const LineBatch& piece : taken) AppendNewLines(piece, 0, piece.Lines(), shown_, text);
  } else {
    for (const LineBatch& piece : taken) text.append(piece.Text());
  }
  passesShown_ += static_cast<std::int32_t>(lines);

  writing_ = true;
  if (!text.empty()) ui.AppendText(Control::编辑框_结果, text);
  ui.SetProgressPosition(Control::进度条1, passesShown_);
  writing_ = false;
  if (last) running_ = false;

  const Clock::time_point end = Clock::now();
  FitBatch(start - lastShowEnd_, end - start, lines);
  lastShowEnd_ = end;
  {
    // The next batch is due only once the window has had its gap.
    std::lock_guard lock(channel->mutex);
    channel->showPosted = false;
    channel->nextShow = end + kShowGap;
  }
  channel->changed.notify_all();
}

void Combiner::FitBatch(Clock::duration elsewhere, Clock::duration took, std::size_t lines) {
  if (lines == 0) return;
  const Clock::duration target =
      std::clamp<Clock::duration>(elsewhere, kBatchTimeLeast, kBatchTimeMost);
  const Clock::duration perLine =
      std::max<Clock::duration>(took / lines, std::chrono::nanoseconds(1));
  const std::size_t byTime = static_cast<std::size_t>(target / perLine);
  const std::size_t byText = static_cast<std::size_t>(passesShown_) / kBatchesPerText;
  batchLines_ = std::clamp<std::size_t>(std::max(byTime, byText), kPieceLines, kMostBatchLines);
}

Combiner& CombinerOf(App& app) {
  if (!app.combiner) app.combiner = std::make_unique<Combiner>(app);
  return *app.combiner;
}

void StopCombination(App& app) {
  if (app.combiner) app.combiner->Stop();
}

}  // namespace wc
