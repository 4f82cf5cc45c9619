#pragma once
// VerInfo: the program's version information, compiled in from the project version.
#include <QString>

#include <array>

namespace quorella::widgets {

class VerInfo {
 public:
  // The twelve named values, in their order.
  static constexpr std::array<const char*, 12> kNames = {
      "Comments",     "CompanyName",    "FileDescription", "FileVersion",
      "InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFileName",
      "PrivateBuild", "ProductName",    "ProductVersion",  "SpecialBuild"};

  // A text value by name; empty for an unknown name.
  QString Value(const QString& name) const;
  int Major() const;
  int Minor() const;
  int Release() const;
  int Build() const;
};

}  // namespace quorella::widgets
