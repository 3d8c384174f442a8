// Every row of the command table pressed through the real window, once for each
// of its menu items, keys, pop-up items and controls, each in a fresh editor, and
// checked by what a user sees: where a marked cell lands, the bytes of the file
// written, the status text, the sprite count, the question asked.
#include <QClipboard>
#include <QGuiApplication>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>

#include <array>
#include <map>
#include <set>

#include "app/palette_page.h"
#include "app/window_text.h"
#include "palette/palette_formats.h"
#include "session_fixture.h"
#include "toolkit/text_number.h"

using namespace testing_support;

namespace {

// Sprite 2 of 3 is current: transparent with one mark; sprites 1 and 3 are filled.
constexpr int MARK = 0x1C, FIRST = 0x11, THIRD = 0x33, T = 0xE3;
constexpr int MARK_X = 3, MARK_Y = 5;
constexpr int PICTURE_W = 48, PICTURE_H = 32;

struct Press {
    enum Kind { Menu, Key, Click, Type, Slide, Tab, ListClick, ListDoubleClick } kind;
    int number = -1;
    QKeyCombination key{};
    Control control{};
    const char* typed = "";
};
Press menu(int number) { return {Press::Menu, number}; }
Press key(Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) { return {Press::Key, -1, QKeyCombination(m, k)}; }
Press click(Control c) { return {Press::Click, -1, {}, c}; }
Press type(Control c, const char* text) { return {Press::Type, -1, {}, c, text}; }
Press slide(Control c) { return {Press::Slide, -1, {}, c}; }

using Step = std::function<void(Editor&)>;
struct Expectation {
    std::vector<Press> presses;
    Step check;
    Step prepare = nullptr;
    const char* question = nullptr;  // "title|text" of the yes/no box asked first
};

bool filled(const Bytes& bytes, int value) { return std::ranges::all_of(bytes, [&](int b) { return b == value; }); }
Bytes gridBytes(Editor& e) { return {e.model().grid.cells.begin(), e.model().grid.cells.end()}; }
Bytes blockBytes(Editor& e) { return {e.model().block.bytes.begin(), e.model().block.bytes.end()}; }
// What a refused question must leave as it was.
auto snapshot(Editor& e) { return std::tuple(e.model().sheet.bytes, e.model().grid.cells, e.countAndCurrent()); }
Bytes sheetBytes(Editor& e, int sprites) {
    return {e.model().sheet.bytes.begin(), e.model().sheet.bytes.begin() + sprites * 256};
}
Bytes markedSprite() {
    Bytes bytes(256, T);
    bytes[MARK_Y * 16 + MARK_X] = MARK;
    return bytes;
}
Bytes picture() { return randomIndices(PICTURE_W, PICTURE_H, 5); }
void loadPicture(Editor& e) {
    ASSERT_TRUE(tablePicture(PICTURE_W, PICTURE_H, picture()).save(e.path("pic.png")));
    ASSERT_TRUE(app::loadImportImage(e.program(), e.path("pic.png")));
}
QPlainTextEdit& listing(Editor& e) { return *e.window().textArea(Control::GadgetAsmText); }

// The mark alone, at (x, y), in the model and on the screen.
Step markAt(int x, int y) {
    return [x, y](Editor& e) {
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 16; ++c) {
                const bool mark = c == x && r == y;
                EXPECT_EQ(e.model().grid.cell(c, r), mark ? MARK : T) << c << "," << r;
                EXPECT_EQ(e.shownCell(c, r), e.paletteColour(mark ? MARK : T)) << c << "," << r;
            }
    };
}
Step onSprite(int current, int count, int fill) {
    return [=](Editor& e) {
        EXPECT_EQ(e.countAndCurrent(), std::pair(count, current));
        EXPECT_EQ(e.text(Control::GadgetSpriteNumber), QString::number(current - 1));
        EXPECT_EQ(e.text(Control::GadgetSpriteCount), QString::number(count - 1));
        EXPECT_TRUE(filled(gridBytes(e), fill));
        EXPECT_EQ(e.shownCell(0, 0), e.paletteColour(fill));
    };
}
Step status(const QString& text) { return [text](Editor& e) { EXPECT_EQ(e.window().statusText(), text); }; }
Step both(Step a, Step b) { return [a, b](Editor& e) { a(e), b(e); }; }
Step answerSave(const char* name) { return [name](Editor& e) { e.dialogs.answerSaveFile(e.path(name)); }; }
// The file holds these bytes and the status says where it went.
Step wrote(const char* name, std::function<Bytes(Editor&)> bytes, const char* statusText) {
    return [=](Editor& e) {
        EXPECT_EQ(readBytes(e.path(name)), bytes(e));
        EXPECT_EQ(e.window().statusText(), QString::fromUtf8(statusText).replace("%1", e.path(name)));
    };
}
void listed(Editor& e) {
    ASSERT_TRUE(spinUntil([&] { return !e.program().state.listingRunning; }));
    const QString text = listing(e).toPlainText();
    EXPECT_TRUE(text.startsWith("Sprite1:\n\tdb  $11, $11,")) << text.left(40).toStdString();
    EXPECT_TRUE(text.contains("Sprite2:\n\tdb  $E3,") && text.contains(", $1C, ") && text.contains("Sprite3:\n\tdb  $33,"));
    EXPECT_FALSE(text.contains("Sprite4:"));
}
Step grabShowsTheFields = [](Editor& e) {
    const int x = toolkit::textToNumber(e.text(Control::GadgetGrabX)), y = toolkit::textToNumber(e.text(Control::GadgetGrabY));
    EXPECT_EQ(e.window().canvas(Control::GadgetGrabCanvas)->readPixel(1, 1),
              e.window().canvas(Control::GadgetImportCanvas)->readPixel(x, y));
    EXPECT_EQ(e.program().views.grabAcross, toolkit::textToNumber(e.text(Control::GadgetGrabWidth)));
    EXPECT_EQ(e.program().views.grabDown, toolkit::textToNumber(e.text(Control::GadgetGrabHeight)));
};
Step resizeFieldsMatchSliders = [](Editor& e) {
    for (auto [field, slider] : {std::pair{Control::GadgetResizeWidth, Control::GadgetResizeWidthSlider},
                                 {Control::GadgetResizeHeight, Control::GadgetResizeHeightSlider}})
        EXPECT_EQ(e.text(field), QString::number(e.window().controlState(slider)));
};
Step resizeMode(int raw) {
    return [raw](Editor& e) {
        EXPECT_EQ(std::pair(e.window().controlState(Control::GadgetResizeRaw),
                            e.window().controlState(Control::GadgetResizeSmooth)), std::pair(raw, 1 - raw));
    };
}
constexpr int SHEET_MARK = toolkit::rgbColour(1, 2, 3);
Step markSheetCanvas = [](Editor& e) { e.window().canvas(Control::GadgetSheetCanvas)->setBackground(SHEET_MARK); };
Step listedFile = [](Editor& e) { writeBytes(e.path("list.spr"), Bytes(256, 0x55)), markSheetCanvas(e); };

