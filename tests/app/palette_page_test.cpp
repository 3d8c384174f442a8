// The "Palette" page through the real window: an edit reaching every view that
// draws palette colours, undo and redo of edits, the arrow keys, loading and saving
// every layout through the dialogs (against the batch "palette" and "sheet" commands), the
// default palette and the refused files.
#include <QLabel>
#include <QTabWidget>

#include "app/batch.h"
#include "app/palette_page.h"
#include "imaging/png_decode.h"
#include "palette/palette_file.h"
#include "palette/palette_formats.h"
#include "session_fixture.h"
#include "toolkit/paths.h"

using namespace testing_support;

namespace {

using palette::PaletteFormat;

constexpr int EDITED = 5;  // the entry edited; the "Design" chart shows it in its first row
constexpr int OTHER = 9;
constexpr int CHART_CELL = 28, CHART_LEFT = 26, CHART_TOP = 20;  // the page's chart

// A 513-byte Next palette of seeded colours, about half of them with priority.
Bytes nextPaletteFile() {
    Bytes bytes = randomIndices(2, 256, 8);
    for (std::size_t i = 1; i < bytes.size(); i += 2) bytes[i] &= 0x81;
    bytes.push_back(0xE3);
    return bytes;
}

class PalettePage : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        ASSERT_TRUE(showActive());
        window().tabs()->setCurrentIndex(ui::PagePalette);
    }
    toolkit::Canvas& chart() { return canvas(Control::GadgetPaletteChart); }
    void clickEntry(int entry) {
        const QPoint at(CHART_LEFT + (entry % 16) * CHART_CELL + 14, CHART_TOP + (entry / 16) * CHART_CELL + 14);
        QTest::mouseClick(&chart(), Qt::LeftButton, {}, at);
    }
    const std::vector<palette::PaletteEntry>& entries() { return program().palette.entries(); }
    int selected() { return program().palettePage.selected; }
};

// Entry EDITED on the grid, in sprite 2, in slot 3 and as both mouse colours; after
// one edit every view shows the new colour and no index anywhere has changed.
TEST_F(PalettePage, AnEditShowsAtOnceInEveryViewAndNoIndexChanges) {
    model().grid.cell(1, 1) = EDITED;
    model().sheet.sprite(2)[0] = EDITED;
    model().spriteCount = 2;
    program().colourSlots[3] = program().colourSlots[EDITED];
    program().colourSlots[3].slot = 3;
    chooseLeft(EDITED);
    app::showRightColour(program(), EDITED);
    program().state.animationFrame = 2;
    writeBytes(path("file.spr"), Bytes(256, EDITED));
    model().storeGrid();
    const auto sheetBefore = model().sheet.bytes;

    clickEntry(EDITED);
    typeInto(Control::GadgetPaletteRed, "7");
    typeInto(Control::GadgetPaletteGreen, "3");
    typeInto(Control::GadgetPaletteBlue, "0");
    const int colour = toolkit::rgbColour(0xFF, 0x6D, 0x00);  // the Next's levels of 7, 3, 0
    ASSERT_EQ(paletteColour(EDITED), colour);
    EXPECT_EQ(text(Control::GadgetPaletteNextBytes), "Next bytes: $EC $00 (RRRGGGBB P000000B)");
    EXPECT_TRUE(text(Control::GadgetPaletteScreenColour).startsWith("Screen colour: #FF6D00 (255, 109, 0)"));

    const QImage animation = window().label(Control::GadgetAnimationImage)->pixmap().toImage();
    const std::pair<Control, QPoint> shown[] = {
        {Control::GadgetEditorCanvas, {30, 30}},        {Control::GadgetPreviewCanvas, {5, 5}},
        {Control::GadgetActualSizeCanvas, {1, 1}},      {Control::GadgetSlotCanvas, {45, 45}},
        {Control::GadgetLeftColourSwatch, {5, 5}},      {Control::GadgetRightColourSwatch, {5, 5}},
        {Control::GadgetPaletteCanvas, {EDITED * 32 + 10, 10}}, {Control::GadgetSheetCanvas, {33, 1}},
        {Control::GadgetPaletteSwatch, {5, 5}},
        {Control::GadgetPaletteChart, {CHART_LEFT + EDITED * CHART_CELL + 14, CHART_TOP + 14}},
    };
    for (const auto& [id, at] : shown) EXPECT_EQ(pixel(id, at.x(), at.y()), colour) << ui::controlName(id);
    EXPECT_EQ(animation.pixel(1, 1) & 0xFFFFFF, static_cast<QRgb>(qRgb(0xFF, 0x6D, 0x00)) & 0xFFFFFF);
    EXPECT_EQ(program().state.leftColourRgb, colour);

    // A sprite file's preview on the sheet canvas stays a preview of that file.
    app::drawFilePreview(program(), path("file.spr"));
    typeInto(Control::GadgetPaletteBlue, "7");
    EXPECT_EQ(pixel(Control::GadgetSheetCanvas, 1, 1), toolkit::rgbColour(0xFF, 0x6D, 0xFF));

    model().storeGrid();
    EXPECT_EQ(model().sheet.bytes, sheetBefore);
    EXPECT_EQ(std::tuple(program().colourSlots[3].paletteIndex, program().state.leftColour, program().state.rightColour),
              std::tuple(EDITED, EDITED, EDITED));
}

