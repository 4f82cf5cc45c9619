#pragma once
// What each generated file is made from, as a fingerprint: a Go skips a file whose inputs are those
// of the run that wrote it (html/manifest.h). Every file's fingerprint starts from the run's,
// which covers the program and everything all pages share; each file then adds exactly the
// questions and answers it shows.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "html/colour_text.h"
#include "store/faq.h"
#include "util/fingerprint.h"

namespace quorella::html {

// The program, every value but TotalQuestions (the pages count the questions they are given), the
// fixed sections, the banner and the system colours.
Fingerprint RunFingerprint(const FaqValues& values,
                           const std::array<std::string, kFixedSectionCount>& sections,
                           std::string_view banner, const SystemColours& system_colours);

// Everything a page set is made from, at once: RunFingerprint's inputs but the fixed sections,
// TotalQuestions, the ICU version, the vendor's site address, and the BytesFingerprint of the
// document (nullopt: there is none), whose bytes hold the sections, questions and answers. It is
// known before the document is decoded. Never 0.
std::uint64_t InputsFingerprint(const FaqValues& values, std::string_view banner,
                                const SystemColours& system_colours,
                                std::optional<std::uint64_t> document);

// What the anchors and page names of a Modern set with one page per answer are made from: the
// program, the questions in order, the values that name pages (AnswerSubPagePrefix, DocumentExt
// and the start page, whose files no page takes) and the version of ICU, which transliterates the
// anchors. Never 0.
std::uint64_t ModernNamesInputs(const std::vector<std::string>& questions, std::string_view prefix,
                                std::string_view extension, std::string_view start_page);

// `fingerprint` with the questions added, their count first.
Fingerprint WithQuestions(Fingerprint fingerprint, const std::vector<std::string>& questions);

// A fingerprint never 0, which the list keeps for "none known".
std::uint64_t FileFingerprint(const Fingerprint& fingerprint);

}  // namespace quorella::html