// The "Palette" page's rows act on entry 0; these are its palettes before and after an edit.
palette::Palette paletteWithEntry0(Editor& e, palette::NextComponents components, bool priority) {
    std::vector<palette::PaletteEntry> entries = e.program().palette.entries();
    entries[0] = palette::entryFromNextComponents(components, priority, 0);
    return palette::Palette(std::move(entries));
}
Step editEntry0 = [](Editor& e) { app::changePalette(e.program(), paletteWithEntry0(e, {1, 2, 3}, false)); };
Step onPalettePage = [](Editor& e) { e.window().tabs()->setCurrentIndex(ui::PagePalette); };
// The undo and redo steps the page holds, and the swatch showing entry 0's colour.
Step paletteSteps(std::size_t undo, std::size_t redo) {
    return [=](Editor& e) {
        EXPECT_EQ(std::pair(e.program().palettePage.undoSteps.size(), e.program().palettePage.redoSteps.size()),
                  std::pair(undo, redo));
        EXPECT_EQ(e.pixel(Control::GadgetPaletteSwatch, 5, 5), e.paletteColour(0));
    };
}
// A Next 512-byte palette: seeded colours, priority on about half of them.
Bytes nineBitFile() {
    Bytes bytes = randomIndices(2, 256, 3);
    for (std::size_t i = 1; i < bytes.size(); i += 2) bytes[i] &= 0x81;
    return bytes;
}
Bytes encoded(Editor& e, palette::PaletteFormat format) { return palette::encodePaletteFile(e.program().palette, format); }