// Priority alone keeps a 24-bit colour from a file exactly; a component edit puts it on the levels.
TEST_F(PalettePage, AColourFromA24BitFileStaysExactUntilEdited) {
    Bytes rgb(768, 0);
    rgb[3 * OTHER] = 100, rgb[3 * OTHER + 1] = 150, rgb[3 * OTHER + 2] = 200;
    writeBytes(path("exact.pal"), rgb);
    dialogs.answerOpenFile(path("exact.pal"));
    press(Control::GadgetPaletteLoad);
    clickEntry(OTHER);
    EXPECT_EQ(text(Control::GadgetPaletteRed) + text(Control::GadgetPaletteGreen) + text(Control::GadgetPaletteBlue), "346");
    press(Control::GadgetPalettePriority);
    EXPECT_EQ(paletteColour(OTHER), toolkit::rgbColour(100, 150, 200));
    EXPECT_TRUE(entries()[OTHER].priority);
    typeInto(Control::GadgetPaletteRed, "3");
    EXPECT_EQ(paletteColour(OTHER), toolkit::rgbColour(0x6D, 0x92, 0xDB));
}

// 120 edits, one entry each: undo takes back 100 of them in order, redo brings them
// back, through the keys and the buttons; a new edit ends the redo.
TEST_F(PalettePage, UndoAndRedoStepThroughAtLeastAHundredEdits) {
    const std::vector<palette::PaletteEntry> start = entries();
    chart().setFocus();
    for (int i = 0; i < 120; ++i) {
        press(Control::GadgetPalettePriority);
        chart().setFocus();
        QTest::keyClick(&chart(), Qt::Key_Right);
    }
    const std::vector<palette::PaletteEntry> edited = entries();
    const auto toggled = [&](int entry) { return entries()[static_cast<std::size_t>(entry)].priority != start[static_cast<std::size_t>(entry)].priority; };
    for (int i = 0; i < 100; ++i) QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    for (int entry = 0; entry < 120; ++entry) EXPECT_EQ(toggled(entry), entry < 20) << entry;
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 5, 5), paletteColour(model().grid.cell(0, 0)));

    for (int i = 0; i < 50; ++i) QTest::keyClick(&window(), Qt::Key_Y, Qt::ControlModifier);
    for (int i = 0; i < 50; ++i) press(Control::GadgetPaletteRedo);
    EXPECT_EQ(entries(), edited);
    press(Control::GadgetPalettePriority);
    press(Control::GadgetPaletteRedo);
    EXPECT_EQ(program().palettePage.redoSteps.size(), 0u);

    // Ctrl+Z off the page is the sprite undo again: the palette stays.
    window().tabs()->setCurrentIndex(ui::PageDesign);
    const std::vector<palette::PaletteEntry> now = entries();
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(entries(), now);
}

