#include <gtest/gtest.h>

#include "io/safe_write.h"
#include "io_test_support.h"

using namespace iotest;

namespace {

std::string asText(const Bytes& b) { return std::string(b.begin(), b.end()); }

}  // namespace

TEST(SafeWrite, CreatesAndReplacesWholeLeavingOnlyTheTarget) {
    TempFolder dir;
    const auto target = dir / "out.bin";

    ASSERT_TRUE(io::writeFileReplacing(target, std::string_view("a much longer first content")).ok);
    EXPECT_EQ(asText(readBytes(target)), "a much longer first content");

    // A shorter second write leaves no trace of the first.
    ASSERT_TRUE(io::writeFileReplacing(target, std::string_view("short")).ok);
    EXPECT_EQ(asText(readBytes(target)), "short");

    ASSERT_TRUE(io::writeFileReplacing(target, std::string_view()).ok);
    EXPECT_TRUE(fs::exists(target));
    EXPECT_EQ(fs::file_size(target), 0u);

    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.bin"});
}

TEST(SafeWrite, KeepsTheOldFilesPermissions) {
    TempFolder dir;
    const auto target = dir / "keep.bin";
    writeBytes(target, {1, 2, 3});
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    ASSERT_TRUE(io::writeFileReplacing(target, std::string_view("new")).ok);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST(SafeWrite, ALinkIsFollowedAndStaysALink) {
#ifdef __unix__
    TempFolder dir;
    const auto real = dir / "real.bin";
    const auto link = dir / "link.bin";
    writeBytes(real, {9, 9, 9, 9});
    fs::create_symlink(real, link);
    ASSERT_TRUE(io::writeFileReplacing(link, std::string_view("xy")).ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(asText(readBytes(real)), "xy");
#else
    GTEST_SKIP() << "symbolic links need privileges here";
#endif
}

TEST(SafeWrite, ATargetThatIsAFolderFailsAndLeavesNothingBehind) {
    TempFolder dir;
    const auto folder = dir / "taken";
    fs::create_directory(folder);
    writeBytes(folder / "inside.txt", {1});

    const auto result = io::writeFileReplacing(folder, std::string_view("data"));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(readBytes(folder / "inside.txt"), Bytes{1});
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"taken"});

    // An empty folder too (a rename onto an empty folder is the tempting case).
    const auto empty = dir / "empty";
    fs::create_directory(empty);
    EXPECT_FALSE(io::writeFileReplacing(empty, std::string_view("data")).ok);
    EXPECT_TRUE(fs::is_directory(empty));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"empty", "taken"}));
}

TEST(SafeWrite, AFolderPathRunningThroughAFileFails) {
    TempFolder dir;
    const auto file = dir / "plain.txt";
    writeBytes(file, {7, 8});
    EXPECT_FALSE(io::writeFileReplacing(file / "child.bin", std::string_view("data")).ok);
    EXPECT_FALSE(io::writeFileReplacing(dir / "missing" / "child.bin", std::string_view("data")).ok);
    EXPECT_EQ(readBytes(file), (Bytes{7, 8}));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"plain.txt"});
}

TEST(SafeWrite, AnEmptyNameFails) {
    EXPECT_FALSE(io::writeFileReplacing(fs::path(), std::string_view("x")).ok);
}

#ifdef __unix__
TEST(SafeWrite, AFullDiskFailsAndLeavesTheOldFileByteForByte) {
    TempFolder dir;
    const auto target = dir / "sheet.spr";
    const Bytes old = seededBytes(300, 11);
    writeBytes(target, old);
    const Bytes bigger = seededBytes(5000, 12);

    // The child may write 1,000 bytes per file: the new content does not fit.
    const int code = runWithFileSizeLimit(1000, [&] {
        return io::writeFileReplacing(target, std::span<const std::uint8_t>(bigger)).ok;
    });
    EXPECT_EQ(code, 1) << "the write must report failure";
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"sheet.spr"}) << "no temporary file may stay";

    // Under the same limit a content that fits is written: the limit is what failed above.
    const Bytes small = seededBytes(900, 13);
    EXPECT_EQ(runWithFileSizeLimit(1000, [&] {
                  return io::writeFileReplacing(target, std::span<const std::uint8_t>(small)).ok;
              }),
              0);
    EXPECT_EQ(readBytes(target), small);
}
#endif
