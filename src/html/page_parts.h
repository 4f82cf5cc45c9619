#pragma once
// Pages made in parts: on a page that holds every answer, each answer's block is a part with the
// fingerprint of what it is made from, kept in the list beside the pages (html/manifest.h). The
// next Go copies from the previous file each part whose fingerprint it finds there, and makes only
// the others; the page is then byte for byte the one it would have made whole.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "html/manifest.h"
#include "util/sys_io.h"

namespace quorella::html {

// The previous file of a page and its parts; empty when there is nothing to copy from. Parts are
// not read one by one: each copy makes room in the page being made, and Fill reads the file into
// that room at the end, neighbouring parts at once, so an unchanged page is read straight into
// the new one.
class PreviousParts {
 public:
  PreviousParts() = default;
  // `file` open for reading; parts that do not add up to its size give nothing to copy.
  PreviousParts(sys::Fd file, std::vector<FilePart> parts);

  // Makes room at the end of `out` for the part of the previous file made from inputs with this
  // fingerprint (never for 0); false when there is none. Part `at` is looked at first: where the
  // part was when nothing before it changed.
  bool Copy(std::string& out, std::size_t at, std::uint64_t fingerprint);
  // Reads the parts Copy made room for into `out`. False when the file could not be read as it was
  // listed: `out` then holds gaps and is to be made again without copies.
  bool Fill(std::string& out);

 private:
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

}  // namespace quorella::html
