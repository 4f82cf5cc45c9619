#pragma once
// Between the program's Windows-1252 byte texts and stored colours and Qt's strings and colours.
#include <QColor>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace quorella::widgets {

QString ToQt(std::string_view bytes);
// Characters Windows-1252 cannot hold become '?'; `lossy` tells whether that happened.
std::string FromQt(const QString& text, bool* lossy = nullptr);

// A stored colour (0x00BBGGRR; high bit set: a system colour) as Qt shows it.
QColor ColourFromStored(std::int32_t stored);
std::int32_t StoredFromColour(const QColor& colour);

}  // namespace quorella::widgets
