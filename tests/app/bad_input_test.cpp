// Awkward and broken input through the real window: palette files of every
// awkward length at start-up, sprite files around the sprite size through "Load
// Sprite Sheet", the file list's double click and its single-click preview, and
// broken pictures through "Load image" and a drop. Whatever cannot be read
// changes nothing; whatever can is used as far as it goes, and nothing reads
// past what it has (the AddressSanitizer run of this suite checks that).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QBuffer>
#include <QFileSystemModel>
#include <QTreeView>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/canvas.h"
#include "app/canvas_event.h"
#include "app/colour.h"
#include "app/commands.h"
#include "page_test_support.h"
#include "session_fixture.h"
#include "model/sprite_sheet.h"
#include "ui/control_ids.h"

using app::CanvasEvent;
using testing_support::readBytes;
using testing_support::writeBytes;
using ui::Control;
using ui::ControlEvent;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Type = CanvasEvent::Type;

Bytes pattern(std::size_t size, unsigned seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>((i * 7 + seed) & 0xFF);
    return bytes;
}

// ---- Palette files at start-up --------------------------------------------------

struct PaletteCase {
    const char* name;
    long long bytes;  // -1: a link to an endless file
    std::optional<std::size_t> entries;  // none: refused with the "ERROR!" box
};

void PrintTo(const PaletteCase& c, std::ostream* out) { *out << c.name; }

const PaletteCase PALETTE_CASES[] = {
    {"Empty", 0, 0},          {"OneByte", 1, 1},       {"OneShort", 767, 256},
    {"Exact", 768, 256},      {"OneOver", 769, 257},   {"TenMegabytes", 10'000'000, std::nullopt},
    {"Endless", -1, std::nullopt},
};

class PaletteAtStartUp : public ::testing::TestWithParam<PaletteCase> {
protected:
    QString path(const char* name) const { return dir.path() + QLatin1Char('/') + QString::fromLatin1(name); }

    // The real palette's bytes, cut or stretched to size; bytes past its 768 are 0x99.
    void writePalette(long long size) {
        const QString file = path("rgb9spreada.pal");
        if (size < 0) {
            ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), file));
            return;
        }
        Bytes bytes = readBytes(QStringLiteral(VIROROR_RESOURCES "/rgb9spreada.pal"));
        ASSERT_EQ(bytes.size(), 768u);
        bytes.resize(static_cast<std::size_t>(size), 0x99);
        writeBytes(file, bytes);
    }

    // Every command that reads the palette or the slots, with positions swept over
    // the palette chart and the slot strip (and a little beyond both).
    void useThePalette(app::Session& session) {
        app::CommandTable& commands = *session.commands;
        ui::WindowMain& window = *session.window;
        for (Control canvas : {Control::GadgetPaletteCanvas, Control::GadgetSlotCanvas}) {
            const app::Canvas* surface = window.canvas(canvas);
            for (int y = -3; y < surface->surfaceHeight() + 20; y += 13)
                for (int x = -3; x < surface->surfaceWidth() + 20; x += 17)
                    for (Type type : {Type::LeftDown, Type::RightDown, Type::LeftDoubleClick}) {
                        const bool left = type != Type::RightDown;
                        commands.handleCanvas(canvas, CanvasEvent{type, x, y, left, !left, false});
                    }
        }
        // Paint with the last chosen colours, pick one back, fill.
        commands.handleCanvas(Control::GadgetEditorCanvas, CanvasEvent{Type::LeftDown, 30, 30, true, false, false});
        commands.handleCanvas(Control::GadgetEditorCanvas, CanvasEvent{Type::LeftUp, 30, 30, false, false, false});
        commands.handleMenu(ui::ShortcutPickColour);
        commands.handleCanvas(Control::GadgetEditorCanvas, CanvasEvent{Type::LeftDown, 30, 30, true, false, false});
        commands.handleCanvas(Control::GadgetEditorCanvas, CanvasEvent{Type::LeftUp, 30, 30, false, false, false});
        for (int i = 0; i < 4; ++i) window.button(Control::GadgetPalettePicture)->click();
        window.button(Control::GadgetAddSprite)->click();
        window.button(Control::GadgetShowTransparent)->click();
        window.button(Control::GadgetSavePalette)->click();
        commands.handleMenu(ui::PopupOutputGenerate);
        window.button(Control::GadgetPreviewButton)->click();
    }

    QTemporaryDir dir;
    app::ScriptedDialogs dialogs;
};

