#include <gtest/gtest.h>

#include <cstdlib>

#include "io/asm_listing.h"
#include "io_test_support.h"

using namespace iotest;

namespace {

// The row of sixteen 0xE3 bytes, written out by hand.
const std::string E3_ROW =
    "\tdb  $E3, $E3, $E3, $E3, $E3, $E3, $E3, $E3, $E3, $E3, $E3, $E3, $E3, $E3, $E3, $E3;";
const std::string ZERO_ROW =
    "\tdb  $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00;";

std::string repeatRow(const std::string& row, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += row + "\n";
    return out;
}

}  // namespace

// ---- The listing text ------------------------------------------------------------------

TEST(AsmListing, DataLinesAreEightyFourCharactersOfUppercaseHex) {
    const Bytes e3(16, 0xE3);
    EXPECT_EQ(io::dataLine(e3), E3_ROW);
    EXPECT_EQ(E3_ROW.size(), 84u);

    const Bytes mixed{0x05, 0x00, 0xFF, 0xAB, 0x10, 0x0F, 0xC9, 0x7E, 0x01, 0x80, 0x99, 0xDE, 0xAD, 0xBE, 0xEF, 0x3A};
    EXPECT_EQ(io::dataLine(mixed),
              "\tdb  $05, $00, $FF, $AB, $10, $0F, $C9, $7E, $01, $80, $99, $DE, $AD, $BE, $EF, $3A;");
}

TEST(AsmListing, LabelBaseDefaultsAndTurnsSpacesIntoUnderscores) {
    EXPECT_EQ(io::labelBase(""), "Sprite");
    EXPECT_EQ(io::labelBase("Sprite"), "Sprite");
    EXPECT_EQ(io::labelBase("my sprite"), "my_sprite");
    EXPECT_EQ(io::labelBase("   "), "___");
    EXPECT_EQ(io::labelBase("a\tb-\xC3\xA9"), "a\tb-\xC3\xA9");  // nothing else is touched
    EXPECT_EQ(io::labelLine("Sprite", 12), "Sprite12:");
    EXPECT_EQ(io::labelLine("x", 1), "x1:");
}

TEST(AsmListing, TwoSpritesExactly) {
    Bytes sheet(2 * 256, 0x00);
    const Bytes row0{0x05, 0x00, 0xFF, 0xAB, 0x10, 0x0F, 0xC9, 0x7E, 0x01, 0x80, 0x99, 0xDE, 0xAD, 0xBE, 0xEF, 0x3A};
    std::copy(row0.begin(), row0.end(), sheet.begin());
    std::fill(sheet.begin() + 256, sheet.end(), 0xE3);

    const std::string expected =
        "My_sprite1:\n"
        "\tdb  $05, $00, $FF, $AB, $10, $0F, $C9, $7E, $01, $80, $99, $DE, $AD, $BE, $EF, $3A;\n" +
        repeatRow(ZERO_ROW, 15) +
        "\n\n"          // three line breaks after the last row ...
        "\n"            // ... and the one before the next label
        "My_sprite2:\n" +
        repeatRow(E3_ROW, 16) + "\n\n";
    EXPECT_EQ(io::asmListing(sheet, 2, "My sprite"), expected);
}

TEST(AsmListing, OneSpriteIsALabelSixteenRowsAndThreeBreaks) {
    const Bytes sheet(64 * 256, 0xE3);
    EXPECT_EQ(io::asmListing(sheet, 1, ""), "Sprite1:\n" + repeatRow(E3_ROW, 16) + "\n\n");
}

TEST(AsmListing, SpriteTenFollowsThreeEmptyLines) {
    const Bytes sheet(64 * 256, 0xE3);
    const std::string text = io::asmListing(sheet, 10, "");
    EXPECT_NE(text.find(E3_ROW + "\n\n\n\nSprite10:\n" + E3_ROW), std::string::npos);
    EXPECT_EQ(text.find("Sprite11"), std::string::npos);
    // Nine labels of 8 characters and one of 9, 16 rows of 84 characters each with its
    // break before it, three breaks per sprite and nine breaks between sprites.
    EXPECT_EQ(text.size(), 9u * 8 + 9 + 10 * (16 * 85 + 3) + 9);
}

TEST(AsmListing, PiecesAreWhatTheWindowAppends) {
    const Bytes sheet = seededBytes(3 * 256, 21);
    const auto pieces = io::spriteListingPieces(sheet, 3, "L");
    ASSERT_EQ(pieces.size(), static_cast<std::size_t>(io::PIECES_PER_SPRITE));
    EXPECT_EQ(pieces.front(), "L3:");
    EXPECT_EQ(pieces[1], io::dataLine(std::span<const std::uint8_t>(sheet).subspan(512, 16)));
    EXPECT_EQ(pieces.back(), "\n\n");

    std::string area;
    io::appendListingText(area, "a");
    io::appendListingText(area, "b\nc");
    EXPECT_EQ(area, "a\nb\nc");
}

TEST(AsmListing, CountIsClampedToTheSheetGiven) {
    const Bytes sheet(2 * 256, 1);
    EXPECT_EQ(io::asmListing(sheet, 5, ""), io::asmListing(sheet, 2, ""));
    EXPECT_EQ(io::asmListing(sheet, 0, ""), "");
    EXPECT_EQ(io::asmListing(sheet, -1, ""), "");
}

