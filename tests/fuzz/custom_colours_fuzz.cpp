// The custom colours' text: whatever a stored text holds, parsing it, formatting the colours and
// parsing that again gives the same colours, and the formatted text is a fixed point.
#include "fuzz/fuzz_input.h"
#include "store/custom_colours.h"
#include "util/text_lines.h"

namespace {

std::string Show(const quorella::CustomColours& colours) {
  std::string text;
  for (std::int32_t colour : colours) text += std::to_string(colour) + ' ';
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorella;
  using namespace quorella::fuzz;
  const CustomColours first = ParseCustomColours(AsText(data, size));
  const std::string formatted = FormatCustomColours(first);
  const CustomColours second = ParseCustomColours(formatted);
  CheckEqual(Show(first), Show(second), "parse - format - parse keeps the colours");
  CheckEqual(formatted, FormatCustomColours(second), "the formatted text is stable");

  // The stored form: sixteen lines ColorA to ColorP, lowercase hexadecimal of six digits or more.
  const auto lines = SplitLines(formatted);
  Check(lines.size() == 16, "sixteen lines");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::string head = std::string("Color") + static_cast<char>('A' + i) + "=";
    Check(line.starts_with(head), "each line names its letter in order");
    const std::string hex = line.substr(head.size());
    Check(hex.size() >= 6 && hex.size() <= 8 &&
              hex.find_first_not_of("0123456789abcdef") == std::string::npos,
          "each colour is lowercase hexadecimal of six to eight digits");
    Check(first[i] != kUnsetColour || hex == "ffffffff", "an unset colour is ffffffff");
  }
  return 0;
}
