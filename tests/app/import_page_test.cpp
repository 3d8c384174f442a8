// The "Import" page: pictures of every format reach the canvas fitted to the fixed
// table, cutting them into sprites fills the sheet with their table indices, and
// files that cannot be read change nothing.
#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <cstring>

#include "app/canvas.h"
#include "app/colour.h"
#include "app/import_canvas.h"
#include "app/import_page.h"
#include "imaging/fixed_colour_table.h"
#include "page_test_support.h"
#include "session_fixture.h"

using app::Canvas;
using testing_support::randomIndices;
using testing_support::tableColour;
using testing_support::tablePicture;
using ui::Control;

namespace {

const QRgb BACKGROUND = qRgb(40, 40, 40);

class ImportPage : public testing_support::SessionTest {
protected:
    Canvas& canvas() { return *window().canvas(Control::GadgetImportCanvas); }
    const QImage& surface() { return canvas().image(); }

    // Saves a picture of table colours in a format Qt writes and loads it by name.
    QString savePicture(const QString& name, int w, int h, const std::vector<std::uint8_t>& indices) {
        const QString file = path(name);
        EXPECT_TRUE(tablePicture(w, h, indices).save(file)) << name.toStdString();
        return file;
    }

    // Canvas pixels inside w x h show the indices' table colours, the rest the background.
    void expectCanvasShows(int w, int h, const std::vector<std::uint8_t>& indices) {
        int wrong = 0;
        for (int y = 0; y < surface().height(); ++y)
            for (int x = 0; x < surface().width(); ++x) {
                const QRgb expected = x < w && y < h ? tableColour(indices[static_cast<std::size_t>(y) * w + x])
                                                     : BACKGROUND;
                wrong += (surface().pixel(x, y) & 0xFFFFFF) != (expected & 0xFFFFFF);
            }
        EXPECT_EQ(wrong, 0);
    }

    QString resizeText() {
        return window().controlText(Control::GadgetResizeWidth) + "x" + window().controlText(Control::GadgetResizeHeight);
    }

    std::vector<std::uint8_t> sprite(int n) {
        auto s = model().sheet.sprite(n);
        return {s.begin(), s.end()};
    }
    // The 16 x 16 cell at (left, top) of a w-wide index picture, in sprite byte order.
    static std::vector<std::uint8_t> cellOf(const std::vector<std::uint8_t>& indices, int w, int left, int top) {
        std::vector<std::uint8_t> cell;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) cell.push_back(indices[static_cast<std::size_t>(top + y) * w + left + x]);
        return cell;
    }
    void importAndAcknowledge(int x, int y, int across, int down) {
        dialogs.clear();
        app::importSprites(program(), x, y, across, down);
    }
    QString lastMessage() {
        const auto boxes = dialogs.callsOf(app::DialogCall::Kind::Message);
        return boxes.empty() ? QString() : boxes.back().title + "|" + boxes.back().text;
    }
};

