#pragma once
// Pages made in parts: on a page that holds every answer, each answer's block is a part with the
// fingerprint of what it is made from, kept in the list beside the pages (html/manifest.h). The
// next Go copies from the previous file each part whose fingerprint it finds there, and makes only
// the others; the page is then byte for byte the one it would have made whole.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "html/manifest.h"

namespace quorella::html {

// The previous file of a page and its parts; empty when there is nothing to copy from.
class PreviousParts {
 public:
  PreviousParts() = default;
  // Parts that do not add up to the size of `bytes` give nothing to copy.
  PreviousParts(std::string bytes, std::vector<FilePart> parts);

  // The bytes of a part of the previous file made from inputs with this fingerprint (never for
  // 0). Part `at` is looked at first: where the part was when nothing before it changed.
  std::optional<std::string_view> Find(std::size_t at, std::uint64_t fingerprint) const;

 private:
  std::string bytes_;
  std::vector<FilePart> parts_;
  std::vector<std::size_t> offsets_;
  // Built at the first part not found in its place.
  mutable std::unordered_map<std::uint64_t, std::size_t> index_;
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
