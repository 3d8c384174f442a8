#pragma once
// Shared by the "Import" and "Output" page tests: pictures made of the fixed
// colour table, outside tools (ImageMagick, Pillow, pasmo) run through the shell,
// and spinning the event loop until a condition holds.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "imaging/fixed_colour_table.h"

namespace testing_support {

// A w x h picture whose pixel (x, y) shows FIXED_COLOUR_TABLE[indices[y * w + x]].
inline QImage tablePicture(int w, int h, const std::vector<std::uint8_t>& indices) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const imaging::Rgb& c = imaging::FIXED_COLOUR_TABLE[indices[static_cast<std::size_t>(y) * w + x]];
            line[x] = qRgb(c.r, c.g, c.b);
        }
    }
    return image;
}

// w * h seeded random table indices.
inline std::vector<std::uint8_t> randomIndices(int w, int h, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(w) * h);
    for (auto& i : indices) i = static_cast<std::uint8_t>(random() & 0xFF);
    return indices;
}

inline QRgb tableColour(int index) {
    const imaging::Rgb& c = imaging::FIXED_COLOUR_TABLE[static_cast<std::size_t>(index)];
    return qRgb(c.r, c.g, c.b);
}

inline std::string quoted(const QString& path) { return "'" + path.toStdString() + "'"; }

// Runs a shell command quietly; true when it exits with 0.
inline bool shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// A Python interpreter that has Pillow, or empty.
inline std::string pythonWithPillow() {
    for (const char* python : {"/usr/bin/python3", "python3"}) {
        if (shell(std::string(python) + " -c 'import PIL'")) return python;
    }
    return {};
}

// Spins the event loop until done() holds or the time runs out; returns done().
inline bool spinUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

}  // namespace testing_support
