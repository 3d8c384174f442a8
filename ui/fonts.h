#pragma once
// The four fonts of the window, loaded by number. Their face is "Consolas";
// where that is not installed an installed monospaced face of the same point
// size takes its place, so the listing and the sprite numbers keep their columns.
#include <QFont>
#include <QString>

namespace ui {

enum class FontId { FontLarge = 0, FontMedium = 1, FontSmall = 2, FontTiny = 3 };

inline constexpr int FONT_COUNT = 4;

// Point size of each font: 14, 12, 11 and 8.
int fontPointSize(FontId id);

// "Consolas" when installed, otherwise the first installed monospaced family
// of a short preference list, otherwise the system's fixed-pitch font.
QString monospaceFamily();

// The font of that number, regular weight.
QFont loadFont(FontId id);

}  // namespace ui
