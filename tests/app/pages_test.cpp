// The "Import" and "Output" pages: pictures of every format in table colours,
// cutting them into sprites, "Export BMP" as outside readers see it, and the
// worker's listing of the sheet as it stood at the press, assembled back.
#include <QTextCursor>

#include "app/output_page.h"
#include "imaging/bmp8.h"
#include "imaging/colour_fit.h"
#include "io/asm_listing.h"
#include "session_fixture.h"

using namespace testing_support;

namespace {

const QRgb BACKGROUND = qRgb(40, 40, 40);

class ImportPage : public SessionTest {
protected:
    const QImage& surface() { return window().canvas(Control::GadgetImportCanvas)->image(); }
    QString resizeText() { return text(Control::GadgetResizeWidth) + "x" + text(Control::GadgetResizeHeight); }
    void load(const char* name, int w, int h, const Bytes& indices) {
        ASSERT_TRUE(tablePicture(w, h, indices).save(path(name)));
        ASSERT_TRUE(app::loadImportImage(program(), path(name)));
    }
    // The w-wide region of cw x ch pixels at (left, top), row by row.
    static Bytes crop(const Bytes& indices, int w, int left, int top, int cw = 16, int ch = 16) {
        Bytes region;
        for (int y = top; y < top + ch; ++y)
            region.insert(region.end(), indices.begin() + y * w + left, indices.begin() + y * w + left + cw);
        return region;
    }
    static Bytes topDownIndices(const Bytes& file) {
        const auto decoded = imaging::decodeBitmap8(file.data(), file.size());
        Bytes out;
        for (int y = 0; decoded && y < decoded->indices.height; ++y)
            for (int x = 0; x < decoded->indices.width; ++x) out.push_back(decoded->indices.at(x, y));
        return out;
    }
};

TEST_F(ImportPage, PicturesOfEveryFormatShowTheirTableColours) {
    const auto indices = randomIndices(37, 21, 7);
    load("picture.png", 37, 21, indices);
    const bool gif = shell("convert " + quoted(path("picture.png")) + " " + quoted(path("picture.gif")));
    ASSERT_TRUE(tablePicture(37, 21, indices).save(path("picture.bmp")));
    for (const char* name : {"picture.png", "picture.bmp", "picture.gif"}) {
        SCOPED_TRACE(name);
        if (!QFile::exists(path(name))) continue;
        app::clearImportCanvas(program());
        ASSERT_TRUE(app::loadImportImage(program(), path(name)));
        EXPECT_EQ(resizeText(), "37x21");
        for (int y = 0; y < surface().height(); ++y)
            for (int x = 0; x < surface().width(); ++x) {  // the background beyond the picture
                const QRgb expected = x < 37 && y < 21 ? tableColour(indices[y * 37 + x]) : BACKGROUND;
                ASSERT_EQ(surface().pixel(x, y) | 0xFF000000u, expected) << x << "," << y;
            }
    }

    // A JPEG comes out in table colours only.
    QImage photo(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) photo.setPixel(x, y, qRgb(x * 4, y * 5, 128));
    ASSERT_TRUE(photo.save(path("photo.jpg"), "JPEG", 90));
    ASSERT_TRUE(app::loadImportImage(program(), path("photo.jpg")));
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb p = surface().pixel(x, y) | 0xFF000000u;
            ASSERT_EQ(tableColour(imaging::nearestFixedIndex(qRed(p), qGreen(p), qBlue(p))), p) << x << "," << y;
        }
    EXPECT_EQ(resizeText(), "64x48");
    EXPECT_TRUE(dialogs.calls().empty());
    if (!gif) GTEST_SKIP() << "ImageMagick could not write the GIF";
}

