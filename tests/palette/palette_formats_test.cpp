// The palette file layouts: every layout written and read back, every 9-bit colour
// with and without priority, hand-written GIMP and JASC files, the layout told by
// content alone, and the files that are refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

// 256 seeded random 9-bit colours, every fourth with priority.
Palette randomNextPalette(unsigned seed) {
    std::mt19937 random(seed);
    std::vector<PaletteEntry> entries;
    for (int i = 0; i < PALETTE_SIZE; ++i)
        entries.push_back(entryFromNextBytes(static_cast<std::uint8_t>(random()),
                                             static_cast<std::uint8_t>((random() & 1) | (i % 4 == 0 ? 0x80 : 0)), i));
    return Palette(std::move(entries));
}

struct LayoutCase {
    PaletteFormat format;
    const char* name;
    bool keepsPriority;
};
void PrintTo(const LayoutCase& c, std::ostream* out) { *out << c.name; }

class EveryLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(EveryLayout, WritesWhatItReadsAndIsToldByContent) {
    const LayoutCase& c = GetParam();
    const Palette written = randomNextPalette(14);
    const Bytes bytes = encodePaletteFile(written, c.format);
    EXPECT_EQ(detectPaletteFormat(bytes), c.format);
    const auto read = decodePaletteFile(bytes);
    ASSERT_TRUE(read) << read.error().detail;
    ASSERT_EQ(read->size(), 256u);
    for (std::size_t i = 0; i < 256; ++i) {
        PaletteEntry expected = written[i];
        if (!c.keepsPriority) expected.priority = false;
        EXPECT_EQ((*read)[i], expected) << "entry " << i;
    }
    EXPECT_EQ(encodePaletteFile(*read, c.format), bytes);
}

INSTANTIATE_TEST_SUITE_P(Layouts, EveryLayout,
                         ::testing::Values(LayoutCase{PaletteFormat::Rgb24, "Rgb768", false},
                                           LayoutCase{PaletteFormat::Next9Bit, "Next512", true},
                                           LayoutCase{PaletteFormat::Next9BitTransparent, "Next513", true},
                                           LayoutCase{PaletteFormat::Gimp, "Gimp", false},
                                           LayoutCase{PaletteFormat::Jasc, "Jasc", false}),
                         [](const auto& param) { return std::string(param.param.name); });

// All 512 colours (two files' worth), each with and without priority, through both
// 9-bit layouts: the bytes come back unchanged and the screen colour uses the Next's levels.
TEST(NinePalette, EveryColourAndPriorityBitSurvivesBothLayouts) {
    const int levels[] = {0x00, 0x24, 0x49, 0x6D, 0x92, 0xB6, 0xDB, 0xFF};
    for (const bool transparentByte : {false, true}) {
        for (const bool priority : {false, true}) {
            for (int half = 0; half < 2; ++half) {
                Bytes bytes;
                for (int i = 0; i < 256; ++i) {
                    const int colour = half * 256 + i;  // RRRGGGBBB
                    bytes.push_back(static_cast<std::uint8_t>(colour >> 1));
                    bytes.push_back(static_cast<std::uint8_t>((colour & 1) | (priority ? 0x80 : 0)));
                }
                if (transparentByte) bytes.push_back(0xE3);
                const auto read = decodePaletteFile(bytes);
                ASSERT_TRUE(read);
                for (int i = 0; i < 256; ++i) {
                    const int colour = half * 256 + i;
                    const PaletteEntry& e = (*read)[static_cast<std::size_t>(i)];
                    EXPECT_EQ(colourOf(e), (RgbColour{levels[colour >> 6], levels[(colour >> 3) & 7], levels[colour & 7]}));
                    EXPECT_EQ(e.nextColourByte, colour >> 1);
                    EXPECT_EQ(e.nextBlueBit, colour & 1);
                    EXPECT_EQ(e.priority, priority);
                    EXPECT_EQ(e.paletteIndex, i);
                    // The page edits the same entry as three 3-bit components.
                    const NextComponents components{colour >> 6, (colour >> 3) & 7, colour & 7};
                    EXPECT_EQ(nextComponents(e), components);
                    EXPECT_EQ(entryFromNextComponents(components, priority, i), e);
                }
                const auto format = transparentByte ? PaletteFormat::Next9BitTransparent : PaletteFormat::Next9Bit;
                EXPECT_EQ(encodePaletteFile(*read, format), bytes);
            }
        }
    }
}