TEST_P(PaletteAtStartUp, StartsWithWhatTheFileHoldsOrRefusesIt) {
    const PaletteCase& c = GetParam();
    ASSERT_TRUE(dir.isValid());
    writePalette(c.bytes);
    std::unique_ptr<app::Session> session = app::startEditor(dialogs, dir.path());

    if (!c.entries) {
        EXPECT_EQ(session, nullptr);
        ASSERT_EQ(dialogs.calls().size(), 1u);
        EXPECT_EQ(dialogs.calls()[0].title, "ERROR!");
        EXPECT_EQ(dialogs.calls()[0].text, "Cannot load r3g3b2.txt palette!");
        return;
    }
    ASSERT_NE(session, nullptr);
    EXPECT_TRUE(dialogs.calls().empty());
    const palette::Palette& colours = session->program.palette;
    ASSERT_EQ(colours.size(), *c.entries);
    EXPECT_EQ(session->program.colourSlots.size(), *c.entries);
    if (c.bytes % 3 != 0) {
        // The missing components of the last record read as 0.
        const palette::PaletteEntry& last = colours[colours.size() - 1];
        if (c.bytes % 3 == 1) {
            EXPECT_EQ(last.green, 0);
        }
        EXPECT_EQ(last.blue, 0);
    }
    // Without an entry for 0xE3 the transparent cells show black.
    const int cellColour = session->window->canvas(Control::GadgetEditorCanvas)->readPixel(10, 10);
    if (*c.entries <= 0xE3) {
        EXPECT_EQ(cellColour, 0);
    } else {
        EXPECT_NE(cellColour, 0);
    }

    useThePalette(*session);
    EXPECT_EQ(readBytes(path("colors.pal")).size(), 512u);
    EXPECT_TRUE(dialogs.unexpectedCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(Lengths, PaletteAtStartUp, ::testing::ValuesIn(PALETTE_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Sprite files -----------------------------------------------------------------

struct SpriteFileCase {
    std::size_t bytes;
    int sprites;  // 0: the load fails and changes nothing
};

void PrintTo(const SpriteFileCase& c, std::ostream* out) { *out << c.bytes << " bytes"; }

class SpriteFileInput : public testing_support::SessionTest, public ::testing::WithParamInterface<SpriteFileCase> {
protected:
    // A sheet of three sprites to lose, and the file to read.
    void SetUp() override {
        SessionTest::SetUp();
        if (HasFatalFailure()) return;
        for (int i = 0; i < 2; ++i) window().button(Control::GadgetAddSprite)->click();
        for (std::size_t i = 0; i < model().sheet.bytes.size(); ++i) model().sheet.bytes[i] = static_cast<std::uint8_t>(i / 256);
        model().loadGrid();
        file = path("input.spr");
        bytes = pattern(GetParam().bytes, 3);
        writeBytes(file, bytes);
        sheetBefore = model().sheet.bytes;
    }

    void selectInFileList() {
        const QModelIndex row = window().fileModel()->index(file);
        ASSERT_TRUE(row.isValid());
        window().fileList()->setCurrentIndex(row);
        ASSERT_EQ(window().selectedFileName(), "input.spr");
    }

    // The sheet after a load of the file, or untouched after a failed one.
    void expectLoadedOrUntouched() {
        const int sprites = GetParam().sprites;
        if (sprites == 0) {
            EXPECT_EQ(window().statusText(), "Failed to load - Could not load sprites");
            EXPECT_EQ(model().sheet.bytes, sheetBefore);
            EXPECT_EQ(model().spriteCount, 3);
            return;
        }
        const QString loaded = QStringLiteral("Loaded %1 sprite(s).").arg(sprites);
        EXPECT_EQ(window().statusText(), "Success - " + loaded);
        ASSERT_FALSE(dialogs.callsOf(app::DialogCall::Kind::Message).empty());
        EXPECT_EQ(dialogs.callsOf(app::DialogCall::Kind::Message).back().text, loaded);
        EXPECT_EQ(model().spriteCount, sprites);
        EXPECT_EQ(model().currentSprite, 1);
        const std::size_t used = static_cast<std::size_t>(sprites) * 256;
        Bytes expected(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(used, bytes.size())));
        expected.resize(used, 0);  // a short last sprite is completed with 0
        expected.resize(model::SHEET_SPRITE_BYTES, 0xFF);  // the rest of the 64 sprites
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), model().sheet.bytes.begin()));
        EXPECT_EQ(model().grid.cell(0, 0), bytes[0]);
    }

    QString file;
    Bytes bytes;
    decltype(model::SpriteSheet::bytes) sheetBefore;
};