// ---- Saved bytes -----------------------------------------------------------------------

TEST(AsmListingSave, LineBreaksBecomeCrLfOnce) {
    EXPECT_EQ(io::listingFileBytes("a\nb"), "a\r\nb");
    EXPECT_EQ(io::listingFileBytes("a\r\nb"), "a\r\nb");
    EXPECT_EQ(io::listingFileBytes("a\rb\n\n"), "a\r\nb\r\n\r\n");
    EXPECT_EQ(io::listingFileBytes("a\xE2\x80\xA8" "b\xE2\x80\xA9"), "a\r\nb\r\n");
    EXPECT_EQ(io::listingFileBytes(""), "");
}

TEST(AsmListingSave, TextIsOneByteEachLatin1WithQuestionMarksForTheRest) {
    EXPECT_EQ(io::listingFileBytes("Caf\xC3\xA9"), "Caf\xE9");           // U+00E9
    EXPECT_EQ(io::listingFileBytes("\xC3\xBF\xC2\x80"), "\xFF\x80");      // U+00FF, U+0080
    EXPECT_EQ(io::listingFileBytes("\xE2\x82\xAC" "5"), "?5");            // the euro sign
    EXPECT_EQ(io::listingFileBytes("\xF0\x9F\x98\x80!"), "?!");           // beyond the BMP
    EXPECT_EQ(io::listingFileBytes("\xEF\xBB\xBFx"), "?x");               // a typed BOM is not kept
    // Malformed input: one "?" per byte that starts nothing valid.
    EXPECT_EQ(io::listingFileBytes("\xFF" "a"), "?a");
    EXPECT_EQ(io::listingFileBytes("a\xC3"), "a?");
    EXPECT_EQ(io::listingFileBytes("\xC0\xAF"), "??");                    // overlong '/'
    EXPECT_EQ(io::listingFileBytes("\xED\xA0\x80"), "???");               // a surrogate
    EXPECT_EQ(io::listingFileBytes("\xC3" "A"), "?A");
}

TEST(AsmListingSave, ReplacesALongerFileWholeAndFailsOnAFolder) {
    TempFolder dir;
    const auto path = dir / "export.asm";
    writeBytes(path, Bytes(5000, 'z'));
    const std::string text = io::asmListing(Bytes(256, 0xE3), 1, "");
    ASSERT_TRUE(io::saveListing(text, path));
    const Bytes file = readBytes(path);
    const std::string expected = "Sprite1:\r\n" + [] {
        std::string rows;
        for (int i = 0; i < 16; ++i) rows += E3_ROW + "\r\n";
        return rows;
    }() + "\r\n\r\n";
    EXPECT_EQ(std::string(file.begin(), file.end()), expected);

    fs::create_directory(dir / "taken.asm");
    EXPECT_FALSE(io::saveListing(text, dir / "taken.asm"));
    EXPECT_TRUE(fs::is_directory(dir / "taken.asm"));
}

// ---- A real assembler reads the listing back ------------------------------------------

namespace {

bool haveAssembler() {
#ifdef __unix__
    return std::system("command -v pasmo >/dev/null 2>&1") == 0;
#else
    return false;
#endif
}

// Assembles the saved listing to a flat binary; empty when pasmo fails.
Bytes assemble(const fs::path& source, const fs::path& binary) {
    const std::string command = "pasmo --bin '" + source.string() + "' '" + binary.string() + "' >'" +
                                binary.string() + ".log' 2>&1";
    if (std::system(command.c_str()) != 0) return {};
    return readBytes(binary);
}

}  // namespace

class AsmListingAssembles : public ::testing::TestWithParam<std::string> {};

TEST_P(AsmListingAssembles, ToTheSheetBytesOfTheSpritesInUse) {
    if (!haveAssembler()) GTEST_SKIP() << "pasmo is not installed";
    TempFolder dir;
    // Every byte value occurs, plus seeded noise, over three sprites.
    Bytes sheet = seededBytes(64 * 256, 77);
    for (int v = 0; v < 256; ++v) sheet[static_cast<std::size_t>(v) * 3 % 768] = static_cast<std::uint8_t>(v);

    const std::string text = io::asmListing(sheet, 3, GetParam());
    ASSERT_TRUE(io::saveListing(text, dir / "sprites.asm"));
    const Bytes binary = assemble(dir / "sprites.asm", dir / "sprites.bin");
    ASSERT_EQ(binary.size(), 768u) << "pasmo rejected the listing";
    EXPECT_TRUE(std::equal(binary.begin(), binary.end(), sheet.begin()));

    // The labels the assembler saw are the ones expected.
    const std::string base = io::labelBase(GetParam());
    EXPECT_EQ(text.rfind(base + "1:\n", 0), 0u);
    for (int i = 2; i <= 3; ++i) {
        EXPECT_NE(text.find(";\n\n\n\n" + base + std::to_string(i) + ":\n"), std::string::npos) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Labels, AsmListingAssembles, ::testing::Values("", "Sprite", "my ship", "a  b"),
                         [](const auto& info) { return "label" + std::to_string(info.index); });