// The arrows move the selection, stopping at the chart's edges; Tab goes on to the fields.
TEST_F(PalettePage, ArrowKeysMoveTheSelectionAndTabReachesTheFields) {
    chart().setFocus();
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Left, 0},  {Qt::Key_Up, 0},    {Qt::Key_Right, 1}, {Qt::Key_Down, 17},
        {Qt::Key_Left, 16}, {Qt::Key_Up, 0},    {Qt::Key_Left, 0},
    };
    for (const auto& [key, entry] : steps) {
        QTest::keyClick(&chart(), key);
        EXPECT_EQ(selected(), entry);
    }
    for (int i = 0; i < 20; ++i) QTest::keyClick(&chart(), Qt::Key_Down);
    QTest::keyClick(&chart(), Qt::Key_Right);
    EXPECT_EQ(selected(), 241);
    EXPECT_EQ(text(Control::GadgetPaletteEntryLabel), "Entry 241 ($F1): bank 15, colour 1");
    const palette::NextComponents next = palette::nextComponents(entries()[241]);
    EXPECT_EQ(text(Control::GadgetPaletteRed), QString::number(next.red));
    // The mark: white around the cell, the cell's colour inside.
    const int x = CHART_LEFT + CHART_CELL, y = CHART_TOP + 15 * CHART_CELL;
    EXPECT_EQ(chart().readPixel(x - 1, y - 1), toolkit::rgbColour(255, 255, 255));
    EXPECT_EQ(chart().readPixel(x + 14, y + 14), paletteColour(241));

    QTest::keyClick(&chart(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window().control(Control::GadgetPaletteRed));
}

