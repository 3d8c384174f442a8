#include <gtest/gtest.h>

#include <cstdlib>

#include "io/asm_listing.h"
#include "tests/support/files.h"

using namespace support;

namespace {
// times rows of `across` (sixteen, or eight packed 4-bit bytes) equal values.
std::string rows(const char* hex, int times, int across = 16) {
    std::string row = "\tdb  $" + std::string(hex), out;
    for (int i = 1; i < across; ++i) row += ", $" + std::string(hex);
    for (int i = 0; i < times; ++i) out += row + ";\n";
    return out;
}
}  // namespace

// A label per sprite (spaces as "_"), sixteen rows of uppercase hex, three line breaks
// after the last row; a count past the sheet given stops at its end.
TEST(AsmListing, TwoSpritesExactly) {
    Bytes sheet(2 * 256, 0x00);
    const Bytes row0{0x05, 0x00, 0xFF, 0xAB, 0x10, 0x0F, 0xC9, 0x7E, 0x01, 0x80, 0x99, 0xDE, 0xAD, 0xBE, 0xEF, 0x3A};
    std::copy(row0.begin(), row0.end(), sheet.begin());
    std::fill(sheet.begin() + 256, sheet.end(), 0xE3);
    const std::string expected =
        "My_sprite1:\n"
        "\tdb  $05, $00, $FF, $AB, $10, $0F, $C9, $7E, $01, $80, $99, $DE, $AD, $BE, $EF, $3A;\n" +
        rows("00", 15) + "\n\n\nMy_sprite2:\n" + rows("E3", 16) + "\n\n";
    EXPECT_EQ(io::asmListing(sheet, 2, "My sprite"), expected);
    EXPECT_EQ(io::asmListing(sheet, 5, "My sprite"), expected);
    EXPECT_EQ(io::asmListing(sheet, -1, "My sprite"), "");
    EXPECT_EQ(io::asmListing(Bytes(256, 0xE3), 1, ""), "Sprite1:\n" + rows("E3", 16) + "\n\n");
    // 4-bit sprites: 128 packed bytes, 16 rows of 8; up to 128 of them.
    Bytes packed(129 * 128, 0x3C);
    packed[128] = 0xA5;
    EXPECT_EQ(io::asmListing(packed, 2, "", 128), "Sprite1:\n" + rows("3C", 16, 8) + "\n\n\nSprite2:\n" +
                                                      "\tdb  $A5, $3C, $3C, $3C, $3C, $3C, $3C, $3C;\n" +
                                                      rows("3C", 15, 8) + "\n\n");
    EXPECT_EQ(io::listableSprites(packed, 500, 128), 128);
}

// Every line break as CR LF, Latin-1 one byte each, "?" for anything else and for each
// malformed byte, no byte-order mark.
TEST(AsmListingSave, FileBytesAreCrLfLatin1) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\nb", "a\r\nb"}, {"a\r\nb", "a\r\nb"}, {"a\rb\n\n", "a\r\nb\r\n\r\n"},
        {"a\xE2\x80\xA8" "b\xE2\x80\xA9", "a\r\nb\r\n"},
        {"Caf\xC3\xA9", "Caf\xE9"}, {"\xC3\xBF\xC2\x80", "\xFF\x80"},
        {"\xE2\x82\xAC" "5", "?5"}, {"\xF0\x9F\x98\x80!", "?!"}, {"\xEF\xBB\xBFx", "?x"},
        {"\xFF" "a", "?a"}, {"a\xC3", "a?"}, {"\xC0\xAF", "??"}, {"\xED\xA0\x80", "???"}, {"", ""}};
    for (const auto& [text, bytes] : cases) EXPECT_EQ(io::listingFileBytes(text), bytes) << text;

    TempFolder dir;
    writeBytes(dir / "export.asm", Bytes(5000, 'z'));
    ASSERT_TRUE(io::saveListing("L1:\n\xC3\xA9", dir / "export.asm"));
    EXPECT_EQ(readBytes(dir / "export.asm"), (Bytes{'L', '1', ':', '\r', '\n', 0xE9}));
    fs::create_directory(dir / "taken.asm");
    EXPECT_FALSE(io::saveListing("x", dir / "taken.asm"));
}

// A real assembler reads the saved listing back to the sheet bytes, whatever the label.
TEST(AsmListing, AssemblesToTheSheetBytesOfTheSpritesInUse) {
    if (std::system("command -v pasmo >/dev/null 2>&1") != 0) GTEST_SKIP() << "pasmo is not installed";
    TempFolder dir;
    Bytes sheet = seededBytes(64 * 256, 77);
    for (int v = 0; v < 256; ++v) sheet[static_cast<std::size_t>(v) * 3 % 768] = static_cast<std::uint8_t>(v);
    for (const auto& [label, base] : {std::pair{"", "Sprite"}, {"Sprite", "Sprite"}, {"my ship", "my_ship"},
                                      {"a  b", "a__b"}}) {
        SCOPED_TRACE(label);
        const std::string text = io::asmListing(sheet, 3, label);
        EXPECT_EQ(text.rfind(std::string(base) + "1:\n", 0), 0u);
        ASSERT_TRUE(io::saveListing(text, dir / "sprites.asm"));
        const std::string command = "pasmo --bin '" + (dir / "sprites.asm").string() + "' '" +
                                    (dir / "sprites.bin").string() + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << "pasmo rejected the listing";
        EXPECT_TRUE(readBytes(dir / "sprites.bin") == Bytes(sheet.begin(), sheet.begin() + 768));
    }
}