void moveMarkByStroke(Editor& e) {
    e.model().grid.cell(MARK_X, MARK_Y) = T;
    e.model().grid.cell(7, 7) = MARK;
    e.model().pushUndoSnapshot();
}

const std::map<std::string, Expectation> EXPECTED = {
    {"quit", {{menu(ui::MenuQuit)}, [](Editor& e) { EXPECT_FALSE(e.window().isVisible()); }}},
    {"about", {{menu(ui::MenuFileAbout), menu(ui::MenuAbout)}, [](Editor& e) {
         EXPECT_EQ(e.lastDialog(), "About Viroror|Viroror v0.4.8b\nSprite editor for the ZX Spectrum Next.");
     }}},
    {"cut", {{menu(ui::MenuCut), key(Qt::Key_X)}, [](Editor& e) {
         EXPECT_EQ(e.window().statusText(), "Block cut to clipboard");
         EXPECT_TRUE(filled(gridBytes(e), 0xFF) && filled(e.sprite(2), 0xFF));
         EXPECT_EQ(e.shownCell(MARK_X, MARK_Y), e.paletteColour(0xFF));
         EXPECT_EQ(blockBytes(e), markedSprite());
     }}},
    {"copy", {{menu(ui::MenuCopy), key(Qt::Key_C), click(Control::GadgetCopy)}, [](Editor& e) {
         EXPECT_EQ(e.window().statusText(), "Block copied");
         EXPECT_EQ(blockBytes(e), markedSprite());
         markAt(MARK_X, MARK_Y)(e);
     }}},
    {"paste", {{menu(ui::MenuPaste), key(Qt::Key_V), click(Control::GadgetPaste)},
               both(status("Block pasted"), [](Editor& e) { EXPECT_TRUE(filled(gridBytes(e), 0x77) && filled(e.sprite(2), 0x77)); }),
               [](Editor& e) { e.model().block.bytes.fill(0x77); }}},
    {"previousSprite", {{key(Qt::Key_Left), click(Control::GadgetPrevSprite)}, onSprite(1, 3, FIRST)}},
    {"nextSprite", {{key(Qt::Key_Right), click(Control::GadgetNextSprite)}, onSprite(3, 3, THIRD)}},
    {"addSprite", {{key(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier), click(Control::GadgetAddSprite)},
                   onSprite(3, 4, THIRD)}},
    {"removeLastSprite", {{click(Control::GadgetRemoveSprite)}, onSprite(1, 2, FIRST), {},
                          "Remove LAST sprite|This will remove the last sprite?"}},
    {"clearSprite", {{click(Control::GadgetClear)}, [](Editor& e) {
         EXPECT_TRUE(filled(gridBytes(e), T) && filled(e.sprite(2), T));
         EXPECT_TRUE(filled(e.sprite(1), FIRST) && filled(e.sprite(3), THIRD));
         EXPECT_EQ(e.shownCell(MARK_X, MARK_Y), e.paletteColour(T));
     }, {}, "Clear CURRENT sprite|This will clear current sprite?"}},
    {"clearSheet", {{click(Control::GadgetClearSheet)}, [](Editor& e) {
         onSprite(1, 1, T)(e);
         EXPECT_TRUE(filled(sheetBytes(e, 64), T));
     }, {}, "Clear Sprites?|This will clear all sprites!"}},
    {"rotate", {{key(Qt::Key_R), click(Control::GadgetRotate)}, markAt(15 - MARK_Y, MARK_X)}},
    {"mirror", {{key(Qt::Key_F), click(Control::GadgetFlipF)}, markAt(15 - MARK_X, MARK_Y)}},
    {"flip", {{key(Qt::Key_H), click(Control::GadgetFlipH)}, markAt(MARK_X, 15 - MARK_Y)}},
    {"scrollRight", {{key(Qt::Key_D), click(Control::GadgetRotateRight)}, markAt(MARK_X + 1, MARK_Y)}},
    {"scrollLeft", {{key(Qt::Key_A), click(Control::GadgetRotateLeft)}, markAt(MARK_X - 1, MARK_Y)}},
    {"scrollUp", {{key(Qt::Key_W), click(Control::GadgetRotateUp)}, markAt(MARK_X, MARK_Y - 1)}},
    {"scrollDown", {{key(Qt::Key_S), click(Control::GadgetRotateDown)}, markAt(MARK_X, MARK_Y + 1)}},
    // A stroke moved the mark to (7, 7); undo brings it back, redo after an undo repeats it.
    {"undo", {{key(Qt::Key_Z), click(Control::GadgetUndo)}, markAt(MARK_X, MARK_Y), moveMarkByStroke}},
    {"redo", {{click(Control::GadgetRedo)}, markAt(7, 7), [](Editor& e) { moveMarkByStroke(e), e.model().undo(); }}},
    {"pickColour", {{key(Qt::Key_P)}, both(status("Picking colour..."), [](Editor& e) {
         EXPECT_EQ(e.window().controlState(Control::GadgetDropper), 1);
     })}},
    {"dropperToggled", {{click(Control::GadgetDropper)}, status("Picking colour...")}},
    {"fillToggled", {{click(Control::GadgetFill)}, status("Fill colour...")}},
    {"spriteDepth", {{click(Control::GadgetFourBit)}, [](Editor& e) {
         EXPECT_TRUE(e.model().fourBit() && e.lastDialog().startsWith("4-bit sprites|"));
         EXPECT_EQ(std::pair(e.model().grid.cell(0, 0), e.shownCell(0, 0)), std::pair(3, e.paletteColour(3)));
         EXPECT_EQ(e.text(Control::GadgetRangeTo), "127");
         status("4-bit sprites in bank 0 (entries 0 to 15)")(e);
     }, [](Editor& e) { e.dialogs.answerYesNo(true); }}},
    {"bank", {{type(Control::GadgetBank, "3")}, [](Editor& e) {
         EXPECT_EQ(std::pair(e.model().grid.cell(0, 0), e.shownCell(0, 0)), std::pair(3, e.paletteColour(51)));
         status("4-bit sprites in bank 3 (entries 48 to 63)")(e);
     }, [](Editor& e) { e.dialogs.answerYesNo(true), e.press(Control::GadgetFourBit); }}},
    {"toggleTransparent", {{click(Control::GadgetShowTransparent)}, [](Editor& e) {
         EXPECT_EQ(e.shownCell(0, 0), toolkit::rgbColour(255, 255, 255));
         EXPECT_EQ(e.shownCell(MARK_X, MARK_Y), e.paletteColour(MARK));
     }}},
    {"nextPalettePicture", {{click(Control::GadgetPalettePicture)}, [](Editor& e) {
         EXPECT_EQ(e.program().state.palettePictureIndex, 1);
         EXPECT_FALSE(e.program().views.palettePictures[1].isNull());
         const int shown = e.window().canvas(Control::GadgetPaletteCanvas)->readPixel(150, 100);
         EXPECT_TRUE(e.program().palette.findIndex(toolkit::redOf(shown), toolkit::greenOf(shown), toolkit::blueOf(shown)));
     }}},
    {"pageChanged", {{{Press::Tab, ui::PagePreview}}, [](Editor& e) {
         EXPECT_EQ(e.window().statusText(), "Ready...");
         EXPECT_EQ(e.window().canvas(Control::GadgetSheetCanvas)->readPixel(64 + 30, 30), e.paletteColour(THIRD));
     }, markSheetCanvas}},
    {"animationDelay", {{type(Control::GadgetAnimDelay, "40")},
                        [](Editor& e) { EXPECT_EQ(e.program().animationTimer->interval(), 40); }}},
    {"loadSheet", {{click(Control::GadgetLoadSheet)}, [](Editor& e) {
         onSprite(1, 2, 0x44)(e);
         EXPECT_EQ(e.sprite(2), Bytes(256, 0x44));
         EXPECT_EQ(e.lastDialog(), "Success|Loaded 2 sprite(s).");
         EXPECT_EQ(e.window().statusText(), "Success - Loaded 2 sprite(s).");
     }, [](Editor& e) { writeBytes(e.path("load.spr"), Bytes(512, 0x44)), e.dialogs.answerOpenFile(e.path("load.spr")); }}},
    {"saveAll", {{click(Control::GadgetSaveAll)},
                 wrote("all.SPR", [](Editor& e) { return sheetBytes(e, 3); }, "Success - Saved sprite sheet 3"),
                 answerSave("all")}},
    {"saveRange", {{click(Control::GadgetSaveRange)}, wrote("range.SPR", [](Editor& e) {
         const Bytes all = sheetBytes(e, 3);
         return Bytes(all.begin() + 256, all.end());
     }, "Success - Saved sprite sheet 2"), [](Editor& e) {
         e.window().setControlText(Control::GadgetRangeFrom, "1");
         e.window().setControlText(Control::GadgetRangeTo, "2");
         answerSave("range")(e);
     }}},
    {"quickSave", {{click(Control::GadgetQuickSave)},
                   wrote("quick.bin", [](Editor& e) { return sheetBytes(e, 3); }, "Quick saved as :%1"),
                   answerSave("quick.bin")}},
    {"exportSprite", {{click(Control::GadgetExportSprite)}, wrote("one.spr", gridBytes, "Saved %1"),
                      answerSave("one.spr")}},
    // The colours as last counted, not as painted since; the status is left as it was.
    {"saveColourPal", {{click(Control::GadgetSavePalette)}, [](Editor& e) {
         Bytes expected(512, 0);
         for (int k : {0, 1, 2, 3}) expected[2 * k] = std::array{FIRST, MARK, THIRD, T}[k];
         EXPECT_EQ(readBytes(e.path("colors.pal")), expected);
         status("-")(e);
     }, [](Editor& e) {
         app::countColours(e.program());
         e.model().grid.cell(0, 0) = 0x99;
     }}},
    {"generateListing", {{click(Control::GadgetGenerate)}, listed}},
    {"generateFromPopup", {{menu(ui::PopupOutputGenerate)}, listed}},
    {"copyListing", {{click(Control::GadgetCopyToClipboard), menu(ui::PopupOutputCopy)}, [](Editor& e) {
         EXPECT_EQ(QGuiApplication::clipboard()->text(), "beta\ngamma");
         EXPECT_EQ(e.window().statusText(), "Copied selection to clipboard");
     }, [](Editor& e) {
         QGuiApplication::clipboard()->setText("old");
         listing(e).setPlainText("alpha\nbeta\ngamma");
         QTextCursor cursor(listing(e).document());
         cursor.setPosition(6);
         cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
         listing(e).setTextCursor(cursor);
     }}},
    {"selectAllListing", {{menu(ui::PopupOutputSelectAll)}, [](Editor& e) {
         EXPECT_EQ(listing(e).textCursor().selectedText(), QString("alpha") + QChar::ParagraphSeparator + "beta");
     }, [](Editor& e) { listing(e).setPlainText("alpha\nbeta"); }}},
    {"saveListing", {{click(Control::GadgetSaveAsm)}, [](Editor& e) {
         EXPECT_EQ(readBytes(e.path("out.asm")), (Bytes{'L', '1', ':', '\r', '\n', 'x'}));
         EXPECT_EQ(e.lastDialog(), "Save|Save complete.");
         const toolkit::DialogCall asked = e.dialogs.callsOf(toolkit::DialogCall::Kind::SaveFile).at(0);
         EXPECT_EQ(asked.title + "|" + asked.text + "|" + asked.filter, "Save ASM output|" + e.path("export.asm|.asm"));
     }, [](Editor& e) { listing(e).setPlainText("L1:\nx"), answerSave("out.asm")(e); }}},
    {"loadImage", {{click(Control::GadgetLoadImage)}, [](Editor& e) {
         EXPECT_EQ(e.text(Control::GadgetResizeWidth) + "x" + e.text(Control::GadgetResizeHeight), "48x32");
         const Bytes indices = picture();
         EXPECT_EQ(e.window().canvas(Control::GadgetImportCanvas)->image().pixel(47, 31) | 0xFF000000u,
                   tableColour(indices.back()));
     }, [](Editor& e) {
         ASSERT_TRUE(tablePicture(PICTURE_W, PICTURE_H, picture()).save(e.path("pic.png")));
         e.dialogs.answerOpenFile(e.path("pic.png"));
     }}},
    {"importSprites", {{click(Control::GadgetImportSprites)}, [](Editor& e) {
         const Bytes indices = picture();
         for (int y = 0; y < 16; ++y)
             for (int x = 0; x < 16; ++x) EXPECT_EQ(e.model().grid.cell(x, y), indices[y * PICTURE_W + 16 + x]);
         EXPECT_EQ(e.countAndCurrent(), std::pair(3, 2));
         EXPECT_EQ(e.lastDialog(), "Success|Imported sprites : 1");
     }, [](Editor& e) {
         loadPicture(e);
         for (auto [field, value] : {std::pair{Control::GadgetGrabX, "16"}, {Control::GadgetGrabY, "0"},
                                     {Control::GadgetGrabWidth, "1"}, {Control::GadgetGrabHeight, "1"}})
             e.window().setControlText(field, value);
     }}},
    {"exportBitmap", {{click(Control::GadgetExportBmp)}, [](Editor& e) {
         EXPECT_EQ(readBytes(e.path("pic.bmp")).size(), 1078u + PICTURE_W * PICTURE_H);
         EXPECT_EQ(e.window().statusText(), "Saved " + e.path("pic.bmp") + ".");
     }, [](Editor& e) { loadPicture(e), answerSave("pic.bmp")(e); }}},
    {"grabPreview", {{type(Control::GadgetGrabX, "16"), type(Control::GadgetGrabY, "9"),
                      type(Control::GadgetGrabWidth, "2"), type(Control::GadgetGrabHeight, "2")},
                     grabShowsTheFields, loadPicture}},
    {"resizeFields", {{type(Control::GadgetResizeWidth, "77"), type(Control::GadgetResizeHeight, "55")},
                      resizeFieldsMatchSliders}},
    {"resizeSliders", {{slide(Control::GadgetResizeWidthSlider), slide(Control::GadgetResizeHeightSlider)},
                       resizeFieldsMatchSliders}},
    {"resizeRaw", {{click(Control::GadgetResizeRaw)}, resizeMode(1),
                   [](Editor& e) { e.window().setControlState(Control::GadgetResizeSmooth, 1); }}},
    {"resizeSmooth", {{click(Control::GadgetResizeSmooth)}, resizeMode(0),
                      [](Editor& e) { e.window().setControlState(Control::GadgetResizeRaw, 1); }}},
    {"clearImportCanvas", {{slide(Control::GadgetRedShift), slide(Control::GadgetGreenShift),
                            slide(Control::GadgetBlueShift), click(Control::GadgetNineBit)}, [](Editor& e) {
         EXPECT_EQ(e.window().canvas(Control::GadgetImportCanvas)->readPixel(0, 0), toolkit::rgbColour(40, 40, 40));
     }, loadPicture}},
    {"sheetPreview", {{click(Control::GadgetPreviewButton), type(Control::GadgetSheetCount, "2"),
                       type(Control::GadgetSheetWidth, "1"), type(Control::GadgetSheetOffset, "2"),
                       click(Control::GadgetShowValues)}, [](Editor& e) {
         EXPECT_NE(e.window().canvas(Control::GadgetSheetCanvas)->readPixel(31, 31), SHEET_MARK);
     }, markSheetCanvas}},
    {"previewListedFile", {{{Press::ListClick}}, [](Editor& e) {
         EXPECT_EQ(e.window().canvas(Control::GadgetSheetCanvas)->readPixel(31, 31), e.paletteColour(0x55));
         EXPECT_TRUE(filled(e.sprite(1), FIRST));
     }, listedFile}},
    {"loadListedFile", {{{Press::ListDoubleClick}}, [](Editor& e) {
         onSprite(1, 1, 0x55)(e);
         EXPECT_EQ(e.lastDialog(), "Success|Loaded 1 sprite(s).");
     }, listedFile}},
    // Entry 0 black: each field typed on its own holds 7, the others stay 0, in one step.
    {"paletteComponents", {{type(Control::GadgetPaletteRed, "7"), type(Control::GadgetPaletteGreen, "7"),
                            type(Control::GadgetPaletteBlue, "7")}, [](Editor& e) {
         const palette::NextComponents c = palette::nextComponents(e.program().palette[0]);
         EXPECT_EQ(std::max({c.red, c.green, c.blue}) + std::min({c.red, c.green, c.blue}), 7);
         paletteSteps(1, 0)(e);
     }, [](Editor& e) {
         app::changePalette(e.program(), paletteWithEntry0(e, {0, 0, 0}, false)), e.program().palettePage.undoSteps.clear();
     }}},
    {"palettePriority", {{click(Control::GadgetPalettePriority)}, [](Editor& e) {
         EXPECT_TRUE(e.program().palette[0].priority);
         paletteSteps(1, 0)(e);
     }}},
    {"paletteUndo", {{click(Control::GadgetPaletteUndo)}, paletteSteps(0, 1), editEntry0}},
    {"paletteRedo", {{key(Qt::Key_Y), click(Control::GadgetPaletteRedo)}, [](Editor& e) {
         EXPECT_EQ(e.program().palette.entries(), paletteWithEntry0(e, {1, 2, 3}, false).entries());
         paletteSteps(1, 0)(e);
     }, [](Editor& e) { onPalettePage(e), editEntry0(e), app::undoPaletteEdit(e.program()); }}},
    {"loadPalette", {{click(Control::GadgetPaletteLoad)}, [](Editor& e) {
         EXPECT_EQ(encoded(e, palette::PaletteFormat::Next9Bit), nineBitFile());
         EXPECT_EQ(e.window().statusText(), "Loaded palette " + e.path("in.nxp"));
         paletteSteps(1, 0)(e);
     }, [](Editor& e) { writeBytes(e.path("in.nxp"), nineBitFile()), e.dialogs.answerOpenFile(e.path("in.nxp")); }}},
    // The second filter, the Next's 512 bytes, gives a name typed without one its extension.
    {"savePalette", {{click(Control::GadgetPaletteSave)},
                     wrote("p.nxp", [](Editor& e) { return encoded(e, palette::PaletteFormat::Next9Bit); }, "Saved palette %1"),
                     [](Editor& e) { e.dialogs.answerSaveFile(e.path("p"), 1); }}},
    {"savePaletteDefault", {{click(Control::GadgetPaletteSaveDefault)}, [](Editor& e) {
         wrote("rgb9spreada.pal", [](Editor& x) { return encoded(x, palette::PaletteFormat::Rgb24); },
               "Saved palette %1")(e);
         EXPECT_EQ(encoded(e, palette::PaletteFormat::Next9Bit), nineBitFile());
     }, [](Editor& e) { app::changePalette(e.program(), *palette::decodePaletteFile(nineBitFile())); },
     "Save as default|This will replace rgb9spreada.pal in the working folder; the next start uses it?"}},
};

