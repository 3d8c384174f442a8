// The batch commands: each against what the window writes for the same input, the
// listing through pasmo back to the sheet's bytes, and a table of bad invocations run
// through the real program without any display. (The palette command: palette_page_test.)
#include <QProcess>
#include <QProcessEnvironment>

#include "session_fixture.h"

#include "app/batch.h"
#include "app/file_commands.h"
#include "app/output_page.h"

using namespace testing_support;

namespace {

const QString SHIPPED = QStringLiteral(VIROROR_RESOURCES);

int batch(const QStringList& arguments) {
    return app::runBatch(QStringList{QStringLiteral("viroror")} + arguments, SHIPPED);
}

struct PictureCase {
    const char* name;
    int width, height;
    bool nineBit;
    const char* grab;  // nullptr: every whole cell; the window then cuts the same block
    int across, down;
    int bank = -1;  // 0 to 15: a 4-bit sheet in that bank
};
void PrintTo(const PictureCase& c, std::ostream* out) { *out << c.name; }

class BatchMatchesWindow : public SessionTest, public ::testing::WithParamInterface<PictureCase> {
protected:
    // A picture of random true colours (a fit moves every one) and whole table colours.
    QString makePicture(const PictureCase& c) {
        QImage image(c.width, c.height, QImage::Format_RGB32);
        std::mt19937 random(static_cast<unsigned>(c.width * 7 + c.height));
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                image.setPixel(x, y, (x / 16 + y / 16) % 2 ? tableColour(static_cast<int>(random() & 0xFF))
                                                           : qRgb(random() & 0xFF, random() & 0xFF, random() & 0xFF));
        const QString name = path("picture.png");
        EXPECT_TRUE(image.save(name, "PNG"));
        return name;
    }
};

TEST_P(BatchMatchesWindow, EveryCommandWritesTheWindowsBytes) {
    const PictureCase& c = GetParam();
    const QString picture = makePicture(c);
    const QStringList nineBit = c.nineBit ? QStringList{QStringLiteral("--9bit")} : QStringList{};
    const QStringList depth = c.bank < 0 ? QStringList{} : QStringList{"--4bit", "--bank", QString::number(c.bank)};
    if (c.bank >= 0) {
        program().model.depth = model::SpriteDepth::Four;
        program().model.bank = c.bank;
        program().model.resetSheet();
    }

    // Import, cut the block and "Save All Sprites".
    window().setControlState(Control::GadgetNineBit, c.nineBit ? 1 : 0);
    ASSERT_TRUE(app::loadImportImage(program(), picture));
    app::importSprites(program(), 0, 0, c.across, c.down);
    dialogs.answerSaveFile(path("window.spr"));
    app::saveAllSprites(program());
    const QStringList grab = c.grab ? QStringList{QStringLiteral("--grab"), QString::fromLatin1(c.grab)} : QStringList{};
    ASSERT_EQ(batch(QStringList{"import", picture, "-o", path("batch.spr")} + nineBit + grab + depth), app::BATCH_OK);
    EXPECT_EQ(readBytes(path("batch.spr")), readBytes(path("window.spr")));
    EXPECT_EQ(readBytes(path("batch.spr")).size(), static_cast<std::size_t>(c.across * c.down * (c.bank < 0 ? 256 : 128)));

    // "Generate" and "Save ASM" with a label of the user's.
    window().setControlText(Control::GadgetLabelText, QStringLiteral("hero walk"));
    app::generateAsmListing(program());  // runs on the listing worker
    ASSERT_TRUE(spinUntil([&] { return !program().state.listingRunning; }));
    dialogs.answerSaveFile(path("window.asm"));
    app::saveAsmOutput(program());
    ASSERT_EQ(batch(QStringList{"listing", path("batch.spr"), "-o", path("batch.asm"), "--label", "hero walk"} + depth),
              app::BATCH_OK);
    EXPECT_EQ(readBytes(path("batch.asm")), readBytes(path("window.asm")));

    // "Save Colour Pal" after loading the sheet, which counts its colours.
    app::loadSpriteSheet(program(), path("window.spr"), true);
    app::saveColourPalette(program());
    ASSERT_EQ(batch(QStringList{"colours", path("batch.spr"), "-o", path("batch.pal")} + depth), app::BATCH_OK);
    EXPECT_EQ(readBytes(path("batch.pal")), readBytes(path("colors.pal")));

    // "Export BMP" straight after loading the picture (on an 8-bit sheet: a 4-bit one shows
    // the picture in its bank's colours, which the bitmap command does not take).
    if (c.bank >= 0) return;
    ASSERT_TRUE(app::loadImportImage(program(), picture));
    dialogs.answerSaveFile(path("window.bmp"));
    app::exportBitmap(program());
    ASSERT_EQ(batch(QStringList{"bitmap", picture, "-o", path("batch.bmp")} + nineBit), app::BATCH_OK);
    EXPECT_EQ(readBytes(path("batch.bmp")), readBytes(path("window.bmp")));
}

INSTANTIATE_TEST_SUITE_P(Pictures, BatchMatchesWindow,
                         ::testing::Values(PictureCase{"SmallWholeCells", 70, 40, false, nullptr, 4, 2},
                                           PictureCase{"NineBitWholeCells", 50, 33, true, nullptr, 3, 2},
                                           PictureCase{"LargerThanTheCanvas", 700, 500, false, "0,0,16,4", 16, 4},
                                           PictureCase{"PartlyOffThePicture", 40, 40, false, "0,0,3,1", 3, 1},
                                           PictureCase{"FourBitInBank5", 70, 40, false, nullptr, 4, 2, 5},
                                           PictureCase{"FourBitNineBitInBank14", 700, 500, true, "0,0,16,4", 16, 4, 14}),
                         [](const auto& param) { return std::string(param.param.name); });

// Five 8-bit sprites listed three; 128 full 4-bit sprites listed whole, 16 rows of 8 bytes each.
TEST(Batch, ListingOfTheCountAssemblesToTheSheet) {
    if (!shell("command -v pasmo")) GTEST_SKIP() << "pasmo is not installed";
    for (const auto& [fileBytes, options, listed] :
         {std::tuple(256 * 5, QStringList{"--count", "3"}, 256 * 3),
          std::tuple(128 * 128, QStringList{"--4bit", "--bank", "3"}, 128 * 128)}) {
        QTemporaryDir dir;
        const QString sheet = dir.filePath("s.spr");
        writeBytes(sheet, randomIndices(16, fileBytes / 16, 7));
        ASSERT_EQ(batch(QStringList{"listing", sheet, "-o", dir.filePath("s.asm")} + options), app::BATCH_OK);
        ASSERT_TRUE(shell("pasmo --bin " + dir.filePath("s.asm").toStdString() + " " + dir.filePath("s.bin").toStdString()));
        Bytes expected = readBytes(sheet);
        expected.resize(static_cast<std::size_t>(listed));
        EXPECT_EQ(readBytes(dir.filePath("s.bin")), expected);
    }
}

struct BadCase {
    const char* name;
    QStringList arguments;  // {dir}: a temporary folder holding the files the test writes, old.out among them
    int status;
    const char* message;  // first line of standard error, after "viroror: "
};
void PrintTo(const BadCase& c, std::ostream* out) { *out << c.name; }

class BadInvocation : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadInvocation, RefusesWithItsStatusAndLeavesTheOutputAlone) {
    const BadCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(tablePicture(32, 32, randomIndices(32, 32, 3)).save(dir.filePath("p.png"), "PNG"));
    const std::string broken = "JASC-PAL\n0100\n9\n";  // nine colours promised, none given
    const std::pair<const char*, Bytes> files[] = {
        {"s.spr", Bytes(512, 0x11)}, {"notapicture.png", Bytes(300, 0x42)}, {"good.nxp", Bytes(512, 0)},
        {"big.pal", Bytes(769, 1)},  {"broken.jasc", Bytes(broken.begin(), broken.end())},
        {"empty.pal", {}},           {"old.out", Bytes{'o', 'l', 'd'}}};
    for (const auto& [name, bytes] : files) writeBytes(dir.filePath(name), bytes);
    QStringList arguments;
    for (QString a : c.arguments) arguments << a.replace(QStringLiteral("{dir}"), dir.path());

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(dir.path());
    program.start(QStringLiteral(VIROROR_PROGRAM), arguments);
    ASSERT_TRUE(program.waitForFinished(20000));
    const QString error = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_EQ(program.exitCode(), c.status) << error.toStdString();
    EXPECT_EQ(error.section(QLatin1Char('\n'), 0, 0), "viroror: " + QString::fromUtf8(c.message).replace("{dir}", dir.path()));
    EXPECT_EQ(error.contains(QStringLiteral("Usage:")), c.status == app::BATCH_USAGE);
    EXPECT_EQ(readBytes(dir.filePath("old.out")), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 8);
}

