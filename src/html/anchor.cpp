#include "html/anchor.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include "html/plain_text.h"

namespace quorella::html {

namespace {

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Letters and digits kept, every run of anything else one hyphen; none at the ends.
std::string Hyphenated(std::string text) {
  // Made in place: a hyphen stands for at least one character left out, so the anchor never
  // overtakes the text it is read from.
  std::size_t size = 0;
  bool gap = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = Lower(text[i]);
    if (c == '\'') continue;  // "don't" reads as "dont", not "don-t"
    if (!IsWordCharacter(c)) {
      gap = true;
      continue;
    }
    if (gap && size > 0) text[size++] = '-';
    gap = false;
    text[size++] = c;
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

struct AnchorSet::Transliteration {
  std::unique_ptr<icu::Transliterator> any_to_ascii;
};

AnchorSet::AnchorSet(const std::set<std::string>& reserved)
    : taken_(reserved.begin(), reserved.end()) {}
AnchorSet::~AnchorSet() = default;

std::string AnchorSet::Ascii(std::string text) {
  if (IsAscii(text)) return text;
  if (!transliteration_) {
    // Any script to Latin letters, then the accents and other non-ASCII Latin to ASCII.
    transliteration_ = std::make_unique<Transliteration>();
    UErrorCode status = U_ZERO_ERROR;
    transliteration_->any_to_ascii.reset(icu::Transliterator::createInstance(
        "Any-Latin; Latin-ASCII; [:^ASCII:] Remove", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) transliteration_->any_to_ascii.reset();
  }
  icu::Transliterator* transliterator = transliteration_->any_to_ascii.get();
  if (transliterator == nullptr) return text;  // non-ASCII bytes then read as gaps
  icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
  transliterator->transliterate(unicode);
  std::string ascii;
  unicode.toUTF8String(ascii);
  return ascii;
}

std::string AnchorSet::Make(std::string_view text) {
  std::string anchor = Hyphenated(Ascii(PlainText(text)));
  if (anchor.empty()) return "question";
  return anchor;  // moved, where the conditional expression copied it
}

std::string AnchorSet::Add(std::string_view text) {
  std::string anchor = Make(text);
  if (taken_.insert(anchor).second) return anchor;
  const std::string base = std::move(anchor);
  for (int n = 2;; ++n) {
    anchor = base + "-" + std::to_string(n);
    if (taken_.insert(anchor).second) return anchor;
  }
}

}  // namespace quorella::html
