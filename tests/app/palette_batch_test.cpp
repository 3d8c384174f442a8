// The batch "palette" command: every layout written as the palette save writes it,
// read back by every command's --palette, and the refusals with their exit status.
#include "session_fixture.h"

#include "app/batch.h"
#include "imaging/png_decode.h"
#include "io/palette_save.h"
#include "palette/palette_file.h"
#include "toolkit/paths.h"

using namespace testing_support;

namespace {

int batch(const QStringList& arguments) {
    return app::runBatch(QStringList{QStringLiteral("viroror")} + arguments, QStringLiteral(VIROROR_RESOURCES));
}

// A 513-byte Next palette of seeded random colours, every other one with priority.
Bytes nextPaletteFile() {
    Bytes bytes = randomIndices(2, 256, 21);
    for (std::size_t i = 1; i < bytes.size(); i += 2) bytes[i] &= (i % 4 == 1) ? 0x81 : 0x01;
    bytes.push_back(0xE3);
    return bytes;
}

TEST(PaletteBatch, EveryLayoutIsWrittenAsTheSaveWritesItAndReadByPalette) {
    QTemporaryDir dir;
    const QString input = dir.filePath("in.npl");
    writeBytes(input, nextPaletteFile());
    const auto source = palette::loadPaletteFile(toolkit::toPath(input));
    ASSERT_TRUE(source);
    writeBytes(dir.filePath("s.spr"), Bytes(256, 77));  // one sprite of index 77
    const palette::RgbColour colour77 = source->palette.colour(77);

    struct Case {
        const char* output;
        const char* format;  // nullptr: the extension decides
        palette::PaletteFormat layout;
        std::size_t size;    // 0: text
    };
    const Case cases[] = {
        {"out.pal", nullptr, palette::PaletteFormat::Rgb24, 768},
        {"out.nxp", nullptr, palette::PaletteFormat::Next9Bit, 512},
        {"OUT.NPL", nullptr, palette::PaletteFormat::Next9BitTransparent, 513},
        {"out.gpl", nullptr, palette::PaletteFormat::Gimp, 0},
        {"out.jasc", nullptr, palette::PaletteFormat::Jasc, 0},
        {"out.pal", "nxp", palette::PaletteFormat::Next9Bit, 512},
        {"no-extension", "gpl", palette::PaletteFormat::Gimp, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.output) + " " + (c.format ? c.format : ""));
        const QString output = dir.filePath(QString::fromLatin1(c.output));
        QStringList arguments{"palette", input, "-o", output};
        if (c.format) arguments << "--format" << QString::fromLatin1(c.format);
        ASSERT_EQ(batch(arguments), app::BATCH_OK);
        const QString saved = dir.filePath("saved");
        ASSERT_TRUE(io::savePaletteFile(source->palette, c.layout, toolkit::toPath(saved)));
        const Bytes written = readBytes(output);
        if (c.layout != palette::PaletteFormat::Gimp) {  // GIMP's palette is named after its file
            EXPECT_EQ(written, readBytes(saved));
        }
        if (c.size) {
            EXPECT_EQ(written.size(), c.size);
        }
        if (c.size == 513) {
            EXPECT_EQ(written, nextPaletteFile());
        }

        const auto back = palette::loadPaletteFile(toolkit::toPath(output));
        ASSERT_TRUE(back);
        for (std::size_t i = 0; i < 256; ++i) {
            EXPECT_EQ(back->palette.colour(static_cast<int>(i)), source->palette.colour(static_cast<int>(i)));
            EXPECT_EQ(back->palette[i].priority, (c.size == 512 || c.size == 513) && source->palette[i].priority);
        }

        // Another command's --palette reads the layout: the sheet picture shows index 77's colour.
        ASSERT_EQ(batch({"sheet", dir.filePath("s.spr"), "-o", dir.filePath("s.png"), "--palette", output}), app::BATCH_OK);
        const auto png = imaging::decodePngFile(dir.filePath("s.png").toStdString());
        ASSERT_TRUE(png);
        EXPECT_EQ((palette::RgbColour{png->pixel(3, 3)[0], png->pixel(3, 3)[1], png->pixel(3, 3)[2]}), colour77);
    }
}

// Each refusal names the file and the reason in one line, with status 1 for a file
// and 2 for a usage error, and writes nothing.
TEST(PaletteBatch, RefusalsSayWhyAndLeaveTheOutputAlone) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("good.nxp"), Bytes(512, 0));
    writeBytes(dir.filePath("big.pal"), Bytes(769, 1));
    writeBytes(dir.filePath("broken.jasc"), Bytes{'J', 'A', 'S', 'C', '-', 'P', 'A', 'L', '\n', '0', '1', '0', '0', '\n', '9', '\n'});
    writeBytes(dir.filePath("empty.pal"), {});
    writeBytes(dir.filePath("s.spr"), Bytes(256, 3));
    writeBytes(dir.filePath("old.out"), Bytes{'o', 'l', 'd'});
    const QString out = QStringLiteral("{dir}/old.out");
    const struct {
        QStringList arguments;  // {dir}: the folder above
        int status;
        const char* message;    // first line of standard error
    } cases[] = {
        {{"palette", "{dir}/none.nxp", "-o", out, "--format", "rgb"}, 1,
         "viroror: {dir}/none.nxp: cannot be opened (no such file?)"},
        {{"palette", "{dir}/big.pal", "-o", out, "--format", "rgb"}, 1, "viroror: {dir}/big.pal: holds more than 256 colours"},
        {{"palette", "{dir}/broken.jasc", "-o", out, "--format", "rgb"}, 1,
         "viroror: {dir}/broken.jasc: is not a palette file in a layout this program reads"},
        {{"palette", "{dir}/empty.pal", "-o", out, "--format", "nxp"}, 1, "viroror: {dir}/empty.pal: holds no colours"},
        {{"palette", "{dir}", "-o", out, "--format", "nxp"}, 1, "viroror: {dir}: is a folder, not a file"},
        {{"palette", "{dir}/good.nxp", "-o", "{dir}/missing/x.pal"}, 1,
         "viroror: {dir}/missing/x.pal: cannot be written (folder missing or write-protected?)"},
        {{"sheet", "{dir}/s.spr", "-o", out, "--palette", "{dir}/big.pal"}, 1,
         "viroror: {dir}/big.pal: holds more than 256 colours"},
        {{"palette", "{dir}/good.nxp", "-o", out}, 2,
         "viroror: {dir}/old.out has no palette extension (.pal .nxp .npl .gpl .jasc): give --format"},
        {{"palette", "{dir}/good.nxp", "-o", out, "--format", "act"}, 2, "viroror: --format takes rgb, nxp, npl, gpl or jasc"},
        {{"sheet", "{dir}/s.spr", "-o", out, "--format", "nxp"}, 2, "viroror: sheet takes no option 'format'"},
    };
    for (const auto& c : cases) {
        QStringList arguments;
        for (QString a : c.arguments) arguments << a.replace(QStringLiteral("{dir}"), dir.path());
        SCOPED_TRACE(arguments.join(' ').toStdString());
        ::testing::internal::CaptureStderr();
        const int status = batch(arguments);
        const QString error = QString::fromStdString(::testing::internal::GetCapturedStderr());
        EXPECT_EQ(status, c.status) << error.toStdString();
        EXPECT_EQ(error.section(QLatin1Char('\n'), 0, 0), QString::fromUtf8(c.message).replace("{dir}", dir.path()));
        EXPECT_EQ(readBytes(dir.filePath("old.out")), (Bytes{'o', 'l', 'd'}));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 6);
    }
}

}  // namespace
