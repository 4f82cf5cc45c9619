#include "html/anchor.h"

#include <algorithm>
#include <array>
#include <functional>

#include "html/plain_text.h"
#include "util/unicode.h"

namespace quorella::html {

namespace {

// What each byte is in an anchor: the lower-case letter or digit it stays, left out, or a gap.
constexpr char kGap = 0, kLeftOut = 1;
constexpr std::array<char, 256> kAnchorBytes = [] {
  std::array<char, 256> bytes{};  // kGap
  for (char c = 'a'; c <= 'z'; ++c)
    bytes[static_cast<unsigned char>(c)] = bytes[static_cast<unsigned char>(c - 'a' + 'A')] = c;
  for (char c = '0'; c <= '9'; ++c) bytes[static_cast<unsigned char>(c)] = c;
  bytes['\''] = kLeftOut;  // "don't" reads as "dont", not "don-t"
  return bytes;
}();

// Letters and digits kept, every run of anything else one hyphen; none at the ends.
std::string Hyphenated(std::string text) {
  // Made in place: a hyphen stands for at least one character left out, so the anchor never
  // overtakes the text it is read from.
  char* const data = text.data();
  std::size_t size = 0;
  bool gap = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = kAnchorBytes[static_cast<unsigned char>(data[i])];
    if (c == kLeftOut) continue;
    if (c == kGap) {
      gap = true;
      continue;
    }
    if (gap && size > 0) data[size++] = '-';
    gap = false;
    data[size++] = c;
  }
  text.resize(size);
  if (text.size() > kAnchorLimit) {
    const std::size_t cut = text.rfind('-', kAnchorLimit);
    text.resize(cut != std::string::npos && cut > kAnchorLimit / 2 ? cut : kAnchorLimit);
    while (!text.empty() && text.back() == '-') text.pop_back();
  }
  return text;
}

}  // namespace

bool IsAnchorText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return c == '-' || (c != kGap && kAnchorBytes[static_cast<unsigned char>(c)] == c);
  });
}

AnchorSet::AnchorSet(const std::set<std::string>& reserved) {
  Reserve(reserved.size());
  for (const std::string& anchor : reserved) Take(anchor);
}
AnchorSet::~AnchorSet() = default;

std::string AnchorSet::Ascii(std::string text) {
  if (IsAscii(text)) return text;
  return ascii_(std::move(text));
}

std::string AnchorSet::Make(std::string_view text) {
  std::string anchor = Hyphenated(Ascii(PlainText(text)));
  if (anchor.empty()) return "question";
  return anchor;  // moved, where the conditional expression copied it
}

std::string_view AnchorSet::Add(std::string_view text) {
  const std::string base = Make(text);
  if (const std::string_view kept = Take(base); kept.data() != nullptr) return kept;
  for (int n = 2;; ++n)
    if (const std::string_view kept = Take(base + "-" + std::to_string(n)); kept.data() != nullptr)
      return kept;
}

void AnchorSet::Reserve(std::size_t count) {
  // At most half the slots in use keeps the runs short.
  std::size_t slots = 16;
  while (slots < 2 * (taken_ + count)) slots *= 2;
  if (slots > slots_.size()) Rehash(slots);
}

void AnchorSet::Rehash(std::size_t slots) {
  std::vector<std::string_view> old = std::move(slots_);
  slots_.assign(slots, std::string_view());
  for (const std::string_view anchor : old) {
    if (anchor.data() == nullptr) continue;
    std::size_t at = std::hash<std::string_view>()(anchor) & (slots - 1);
    while (slots_[at].data() != nullptr) at = (at + 1) & (slots - 1);
    slots_[at] = anchor;
  }
}

std::string_view AnchorSet::Take(std::string_view anchor) {
  if (2 * (taken_ + 1) > slots_.size()) Reserve(1);
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = std::hash<std::string_view>()(anchor) & mask;
  for (; slots_[at].data() != nullptr; at = (at + 1) & mask)
    if (slots_[at] == anchor) return {};
  slots_[at] = kept_.Keep(anchor);
  ++taken_;
  return slots_[at];
}

}  // namespace quorella::html