TEST_F(ImportPage, TwoCellsIntoAFreshSheet) {
    const auto indices = randomIndices(32, 16, 21);
    load("two.png", 32, 16, indices);
    app::importSprites(program(), 0, 0, 2, 1);
    EXPECT_EQ(countAndCurrent(), std::pair(2, 2));
    EXPECT_EQ(sprite(1), crop(indices, 32, 0, 0));
    EXPECT_EQ(sprite(2), crop(indices, 32, 16, 0));
    EXPECT_EQ(lastDialog(), "Success|Imported sprites : 2");
    EXPECT_EQ(window().statusText(), "Ready...");
    EXPECT_EQ(model().grid.cell(5, 7), indices[7 * 32 + 16 + 5]);  // the grid edits sprite 2
}

TEST_F(ImportPage, SixteenByFourCellsFillTheSheetAndTheCountNeverPassesSixtyFour) {
    const auto indices = randomIndices(256, 64, 64);
    load("sheet.png", 256, 64, indices);
    app::importSprites(program(), 0, 0, 16, 4);
    EXPECT_EQ(countAndCurrent(), std::pair(64, 63));
    for (int n = 0; n < 64; ++n) EXPECT_EQ(sprite(n + 1), crop(indices, 256, 16 * (n % 16), 16 * (n / 16))) << n;
    EXPECT_EQ(lastDialog(), "Success|Imported sprites : 64");

    // Sprite 62 of 62: six cells but three numbers left; the rest go over sprite 64.
    model().spriteCount = 62;
    model().previousSprite();
    ASSERT_EQ(model().currentSprite, 62);
    app::importSprites(program(), 0, 16, 6, 1);
    EXPECT_LE(model().spriteCount, 64);
    EXPECT_EQ(sprite(62), crop(indices, 256, 0, 16));
    EXPECT_EQ(sprite(64), crop(indices, 256, 80, 16));
    EXPECT_EQ(lastDialog(), "Success|Imported sprites : 6");
}

TEST_F(ImportPage, ExportWithResizeWritesTheTopLeft256By192ThatPillowReadsAlike) {
    const auto indices = randomIndices(320, 200, 320);
    load("source.png", 320, 200, indices);
    window().setControlState(Control::GadgetResize, 1);
    dialogs.answerSaveFile(path("out"));
    app::exportBitmap(program());
    const Bytes bytes = readBytes(path("out.bmp"));
    EXPECT_EQ(bytes.size(), 50230u);
    EXPECT_EQ(resizeText(), "256x192");
    EXPECT_EQ(window().statusText(), "Saved " + path("out.bmp") + ".");
    const Bytes expected = crop(indices, 320, 0, 0, 256, 192);
    EXPECT_EQ(topDownIndices(bytes), expected);

    // Mirror flip turns the rows upside down and nothing else.
    window().setControlState(Control::GadgetMirrorFlip, 1);
    dialogs.answerSaveFile(path("flip.bmp"));
    app::exportBitmap(program());
    const Bytes flipped = topDownIndices(readBytes(path("flip.bmp")));
    ASSERT_EQ(flipped.size(), expected.size());
    for (int y = 0; y < 192; ++y)
        EXPECT_TRUE(std::equal(&flipped[y * 256], &flipped[y * 256] + 256, &expected[(191 - y) * 256])) << y;

    const std::string python = pythonWithPillow();
    if (python.empty()) GTEST_SKIP() << "Pillow is not installed";
    ASSERT_TRUE(shell(python + " -c \"from PIL import Image; im = Image.open('" + path("out.bmp").toStdString() +
                      "'); assert im.mode == 'P' and im.size == (256, 192); open('" + path("pillow.raw").toStdString() +
                      "', 'wb').write(im.tobytes())\""));
    EXPECT_EQ(readBytes(path("pillow.raw")), expected);
}