const QString OUT = QStringLiteral("{dir}/old.out");
constexpr const char* GRAB_USAGE =
    "--grab takes X,Y,COLUMNS,ROWS: X 0 to 511, Y 0 to 383, at least one column and row, at most 64 cells";
INSTANTIATE_TEST_SUITE_P(
    Table, BadInvocation,
    ::testing::Values(
        BadCase{"MissingPicture", {"import", "{dir}/none.png", "-o", OUT}, 1,
                "{dir}/none.png: cannot be opened (no such file?)"},
        BadCase{"MissingSheet", {"listing", "{dir}/none.spr", "-o", OUT}, 1,
                "{dir}/none.spr: cannot be opened (no such file?)"},
        BadCase{"NotAPicture", {"bitmap", "{dir}/notapicture.png", "-o", OUT}, 1,
                "{dir}/notapicture.png: is not a picture (BMP, PNG, JPEG or GIF) that can be read"},
        BadCase{"FolderAsSheet", {"colours", "{dir}", "-o", OUT}, 1, "{dir}: is a folder, not a file"},
        BadCase{"UnwritableOutput", {"import", "{dir}/p.png", "-o", "{dir}/missing/x.spr"}, 1,
                "{dir}/missing/x.spr: cannot be written (folder missing or write-protected?)"},
        BadCase{"MissingPalette", {"sheet", "{dir}/s.spr", "-o", OUT, "--palette", "{dir}/none.pal"}, 1,
                "{dir}/none.pal: no palette file could be read"},
        BadCase{"PaletteIsAFolder", {"sheet", "{dir}/s.spr", "-o", OUT, "--palette", "{dir}"}, 1,
                "{dir}: is a folder, not a file"},
        BadCase{"PaletteTooLong", {"sheet", "{dir}/s.spr", "-o", OUT, "--palette", "{dir}/big.pal"}, 1,
                "{dir}/big.pal: holds more than 256 colours"},
        BadCase{"PaletteBroken", {"palette", "{dir}/broken.jasc", "-o", OUT, "--format", "rgb"}, 1,
                "{dir}/broken.jasc: is not a palette file in a layout this program reads"},
        BadCase{"PaletteEmpty", {"palette", "{dir}/empty.pal", "-o", OUT, "--format", "nxp"}, 1,
                "{dir}/empty.pal: holds no colours"},
        BadCase{"CountBeyondTheSheet", {"listing", "{dir}/s.spr", "-o", OUT, "--count", "3"}, 1,
                "{dir}/s.spr: holds fewer sprites than --count asks for"},
        BadCase{"UnknownOption", {"import", "{dir}/p.png", "-o", OUT, "--bogus"}, 2, "Unknown option 'bogus'."},
        BadCase{"OptionOfAnotherCommand", {"bitmap", "{dir}/p.png", "-o", OUT, "--label", "x"}, 2,
                "bitmap takes no option 'label'"},
        BadCase{"FormatOfAnotherCommand", {"sheet", "{dir}/s.spr", "-o", OUT, "--format", "nxp"}, 2,
                "sheet takes no option 'format'"},
        BadCase{"UnknownCommand", {"paint", "{dir}/p.png"}, 2, "unknown command 'paint'"},
        BadCase{"NoOutput", {"import", "{dir}/p.png"}, 2, "no output file given (-o FILE)"},
        BadCase{"NoPaletteExtension", {"palette", "{dir}/good.nxp", "-o", OUT}, 2,
                "{dir}/old.out has no palette extension (.pal .nxp .npl .gpl .jasc): give --format"},
        BadCase{"UnknownFormat", {"palette", "{dir}/good.nxp", "-o", OUT, "--format", "act"}, 2,
                "--format takes rgb, nxp, npl, gpl or jasc"},
        BadCase{"GrabThreeValues", {"import", "{dir}/p.png", "-o", OUT, "--grab", "0,0,2"}, 2, GRAB_USAGE},
        BadCase{"GrabTooManyCells", {"import", "{dir}/p.png", "-o", OUT, "--grab", "0,0,13,5"}, 2, GRAB_USAGE},
        BadCase{"GrabNotNumbers", {"import", "{dir}/p.png", "-o", OUT, "--grab", "a,b,c,d"}, 2, GRAB_USAGE},
        BadCase{"ScaleZero", {"sheet", "{dir}/s.spr", "-o", OUT, "--scale", "0"}, 2,
                "--scale takes a whole number from 1 to 64"},
        BadCase{"BankWithoutFourBit", {"sheet", "{dir}/s.spr", "-o", OUT, "--bank", "2"}, 2, "--bank goes with --4bit"},
        BadCase{"BankOutOfRange", {"colours", "{dir}/s.spr", "-o", OUT, "--4bit", "--bank", "16"}, 2,
                "--bank takes a whole number from 0 to 15"},
        BadCase{"FourBitCountBeyond128", {"listing", "{dir}/s.spr", "-o", OUT, "--4bit", "--count", "129"}, 2,
                "--count takes a whole number from 1 to 128"}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
