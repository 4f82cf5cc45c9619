#include "html/page_fingerprints.h"

#include <unicode/uversion.h>

#include "util/vendor_site.h"

namespace quorella::html {

namespace {

Fingerprint ProgramAndValues(const FaqValues& values) {
  Fingerprint run(ProgramFingerprint());
  for (std::size_t i = 0; i < kFaqValueCount; ++i) {
    const auto value = static_cast<FaqValue>(i);
    if (value == FaqValue::TotalQuestions) continue;
    run.Add(values.Text(value)).Add(static_cast<std::uint64_t>(values.Integer(value)));
  }
  return run;
}

// Modern anchors are transliterated by the ICU the program runs with, which can change under it.
void AddIcuVersion(Fingerprint& fingerprint) {
  UVersionInfo icu{};
  u_getVersion(icu);
  fingerprint.Add(std::string_view(reinterpret_cast<const char*>(icu), sizeof icu));
}

void AddLook(Fingerprint& fingerprint, std::string_view banner,
             const SystemColours& system_colours) {
  fingerprint.Add(banner);
  for (const std::uint32_t colour : system_colours) fingerprint.Add(colour);
}

}  // namespace

Fingerprint RunFingerprint(const FaqValues& values,
                           const std::array<std::string, kFixedSectionCount>& sections,
                           std::string_view banner, const SystemColours& system_colours) {
  Fingerprint run = ProgramAndValues(values);
  for (const std::string& section : sections) run.Add(section);
  AddLook(run, banner, system_colours);
  return run;
}

std::uint64_t InputsFingerprint(const FaqValues& values, std::string_view banner,
                                const SystemColours& system_colours,
                                std::optional<std::uint64_t> document) {
  Fingerprint inputs = ProgramAndValues(values);
  AddLook(inputs, banner, system_colours);
  AddIcuVersion(inputs);
  // The questions are the document's first TotalQuestions.
  inputs.Add(VendorSiteAddress())
      .Add(static_cast<std::uint64_t>(values.Integer(FaqValue::TotalQuestions)));
  if (document)
    inputs.Add(std::uint64_t{1}).Add(*document);
  else
    inputs.Add(std::uint64_t{0});
  return FileFingerprint(inputs);
}

std::uint64_t ModernNamesInputs(const std::vector<std::string>& questions, std::string_view prefix,
                                std::string_view extension, std::string_view start_page) {
  Fingerprint names(ProgramFingerprint());
  AddIcuVersion(names);
  names.Add(prefix).Add(extension).Add(start_page).Add(questions.size());
  for (const std::string& question : questions) names.Add(question);
  return FileFingerprint(names);
}

Fingerprint WithQuestions(Fingerprint fingerprint, const std::vector<std::string>& questions) {
  fingerprint.Add(questions.size());
  for (const std::string& question : questions) fingerprint.Add(question);
  return fingerprint;
}

std::uint64_t FileFingerprint(const Fingerprint& fingerprint) {
  const std::uint64_t value = fingerprint.value();
  return value == 0 ? 1 : value;
}

}  // namespace quorella::html