TEST_P(SpriteFileInput, LoadSpriteSheetButton) {
    dialogs.answerOpenFile(file);
    window().button(Control::GadgetLoadSheet)->click();
    expectLoadedOrUntouched();
}

TEST_P(SpriteFileInput, DoubleClickInTheFileList) {
    selectInFileList();
    commands().handleControl(Control::GadgetFileList, ControlEvent::DoubleClick);
    expectLoadedOrUntouched();
}

TEST_P(SpriteFileInput, SingleClickPreviewLeavesTheSheet) {
    selectInFileList();
    const QImage before = window().canvas(Control::GadgetSheetCanvas)->image().copy();
    commands().handleControl(Control::GadgetFileList, ControlEvent::Click);
    EXPECT_EQ(model().sheet.bytes, sheetBefore);
    EXPECT_EQ(model().spriteCount, 3);
    EXPECT_TRUE(dialogs.calls().empty());
    // A file with bytes shows them instead of the sheet.
    if (!bytes.empty()) {
        EXPECT_NE(window().canvas(Control::GadgetSheetCanvas)->image(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, SpriteFileInput,
                         ::testing::Values(SpriteFileCase{0, 0}, SpriteFileCase{1, 1}, SpriteFileCase{255, 1},
                                           SpriteFileCase{256, 1}, SpriteFileCase{257, 2},
                                           SpriteFileCase{1'000'000, 64}),
                         [](const auto& info) { return std::to_string(info.param.bytes) + "Bytes"; });

// ---- Pictures ---------------------------------------------------------------------

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void appendChunk(Bytes& png, const char* type, const Bytes& data) {
    putBigEndian(png, static_cast<std::uint32_t>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    putBigEndian(png, crc32(body.data(), body.size()));
}

// A PNG whose header claims width x height RGB pixels, with a small, valid-looking
// data chunk (far too short for such a picture).
Bytes pngClaiming(std::uint32_t width, std::uint32_t height) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    putBigEndian(header, width);
    putBigEndian(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, no interlace
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", {0x78, 0x9C, 0x63, 0x60, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01});
    appendChunk(png, "IEND", {});
    return png;
}

constexpr int GOOD_SIDE = 24;

class PictureInput : public testing_support::SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        if (HasFatalFailure()) return;
        indices = testing_support::randomIndices(GOOD_SIDE, GOOD_SIDE, 17);
        goodPicture = testing_support::tablePicture(GOOD_SIDE, GOOD_SIDE, indices);
    }
    Bytes encoded(const char* format) {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(goodPicture.save(&buffer, format));
        return Bytes(data.begin(), data.end());
    }
    const QImage& canvas() { return window().canvas(Control::GadgetImportCanvas)->image(); }
    QString resizeText() {
        return window().controlText(Control::GadgetResizeWidth) + "x" + window().controlText(Control::GadgetResizeHeight);
    }
    void loadByButton(const QString& name) {
        dialogs.answerOpenFile(name);
        window().button(Control::GadgetLoadImage)->click();
    }
    void loadByDrop(const QString& name) { commands().handleDrop({name}); }

    std::vector<std::uint8_t> indices;
    QImage goodPicture;
};

TEST_F(PictureInput, BrokenPicturesChangeNothingThroughTheButtonOrADrop) {
    // A picture on the canvas first, and a resize text of the user's.
    const QString good = path("good.png");
    ASSERT_TRUE(goodPicture.save(good));
    loadByButton(good);
    ASSERT_EQ(canvas().pixel(0, 0), testing_support::tableColour(indices[0]));
    window().setControlText(Control::GadgetResizeWidth, "77");
    const QImage before = canvas().copy();
    const QString resize = resizeText();

    const Bytes png = encoded("PNG");
    Bytes truncatedPng(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2));
    Bytes corruptHeader = png;
    corruptHeader[17] ^= 0x40;  // the width inside IHDR, its checksum now wrong
    Bytes badSignature = png;
    badSignature[1] = 'Q';
    const Bytes bmp = encoded("BMP");
    Bytes truncatedBmp(bmp.begin(), bmp.begin() + static_cast<std::ptrdiff_t>(bmp.size() - 100));
    const Bytes jpeg = encoded("JPEG");
    Bytes truncatedJpeg(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 3));
    const std::string text = "This is not a picture at all.\n";

    const std::pair<const char*, Bytes> broken[] = {
        {"truncated.png", truncatedPng},
        {"corrupt-header.png", corruptHeader},
        {"bad-signature.png", badSignature},
        {"huge.png", pngClaiming(100'000, 100'000)},
        {"empty-size.png", pngClaiming(0, 0)},
        {"truncated.bmp", truncatedBmp},
        {"truncated.jpg", truncatedJpeg},
        {"not-a-picture.png", Bytes(text.begin(), text.end())},
        {"zero-bytes.gif", {}},
    };
    for (const auto& [name, bytes] : broken) {
        SCOPED_TRACE(name);
        writeBytes(path(name), bytes);
        loadByButton(path(name));
        EXPECT_EQ(canvas(), before);
        EXPECT_EQ(resizeText(), resize);
        loadByDrop(path(name));
        EXPECT_EQ(canvas(), before);
        EXPECT_EQ(resizeText(), resize);
    }
    EXPECT_TRUE(dialogs.callsOf(app::DialogCall::Kind::Message).empty());
}

TEST_F(PictureInput, ANameWithSpacesAndNonAsciiLettersLoads) {
    const QString name = path("Mein Bild – Größe ½ Ünïcødé.png");
    ASSERT_TRUE(goodPicture.save(name));
    for (bool dropped : {false, true}) {
        SCOPED_TRACE(dropped ? "dropped" : "button");
        window().button(Control::GadgetNineBit)->click();  // empties the canvas
        window().button(Control::GadgetNineBit)->click();
        ASSERT_NE(canvas().pixel(0, 0), testing_support::tableColour(indices[0]));
        if (dropped) loadByDrop(name);
        else loadByButton(name);
        EXPECT_EQ(resizeText(), QStringLiteral("%1x%1").arg(GOOD_SIDE));
        EXPECT_EQ(canvas().pixel(0, 0), testing_support::tableColour(indices[0]));
        EXPECT_EQ(canvas().pixel(GOOD_SIDE - 1, GOOD_SIDE - 1),
                  testing_support::tableColour(indices[static_cast<std::size_t>(GOOD_SIDE) * GOOD_SIDE - 1]));
    }
}

}  // namespace