// A 768-byte file is 24-bit even when its first 512 bytes would make a fine 9-bit
// palette, and its colours stay exact (off the Next's levels too).
TEST(RgbPalette, SevenHundredSixtyEightBytesAreNeverNineBit) {
    Bytes bytes(768);
    std::mt19937 random(3);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i % 2 ? random() & 0x81 : random());
    EXPECT_EQ(detectPaletteFormat(bytes), PaletteFormat::Rgb24);
    const auto read = decodePaletteFile(bytes);
    ASSERT_TRUE(read);
    for (std::size_t i = 0; i < 256; ++i)
        EXPECT_EQ(colourOf((*read)[i]), (RgbColour{bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]}));
    EXPECT_EQ(encodePaletteFile(*read, PaletteFormat::Rgb24), bytes);
}

// Hand-written files in the published layouts, LF and CR LF, with a short colour list:
// the colours they list, the rest black.
TEST(TextPalette, HandWrittenGimpAndJascFilesRead) {
    const std::vector<RgbColour> listed = {{255, 0, 0}, {0, 128, 64}, {12, 34, 56}};
    const std::string files[] = {
        "GIMP Palette\nName: Hand made\nColumns: 4\n# three colours\n255   0   0\tRed\n  0 128  64\tUntitled\n"
        " 12  34  56\n\n",
        "GIMP Palette\r\nName: Windows\r\n#\r\n255 0 0 Red\r\n0 128 64\r\n12 34 56 deep blue\r\n",
        "JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n0 128 64\r\n12 34 56\r\n",
        "JASC-PAL\n0100\n3\n255 0 0\n0 128 64\n12 34 56",
    };
    for (const std::string& file : files) {
        const auto read = decodePaletteFile(textBytes(file));
        ASSERT_TRUE(read) << file;
        ASSERT_EQ(read->size(), 256u);
        for (std::size_t i = 0; i < 256; ++i)
            EXPECT_EQ(colourOf((*read)[i]), i < listed.size() ? listed[i] : RgbColour{}) << file << " entry " << i;
    }
}

// Fewer than 256 colours are completed in black as start-up shows a short file's
// missing ones; more than 256 and text that breaks its layout are refused.
TEST(PaletteRefusals, EmptyTooManyAndMalformedFilesAreRefused) {
    using model::ErrorKind;
    std::string gimp257 = "GIMP Palette\n";
    for (int i = 0; i < 257; ++i) gimp257 += "1 2 3\n";
    struct Case {
        const char* name;
        Bytes bytes;
        ErrorKind kind;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        const auto read = decodePaletteFile(c.bytes);
        ASSERT_FALSE(read) << c.name;
        EXPECT_EQ(read.error().kind, c.kind) << c.name;
    }

    const auto shortFile = decodePaletteFile(Bytes{10, 20, 30, 40});
    ASSERT_TRUE(shortFile);
    ASSERT_EQ(shortFile->size(), 256u);
    EXPECT_EQ(colourOf((*shortFile)[0]), (RgbColour{10, 20, 30}));
    EXPECT_EQ(colourOf((*shortFile)[1]), (RgbColour{40, 0, 0}));
    EXPECT_EQ(colourOf((*shortFile)[255]), RgbColour{});
    EXPECT_EQ((*shortFile)[255].paletteIndex, 255);
}

TEST(PaletteNames, ExtensionsChooseTheLayoutInAnyCase) {
    EXPECT_EQ(paletteFormatForPath("a/rgb9spreada.pal"), PaletteFormat::Rgb24);
    EXPECT_EQ(paletteFormatForPath("game.NXP"), PaletteFormat::Next9Bit);
    EXPECT_EQ(paletteFormatForPath("game.npl"), PaletteFormat::Next9BitTransparent);
    EXPECT_EQ(paletteFormatForPath("art.Gpl"), PaletteFormat::Gimp);
    EXPECT_EQ(paletteFormatForPath("art.jasc"), PaletteFormat::Jasc);
    EXPECT_EQ(paletteFormatForPath("art.png"), std::nullopt);
    EXPECT_EQ(paletteFormatForPath("pal"), std::nullopt);
}

// The shipped start-up palette reads the same through the content-told reader, and a
// folder is refused as one.
TEST(PaletteFile, TheStartPaletteReadsAlikeAndAFolderIsRefused) {
    const std::filesystem::path shipped = std::filesystem::path(VIROROR_RESOURCES) / PALETTE_FILE_NAME;
    const auto start = loadPalette(shipped);
    const auto any = loadPaletteFile(shipped);
    ASSERT_TRUE(start && any);
    EXPECT_EQ(any->palette.entries(), start->palette.entries());
    EXPECT_EQ(any->colourSlots, start->colourSlots);
    const auto folder = loadPaletteFile(VIROROR_RESOURCES);
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().kind, model::ErrorKind::NotAFile);
}

}  // namespace