// A fresh editor, shown and active, in the state every row starts from.
std::unique_ptr<Editor> startState() {
    auto e = std::make_unique<Editor>();
    if (!e->start() || !e->showActive()) return nullptr;
    model::SpriteModel& m = e->model();
    std::fill_n(m.sheet.bytes.begin(), 256, FIRST);
    std::fill_n(m.sheet.bytes.begin() + 512, 256, THIRD);
    m.sheet.sprite(2)[MARK_Y * 16 + MARK_X] = MARK;
    m.spriteCount = 3;
    m.currentSprite = 2;
    m.loadGrid();
    m.restartUndo();
    app::showSpriteCount(e->program());
    return e;
}

void showPageOf(Editor& e, const Press& press) {
    QTabWidget* tabs = e.window().tabs();
    const QWidget* widget = press.kind == Press::ListClick || press.kind == Press::ListDoubleClick
                                ? e.window().fileList()
                                : e.window().control(press.control);
    for (int page = 0; page < tabs->count(); ++page)
        if (press.kind != Press::Tab && tabs->widget(page)->isAncestorOf(widget)) tabs->setCurrentIndex(page);
}

void doPress(Editor& e, const Press& press) {
    ui::WindowMain& w = e.window();
    switch (press.kind) {
        case Press::Menu: w.menuAction(press.number)->trigger(); break;
        case Press::Key: QTest::keyClick(&w, press.key.key(), press.key.keyboardModifiers()); break;
        case Press::Click: QTest::mouseClick(w.button(press.control), Qt::LeftButton); break;
        case Press::Slide: w.trackBar(press.control)->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
        case Press::Type: e.typeInto(press.control, press.typed); break;
        case Press::Tab: {
            QTabBar* bar = w.tabs()->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(press.number).center());
            break;
        }
        case Press::ListClick:
        case Press::ListDoubleClick: {
            const QModelIndex item = w.fileModel()->index(e.path("list.spr"));
            QRect cell;
            ASSERT_TRUE(spinUntil([&] { return (cell = w.fileList()->visualRect(item)).isValid(); }));
            QTest::mouseClick(w.fileList()->viewport(), Qt::LeftButton, {}, cell.center());
            if (press.kind == Press::ListDoubleClick)
                QTest::mouseDClick(w.fileList()->viewport(), Qt::LeftButton, {}, cell.center());
            break;
        }
    }
}