TEST_F(ImportPage, LosslessFormatsShowTheirTableColoursAndSetTheResizeFields) {
    const auto indices = randomIndices(37, 21, 7);
    for (const char* name : {"picture.png", "picture.bmp"}) {
        SCOPED_TRACE(name);
        clearImportCanvas(program());
        ASSERT_TRUE(app::loadImportImage(program(), savePicture(name, 37, 21, indices)));
        expectCanvasShows(37, 21, indices);
        EXPECT_EQ(resizeText(), "37x21");
    }
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(ImportPage, GifMadeOutsideLoadsWithItsColours) {
    const auto indices = randomIndices(24, 18, 11);
    const QString png = savePicture("source.png", 24, 18, indices);
    const QString gif = path("picture.gif");
    if (!testing_support::shell("convert " + testing_support::quoted(png) + " " + testing_support::quoted(gif))) {
        const std::string python = testing_support::pythonWithPillow();
        if (python.empty() || !testing_support::shell(python + " -c \"from PIL import Image; Image.open('" +
                                                      png.toStdString() + "').save('" + gif.toStdString() + "')\""))
            GTEST_SKIP() << "neither ImageMagick nor Pillow can write a GIF here";
    }
    ASSERT_TRUE(app::loadImportImage(program(), gif));
    expectCanvasShows(24, 18, indices);
    EXPECT_EQ(resizeText(), "24x18");
}

TEST_F(ImportPage, JpegComesOutInTableColoursOnly) {
    QImage photo(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) photo.setPixel(x, y, qRgb(x * 4, y * 5, 128));
    ASSERT_TRUE(photo.save(path("photo.jpg"), "JPEG", 90));
    ASSERT_TRUE(app::loadImportImage(program(), path("photo.jpg")));
    std::vector<QRgb> table;
    for (int i = 0; i < 256; ++i) table.push_back(tableColour(i) & 0xFFFFFF);
    std::sort(table.begin(), table.end());
    int foreign = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) foreign += !std::binary_search(table.begin(), table.end(), surface().pixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(foreign, 0);
    EXPECT_EQ(surface().pixel(64, 0) & 0xFFFFFF, BACKGROUND & 0xFFFFFF);
    EXPECT_EQ(resizeText(), "64x48");
}

TEST_F(ImportPage, NineBitKeepsTrueColourOnTheThreeBitLevels) {
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(100, 150, 200));
    image.setPixel(1, 0, qRgb(255, 255, 255));
    image.setPixel(2, 0, qRgb(31, 64, 0));
    ASSERT_TRUE(image.save(path("nine.png")));
    window().setControlState(Control::GadgetNineBit, 1);
    ASSERT_TRUE(app::loadImportImage(program(), path("nine.png")));
    EXPECT_EQ(surface().pixel(0, 0) & 0xFFFFFF, qRgb(0x6D, 0x92, 0xDB) & 0xFFFFFF);
    EXPECT_EQ(surface().pixel(1, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(surface().pixel(2, 0) & 0xFFFFFF, qRgb(0, 0x49, 0) & 0xFFFFFF);
}

TEST_F(ImportPage, APictureLargerThanTheCanvasIsCutButItsSizeShown) {
    const int w = surface().width() + 90, h = surface().height() + 20;
    const auto indices = randomIndices(w, h, 3);
    ASSERT_TRUE(app::loadImportImage(program(), savePicture("large.png", w, h, indices)));
    EXPECT_EQ(resizeText(), QString::number(w) + "x" + QString::number(h));
    const int right = surface().width() - 1, bottom = surface().height() - 1;
    EXPECT_EQ(surface().pixel(right, bottom), tableColour(indices[static_cast<std::size_t>(bottom) * w + right]));
}

TEST_F(ImportPage, WhatCannotBeLoadedChangesNothingAndSaysNothing) {
    const auto indices = randomIndices(20, 20, 5);
    ASSERT_TRUE(app::loadImportImage(program(), savePicture("good.png", 20, 20, indices)));
    const QImage before = surface().copy();

    testing_support::writeBytes(path("noise.png"), {0x89, 'P', 'N', 'G', 1, 2, 3});
    testing_support::writeBytes(path("empty.bmp"), {});
    auto cut = testing_support::readBytes(savePicture("cut.bmp", 20, 20, indices));
    cut.resize(cut.size() / 2);
    testing_support::writeBytes(path("cut.bmp"), cut);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    window().setControlText(Control::GadgetResizeWidth, "7");
    for (const char* name : {"noise.png", "empty.bmp", "cut.bmp", "missing.gif", "folder.png"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(app::loadImportImage(program(), path(name)));
        EXPECT_EQ(surface(), before);
        EXPECT_EQ(window().controlText(Control::GadgetResizeWidth), "7");
    }
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(ImportPage, AnEmptyNameAsksWithTheOpenBitmapDialog) {
    const QImage before = surface().copy();
    dialogs.answerOpenFile(QString());  // cancelled
    EXPECT_FALSE(app::loadImportImage(program(), QString()));
    EXPECT_EQ(surface(), before);

    const auto indices = randomIndices(16, 16, 9);
    dialogs.answerOpenFile(savePicture("asked.png", 16, 16, indices));
    EXPECT_TRUE(app::loadImportImage(program(), QString()));
    expectCanvasShows(16, 16, indices);

    const auto asked = dialogs.callsOf(app::DialogCall::Kind::OpenFile);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].title, "Open bitmap");
    EXPECT_EQ(asked[0].filter, " images |*.bmp;*.png;*.jpg;*.gif");
    EXPECT_EQ(asked[0].text, dir.path() + "/");
}

TEST_F(ImportPage, OfSeveralDroppedFilesTheFirstIsLoaded) {
    const auto first = randomIndices(16, 16, 1), second = randomIndices(16, 16, 2);
    const QString a = savePicture("a.png", 16, 16, first), b = savePicture("b.png", 16, 16, second);
    EXPECT_TRUE(app::loadDroppedImage(program(), {a, b}));
    expectCanvasShows(16, 16, first);
    EXPECT_TRUE(app::loadDroppedImage(program(), {b + "\n" + a}));
    expectCanvasShows(16, 16, second);
    EXPECT_FALSE(app::loadDroppedImage(program(), {}));
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(ImportPage, TwoCellsIntoAFreshSheet) {
    const auto indices = randomIndices(32, 16, 21);
    ASSERT_TRUE(app::loadImportImage(program(), savePicture("two.png", 32, 16, indices)));
    importAndAcknowledge(0, 0, 2, 1);
    EXPECT_EQ(model().spriteCount, 2);
    EXPECT_EQ(model().currentSprite, 2);
    EXPECT_EQ(sprite(1), cellOf(indices, 32, 0, 0));
    EXPECT_EQ(sprite(2), cellOf(indices, 32, 16, 0));
    EXPECT_EQ(lastMessage(), "Success|Imported sprites : 2");
    EXPECT_EQ(window().statusText(), "Ready...");
    EXPECT_EQ(window().statusProgress(), 0);
    // The grid shows the sprite it now edits.
    EXPECT_EQ(model().grid.cell(5, 7), indices[7 * 32 + 16 + 5]);
}

TEST_F(ImportPage, SixtyFourCellsFillTheWholeSheetRowByRow) {
    const auto indices = randomIndices(256, 64, 64);
    ASSERT_TRUE(app::loadImportImage(program(), savePicture("sheet.png", 256, 64, indices)));
    importAndAcknowledge(0, 0, 16, 4);
    EXPECT_EQ(model().spriteCount, 64);
    EXPECT_EQ(model().currentSprite, 63);
    for (int n = 1; n <= 64; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(sprite(n), cellOf(indices, 256, 16 * ((n - 1) % 16), 16 * ((n - 1) / 16)));
    }
    EXPECT_EQ(lastMessage(), "Success|Imported sprites : 64");
}

TEST_F(ImportPage, NearTheEndOfTheSheetTheCountStaysWithinSixtyFour) {
    const auto indices = randomIndices(96, 16, 8);
    ASSERT_TRUE(app::loadImportImage(program(), savePicture("end.png", 96, 16, indices)));
    // Sprite 62 of 62 current: six cells but only three numbers left.
    model().spriteCount = 62;
    while (model().currentSprite < 62) model().nextSprite();
    importAndAcknowledge(0, 0, 6, 1);
    EXPECT_LE(model().spriteCount, 64);
    EXPECT_GE(model().spriteCount, 63);
    EXPECT_EQ(sprite(62), cellOf(indices, 96, 0, 0));
    EXPECT_EQ(sprite(63), cellOf(indices, 96, 16, 0));
    // The cells that find no number are written one after another over sprite 64.
    EXPECT_EQ(sprite(64), cellOf(indices, 96, 80, 0));
    EXPECT_EQ(lastMessage(), "Success|Imported sprites : 6");
}

TEST_F(ImportPage, BackgroundAndPixelsBeyondTheCanvasLeaveTheirCells) {
    clearImportCanvas(program());
    model().grid.fill(0x42);
    const int edgeX = surface().width() - 8, edgeY = surface().height() - 8;
    // Paint a few table pixels straddling the bottom-right corner.
    canvas().fillBox(edgeX, edgeY, 8, 8, app::rgbColour(0xFF, 0, 0xFF));
    importAndAcknowledge(edgeX, edgeY, 1, 1);
    const auto stored = sprite(1);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_EQ(stored[y * 16 + x], x < 8 && y < 8 ? 0xE3 : 0x42) << x << "," << y;

    // An empty rectangle reads nothing and changes no count.
    const int count = model().spriteCount, current = model().currentSprite;
    importAndAcknowledge(0, 0, 0, 4);
    EXPECT_EQ(model().spriteCount, count);
    EXPECT_EQ(model().currentSprite, current);
    EXPECT_EQ(lastMessage(), "Success|Imported sprites : 0");
}

TEST_F(ImportPage, ClearingAfterALoadLeavesOnlyBackgroundToImport) {
    ASSERT_TRUE(app::loadImportImage(program(), savePicture("c.png", 16, 16, randomIndices(16, 16, 4))));
    clearImportCanvas(program());
    expectCanvasShows(0, 0, {});
    model().grid.fill(0x11);
    importAndAcknowledge(0, 0, 1, 1);
    EXPECT_EQ(sprite(1), std::vector<std::uint8_t>(256, 0x11));
}

}  // namespace
