#include "html/entities.h"

namespace quorella::html {

namespace {

// No entity text holds a character of the table, so replacing every character in one pass gives
// what replacing the entries one after another gives.
struct ByteTable {
  std::array<std::string_view, 256> entity{};
  constexpr explicit ByteTable(std::size_t entries) {
    for (std::size_t i = 0; i < entries; ++i)
      entity[static_cast<unsigned char>(kEntityTable[i].character)] = kEntityTable[i].text;
  }
};
constexpr ByteTable kByByte(kEntityCount);
// The table starts with the characters HTML reserves.
constexpr ByteTable kMarkupByByte(kMarkupEntityCount);

}  // namespace

void AppendEscaped(std::string& out, std::string_view word, Escaping escaping) {
  const ByteTable& table = escaping == Escaping::EntityTable ? kByByte : kMarkupByByte;
  if (word == "&") {
    out += "&amp;";
    return;
  }
  std::size_t plain_from = 0;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const std::string_view entity = table.entity[static_cast<unsigned char>(word[i])];
    if (entity.empty()) continue;
    out.append(word.substr(plain_from, i - plain_from));
    out += entity;
    plain_from = i + 1;
  }
  out.append(word.substr(plain_from));
}

std::string EscapeWord(std::string_view word, Escaping escaping) {
  std::string out;
  AppendEscaped(out, word, escaping);
  return out;
}

}  // namespace quorella::html
