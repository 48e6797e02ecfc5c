// The batch mode's rows spread over several threads, written in input order.
//
// The calling thread reads and checks the rows in input order and gathers
// them into chunks of up to kChunkRows rows. Worker threads take whole
// chunks, compute every row of a chunk (each with its own session) into the
// chunk's output text, and hand the chunks on to be written strictly in
// the order they were gathered: whichever worker finishes the oldest
// chunk writes it and every finished chunk after it, one writer at a time.
// At most kChunksPerJob chunks per worker are in flight, counting no more
// workers than there are usable cores (more threads than cores compute no
// faster, and would only hold more rows), so memory stays the same however
// long the input is and however many jobs are asked for; the reader waits
// for a free chunk.
//
// A stop request (a SIGINT or SIGTERM, see stop_signals.h) is polled by the
// workers between rows and by the writer before each row: the run ends
// after the row being written, and rows computed after it are dropped. The
// workers block those signals, so that their handler runs in the reading
// thread.
//
// With one job there are no threads: each row is computed and written as
// soon as it has been read, before the next one is read.
//
// A computation or a write that throws (memory running out) stops the
// pipeline; Finish() rethrows the exception in the calling thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cli/places.h"
#include "model/birth.h"

namespace orvanta::cli {

// One input row on its way through the pipeline.
struct BatchRow {
  long lineNumber = 0;
  std::string error;          // why the row gives no output; set by the reader or the computation
  Birth birth;                // the row's birth, meaningful while `error` is empty
  PlaceReport report;         // the place and zone found for the row, if any
  std::size_t outputEnd = 0;  // end of this row's text in its chunk's output
};

// Consecutive rows handled as one piece of work.
struct BatchChunk {
  std::vector<BatchRow> rows;  // the first `count` are in use; the rest keep their storage
  std::size_t count = 0;
  std::size_t inputBytes = 0;  // bytes of the rows' fields, to bound a chunk of long rows
  std::string output;          // the computed rows' text, one after another
};

// The number of cores this process may run on (at least 1).
int UsableCores();

class BatchPipeline {
 public:
  static constexpr std::size_t kChunkRows = 128;
  static constexpr std::size_t kChunkInputBytes = 1 << 18;
  static constexpr std::size_t kChunksPerJob = 4;

  // Computes one row: appends its text to `output` or sets row.error.
  using Compute = std::function<void(BatchRow& row, std::string& output)>;
  // Writes one chunk's rows in order; false once the output has failed,
  // after which nothing more is computed or written.
  using Write = std::function<bool(const BatchChunk& chunk)>;

  // `stop`, when given, is polled between rows: once it is non-zero no
  // further row is computed and the run winds down as after a failed write.
  BatchPipeline(int jobs, Compute compute, Write write, const std::atomic<int>* stop = nullptr);
  ~BatchPipeline();
  BatchPipeline(const BatchPipeline&) = delete;
  BatchPipeline& operator=(const BatchPipeline&) = delete;

  // A row to fill, at the end of the chunk being gathered; waits while the
  // window of chunks in flight is full.
  BatchRow& NewRow();
  // The row from NewRow() is filled; `fieldBytes` is the size of its fields.
  void RowDone(std::size_t fieldBytes);
  // Hands the rows gathered so far on to be computed (called before the
  // reader may wait for input, so that rows already read are not held back).
  void Dispatch();
  // True once a write failed, a computation threw or a stop was requested:
  // the reader stops.
  bool Stopped();
  // Waits until every dispatched row is written, ends the threads and
  // rethrows an exception of a worker. False when a write failed.
  bool Finish();

 private:
  BatchChunk& Slot(std::size_t sequence) { return chunks_[sequence % chunks_.size()]; }
  void Work();
  void Stop(std::exception_ptr failure);
  void Shutdown();
  bool StopAsked() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed) != 0; }

  Compute compute_;
  Write write_;
  const std::atomic<int>* stop_;
  std::vector<BatchChunk> chunks_;
  std::vector<std::thread> workers_;
  bool inline_;  // one job: compute and write in the calling thread

  // Chunk sequence numbers: [written_, computing_) are taken by workers or
  // finished, [computing_, dispatched_) wait for a worker, and the chunk
  // `dispatched_` is being gathered once `gathering_` is set.
  std::mutex mutex_;
  std::condition_variable workReady_;  // a chunk was dispatched, or the run ends
  std::condition_variable slotFree_;   // a chunk was written, or the run stopped
  std::size_t written_ = 0, computing_ = 0, dispatched_ = 0;
  std::vector<bool> finished_;  // per slot: computed, waiting to be written
  bool gathering_ = false;
  bool writerBusy_ = false;
  bool closing_ = false;  // no more chunks will come
  bool stopped_ = false;  // a write failed or a worker threw
  bool writeFailed_ = false;
  std::atomic<bool> stopRequested_{false};  // stopped_, read by workers between rows
  std::exception_ptr failure_;
  BatchChunk spare_;  // takes the rows the reader gathers after the run stopped
};

}  // namespace orvanta::cli
