#pragma once
// A whole editor run for the window tests, and the few helpers they share.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <cstdlib>
#include <memory>

#include "toolkit/canvas.h"
#include "toolkit/colour.h"
#include "toolkit/text_spin_box.h"
#include "app/commands.h"
#include "toolkit/dialogs.h"
#include "app/import_page.h"
#include "app/startup.h"
#include "imaging/fixed_colour_table.h"
#include "app/redraw.h"
#include "ui/window_main.h"
#include "tests/support/files.h"

namespace testing_support {

using support::Bytes;
using Type = toolkit::CanvasEvent::Type;
using ui::Control;

inline std::filesystem::path fsPath(const QString& path) { return path.toStdU16String(); }
inline Bytes readBytes(const QString& path) { return support::readBytes(fsPath(path)); }
inline void writeBytes(const QString& path, const Bytes& bytes) { support::writeBytes(fsPath(path), bytes); }

inline QRgb tableColour(int index) {
    const imaging::Rgb& c = imaging::FIXED_COLOUR_TABLE[static_cast<std::size_t>(index)];
    return qRgb(c.r, c.g, c.b);
}

// Seeded random table indices, and the w x h picture showing their table colours.
inline Bytes randomIndices(int w, int h, unsigned seed) { return support::seededBytes(std::size_t(w) * h, seed); }

inline QImage tablePicture(int w, int h, const Bytes& indices) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, tableColour(indices[static_cast<std::size_t>(y) * w + x]));
    return image;
}

// Runs a shell command quietly; true when it exits with 0.
inline bool shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

inline bool spinUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// One editor run in a temporary working folder that holds the default palette,
// answered by scripted dialogs, with the helpers the window tests share.
struct Editor {
    bool start() {
        if (!dir.isValid() ||
            !QFile::copy(QStringLiteral(VIROROR_RESOURCES "/rgb9spreada.pal"), path("rgb9spreada.pal")))
            return false;
        session = app::startEditor(dialogs, dir.path());
        return session != nullptr;
    }

    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

    app::Program& program() { return session->program; }
    model::SpriteModel& model() { return session->program.model; }
    ui::WindowMain& window() { return *session->window; }
    app::CommandTable& commands() { return *session->commands; }

    void press(ui::Control control) { window().button(control)->click(); }
    // Typed into a number field over its selected text: the typed value replaces it in one edit.
    void typeInto(Control field, const char* typed) {
        window().control(field)->setFocus();
        window().spinBox(field)->selectAll();
        QTest::keyClicks(window().control(field), typed);
    }
    QString text(ui::Control control) { return window().controlText(control); }
    toolkit::Canvas& canvas(Control id) { return *window().canvas(id); }
    int pixel(Control id, int x, int y) { return canvas(id).readPixel(x, y); }
    // The screen colour in the middle of editor cell (c, r).
    int shownCell(int c, int r) { return pixel(Control::GadgetEditorCanvas, c * 20 + 10, r * 20 + 10); }
    // Editor cell (c, r) pressed and released with the left or the right button.
    void clickCell(int c, int r, bool left = true) {
        const int x = c * 20 + 5, y = r * 20 + 5;
        commands().handleCanvas(Control::GadgetEditorCanvas, {left ? Type::LeftDown : Type::RightDown, x, y, left, !left, false});
        commands().handleCanvas(Control::GadgetEditorCanvas, {left ? Type::LeftUp : Type::RightUp, x, y, false, false, false});
    }
    // Shown and active: the window's keys act on an active window only.
    bool showActive() {
        window().show();
        window().activateWindow();
        return QTest::qWaitForWindowActive(&window());
    }
    // The screen colour of a palette entry.
    int paletteColour(int index) {
        const palette::RgbColour c = program().palette.colour(index);
        return toolkit::rgbColour(c.red, c.green, c.blue);
    }
    // Palette entry `index` as the left button's colour, as a click on the palette chooses it.
    void chooseLeft(int index) { app::showLeftColour(program(), index), program().state.leftColour = index; }
    std::pair<int, int> countAndCurrent() { return {model().spriteCount, model().currentSprite}; }
    Bytes sprite(int n) {
        auto s = model().sheet.sprite(n);
        return {s.begin(), s.end()};
    }
    // The last dialog shown, as "title|text".
    QString lastDialog() const {
        return dialogs.calls().empty() ? QString() : dialogs.calls().back().title + '|' + dialogs.calls().back().text;
    }

    QTemporaryDir dir;
    toolkit::ScriptedDialogs dialogs;
    std::unique_ptr<app::Session> session;
};

class SessionTest : public ::testing::Test, public Editor {
protected:
    void SetUp() override { ASSERT_TRUE(start()); }
    void TearDown() override {
        EXPECT_TRUE(dialogs.unexpectedCalls().empty()) << "a dialog was shown that the test did not expect";
    }
};

}  // namespace testing_support