// Every layout: the page loads a Next file and saves it through each filter. The batch
// "palette" command writes the same bytes from the same file, whether --format or the
// extension chose the layout, and the batch "sheet" command's --palette reads the file
// back: the sheet picture, two pixels per sprite pixel and two sprites a row, shows its colours.
TEST_F(PalettePage, SavesEveryLayoutByTheFilterChosenAsTheBatchCommandDoes) {
    writeBytes(path("in.npl"), nextPaletteFile());
    dialogs.answerOpenFile(path("in.npl"));
    press(Control::GadgetPaletteLoad);
    EXPECT_EQ(dialogs.callsOf(toolkit::DialogCall::Kind::OpenFile).back().filter,
              "Palette files|*.pal;*.nxp;*.npl;*.gpl;*.jasc|All files|*.*");
    const Bytes sprites = randomIndices(16, 16 * 5, 7);  // five sprites: the fifth starts at (0, 64)
    writeBytes(path("s.spr"), sprites);
    const auto batch = [](const QStringList& arguments) {
        return app::runBatch(QStringList{"viroror"} + arguments, QStringLiteral(VIROROR_RESOURCES));
    };

    const struct {
        int filter;
        const char* typed;  // the name as typed in the dialog
        const char* saved;  // the file written
        const char* format;
        PaletteFormat layout;
    } cases[] = {
        {0, "a", "a.pal", "rgb", PaletteFormat::Rgb24},    {1, "b.nxp", "b.nxp", "nxp", PaletteFormat::Next9Bit},
        {2, "C.NPL", "C.NPL", "npl", PaletteFormat::Next9BitTransparent}, {3, "d.gpl", "d.gpl", "gpl", PaletteFormat::Gimp},
        {4, "e", "e.jasc", "jasc", PaletteFormat::Jasc},
        {1, "f.pal", "f.pal", "nxp", PaletteFormat::Next9Bit},  // the filter wins, as --format does
        {-1, "g.gpl", "g.gpl", "gpl", PaletteFormat::Gimp},     // no filter known: the extension decides
    };
    for (const char* folder : {"format", "extension"}) QDir(dir.path()).mkdir(folder);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        dialogs.answerSaveFile(path(c.typed), c.filter);
        press(Control::GadgetPaletteSave);
        EXPECT_EQ(window().statusText(), "Saved palette " + path(c.saved));
        const Bytes written = readBytes(path(c.saved));
        EXPECT_EQ(palette::detectPaletteFormat(written), c.layout);
        const QString byFormat = path("format/") + c.saved, byExtension = path("extension/") + c.saved;
        ASSERT_EQ(batch({"palette", path("in.npl"), "-o", byFormat, "--format", c.format}), app::BATCH_OK);
        EXPECT_EQ(written, readBytes(byFormat));
        if (std::string(c.saved) != "f.pal") {  // where the extension names the layout
            ASSERT_EQ(batch({"palette", path("in.npl"), "-o", byExtension}), app::BATCH_OK);
            EXPECT_EQ(written, readBytes(byExtension));
        }

        ASSERT_EQ(batch({"sheet", path("s.spr"), "-o", path("s.png"), "--scale", "2", "--columns", "2", "--palette",
                         path(c.saved)}),
                  app::BATCH_OK);
        const auto png = imaging::decodePngFile(path("s.png").toStdString());
        ASSERT_TRUE(png);
        EXPECT_EQ(std::pair(png->width, png->height), std::pair(64, 96));
        EXPECT_EQ((palette::RgbColour{png->pixel(1, 65)[0], png->pixel(1, 65)[1], png->pixel(1, 65)[2]}),
                  program().palette.colour(sprites[4 * 256]));
    }
    EXPECT_EQ(dialogs.callsOf(toolkit::DialogCall::Kind::SaveFile).back().filter,
              "RGB palette, 768 bytes|*.pal|Next palette, 512 bytes|*.nxp|Next palette with transparent index, "
              "513 bytes|*.npl|GIMP palette|*.gpl|JASC-PAL palette|*.jasc");
}

// A refused file, one for each reason the page gives (every reader's own refusals: the
// palette tests), leaves the palette, the views and the undo history as they were and
// says why in the status bar.
TEST_F(PalettePage, AFailedLoadChangesNothingAndSaysWhy) {
    typeInto(Control::GadgetPaletteRed, "2");  // one edit in the history
    QDir(dir.path()).mkdir("folder");
    writeBytes(path("big.pal"), Bytes(771, 1));
    writeBytes(path("empty.pal"), {});
    writeBytes(path("broken.jasc"), Bytes{'J', 'A', 'S', 'C', '-', 'P', 'A', 'L', '\n', '0', '1', '0', '0', '\n', '9', '\n'});
    const std::pair<const char*, const char*> cases[] = {
        {"big.pal", "holds more than 256 colours"},
        {"empty.pal", "holds no colours"},
        {"broken.jasc", "is not a palette file in a layout this program reads"},
        {"none.nxp", "cannot be opened (no such file?)"},
        {"folder", "is a folder, not a file"},
    };
    const std::vector<palette::PaletteEntry> before = entries();
    const int shown = pixel(Control::GadgetPaletteChart, CHART_LEFT + 14, CHART_TOP + 14);
    for (const auto& [name, why] : cases) {
        SCOPED_TRACE(name);
        dialogs.answerOpenFile(path(name));
        press(Control::GadgetPaletteLoad);
        EXPECT_EQ(window().statusText(),
                  QString("Palette not loaded - %1 %2; the palette is unchanged").arg(path(name), why));
        EXPECT_EQ(entries(), before);
        EXPECT_EQ(program().palettePage.undoSteps.size(), 1u);
        EXPECT_EQ(pixel(Control::GadgetPaletteChart, CHART_LEFT + 14, CHART_TOP + 14), shown);
    }
}

}  // namespace
