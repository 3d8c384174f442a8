// Font loading with a monospaced fallback for machines without Consolas.
#include "ui/fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>

namespace ui {
namespace {

// Advance of one Consolas character as a fraction of the font's em.
constexpr qreal CONSOLAS_ADVANCE = 1126.0 / 2048.0;

}  // namespace

int fontPointSize(FontId id) {
    switch (id) {
    case FontId::FontLarge: return 14;
    case FontId::FontMedium: return 12;
    case FontId::FontSmall: return 11;
    case FontId::FontTiny: return 8;
    }
    return 11;
}

QString monospaceFamily() {
    // Looked up once: the installed families do not change while the program runs.
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        const QStringList preferred = {QStringLiteral("Consolas"), QStringLiteral("DejaVu Sans Mono"),
                                       QStringLiteral("Liberation Mono"), QStringLiteral("Noto Sans Mono"),
                                       QStringLiteral("Courier New")};
        for (const QString& name : preferred) {
            if (installed.contains(name, Qt::CaseInsensitive)) return name;
        }
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return family;
}

QFont loadFont(FontId id) {
    QFont font(monospaceFamily(), fontPointSize(id), QFont::Normal);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    // A wider stand-in is narrowed to Consolas' character width, so texts made
    // to fit the controls at that face still fit.
    static const int stretch = [] {
        QFont probe(monospaceFamily());
        probe.setPixelSize(200);
        const qreal advance = QFontMetricsF(probe).horizontalAdvance(QLatin1Char('0')) / 200.0;
        if (advance <= CONSOLAS_ADVANCE) return 100;
        return std::clamp(qRound(100.0 * CONSOLAS_ADVANCE / advance), 75, 100);
    }();
    if (stretch != 100) font.setStretch(stretch);
    return font;
}

}  // namespace ui
