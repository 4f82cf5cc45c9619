#include "html/page_fingerprints.h"

namespace quorella::html {

Fingerprint RunFingerprint(const FaqValues& values,
                           const std::array<std::string, kFixedSectionCount>& sections,
                           std::string_view banner, const SystemColours& system_colours) {
  Fingerprint run(ProgramFingerprint());
  for (std::size_t i = 0; i < kFaqValueCount; ++i) {
    const auto value = static_cast<FaqValue>(i);
    if (value == FaqValue::TotalQuestions) continue;
    run.Add(values.Text(value)).Add(static_cast<std::uint64_t>(values.Integer(value)));
  }
  for (const std::string& section : sections) run.Add(section);
  run.Add(banner);
  for (const std::uint32_t colour : system_colours) run.Add(colour);
  return run;
}

std::uint64_t FileFingerprint(const Fingerprint& fingerprint) {
  const std::uint64_t value = fingerprint.value();
  return value == 0 ? 1 : value;
}

}  // namespace quorella::html
