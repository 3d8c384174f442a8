// "Export BMP": the file matches the header-and-stride rule, an outside reader sees
// the same indices, options turn and reduce the picture, and a target that cannot
// be written is reported and left alone.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/canvas.h"
#include "app/colour.h"
#include "app/import_page.h"
#include "imaging/bmp8.h"
#include "imaging/colour_fit.h"
#include "page_test_support.h"
#include "session_fixture.h"

using testing_support::randomIndices;
using testing_support::readBytes;
using testing_support::tableColour;
using testing_support::tablePicture;
using ui::Control;

namespace {

using Bytes = std::vector<std::uint8_t>;

class ExportBitmap : public testing_support::SessionTest {
protected:
    app::Canvas& canvas() { return *window().canvas(Control::GadgetImportCanvas); }

    void loadTablePicture(int w, int h, const Bytes& indices) {
        ASSERT_TRUE(tablePicture(w, h, indices).save(path("source.png")));
        ASSERT_TRUE(app::loadImportImage(program(), path("source.png")));
    }
    void setRegion(int w, int h) {
        window().setControlState(Control::GadgetResize, 0);
        window().setControlText(Control::GadgetResizeWidth, QString::number(w));
        window().setControlText(Control::GadgetResizeHeight, QString::number(h));
    }
    // Exports to the name answered in the dialog.
    void exportAs(const QString& name) {
        dialogs.answerSaveFile(name);
        app::exportBitmap(program());
    }
    static std::uint32_t le32(const Bytes& b, std::size_t at) {
        return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
    }
    // Pixel bytes of the file, top row first, without padding.
    static Bytes topDownIndices(const Bytes& file) {
        const auto decoded = imaging::decodeBitmap8(file.data(), file.size());
        if (!decoded) return {};
        Bytes out;
        for (int y = 0; y < decoded->indices.height; ++y)
            for (int x = 0; x < decoded->indices.width; ++x) out.push_back(decoded->indices.at(x, y));
        return out;
    }
};

TEST_F(ExportBitmap, ResizeWritesTheTopLeft256By192ThatPillowReadsAlike) {
    const auto indices = randomIndices(320, 200, 320);
    loadTablePicture(320, 200, indices);
    window().setControlState(Control::GadgetResize, 1);
    exportAs(path("out"));

    const QString file = path("out.bmp");
    const Bytes bytes = readBytes(file);
    ASSERT_EQ(bytes.size(), 1078u + 256u * 192u);
    EXPECT_EQ(bytes.size(), 50230u);
    EXPECT_EQ(le32(bytes, 2), 50230u);
    EXPECT_EQ(le32(bytes, 10), 1078u);
    EXPECT_EQ(le32(bytes, 18), 256u);
    EXPECT_EQ(le32(bytes, 22), 192u);
    EXPECT_EQ(window().controlText(Control::GadgetResizeWidth), "256");
    EXPECT_EQ(window().controlText(Control::GadgetResizeHeight), "192");
    EXPECT_EQ(window().statusText(), "Saved " + file + ".");

    Bytes expected;
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x) expected.push_back(indices[static_cast<std::size_t>(y) * 320 + x]);
    EXPECT_EQ(topDownIndices(bytes), expected);

    // The canvas now shows the file: the rest of the loaded picture is gone.
    EXPECT_EQ(canvas().image().pixel(255, 191), tableColour(expected.back()));
    EXPECT_EQ(canvas().image().pixel(256, 0) & 0xFFFFFF, qRgb(40, 40, 40) & 0xFFFFFF);

    const std::string python = testing_support::pythonWithPillow();
    if (python.empty()) GTEST_SKIP() << "Pillow is not installed";
    const QString raw = path("pillow.raw");
    ASSERT_TRUE(testing_support::shell(
        python + " -c \"from PIL import Image; im = Image.open('" + file.toStdString() +
        "'); assert im.mode == 'P' and im.size == (256, 192); open('" + raw.toStdString() +
        "', 'wb').write(im.tobytes())\""));
    EXPECT_EQ(readBytes(raw), expected);
}

TEST_F(ExportBitmap, BeyondTheCanvasIsTheBackgroundColour) {
    const auto indices = randomIndices(16, 16, 16);
    loadTablePicture(16, 16, indices);
    const int w = canvas().surfaceWidth() + 4, h = 20;
    setRegion(w, h);
    exportAs(path("wide.bmp"));
    const Bytes shown = topDownIndices(readBytes(path("wide.bmp")));
    ASSERT_EQ(shown.size(), static_cast<std::size_t>(w) * h);
    const std::uint8_t background = imaging::nearestFixedIndex(40, 40, 40);
    EXPECT_EQ(shown[0], indices[0]);
    EXPECT_EQ(shown[static_cast<std::size_t>(w) - 1], background);
    EXPECT_EQ(shown[static_cast<std::size_t>(19) * w], background);
    EXPECT_EQ(window().controlText(Control::GadgetResizeWidth), QString::number(w));
}

