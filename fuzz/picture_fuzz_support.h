#pragma once
// Start-up shared by the picture targets: the toolkit's fallback is installed as the
// editor installs it, and a tiny GIF and a 24-bit bitmap are decoded once, so a
// missing image plugin stops the run at once instead of fuzzing nothing.

#include "app/qt_picture_loader.h"
#include "fuzz/fuzz_support.h"
#include "imaging/picture_load.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

namespace fuzz {

// 1 x 1, a two-colour global table, the one pixel colour 0 (black).
inline constexpr std::uint8_t TINY_GIF[] = {
    'G', 'I', 'F', '8', '9', 'a', 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00,  // screen
    0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF,                                      // colours
    0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00,              // picture
    0x02, 0x02, 0x44, 0x01, 0x00,                                            // LZW data
    0x3B};

// 1 x 1, 24 bits, the pixel (red 0x30, green 0x20, blue 0x10).
inline constexpr std::uint8_t TINY_BMP24[] = {
    'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,             // file header
    40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,           // size, width, height, planes, bits
    0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x10, 0x20, 0x30, 0x00};

inline void startQtPictureLoader() {
    // Offscreen, so the fuzzers run without a display; the application object is
    // kept for the whole run, as in the editor.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "viroror-fuzz";
    static char* argv[] = {name, nullptr};
    // Never destroyed: the run ends by exit(), and Qt's own clean-up must not race it.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
    app::installQtPictureLoader();

    const auto gif = imaging::decodePicture(TINY_GIF, sizeof TINY_GIF);
    FUZZ_CHECK(gif && gif->width == 1 && gif->height == 1 && gif->rgb == std::vector<std::uint8_t>({0, 0, 0}));
    const auto bmp = imaging::decodePicture(TINY_BMP24, sizeof TINY_BMP24);
    FUZZ_CHECK(bmp && bmp->width == 1 && bmp->height == 1 && bmp->rgb == std::vector<std::uint8_t>({0x30, 0x20, 0x10}));
}

// Every picture decodePicture returns is whole and within the limits.
inline void checkPicture(const std::optional<imaging::Picture>& picture) {
    if (!picture) return;
    FUZZ_CHECK(imaging::pictureSizeAllowed(picture->width, picture->height));
    FUZZ_CHECK(picture->rgb.size() == static_cast<std::size_t>(picture->width) * picture->height * 3);
}

}  // namespace fuzz
