#include "io/safe_write.h"
#include "io_test_support.h"

using namespace iotest;

TEST(SafeWrite, ReplacesWholeThroughALinkLeavingNothingElse) {
    TempFolder dir;
    const auto target = dir / "out.bin";
    ASSERT_TRUE(io::writeFileReplacing(target, std::string_view("a much longer first content")));
    ASSERT_TRUE(io::writeFileReplacing(target, std::string_view("short")));
    EXPECT_EQ(readBytes(target), (Bytes{'s', 'h', 'o', 'r', 't'}));
#ifdef __unix__
    fs::create_symlink(target, dir / "link.bin");
    ASSERT_TRUE(io::writeFileReplacing(dir / "link.bin", std::string_view()));
    EXPECT_TRUE(fs::is_symlink(dir / "link.bin"));
    EXPECT_EQ(fs::file_size(target), 0u);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"link.bin", "out.bin"}));
#endif
}

// A folder as target (full or empty), a path through a regular file or a missing folder,
// no name at all: every write fails and the folder holds exactly what it held.
TEST(SafeWrite, UnwritableTargetsFailAndLeaveEverythingAsItWas) {
    TempFolder dir;
    fs::create_directories(dir / "taken");
    fs::create_directories(dir / "empty");
    writeBytes(dir / "taken" / "inside.txt", {1});
    writeBytes(dir / "plain", {7, 8});
    for (const fs::path& bad : {dir / "taken", dir / "empty", dir / "plain" / "child", dir / "missing" / "child",
                                fs::path()}) {
        const model::Result<> result = io::writeFileReplacing(bad, std::string_view("data"));
        ASSERT_FALSE(result) << bad;
        EXPECT_EQ(result.error().kind, bad.empty() ? model::ErrorKind::NoName : model::ErrorKind::CannotWrite) << bad;
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"empty", "plain", "taken"}));
    EXPECT_TRUE(fs::is_empty(dir / "empty"));
    EXPECT_EQ(readBytes(dir / "taken" / "inside.txt"), Bytes{1});
    EXPECT_EQ(readBytes(dir / "plain"), (Bytes{7, 8}));
}

#ifdef __unix__
TEST(SafeWrite, AFullDiskFailsAndLeavesTheOldFileByteForByte) {
    TempFolder dir;
    const auto target = dir / "sheet.spr";
    const Bytes old = seededBytes(300, 11), bigger = seededBytes(5000, 12), small = seededBytes(900, 13);
    writeBytes(target, old);
    auto writeUnderLimit = [&](const Bytes& bytes) {  // 1,000 bytes per file
        return runWithFileSizeLimit(1000, [&] { return io::writeFileReplacing(target, std::span(bytes)).ok(); });
    };
    EXPECT_EQ(writeUnderLimit(bigger), 1) << "the write must report failure";
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"sheet.spr"}) << "no temporary file may stay";
    EXPECT_EQ(writeUnderLimit(small), 0);  // the limit is what failed above
    EXPECT_EQ(readBytes(target), small);
}
#endif