class OutputPage : public SessionTest {
protected:
    QPlainTextEdit& area() { return *window().textArea(Control::GadgetAsmText); }
    std::string areaText() { return area().toPlainText().toStdString(); }
    void fillSheet(unsigned seed, int count) {
        std::mt19937 random(seed);
        for (int i = 0; i < model::SHEET_SPRITE_BYTES; ++i) model().sheet.bytes[i] = std::uint8_t(random());
        model().spriteCount = count;
        model().loadGrid();
    }
    // io's listing of the sheet as it is now, with the grid stored into it.
    std::string expectedListing() {
        model::SpriteSheet sheet = model().sheet;
        model().grid.writeTo(sheet.sprite(model().currentSprite));
        return io::asmListing(std::span<const std::uint8_t>(sheet.bytes.data(), model::SHEET_SPRITE_BYTES),
                              model().spriteCount, text(Control::GadgetLabelText).toStdString());
    }
    bool listingDone() { return !program().state.listingRunning; }
};

TEST_F(OutputPage, TheWorkerListsTheSheetAsItStoodAtThePress) {
    fillSheet(12, 12);
    window().setControlText(Control::GadgetLabelText, "My Sprite");
    model().grid.cell(3, 4) = 0x05;  // edited, not yet stored
    const std::string expected = expectedListing();

    app::startAsmListing(program());
    EXPECT_TRUE(program().state.listingRunning);
    model().grid.fill(0);  // the user goes on working
    model().storeGrid();
    std::fill_n(model().sheet.bytes.begin() + 256, 256, 0x11);
    model().spriteCount = 3;
    window().setControlText(Control::GadgetLabelText, "Other");
    app::startAsmListing(program());     // ignored while a run is under way
    app::generateAsmListing(program());  // likewise from the pop-up

    bool sawPart = false;
    ASSERT_TRUE(spinUntil([&] {
        const std::string now = areaText();
        if (!listingDone() && !now.empty() && now.size() < expected.size()) {
            sawPart = true;
            EXPECT_EQ(expected.compare(0, now.size(), now), 0) << "a part that is not the start of the listing";
        }
        return listingDone();
    }));
    EXPECT_TRUE(sawPart) << "the listing should appear sprite by sprite";
    EXPECT_EQ(areaText(), expected);
    EXPECT_EQ(areaText().rfind("My_Sprite1:\n\tdb  $", 0), 0u);
    EXPECT_EQ(area().textCursor().position(), area().document()->characterCount() - 1);

    model().spriteCount = 2;  // a second press starts afresh: replaced, not doubled
    const std::string second = expectedListing();
    app::startAsmListing(program());
    ASSERT_TRUE(spinUntil([&] { return listingDone(); }));
    EXPECT_EQ(areaText(), second);
}

TEST_F(OutputPage, ClosingTheWindowDuringARunIsSafe) {
    for (int round = 0; round < 3; ++round) {
        fillSheet(round, 64);
        app::startAsmListing(program());
        spinUntil([&] { return !area().toPlainText().isEmpty(); });
        session.reset();  // the worker is stopped and joined with the window
        session = app::startEditor(dialogs, dir.path());
        ASSERT_TRUE(session);
    }
}

TEST_F(OutputPage, ASavedListingAssemblesBackIntoTheSheet) {
    fillSheet(2024, 9);
    app::generateAsmListing(program());
    dialogs.answerSaveFile(path("listing.asm"));
    app::saveAsmOutput(program());
    const auto asked = dialogs.callsOf(toolkit::DialogCall::Kind::SaveFile);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title + "|" + asked[0].text + "|" + asked[0].filter,
              "Save ASM output|" + dir.path() + "/export.asm|.asm");
    EXPECT_EQ(lastDialog(), "Save|Save complete.");
    const Bytes file = readBytes(path("listing.asm"));
    EXPECT_EQ(std::string(file.begin(), file.end()), io::listingFileBytes(areaText()));

    if (!shell("command -v pasmo")) GTEST_SKIP() << "pasmo is not installed";
    ASSERT_TRUE(shell("cd " + quoted(dir.path()) + " && pasmo --bin listing.asm listing.bin"));
    EXPECT_EQ(readBytes(path("listing.bin")), Bytes(&model().sheet.bytes[0], &model().sheet.bytes[9 * 256]));
}

}  // namespace
