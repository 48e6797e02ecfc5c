#include "cli/pipeline.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <csignal>
#include <system_error>
#include <utility>

namespace orvanta::cli {

int UsableCores() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0) {
    const int count = CPU_COUNT(&set);
    if (count > 0) return count;
  }
  const unsigned hardware = std::thread::hardware_concurrency();
  return hardware > 0 ? static_cast<int>(hardware) : 1;
}

BatchPipeline::BatchPipeline(int jobs, Compute compute, Write write, const std::atomic<int>* stop)
    : compute_(std::move(compute)), write_(std::move(write)), stop_(stop), inline_(jobs <= 1) {
  if (inline_) {
    chunks_.resize(1);
    return;
  }
  const int busy = std::min(jobs, UsableCores());
  chunks_.resize(static_cast<std::size_t>(busy) * kChunksPerJob);
  finished_.assign(chunks_.size(), false);
  // The workers start with SIGINT and SIGTERM blocked, so that a stop
  // signal is handled in the reading thread, never in a worker's write.
  sigset_t stopSignals, previous;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  const bool masked = ::pthread_sigmask(SIG_BLOCK, &stopSignals, &previous) == 0;
  try {
    for (int j = 0; j < jobs; ++j) workers_.emplace_back([this] { Work(); });
  } catch (const std::system_error&) {
    // No more threads to be had: run with those that started, or alone.
    if (workers_.empty()) {
      inline_ = true;
      chunks_.resize(1);
    }
  }
  if (masked) ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

BatchPipeline::~BatchPipeline() {
  {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
    stopRequested_.store(true, std::memory_order_relaxed);
  }
  Shutdown();
}

void BatchPipeline::Shutdown() {
  {
    const std::lock_guard lock(mutex_);
    closing_ = true;
  }
  workReady_.notify_all();
  slotFree_.notify_all();
  for (std::thread& worker : workers_) {
    if (worker.joinable()) worker.join();
  }
}

BatchRow& BatchPipeline::NewRow() {
  BatchChunk* chunk = &chunks_[0];
  if (!inline_) {
    if (!gathering_) {
      std::unique_lock lock(mutex_);
      slotFree_.wait(lock, [&] { return stopped_ || dispatched_ - written_ < chunks_.size(); });
      if (stopped_) {
        // The run is ending; the row goes nowhere.
        spare_.count = 0;
        spare_.rows.resize(1);
        return spare_.rows[0];
      }
      gathering_ = true;
      BatchChunk& fresh = Slot(dispatched_);
      fresh.count = 0;
      fresh.inputBytes = 0;
      fresh.output.clear();
    }
    chunk = &Slot(dispatched_);
  } else if (chunk->count == 0) {
    chunk->output.clear();
  }
  if (chunk->rows.size() == chunk->count) chunk->rows.emplace_back();
  BatchRow& row = chunk->rows[chunk->count];
  row.error.clear();
  row.outputEnd = 0;
  return row;
}

void BatchPipeline::RowDone(std::size_t fieldBytes) {
  if (inline_) {
    BatchChunk& chunk = chunks_[0];
    if (stopped_) return;
    if (StopAsked()) {
      stopped_ = true;
      return;
    }
    BatchRow& row = chunk.rows[0];
    if (row.error.empty()) compute_(row, chunk.output);
    row.outputEnd = chunk.output.size();
    chunk.count = 1;
    const bool ok = write_(chunk);
    chunk.count = 0;
    if (!ok) stopped_ = writeFailed_ = true;
    return;
  }
  if (!gathering_) return;  // the row went to the spare chunk
  BatchChunk& chunk = Slot(dispatched_);
  ++chunk.count;
  chunk.inputBytes += fieldBytes;
  if (chunk.count >= kChunkRows || chunk.inputBytes >= kChunkInputBytes) Dispatch();
}

void BatchPipeline::Dispatch() {
  if (inline_ || !gathering_ || Slot(dispatched_).count == 0) return;
  {
    const std::lock_guard lock(mutex_);
    ++dispatched_;
    gathering_ = false;
  }
  workReady_.notify_one();
}

bool BatchPipeline::Stopped() {
  if (StopAsked()) return true;
  if (inline_) return stopped_;
  const std::lock_guard lock(mutex_);
  return stopped_;
}

void BatchPipeline::Stop(std::exception_ptr failure) {
  stopped_ = true;
  stopRequested_.store(true, std::memory_order_relaxed);
  if (failure && !failure_) failure_ = std::move(failure);
  workReady_.notify_all();
  slotFree_.notify_all();
}

bool BatchPipeline::Finish() {
  if (!inline_) {
    Dispatch();
    {
      std::unique_lock lock(mutex_);
      slotFree_.wait(lock, [&] { return stopped_ || written_ == dispatched_; });
    }
    Shutdown();
    if (failure_) std::rethrow_exception(failure_);
  }
  return !writeFailed_;
}

void BatchPipeline::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    workReady_.wait(lock, [&] { return stopped_ || closing_ || computing_ < dispatched_; });
    if (stopped_) return;
    if (computing_ == dispatched_) return;  // closing, and nothing is left
    const std::size_t sequence = computing_++;
    BatchChunk& chunk = Slot(sequence);
    lock.unlock();
    bool asked = false;
    try {
      for (std::size_t i = 0; i < chunk.count; ++i) {
        if (stopRequested_.load(std::memory_order_relaxed)) break;
        if ((asked = StopAsked())) break;
        BatchRow& row = chunk.rows[i];
        if (row.error.empty()) compute_(row, chunk.output);
        row.outputEnd = chunk.output.size();
      }
    } catch (...) {
      lock.lock();
      Stop(std::current_exception());
      return;
    }
    lock.lock();
    if (asked) {
      // Asked to stop: the rows not written yet are dropped.
      Stop(nullptr);
      return;
    }
    finished_[sequence % chunks_.size()] = true;
    if (writerBusy_) continue;  // the worker writing now writes this chunk too, in its turn
    writerBusy_ = true;
    while (!stopped_ && written_ < dispatched_ && finished_[written_ % chunks_.size()]) {
      const BatchChunk& done = Slot(written_);
      lock.unlock();
      bool ok = false;
      try {
        ok = write_(done);
      } catch (...) {
        lock.lock();
        writerBusy_ = false;
        Stop(std::current_exception());
        return;
      }
      lock.lock();
      finished_[written_ % chunks_.size()] = false;
      ++written_;
      slotFree_.notify_all();
      if (!ok) {
        writeFailed_ = true;
        Stop(nullptr);
      }
    }
    writerBusy_ = false;
  }
}

}  // namespace orvanta::cli
