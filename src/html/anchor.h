#pragma once
// Anchors of the questions on the Modern pages: made from the question's text, so a link to an
// answer stays right when questions are added, moved or removed around it. Any script reads as
// ASCII (Cyrillic, Greek, Japanese ... transliterated to Latin letters), lower case, words joined
// by hyphens.
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "html/ascii_transliteration.h"
#include "util/text_arena.h"

namespace quorella::html {

// The anchor text of one question (UTF-8, markup left out): at most kAnchorLimit characters,
// cut at a hyphen where it can be; "question" when nothing readable is left.
inline constexpr std::size_t kAnchorLimit = 64;

// Is `text` made only of what anchors are made of: lower-case ASCII letters, digits, hyphens?
bool IsAnchorText(std::string_view text);

// Hands out the anchors of one page set: a text whose anchor is taken already gets "-2", "-3" ...
// so that equal questions keep apart and the first keeps the plain anchor.
class AnchorSet {
 public:
  // `reserved`: anchors the page itself uses, never handed out.
  explicit AnchorSet(const std::set<std::string>& reserved = {});
  ~AnchorSet();
  AnchorSet(const AnchorSet&) = delete;
  AnchorSet& operator=(const AnchorSet&) = delete;

  // The anchor for `text` alone, without regard to the anchors handed out.
  std::string Make(std::string_view text);
  // The next unused anchor for `text`; it stays where it is while the set lives.
  std::string_view Add(std::string_view text);
  // Room for `count` anchors more, so that a page set's anchors go in without rehashing.
  void Reserve(std::size_t count);

 private:
  std::string Ascii(std::string text);
  // Takes `anchor` unless it is taken already: the copy the set keeps, or a view without data.
  std::string_view Take(std::string_view anchor);
  void Rehash(std::size_t slots);

  // Hashed: a page set's anchors share long beginnings ("how-do-i-..."), which a sorted set
  // compares again at every step down its tree. Open addressing over views of copies kept in
  // blocks: ten thousand anchors take no allocation each (a slot without data is free).
  std::vector<std::string_view> slots_;
  std::size_t taken_ = 0;
  TextArena kept_;
  AsciiTransliteration ascii_;
};

}  // namespace quorella::html
