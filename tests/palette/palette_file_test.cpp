#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "palette/palette_file.h"

namespace fs = std::filesystem;
using namespace palette;

namespace {
class PaletteFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("viroror_palette_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream out(p, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return p;
    }

    fs::path dir_;
};
}  // namespace

TEST_F(PaletteFileTest, LoadsEveryRecordIntoBothLists) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(i));
        bytes.push_back(static_cast<std::uint8_t>(255 - i));
        bytes.push_back(static_cast<std::uint8_t>(i * 3));
    }
    bytes.push_back(0x77);  // a 769th byte: entry 256 is (0x77, 0, 0)
    const auto loaded = loadPalette(write(PALETTE_FILE_NAME, bytes));
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->palette.size(), 257u);
    ASSERT_EQ(loaded->colourSlots.size(), 257u);
    EXPECT_EQ(paletteColour(loaded->palette, 100), (RgbColour{100, 155, 44}));
    EXPECT_EQ(paletteColour(loaded->palette, 256), (RgbColour{0x77, 0, 0}));
    EXPECT_EQ(loaded->colourSlots[100], loaded->palette[100]);
}

TEST_F(PaletteFileTest, EmptyFileGivesEmptyPalette) {
    const auto loaded = loadPalette(write("empty.pal", {}));
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->palette.empty());
    EXPECT_TRUE(loaded->colourSlots.empty());
}

TEST_F(PaletteFileTest, MissingFileFails) { EXPECT_FALSE(loadPalette(dir_ / "nothing.pal")); }

TEST_F(PaletteFileTest, FolderFails) {
    fs::create_directories(dir_ / PALETTE_FILE_NAME);
    EXPECT_FALSE(loadPalette(dir_ / PALETTE_FILE_NAME));
}

TEST_F(PaletteFileTest, PathThroughARegularFileFails) {
    const fs::path file = write("plain", {1, 2, 3});
    EXPECT_FALSE(loadPalette(file / PALETTE_FILE_NAME));
}

TEST_F(PaletteFileTest, OversizedFileFails) {
    const fs::path p = write("big.pal", std::vector<std::uint8_t>(MAX_PALETTE_FILE_BYTES + 1, 0x11));
    EXPECT_FALSE(loadPalette(p));
    const fs::path ok = write("limit.pal", std::vector<std::uint8_t>(MAX_PALETTE_FILE_BYTES - 1, 0x11));
    EXPECT_TRUE(loadPalette(ok));
}
