#pragma once
// Text of any script read as ASCII: Cyrillic, Greek, Japanese ... transliterated to Latin letters,
// then accents and other non-ASCII Latin made ASCII, and whatever is left removed.
//
// ICU's transforms live in a library of their own (libicui18n) that takes about 0.8 ms to load
// and relocate. Most commands never need it: a Go whose questions are ASCII, or whose page names
// come from the page list, makes no anchor from other scripts. So the library is loaded when the
// first text needs it, not at every start of the program.
#include <memory>
#include <string>

namespace quorella::html {

class AsciiTransliteration {
 public:
  AsciiTransliteration();
  ~AsciiTransliteration();
  AsciiTransliteration(const AsciiTransliteration&) = delete;
  AsciiTransliteration& operator=(const AsciiTransliteration&) = delete;

  // `text` (UTF-8) read as ASCII; `text` as it is when ICU's transforms cannot be had, so that
  // its non-ASCII bytes read as gaps.
  std::string operator()(std::string text);

 private:
  struct Transform;  // ICU's, opened at the first text
  std::unique_ptr<Transform> transform_;
  bool opened_ = false;
};

}  // namespace quorella::html
