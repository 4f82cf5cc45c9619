#include "html/page_queue.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace quorella::html {

PageQueue::PageQueue(const OpenFolder& folder, Written written, Making making)
    : folder_(folder),
      writer_count_(folder.built_aside() && making == Making::QuickerThanWriting ? 2 : 1),
      written_(std::move(written)) {}

PageQueue::~PageQueue() {
  if (writers_.empty()) return;
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  to_writer_.notify_all();
  for (std::thread& writer : writers_) writer.join();
}

PageQueue::Page& PageQueue::Next(std::string_view name, std::size_t tag,
                                 const std::optional<FileStamp>& seen) {
  Report(SIZE_MAX);
  if (!filling_) {
    if (spare_.empty()) {
      filling_ = std::make_unique<Batch>();
      filling_->pages.reserve(kBatchPages);
    } else {
      filling_ = std::move(spare_.back());
      spare_.pop_back();
    }
    filling_->number = numbered_++;
  }
  Batch& batch = *filling_;
  if (batch.used == batch.pages.size()) batch.pages.emplace_back();
  Page& page = batch.pages[batch.used];
  page.name.assign(name);
  page.tag = tag;
  page.seen = seen;
  return page;
}

void PageQueue::AddedOne() {
  Batch& batch = *filling_;
  batch.bytes += batch.pages[batch.used].bytes.size();
  ++batch.used;
  if (batch.used == kBatchPages || batch.bytes >= kBatchBytes) Submit();
}

void PageQueue::Add(std::string_view name, std::string& bytes, std::size_t tag,
                    const std::optional<FileStamp>& seen) {
  Next(name, tag, seen).bytes.swap(bytes);
  bytes.clear();
  AddedOne();
}

void PageQueue::Add(std::string_view name, PageBytes& bytes, std::size_t tag,
                    const std::optional<FileStamp>& seen) {
  Page& page = Next(name, tag, seen);
  page.bytes.swap(bytes.made);
  bytes.made.clear();
  page.stretches = std::move(bytes.stretches);
  page.from = std::move(bytes.from);
  AddedOne();
}

void PageQueue::Submit() {
  if (writers_.empty())
    for (std::size_t i = 0; i < writer_count_; ++i) writers_.emplace_back([this] { Run(); });
  {
    std::unique_lock lock(mutex_);
    to_maker_.wait(lock, [&] { return behind_ < kBatchesBehind * writers_.size(); });
    submitted_.push_back(std::move(filling_));
    ++behind_;
  }
  to_writer_.notify_one();
  Report(SIZE_MAX);
}

void PageQueue::Finish() {
  if (filling_ && filling_->used > 0) {
    if (!writers_.empty()) {
      Submit();
    } else {
      // Too few pages to be worth a thread.
      std::exception_ptr failure = WriteBatch(*filling_);
      Done(std::move(filling_), failure);
    }
  }
  Report(0);
}

namespace {

const FileStamp* Seen(const PageQueue::Page& page) {
  return page.seen ? &*page.seen : nullptr;
}

}  // namespace

std::exception_ptr PageQueue::WriteBatch(Batch& batch) {
  for (batch.written = 0; batch.written < batch.used; ++batch.written) {
    Page& page = batch.pages[batch.written];
    try {
      page.result =
          page.stretches.empty()
              ? WritePageFileStamped(folder_, page.name, page.bytes, Seen(page))
              : WritePageFileStamped(folder_, page.name,
                                     SplicedBytes{page.bytes, page.from.get(), page.stretches},
                                     Seen(page));
    } catch (...) {
      return std::current_exception();
    }
  }
  return nullptr;
}

void PageQueue::Done(std::unique_ptr<Batch> batch, std::exception_ptr failure) {
  const std::lock_guard lock(mutex_);
  DoneLocked(std::move(batch), std::move(failure));
}

void PageQueue::DoneLocked(std::unique_ptr<Batch> batch, std::exception_ptr failure) {
  // The failure shows together with the batch, so that the pages written before it are reported
  // before it is rethrown.
  if (failure && !error_) error_ = std::move(failure);
  done_.push_back(std::move(batch));
}

void PageQueue::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    to_writer_.wait(lock, [&] { return stopping_ || !submitted_.empty(); });
    if (stopping_) return;
    std::unique_ptr<Batch> batch = std::move(submitted_.front());
    submitted_.pop_front();
    // After a failure nothing more is written.
    batch->written = 0;
    std::exception_ptr failure;
    if (!error_) {
      lock.unlock();
      failure = WriteBatch(*batch);
      lock.lock();
    }
    DoneLocked(std::move(batch), std::move(failure));
    --behind_;
    to_maker_.notify_one();
  }
}

void PageQueue::Report(std::size_t behind) {
  std::exception_ptr error;
  {
    std::unique_lock lock(mutex_);
    if (behind != SIZE_MAX) to_maker_.wait(lock, [&] { return behind_ <= behind; });
    for (std::unique_ptr<Batch>& batch : done_) ready_.push_back(std::move(batch));
    done_.clear();
    error = error_;
  }
  std::sort(ready_.begin(), ready_.end(),
            [](const auto& a, const auto& b) { return a->number > b->number; });
  // The pages of a batch written ahead of the one before it wait for that one.
  while (!ready_.empty() && ready_.back()->number == reported_) {
    std::unique_ptr<Batch> batch = std::move(ready_.back());
    ready_.pop_back();
    for (std::size_t i = 0; i < batch->written; ++i) written_(batch->pages[i]);
    for (std::size_t i = 0; i < batch->used; ++i) {
      batch->pages[i].bytes.clear();
      batch->pages[i].stretches.clear();
      batch->pages[i].from.reset();
    }
    batch->used = batch->written = batch->bytes = 0;
    spare_.push_back(std::move(batch));
    ++reported_;
  }
  if (error) std::rethrow_exception(error);
}

}  // namespace quorella::html
