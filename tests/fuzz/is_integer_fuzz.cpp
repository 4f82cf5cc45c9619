// IsInteger and ParseInteger against a second, independently written reading of the integer syntax:
// leading spaces, an optional sign, then decimal digits or hexadecimal digits after "$", "0x" or
// "x" (either case), nothing after, within a signed 32-bit integer.
#include <optional>

#include "fuzz/fuzz_input.h"
#include "util/strings.h"

namespace {

// The digits without their leading zeros, compared with the largest magnitude the sign allows.
bool FitsInt32(std::string_view digits, bool hexadecimal, bool negative) {
  const auto first = digits.find_first_not_of('0');
  std::string significant(first == std::string_view::npos ? "" : digits.substr(first));
  for (char& c : significant)
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
  const std::string limit =
      hexadecimal ? (negative ? "80000000" : "7fffffff") : (negative ? "2147483648" : "2147483647");
  if (significant.size() != limit.size()) return significant.size() < limit.size();
  return significant <= limit;
}

long long ValueOf(std::string_view digits, bool hexadecimal, bool negative) {
  long long value = 0;
  for (char c : digits) {
    const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    value = value * (hexadecimal ? 16 : 10) + digit;
    if (value > 0x80000000LL) return 0;  // only reached for texts FitsInt32 refused
  }
  return negative ? -value : value;
}

std::optional<long long> ReferenceInteger(std::string_view text) {
  const auto start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  const bool negative = text.front() == '-';
  if (negative || text.front() == '+') text.remove_prefix(1);
  bool hexadecimal = true;
  if (text.starts_with("0x") || text.starts_with("0X"))
    text.remove_prefix(2);
  else if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X'))
    text.remove_prefix(1);
  else
    hexadecimal = false;
  const std::string_view allowed = hexadecimal ? "0123456789abcdefABCDEF" : "0123456789";
  if (text.empty() || text.find_first_not_of(allowed) != std::string_view::npos)
    return std::nullopt;
  if (!FitsInt32(text, hexadecimal, negative)) return std::nullopt;
  return ValueOf(text, hexadecimal, negative);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorella::fuzz;
  const std::string_view text = AsText(data, size);
  const auto expected = ReferenceInteger(text);
  const bool is_integer = quorella::IsInteger(text);
  if (is_integer != expected.has_value())
    Fail("IsInteger agrees with the reference syntax", expected ? "integer" : "not an integer",
         is_integer ? "integer" : "not an integer");
  int value = 12345;
  const bool parsed = quorella::ParseInteger(text, value);
  Check(parsed == is_integer, "ParseInteger accepts what IsInteger accepts");
  if (parsed)
    CheckEqual(std::to_string(*expected), std::to_string(value), "ParseInteger's value");
  else
    Check(value == 12345, "a refused text leaves the value alone");
  return 0;
}
