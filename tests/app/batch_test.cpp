// The batch commands: each against what the window writes for the same input, the
// listing through pasmo back to the sheet's bytes, the start-up palette rule, and a
// table of bad invocations run through the real program without any display.
#include <QProcess>
#include <QProcessEnvironment>

#include "session_fixture.h"

#include "app/batch.h"
#include "app/file_commands.h"
#include "app/output_page.h"
#include "imaging/png_decode.h"

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
    void loadInWindow(const QString& picture, bool nineBit) {
        window().setControlState(Control::GadgetNineBit, nineBit ? 1 : 0);
        ASSERT_TRUE(app::loadImportImage(program(), picture));
    }
};

TEST_P(BatchMatchesWindow, EveryCommandWritesTheWindowsBytes) {
    const PictureCase& c = GetParam();
    const QString picture = makePicture(c);
    QStringList nineBit;
    if (c.nineBit) nineBit << QStringLiteral("--9bit");

    // Import, cut the block and "Save All Sprites".
    loadInWindow(picture, c.nineBit);
    app::importSprites(program(), 0, 0, c.across, c.down);
    dialogs.answerSaveFile(path("window.spr"));
    app::saveAllSprites(program());
    QStringList grab;
    if (c.grab) grab << QStringLiteral("--grab") << QString::fromLatin1(c.grab);
    ASSERT_EQ(batch(QStringList{"import", picture, "-o", path("batch.spr")} + nineBit + grab), app::BATCH_OK);
    EXPECT_EQ(readBytes(path("batch.spr")), readBytes(path("window.spr")));
    EXPECT_EQ(readBytes(path("batch.spr")).size(), static_cast<std::size_t>(c.across * c.down * 256));

    // "Generate" and "Save ASM" with a label of the user's.
    window().setControlText(Control::GadgetLabelText, QStringLiteral("hero walk"));
    app::generateAsmListing(program());  // runs on the listing worker
    ASSERT_TRUE(spinUntil([&] { return !program().state.listingRunning; }));
    dialogs.answerSaveFile(path("window.asm"));
    app::saveAsmOutput(program());
    ASSERT_EQ(batch({"listing", path("batch.spr"), "-o", path("batch.asm"), "--label", "hero walk"}), app::BATCH_OK);
    EXPECT_EQ(readBytes(path("batch.asm")), readBytes(path("window.asm")));

    // "Save Colour Pal" after loading the sheet, which counts its colours.
    app::loadSpriteSheet(program(), path("window.spr"), true);
    app::saveColourPalette(program());
    ASSERT_EQ(batch({"colours", path("batch.spr"), "-o", path("batch.pal")}), app::BATCH_OK);
    EXPECT_EQ(readBytes(path("batch.pal")), readBytes(path("colors.pal")));

    // "Export BMP" straight after loading the picture.
    loadInWindow(picture, c.nineBit);
    dialogs.answerSaveFile(path("window.bmp"));
    app::exportBitmap(program());
    ASSERT_EQ(batch(QStringList{"bitmap", picture, "-o", path("batch.bmp")} + nineBit), app::BATCH_OK);
    EXPECT_EQ(readBytes(path("batch.bmp")), readBytes(path("window.bmp")));
}

INSTANTIATE_TEST_SUITE_P(Pictures, BatchMatchesWindow,
                         ::testing::Values(PictureCase{"SmallWholeCells", 70, 40, false, nullptr, 4, 2},
                                           PictureCase{"NineBitWholeCells", 50, 33, true, nullptr, 3, 2},
                                           PictureCase{"LargerThanTheCanvas", 700, 500, false, "0,0,16,4", 16, 4},
                                           PictureCase{"PartlyOffThePicture", 40, 40, false, "0,0,3,1", 3, 1}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Batch, ListingAssemblesToTheSheetAndTheSheetPictureShowsItsColours) {
    QTemporaryDir dir;
    const QString sheet = dir.filePath("s.spr");
    writeBytes(sheet, randomIndices(16, 16 * 5, 7));  // five sprites
    ASSERT_EQ(batch({"listing", sheet, "-o", dir.filePath("s.asm"), "--count", "3"}), app::BATCH_OK);
    if (!shell("command -v pasmo")) GTEST_SKIP() << "pasmo is not installed";
    ASSERT_TRUE(shell("pasmo --bin " + dir.filePath("s.asm").toStdString() + " " + dir.filePath("s.bin").toStdString()));
    Bytes three = readBytes(sheet);
    three.resize(3 * 256);
    EXPECT_EQ(readBytes(dir.filePath("s.bin")), three);

    // Two pixels per sprite pixel, two sprites a row: sprite 5 starts at (0, 64).
    ASSERT_EQ(batch({"sheet", sheet, "-o", dir.filePath("s.png"), "--scale", "2", "--columns", "2"}), app::BATCH_OK);
    const auto png = imaging::decodePngFile(dir.filePath("s.png").toStdString());
    ASSERT_TRUE(png);
    EXPECT_EQ(std::pair(png->width, png->height), std::pair(64, 96));
    const imaging::Rgb& expected = imaging::FIXED_COLOUR_TABLE[readBytes(sheet)[4 * 256]];
    EXPECT_EQ(imaging::Rgb(png->pixel(1, 65)[0], png->pixel(1, 65)[1], png->pixel(1, 65)[2]), expected);
}

// The editor starts with the working folder's palette, else the program's own copy;
// "ERROR!" only when neither reads (the awkward working-folder files: bad_input_test).
TEST(StartPalette, WorkingFolderFirstThenTheShippedOne) {
    QTemporaryDir work, noShipped;
    toolkit::ScriptedDialogs dialogs;
    auto session = app::startEditor(dialogs, work.path(), SHIPPED);
    ASSERT_NE(session, nullptr);
    EXPECT_EQ(session->program.palette.size(), 256u);
    writeBytes(work.filePath("rgb9spreada.pal"), {1, 2, 3});
    session = app::startEditor(dialogs, work.path(), noShipped.path());
    ASSERT_NE(session, nullptr);
    EXPECT_EQ(session->program.palette.size(), 1u);
    EXPECT_TRUE(dialogs.calls().empty());
}

struct BadCase {
    const char* name;
    QStringList arguments;  // {dir} stands for a temporary folder holding p.png, s.spr, notapicture.png, old.out
    int status;
    const char* message;  // first line of standard error
};
void PrintTo(const BadCase& c, std::ostream* out) { *out << c.name; }

class BadInvocation : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadInvocation, RefusesWithItsStatusAndLeavesTheOutputAlone) {
    const BadCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(tablePicture(32, 32, randomIndices(32, 32, 3)).save(dir.filePath("p.png"), "PNG"));
    writeBytes(dir.filePath("s.spr"), Bytes(512, 0x11));
    writeBytes(dir.filePath("notapicture.png"), Bytes(300, 0x42));
    writeBytes(dir.filePath("old.out"), Bytes{'o', 'l', 'd'});
    QStringList arguments;
    for (QString a : c.arguments) arguments << a.replace(QStringLiteral("{dir}"), dir.path());

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(dir.path());
    program.start(QStringLiteral(VIROROR_PROGRAM), arguments);
    ASSERT_TRUE(program.waitForFinished(20000));
    const QString error = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_EQ(program.exitCode(), c.status) << error.toStdString();
    EXPECT_EQ(error.section(QLatin1Char('\n'), 0, 0), QString::fromUtf8(c.message).replace("{dir}", dir.path()));
    EXPECT_EQ(error.contains(QStringLiteral("Usage:")), c.status == app::BATCH_USAGE);
    EXPECT_EQ(readBytes(dir.filePath("old.out")), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);
}

