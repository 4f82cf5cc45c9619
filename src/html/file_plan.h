#pragma once
// A page set as a plan: the files to make, in the order they are written, each with the
// fingerprint of what it is made from and what makes its bytes. A planner (one per page style)
// makes the plan; the page writer (html/page_writer.h) takes any plan, skips the files whose
// fingerprint and file are those of the previous Go, makes the others and writes them.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "html/manifest.h"
#include "html/page_parts.h"
#include "util/sys_io.h"

namespace quorella::html {

// What the writer gives the maker of a file: the file's previous version, when the previous Go's
// list recorded it and the file is still as that Go wrote it, and a place for the parts the file
// is made of. Only the writer reads the previous run's files.
class FileMaking {
 public:
  virtual ~FileMaking() = default;
  // The previous version with the parts the list kept of it (html/page_parts.h); empty otherwise.
  virtual PreviousParts PreviousPartsOfFile() = 0;
  // The previous version open for reading; not valid otherwise.
  virtual sys::Fd OpenPreviousFile() = 0;
  // The previous version's bytes; nullopt otherwise.
  virtual std::optional<std::string> ReadPreviousFile() = 0;
  // The parts of the version being made (each with the fingerprint of its inputs), for the list.
  virtual void SetParts(std::vector<FilePart> parts) = 0;
};

// Makes a file's bytes into `out`, which comes empty, with a buffer to be used again: a page made
// in a buffer of its own swaps it in, so that buffers go round between the makers and the writing
// threads instead of being allocated for each page.
using MakeFile = std::function<void(FileMaking& making, PageBytes& out)>;

struct PlannedFile {
  PlannedFile(std::string file_name, std::uint64_t file_fingerprint, bool is_announced,
              MakeFile maker)
      : name(std::move(file_name)),
        fingerprint(file_fingerprint),
        announced(is_announced),
        make(std::move(maker)) {}

  std::string name;  // in the output folder
  std::uint64_t fingerprint = 0;
  bool announced = false;  // the status names it ("Writing NAME") as it is made
  MakeFile make;
  std::string status;  // a status shown when the writer comes to the file, made or not
};

struct FilePlan {
  std::vector<PlannedFile> files;
  // The record of the Modern answer pages' names, for the list (html/manifest.h).
  NamesRecord names;
};

}  // namespace quorella::html
