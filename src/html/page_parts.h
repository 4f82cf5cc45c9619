#pragma once
// Pages made in parts: on a page that holds every answer, each answer's block is a part with the
// fingerprint of what it is made from, kept in the list beside the pages (html/manifest.h). The
// next Go copies from the previous file each part whose fingerprint it finds there, and makes only
// the others; the page is then byte for byte the one it would have made whole.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "html/manifest.h"
#include "util/file_io.h"
#include "util/sys_io.h"

namespace quorella::html {

// A page's bytes as they are made: in memory, or in part stretches of its previous file that the
// system copies as the page is written (PreviousParts::Splice), so that a page of megabytes with
// one answer changed is neither read into memory nor written from it.
struct PageBytes {
  PageBytes(std::string bytes) : made(std::move(bytes)) {}  // NOLINT: a page made whole
  PageBytes(std::string in_memory, sys::Fd previous, std::vector<SplicedBytes::Stretch> copies)
      : made(std::move(in_memory)), from(std::move(previous)), stretches(std::move(copies)) {}

  std::string made;
  sys::Fd from;
  std::vector<SplicedBytes::Stretch> stretches;
};

// The previous file of a page and its parts; empty when there is nothing to copy from. Parts are
// not read into memory: they are copied file to file as the page is written, neighbouring parts
// at once.
class PreviousParts {
 public:
  PreviousParts() = default;
  // `file` open for reading; parts that do not add up to its size give nothing to copy.
  PreviousParts(sys::Fd file, std::vector<FilePart> parts);

  // Notes the part of the previous file made from inputs with this fingerprint (never for 0), to be
  // copied file to file before byte `made_at` of the bytes made in memory as the page is written.
  // Part `at` is looked at first: where the part was when nothing before it changed. Its size; 0
  // when there is none.
  std::uint64_t Splice(std::size_t made_at, std::size_t at, std::uint64_t fingerprint);
  // The page of the bytes made in memory and the parts Splice noted; the previous file goes with
  // it, to be copied from.
  PageBytes TakeSpliced(std::string made);

 private:
  // The part at `at`, or else the one with this fingerprint anywhere; nullopt when there is none.
  std::optional<std::size_t> Find(std::size_t at, std::uint64_t fingerprint);
  // Notes part `found` for a copy to `out_at`, joined to the stretch before when it continues it.
  void Note(std::size_t out_at, std::size_t found);

  struct Stretch {
    std::size_t out_at;
    std::uint64_t file_at;
    std::size_t size;
  };
  sys::Fd file_;
  std::vector<FilePart> parts_;
  std::vector<std::uint64_t> offsets_;
  std::vector<Stretch> pending_;
  // Built at the first part not found in its place.
  std::unordered_map<std::uint64_t, std::size_t> index_;
};

// The parts of a page as it is made: each stretch made from inputs of its own is added with their
// fingerprint; what lies between them becomes a part never copied.
class PartsRecorder {
 public:
  // The number the part that starts at `begin` will have.
  std::size_t Next(std::size_t begin) const { return parts_.size() + (begin > end_ ? 1 : 0); }
  // Bytes [begin, end) of the page, made from inputs with `fingerprint` (0: not to be copied).
  void Add(std::size_t begin, std::size_t end, std::uint64_t fingerprint);
  // The parts of the page of `size` bytes.
  std::vector<FilePart> Finish(std::size_t size);

 private:
  std::size_t end_ = 0;
  std::vector<FilePart> parts_;
};

// The bookkeeping of a page made in parts, once for every page that has them: each part is copied
// from the previous version when that holds a part of the same fingerprint, and made otherwise;
// the parts of the page being made are recorded for the list.
class PartsSplicer {
 public:
  explicit PartsSplicer(PreviousParts previous) : previous_(std::move(previous)) {}

  // What making a part left: the bytes made in memory by then, and whether the part can be copied
  // by a later Go (a block that leaves a script open cannot).
  struct Made {
    std::size_t made_end;
    bool copyable;
  };
  // Adds the part that begins after `made_begin` bytes made in memory, made from inputs with
  // `fingerprint` (0: never copied): copied when it can be, else `make()` makes it (returning
  // Made).
  template <typename Make>
  void Add(std::size_t made_begin, std::uint64_t fingerprint, Make&& make) {
    const std::uint64_t begin = made_begin + spliced_;
    const std::uint64_t copied =
        fingerprint == 0 ? 0 : previous_.Splice(made_begin, recorder_.Next(begin), fingerprint);
    Made made{made_begin, true};
    if (copied == 0) made = make();
    spliced_ += copied;
    recorder_.Add(begin, made.made_end + spliced_, made.copyable ? fingerprint : 0);
  }
  // The parts of the page whose bytes made in memory are `made_size`.
  std::vector<FilePart> Parts(std::size_t made_size) {
    return recorder_.Finish(made_size + spliced_);
  }
  // The page: the bytes made in memory and the parts to copy between them.
  PageBytes Take(std::string made) { return previous_.TakeSpliced(std::move(made)); }

 private:
  PreviousParts previous_;
  PartsRecorder recorder_;
  std::uint64_t spliced_ = 0;
};

}  // namespace quorella::html