// Keys no row is bound to change nothing: the main keyboard's plus is not the keypad's.
TEST(CommandRows, UnboundKeysDoNothing) {
    std::unique_ptr<Editor> e = startState();
    ASSERT_TRUE(e);
    const auto before = snapshot(*e);
    for (Qt::Key k : {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Q, Qt::Key_Y, Qt::Key_Up, Qt::Key_Down})
        QTest::keyClick(&e->window(), k, Qt::ControlModifier);
    EXPECT_TRUE(snapshot(*e) == before);
    EXPECT_TRUE(e->dialogs.calls().empty());
}

TEST(CommandRows, EachRowDoesItsOwnThingThroughEveryTrigger) {
    std::set<std::string> seen;
    for (const app::CommandRow& row : app::commandRows()) {
        const auto expected = EXPECTED.find(row.id);
        ASSERT_NE(expected, EXPECTED.end()) << "no expectation for the row " << row.id;
        seen.insert(row.id);
        const Expectation& x = expected->second;
        // The keypad plus is bound twice to adding a sprite; one press of it raises the row.
        EXPECT_EQ(row.raisedBy.size() - (std::string(row.id) == "addSprite"), x.presses.size()) << row.id;
        EXPECT_EQ(row.confirmation.title ? QString("%1|%2").arg(row.confirmation.title, row.confirmation.text) : "",
                  x.question ? x.question : "") << row.id;
        for (std::size_t n = 0; n < x.presses.size(); ++n) {
            for (bool yes : x.question ? std::vector{false, true} : std::vector{true}) {
                SCOPED_TRACE(std::string(row.id) + " press " + std::to_string(n) + (yes ? "" : " answered No"));
                std::unique_ptr<Editor> e = startState();
                ASSERT_TRUE(e);
                showPageOf(*e, x.presses[n]);
                if (x.prepare) x.prepare(*e);
                if (HasFatalFailure()) return;
                app::drawEditorGrid(e->program());
                e->window().setStatus("-", 0);
                const auto before = snapshot(*e);
                if (x.question) e->dialogs.answerYesNo(yes);
                doPress(*e, x.presses[n]);
                EXPECT_TRUE(!x.question || e->lastDialog() == x.question) << e->lastDialog().toStdString();
                if (yes) x.check(*e);
                else EXPECT_TRUE(snapshot(*e) == before) << "answered No, yet something changed";
                EXPECT_TRUE(e->dialogs.unexpectedCalls().empty());
            }
        }
    }
    EXPECT_EQ(seen.size(), EXPECTED.size()) << "an expectation names a row the table lacks";
}

}  // namespace
