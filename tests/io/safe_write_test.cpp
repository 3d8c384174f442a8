#include <gtest/gtest.h>

#include "io/safe_write.h"
#include "tests/support/files.h"

using namespace support;

namespace {

// Names in the folder and below that a save left behind.
std::vector<std::string> temporaryLeftovers(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().extension() == ".tmp") names.push_back(entry.path().string());
    return names;
}

#ifdef __unix__
// A link as target stays a link, and the file it names gets the bytes: replaced when
// it exists, created when the link dangles. A relative destination counts from the
// link's own folder, and a chain of links is followed to its end.
TEST(SafeWrite, WritesThroughLinksAndKeepsThem) {
    // A destination "/..." counts from the temporary folder, as does the file the link names.
    struct Case { const char *link, *destination, *file; bool exists; };
    const Case cases[] = {
        {"link.bin", "out.bin", "out.bin", true},
        {"link.bin", "new.bin", "new.bin", false},
        {"sub/link.bin", "../new.bin", "new.bin", false},
        {"sub/link.bin", "/sub/deep/new.bin", "sub/deep/new.bin", false},
        {"chain.bin", "sub/link.bin", "sub/new.bin", false},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        fs::create_directories(dir / "sub" / "deep");
        if (c.exists) writeBytes(dir / c.file, seededBytes(500, 1));
        const std::string destination = c.destination;
        const fs::path linkText = destination[0] == '/' ? dir.path / destination.substr(1) : fs::path(destination);
        fs::create_symlink(linkText, dir / c.link);
        if (std::string(c.link) == "chain.bin") fs::create_symlink("new.bin", dir / "sub" / "link.bin");

        EXPECT_TRUE(io::writeFileReplacing(dir / c.link, std::string_view("new"))) << c.link << " -> " << c.destination;
        EXPECT_TRUE(fs::is_symlink(dir / c.link)) << c.destination;
        EXPECT_EQ(fs::read_symlink(dir / c.link), linkText);
        EXPECT_EQ(readBytes(dir / c.file), (Bytes{'n', 'e', 'w'})) << c.destination;
        EXPECT_EQ(temporaryLeftovers(dir.path), std::vector<std::string>{});
    }
}

// Write-protected files are kept byte for byte: one without a write bit for anyone
// even for its owner (also an administrator), and one writable only by its owner for
// another user; a file everybody may write and a new name are written. The other user
// is "nobody", in a forked child, in a folder everybody may write to (so only the
// file's own permission can stop the save).
TEST(SafeWrite, KeepsWhatTheUserMayNotWrite) {
    struct Case { const char* name; fs::perms mode; bool ownerMayWrite, otherMayWrite; };  // mode none: no file yet
    using P = fs::perms;
    const Case cases[] = {
        {"readonly", P::owner_read | P::group_read | P::others_read, false, false},
        {"owners", P::owner_read | P::owner_write | P::group_read | P::others_read, true, false},
        {"everyones", P::owner_read | P::owner_write | P::group_write | P::others_write, true, true},
        {"fresh", P::none, true, true},
    };
    const Bytes old = seededBytes(200, 5), fresh = {'n', 'e', 'w'};
    for (bool asOther : {false, true}) {
        SCOPED_TRACE(asOther ? "as nobody" : "as the owner");
        if (asOther && geteuid() != 0) GTEST_SKIP() << "changing to another user needs an administrator";
        TempFolder dir;
        fs::permissions(dir.path, P::all);
        for (const Case& c : cases)
            if (c.mode != P::none) {
                writeBytes(dir / c.name, old);
                fs::permissions(dir / c.name, c.mode);
            }
        const auto writeAll = [&] {
            int written = 0;
            for (std::size_t i = 0; i < std::size(cases); ++i)
                if (io::writeFileReplacing(dir / cases[i].name, std::string_view("new"))) written |= 1 << i;
            return written;
        };
        const int written = asOther ? runAsNobody(writeAll) : writeAll();
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const Case& c = cases[i];
            const bool allowed = asOther ? c.otherMayWrite : c.ownerMayWrite;
            EXPECT_EQ((written >> i) & 1, allowed ? 1 : 0) << c.name;
            EXPECT_EQ(readBytes(dir / c.name), allowed ? fresh : old) << c.name;
            if (c.mode != P::none) {
                EXPECT_EQ(fs::status(dir / c.name).permissions(), c.mode) << c.name;
            }
        }
        EXPECT_EQ(temporaryLeftovers(dir.path), std::vector<std::string>{});
    }
}
#endif

// A folder as target, a path through a regular file or a missing folder, no name at
// all: every write fails and the folder holds exactly what it held. (Each save
// command under a full disk: the app's failed-save table.)
TEST(SafeWrite, UnwritableTargetsFailAndLeaveEverythingAsItWas) {
    TempFolder dir;
    fs::create_directories(dir / "taken");
    writeBytes(dir / "plain", {7, 8});
    for (const fs::path& bad : {dir / "taken", dir / "plain" / "child", dir / "missing" / "child", fs::path()}) {
        const model::Result<> result = io::writeFileReplacing(bad, std::string_view("data"));
        ASSERT_FALSE(result) << bad;
        EXPECT_EQ(result.error().kind, bad.empty() ? model::ErrorKind::NoName : model::ErrorKind::CannotWrite) << bad;
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"plain", "taken"}));
    EXPECT_TRUE(fs::is_empty(dir / "taken"));
    EXPECT_EQ(readBytes(dir / "plain"), (Bytes{7, 8}));
}

}  // namespace