const QString OUT = QStringLiteral("{dir}/old.out");
INSTANTIATE_TEST_SUITE_P(
    Table, BadInvocation,
    ::testing::Values(
        BadCase{"MissingPicture", {"import", "{dir}/none.png", "-o", OUT}, 1,
                "viroror: {dir}/none.png: cannot be opened (no such file?)"},
        BadCase{"MissingSheet", {"listing", "{dir}/none.spr", "-o", OUT}, 1,
                "viroror: {dir}/none.spr: cannot be opened (no such file?)"},
        BadCase{"NotAPicture", {"bitmap", "{dir}/notapicture.png", "-o", OUT}, 1,
                "viroror: {dir}/notapicture.png: is not a picture (BMP, PNG, JPEG or GIF) that can be read"},
        BadCase{"FolderAsSheet", {"colours", "{dir}", "-o", OUT}, 1, "viroror: {dir}: is a folder, not a file"},
        BadCase{"UnwritableOutput", {"import", "{dir}/p.png", "-o", "{dir}/missing/x.spr"}, 1,
                "viroror: {dir}/missing/x.spr: cannot be written (folder missing or write-protected?)"},
        BadCase{"MissingPalette", {"sheet", "{dir}/s.spr", "-o", OUT, "--palette", "{dir}/none.pal"}, 1,
                "viroror: {dir}/none.pal: no palette file could be read"},
        BadCase{"CountBeyondTheSheet", {"listing", "{dir}/s.spr", "-o", OUT, "--count", "3"}, 1,
                "viroror: {dir}/s.spr: holds fewer sprites than --count asks for"},
        BadCase{"UnknownOption", {"import", "{dir}/p.png", "-o", OUT, "--bogus"}, 2, "viroror: Unknown option 'bogus'."},
        BadCase{"OptionOfAnotherCommand", {"bitmap", "{dir}/p.png", "-o", OUT, "--label", "x"}, 2,
                "viroror: bitmap takes no option 'label'"},
        BadCase{"UnknownCommand", {"paint", "{dir}/p.png"}, 2, "viroror: unknown command 'paint'"},
        BadCase{"NoOutput", {"import", "{dir}/p.png"}, 2, "viroror: no output file given (-o FILE)"},
        BadCase{"GrabThreeValues", {"import", "{dir}/p.png", "-o", OUT, "--grab", "0,0,2"}, 2,
                "viroror: --grab takes X,Y,COLUMNS,ROWS: X 0 to 511, Y 0 to 383, at least one column and row, "
                "at most 64 cells"},
        BadCase{"GrabTooManyCells", {"import", "{dir}/p.png", "-o", OUT, "--grab", "0,0,13,5"}, 2,
                "viroror: --grab takes X,Y,COLUMNS,ROWS: X 0 to 511, Y 0 to 383, at least one column and row, "
                "at most 64 cells"},
        BadCase{"GrabNotNumbers", {"import", "{dir}/p.png", "-o", OUT, "--grab", "a,b,c,d"}, 2,
                "viroror: --grab takes X,Y,COLUMNS,ROWS: X 0 to 511, Y 0 to 383, at least one column and row, "
                "at most 64 cells"},
        BadCase{"ScaleZero", {"sheet", "{dir}/s.spr", "-o", OUT, "--scale", "0"}, 2,
                "viroror: --scale takes a whole number from 1 to 64"}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
