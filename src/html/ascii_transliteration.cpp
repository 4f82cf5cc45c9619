#include "html/ascii_transliteration.h"

#include <dlfcn.h>

#include <vector>

#include <unicode/unistr.h>
#include <unicode/utrans.h>
#include <unicode/uvernum.h>

namespace quorella::html {

namespace {

// ICU's C functions carry its version in their exported names (utrans_openU_72); its headers
// rename each call accordingly, so the name to look up is the macro's expansion spelled out.
#define QUORELLA_EXPORTED_NAME(name) QUORELLA_SPELLED(name)
#define QUORELLA_SPELLED(name) #name

struct TransformCalls {
  decltype(&utrans_openU) open = nullptr;
  decltype(&utrans_transUChars) transliterate = nullptr;
  decltype(&utrans_close) close = nullptr;
};

template <typename Call>
Call Look(void* library, const char* name) {
  return reinterpret_cast<Call>(::dlsym(library, name));
}

// The library of the ICU whose libicuuc the program is linked with (one package holds both), kept
// loaded while the program runs; no calls when it cannot be loaded.
const TransformCalls& Calls() {
  static const TransformCalls calls = [] {
    void* const library = ::dlopen("libicui18n.so." U_ICU_VERSION_SHORT, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return TransformCalls{};
    TransformCalls found{
        Look<decltype(found.open)>(library, QUORELLA_EXPORTED_NAME(utrans_openU)),
        Look<decltype(found.transliterate)>(library, QUORELLA_EXPORTED_NAME(utrans_transUChars)),
        Look<decltype(found.close)>(library, QUORELLA_EXPORTED_NAME(utrans_close))};
    if (!found.open || !found.transliterate || !found.close) return TransformCalls{};
    return found;
  }();
  return calls;
}

}  // namespace

struct AsciiTransliteration::Transform {
  explicit Transform(UTransliterator* opened) : handle(opened) {}
  ~Transform() { Calls().close(handle); }
  UTransliterator* handle;
};

AsciiTransliteration::AsciiTransliteration() = default;
AsciiTransliteration::~AsciiTransliteration() = default;

std::string AsciiTransliteration::operator()(std::string text) {
  if (!opened_) {
    opened_ = true;
    const TransformCalls& calls = Calls();
    static constexpr char16_t kId[] = u"Any-Latin; Latin-ASCII; [:^ASCII:] Remove";
    UErrorCode status = U_ZERO_ERROR;
    UTransliterator* const handle =
        calls.open ? calls.open(kId, -1, UTRANS_FORWARD, nullptr, 0, nullptr, &status) : nullptr;
    if (handle != nullptr && U_SUCCESS(status))
      transform_ = std::make_unique<Transform>(handle);
    else if (handle != nullptr)
      calls.close(handle);
  }
  if (!transform_) return text;

  const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
  const std::int32_t length = unicode.length();
  // Transliterated in place, in a buffer that usually holds the result (a Chinese character reads
  // as a syllable and a space); a longer result is made again in a buffer of its length.
  std::int32_t capacity = 4 * length + 16;
  for (;;) {
    std::vector<UChar> buffer(static_cast<std::size_t>(capacity));
    UErrorCode status = U_ZERO_ERROR;
    unicode.extract(0, length, buffer.data());
    std::int32_t result_length = length, limit = length;
    Calls().transliterate(transform_->handle, buffer.data(), &result_length, capacity, 0, &limit,
                          &status);
    if (status == U_BUFFER_OVERFLOW_ERROR && result_length >= capacity) {
      capacity = result_length + 1;
      continue;
    }
    if (U_FAILURE(status)) return text;
    std::string ascii;
    icu::UnicodeString(buffer.data(), result_length).toUTF8String(ascii);
    return ascii;
  }
}

}  // namespace quorella::html
