// The palette file layouts: every 9-bit colour with and without priority written in
// every layout and read back, hand-written GIMP and JASC files, the layout told by
// content alone, and the files that are refused.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "palette/palette_file.h"
#include "palette/palette_formats.h"

using namespace palette;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes textBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

RgbColour colourOf(const PaletteEntry& e) { return {e.red, e.green, e.blue}; }

// All 512 9-bit colours (two files' worth), priority on two in three: read with the
// Next's levels, then through every layout, which reads back what it writes (24-bit and
// text ones drop the priority bit) and is told by its content alone.
TEST(PaletteLayouts, EveryNineBitColourSurvivesEveryLayout) {
    const int levels[] = {0x00, 0x24, 0x49, 0x6D, 0x92, 0xB6, 0xDB, 0xFF};
    for (int half = 0; half < 2; ++half) {
        Bytes next;
        for (int colour = half * 256; colour < half * 256 + 256; ++colour) {  // RRRGGGBBB
            next.push_back(static_cast<std::uint8_t>(colour >> 1));
            next.push_back(static_cast<std::uint8_t>((colour & 1) | (colour % 3 ? 0x80 : 0)));
        }
        const auto written = decodePaletteFile(next);
        ASSERT_TRUE(written);
        for (int i = 0; i < 256; ++i) {
            const int colour = half * 256 + i;
            const PaletteEntry& e = (*written)[static_cast<std::size_t>(i)];
            EXPECT_EQ(colourOf(e), (RgbColour{levels[colour >> 6], levels[(colour >> 3) & 7], levels[colour & 7]}));
            EXPECT_EQ(e.priority, colour % 3 != 0);
            // The page edits the same entry as three 3-bit components.
            const NextComponents components{colour >> 6, (colour >> 3) & 7, colour & 7};
            EXPECT_EQ(nextComponents(e), components);
            EXPECT_EQ(entryFromNextComponents(components, colour % 3 != 0, i), e);
        }
        for (const auto format : {PaletteFormat::Rgb24, PaletteFormat::Next9Bit, PaletteFormat::Next9BitTransparent,
                                  PaletteFormat::Gimp, PaletteFormat::Jasc}) {
            SCOPED_TRACE(static_cast<int>(format));
            const Bytes bytes = encodePaletteFile(*written, format);
            EXPECT_EQ(detectPaletteFormat(bytes), format);
            const bool nineBit = format == PaletteFormat::Next9Bit || format == PaletteFormat::Next9BitTransparent;
            if (nineBit) {
                Bytes expected = next;
                if (format == PaletteFormat::Next9BitTransparent) expected.push_back(0xE3);
                EXPECT_EQ(bytes, expected);
            }
            const auto read = decodePaletteFile(bytes);
            ASSERT_TRUE(read) << read.error().detail;
            ASSERT_EQ(read->size(), 256u);
            for (std::size_t i = 0; i < 256; ++i) {
                PaletteEntry expected = (*written)[i];
                expected.priority = expected.priority && nineBit;
                EXPECT_EQ((*read)[i], expected) << "entry " << i;
            }
            EXPECT_EQ(encodePaletteFile(*read, format), bytes);
        }
    }
}

// Each file's colours, given as red, green, blue bytes: those listed, the rest black.
// Hand-written text files in the published layouts (LF and CR LF), a short file, and
// 768 bytes, 24-bit even when the first 512 would make a fine 9-bit palette, whose
// colours stay exact off the Next's levels.
TEST(PaletteFiles, ReadTheColoursTheyListAndTheRestBlack) {
    const Bytes listed = {255, 0, 0, 0, 128, 64, 12, 34, 56};
    Bytes rgb(768);
    std::mt19937 random(3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i % 2 ? random() & 0x81 : random());
    const std::pair<Bytes, Bytes> cases[] = {
        {textBytes("GIMP Palette\nName: Hand made\nColumns: 4\n# three colours\n255   0   0\tRed\n"
                   "  0 128  64\tUntitled\n 12  34  56\n\n"),
         listed},
        {textBytes("GIMP Palette\r\nName: Windows\r\n#\r\n255 0 0 Red\r\n0 128 64\r\n12 34 56 deep blue\r\n"), listed},
        {textBytes("JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n0 128 64\r\n12 34 56\r\n"), listed},
        {textBytes("JASC-PAL\n0100\n3\n255 0 0\n0 128 64\n12 34 56"), listed},
        {{10, 20, 30, 40}, {10, 20, 30, 40}},
        {rgb, rgb},
    };
    for (const auto& [file, colours] : cases) {
        const auto read = decodePaletteFile(file);
        ASSERT_TRUE(read) << std::string(file.begin(), file.begin() + 20);
        ASSERT_EQ(read->size(), 256u);
        for (std::size_t i = 0; i < 256; ++i) {
            const auto part = [&](std::size_t n) { return n < colours.size() ? colours[n] : 0; };
            EXPECT_EQ(colourOf((*read)[i]), (RgbColour{part(3 * i), part(3 * i + 1), part(3 * i + 2)})) << i;
        }
    }
}

// More than 256 colours, none, and text that breaks its layout are refused.
TEST(PaletteRefusals, EmptyTooManyAndMalformedFilesAreRefused) {
    using model::ErrorKind;
    std::string gimp257 = "GIMP Palette\n";
    for (int i = 0; i < 257; ++i) gimp257 += "1 2 3\n";
    const struct { const char* name; Bytes bytes; ErrorKind kind; } cases[] = {
        {"empty", {}, ErrorKind::Empty},
        {"769 bytes", Bytes(769, 7), ErrorKind::TooManyEntries},
        {"257 GIMP colours", textBytes(gimp257), ErrorKind::TooManyEntries},
        {"JASC count 257", textBytes("JASC-PAL\r\n0100\r\n257\r\n"), ErrorKind::TooManyEntries},
        {"GIMP header only", textBytes("GIMP Palette\n# nothing\n"), ErrorKind::Empty},
        {"GIMP component 256", textBytes("GIMP Palette\n256 0 0\n"), ErrorKind::Malformed},
        {"GIMP two numbers", textBytes("GIMP Palette\n1 2\n"), ErrorKind::Malformed},
        {"GIMP word", textBytes("GIMP Palette\nred green blue\n"), ErrorKind::Malformed},
        {"JASC version", textBytes("JASC-PAL\r\n0200\r\n1\r\n1 2 3\r\n"), ErrorKind::Malformed},
        {"JASC short of its count", textBytes("JASC-PAL\r\n0100\r\n5\r\n1 2 3\r\n"), ErrorKind::Malformed},
        {"JASC negative", textBytes("JASC-PAL\r\n0100\r\n1\r\n1 -2 3\r\n"), ErrorKind::Malformed},
    };
    for (const auto& c : cases) {
        const auto read = decodePaletteFile(c.bytes);
        ASSERT_FALSE(read) << c.name;
        EXPECT_EQ(read.error().kind, c.kind) << c.name;
    }
}

TEST(PaletteNames, ExtensionsChooseTheLayoutInAnyCase) {
    using enum PaletteFormat;
    const std::pair<const char*, std::optional<PaletteFormat>> cases[] = {
        {"a/rgb9spreada.pal", Rgb24}, {"game.NXP", Next9Bit}, {"game.npl", Next9BitTransparent},
        {"art.Gpl", Gimp}, {"art.jasc", Jasc}, {"art.png", std::nullopt}, {"pal", std::nullopt}};
    for (const auto& [name, format] : cases) EXPECT_EQ(paletteFormatForPath(name), format) << name;
}

}  // namespace
