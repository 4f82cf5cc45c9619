#pragma once
// The words of the registry snapshot text format, shared by its writer and its reader.
//   [\Software\Tamsel Software\Quorella]   a header: "[" + root name + "\" + key path + "]"
//   TotalQuestionsint=5                    a value line: name + tag + "=" + value text
//   (empty line)                           ends each key's block
#include <string_view>

namespace quorella::snapshot {

inline constexpr std::string_view kIntegerTag = "int";
inline constexpr std::string_view kStringTag = "str";
inline constexpr std::string_view kBinaryTag = "bin";
inline constexpr std::size_t kTagLength = 3;

// A value's CR LF pairs are written as these four letters, so the value stays on one line.
inline constexpr std::string_view kLineBreakStandIn = "qqqq";

// The snapshot of the application key inside a backup set.
inline constexpr std::string_view kFileName = "registry.cfg";

}  // namespace quorella::snapshot