TEST_F(ExportBitmap, MirrorFlipTurnsUpsideDownOnlyAndRowsArePadded) {
    // 22 pixels wide: rows of 24 bytes, the last two zero.
    const auto indices = randomIndices(22, 10, 22);
    loadTablePicture(22, 10, indices);
    setRegion(22, 10);
    window().setControlState(Control::GadgetMirrorFlip, 1);
    exportAs(path("flip.bmp"));
    const Bytes file = readBytes(path("flip.bmp"));
    ASSERT_EQ(file.size(), 1078u + 24u * 10u);
    for (int row = 0; row < 10; ++row) EXPECT_EQ(file[1078 + row * 24 + 22] | file[1078 + row * 24 + 23], 0);
    const Bytes shown = topDownIndices(file);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 22; ++x) EXPECT_EQ(shown[y * 22 + x], indices[(9 - y) * 22 + x]) << x << "," << y;
}

TEST_F(ExportBitmap, NamesKeepAnyBmpExtensionAndGetOneOtherwise) {
    loadTablePicture(8, 8, randomIndices(8, 8, 8));
    setRegion(8, 8);
    exportAs(path("Upper.BMP"));
    exportAs(path("mixed.bMp"));
    exportAs(path("plain"));
    exportAs(path("dotted.bm"));
    for (const char* name : {"Upper.BMP", "mixed.bMp", "plain.bmp", "dotted.bm.bmp"}) EXPECT_TRUE(QFile::exists(path(name))) << name;
    EXPECT_FALSE(QFile::exists(path("Upper.BMP.bmp")));

    const auto asked = dialogs.callsOf(app::DialogCall::Kind::SaveFile);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked[0].title, "Save 256 BMP");
    EXPECT_EQ(asked[0].filter, "256 color bitmap|*.bmp");
}

TEST_F(ExportBitmap, ExportingTwiceWritesTheSamePixelsWithOrWithoutNineBit) {
    QImage photo(48, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x) photo.setPixel(x, y, qRgb(x * 5 + 3, y * 7 + 1, (x * y) & 0xFF));
    ASSERT_TRUE(photo.save(path("photo.png")));
    window().setControlState(Control::GadgetNineBit, 1);
    ASSERT_TRUE(app::loadImportImage(program(), path("photo.png")));
    setRegion(48, 32);
    exportAs(path("first.bmp"));
    exportAs(path("second.bmp"));
    window().setControlState(Control::GadgetNineBit, 0);
    exportAs(path("third.bmp"));
    const Bytes first = readBytes(path("first.bmp"));
    ASSERT_EQ(first.size(), 1078u + 48u * 32u);
    EXPECT_EQ(readBytes(path("second.bmp")), first);
    EXPECT_EQ(readBytes(path("third.bmp")), first);
}

TEST_F(ExportBitmap, AnUnwritableTargetIsReportedAndLeftAlone) {
    loadTablePicture(16, 16, randomIndices(16, 16, 99));
    setRegion(16, 16);
    const QImage before = canvas().image().copy();

    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.bmp"));
    exportAs(path("taken.bmp"));
    EXPECT_EQ(window().statusText(), "Failed to save " + path("taken.bmp"));
    EXPECT_TRUE(QFileInfo(path("taken.bmp")).isDir());

    testing_support::writeBytes(path("plainfile"), {1, 2, 3});
    exportAs(path("plainfile/inside.bmp"));
    EXPECT_EQ(window().statusText(), "Failed to save " + path("plainfile/inside.bmp"));
    EXPECT_EQ(readBytes(path("plainfile")), (Bytes{1, 2, 3}));

    EXPECT_EQ(canvas().image(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(), 4);  // palette, source, taken, plainfile
}

TEST_F(ExportBitmap, AnEmptyRegionOrACancelWritesNothing) {
    loadTablePicture(16, 16, randomIndices(16, 16, 1));
    const QImage before = canvas().image().copy();
    window().setStatus("Ready...", 0);

    dialogs.answerSaveFile(QString());
    app::exportBitmap(program());
    EXPECT_EQ(window().statusText(), "Ready...");

    for (const auto& [w, h] : {std::pair{0, 16}, std::pair{16, 0}}) {
        setRegion(w, h);
        exportAs(path("nothing.bmp"));
        EXPECT_FALSE(QFile::exists(path("nothing.bmp")));
        EXPECT_EQ(window().statusText(), "Failed to save " + path("nothing.bmp"));
    }
    EXPECT_EQ(canvas().image(), before);
    // The dialog is shown every time, as the user asked for a save.
    EXPECT_EQ(dialogs.callsOf(app::DialogCall::Kind::SaveFile).size(), 3u);
}

}  // namespace
