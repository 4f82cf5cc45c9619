#include "html/entities.h"

namespace quorella::html {

namespace {

// No entity text holds a character of the table, so replacing every character in one pass gives
// what replacing the entries one after another gives.
struct ByteTable {
  std::array<std::string_view, 256> entity{};
  constexpr ByteTable() {
    for (const Entity& e : kEntityTable) entity[static_cast<unsigned char>(e.character)] = e.text;
  }
};
constexpr ByteTable kByByte;

}  // namespace

void AppendEscaped(std::string& out, std::string_view word) {
  if (word == "&") {
    out += "&amp;";
    return;
  }
  std::size_t plain_from = 0;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const std::string_view entity = kByByte.entity[static_cast<unsigned char>(word[i])];
    if (entity.empty()) continue;
    out.append(word.substr(plain_from, i - plain_from));
    out += entity;
    plain_from = i + 1;
  }
  out.append(word.substr(plain_from));
}

std::string EscapeWord(std::string_view word) {
  std::string out;
  AppendEscaped(out, word);
  return out;
}

}  // namespace quorella::html
