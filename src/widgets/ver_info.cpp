#include "widgets/ver_info.h"

#include "quorella/version_info.h"

namespace quorella::widgets {

QString VerInfo::Value(const QString& name) const {
  const std::array<const char*, 12> values = {
      version::kComments,        version::kCompanyName,      version::kFileDescription,
      version::kFileVersion,     version::kInternalName,     version::kLegalCopyright,
      version::kLegalTrademarks, version::kOriginalFileName, version::kPrivateBuild,
      version::kProductName,     version::kProductVersion,   version::kSpecialBuild};
  for (std::size_t i = 0; i < kNames.size(); ++i)
    if (name.compare(QLatin1String(kNames[i]), Qt::CaseInsensitive) == 0)
      return QString::fromUtf8(values[i]);
  return {};
}

int VerInfo::Major() const {
  return version::kMajor;
}
int VerInfo::Minor() const {
  return version::kMinor;
}
int VerInfo::Release() const {
  return version::kRelease;
}
int VerInfo::Build() const {
  return version::kBuild;
}

}  // namespace quorella::widgets
