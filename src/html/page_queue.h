#pragma once
// Pages written by threads of their own while the next ones are made: with one page per answer a
// Go spends about as long in the system creating files as it does making them, and the two
// overlap on a second processor.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "html/page.h"

namespace quorella::html {

class PageQueue {
 public:
  struct Page {
    std::string name;   // in the folder
    std::string bytes;  // emptied once written
    // Stretches of the page's previous file copied in between the bytes (html/page_parts.h,
    // PageBytes), and that file; let go once written.
    std::vector<SplicedBytes::Stretch> stretches;
    sys::Fd from;
    std::size_t tag = 0;  // the adder's, given back
    // What the Go saw at the page's name a moment ago (WritePageFileStamped), if it looked.
    std::optional<FileStamp> seen;
    PageFileResult result;
  };
  // Called on the thread that adds pages, for each page written, in the order they were added.
  using Written = std::function<void(const Page& page)>;

  // How long pages take to make, against writing them.
  enum class Making {
    // Quicker: a second thread writing keeps up with the one making.
    QuickerThanWriting,
    // About as long (Modern pages, with their anchors, search text and readable text): making
    // and writing fill two processors, and a second writing thread would only compete for them
    // and wait on the folder's lock (measured in docs/performance.md).
    AsLongAsWriting,
  };
  // Pages are written with WritePageFileStamped into `folder`, which must outlive the queue. Into
  // a folder that holds pages already one thread writes them in the order they were added, so that
  // a failure leaves those before it and none after; into a folder built aside, which nobody sees
  // before the whole set is there, two threads write batches in any order, or one when pages take
  // as long to make as to write.
  PageQueue(const OpenFolder& folder, Written written, Making making = Making::QuickerThanWriting);
  // Stops the writing threads; pages added and not yet written are dropped.
  ~PageQueue();
  PageQueue(const PageQueue&) = delete;
  PageQueue& operator=(const PageQueue&) = delete;

  // Hands over a page to be written after those added before it: its bytes are swapped with a
  // buffer of the queue's, which `bytes` holds afterwards, emptied. Reports the pages written since
  // the last call, and rethrows the failure of one that could not be written (nothing after it
  // is written).
  void Add(std::string_view name, std::string& bytes, std::size_t tag,
           const std::optional<FileStamp>& seen = std::nullopt);
  // The same for a page in parts: its file and stretches go with it.
  void Add(std::string_view name, PageBytes& bytes, std::size_t tag,
           const std::optional<FileStamp>& seen = std::nullopt);
  // Writes every page added, reports them, and rethrows the first failure. A queue that never
  // filled a batch writes it on the calling thread, starting no thread.
  void Finish();

 private:
  // Pages go over in batches, so that the threads meet once per batch, not per page; the batches
  // and their buffers are used again, swapped with the pages' own.
  struct Batch {
    std::vector<Page> pages;
    std::size_t used = 0;     // pages[0, used) are this batch's
    std::size_t written = 0;  // pages[0, written) are written
    std::size_t bytes = 0;
    std::size_t number = 0;  // in the order added
  };
  static constexpr std::size_t kBatchPages = 64;
  static constexpr std::size_t kBatchBytes = 512 * 1024;
  // Batches each writing thread may be behind by: bounds the memory held to a few batches.
  static constexpr std::size_t kBatchesBehind = 2;

  Page& Next(std::string_view name, std::size_t tag, const std::optional<FileStamp>& seen);
  void AddedOne();
  void Submit();
  // Writes the batch's pages; stops at the first failure and returns it.
  std::exception_ptr WriteBatch(Batch& batch);
  // Hands a batch written (up to `failure`, if any) back to be reported; DoneLocked with the mutex
  // held.
  void Done(std::unique_ptr<Batch> batch, std::exception_ptr failure);
  void DoneLocked(std::unique_ptr<Batch> batch, std::exception_ptr failure);
  void Run();
  // Reports the batches written, in order, first waiting until the writing threads are behind by no
  // more than `behind` batches; rethrows a failure once the pages written before it are reported.
  void Report(std::size_t behind);

  const OpenFolder& folder_;
  const std::size_t writer_count_;
  Written written_;
  std::unique_ptr<Batch> filling_;
  std::vector<std::unique_ptr<Batch>> spare_;
  std::vector<std::unique_ptr<Batch>> ready_;  // written, waiting for those before them
  std::size_t numbered_ = 0;                   // batches numbered so far
  std::size_t reported_ = 0;                   // batches reported so far

  std::mutex mutex_;
  std::condition_variable to_writer_;
  std::condition_variable to_maker_;
  std::deque<std::unique_ptr<Batch>> submitted_;  // guarded by mutex_, as the four below
  std::size_t behind_ = 0;                        // submitted and not yet written
  std::vector<std::unique_ptr<Batch>> done_;
  std::exception_ptr error_;
  bool stopping_ = false;
  std::vector<std::thread> writers_;
};

}  // namespace quorella::html
