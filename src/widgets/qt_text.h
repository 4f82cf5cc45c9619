#pragma once
// Between the program's UTF-8 texts and stored colours and Qt's strings and colours.
#include <QColor>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace quorella::widgets {

// Both ways lossless: every character, whatever its script, survives the trip.
QString ToQt(std::string_view utf8);
std::string FromQt(const QString& text);

// A folder as messages name it: without its final '/' (the root stays "/").
QString FolderText(std::string_view folder);

// A stored colour (0x00BBGGRR; high bit set: a system colour) as Qt shows it.
QColor ColourFromStored(std::int32_t stored);
std::int32_t StoredFromColour(const QColor& colour);

}  // namespace quorella::widgets
