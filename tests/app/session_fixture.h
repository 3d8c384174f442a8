#pragma once
// A whole editor run for window tests (a temporary working folder holding the
// default palette, scripted dialogs, the session start-up builds there) and the
// few helpers the tests share.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemModel>
#include <QImage>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "toolkit/canvas.h"
#include "toolkit/colour.h"
#include "app/commands.h"
#include "toolkit/dialogs.h"
#include "app/import_page.h"
#include "app/startup.h"
#include "imaging/fixed_colour_table.h"
#include "app/redraw.h"
#include "ui/window_main.h"

namespace testing_support {

using Bytes = std::vector<std::uint8_t>;
using Type = toolkit::CanvasEvent::Type;
using ui::Control;

inline Bytes readBytes(const QString& path) {
    std::ifstream in(std::filesystem::path(path.toStdU16String()), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const QString& path, const Bytes& bytes) {
    std::ofstream out(std::filesystem::path(path.toStdU16String()), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline QRgb tableColour(int index) {
    const imaging::Rgb& c = imaging::FIXED_COLOUR_TABLE[static_cast<std::size_t>(index)];
    return qRgb(c.r, c.g, c.b);
}

// Seeded random table indices, and the w x h picture showing their table colours.
inline Bytes randomIndices(int w, int h, unsigned seed) {
    std::mt19937 random(seed);
    Bytes indices(static_cast<std::size_t>(w) * h);
    for (auto& i : indices) i = static_cast<std::uint8_t>(random());
    return indices;
}

inline QImage tablePicture(int w, int h, const Bytes& indices) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, tableColour(indices[static_cast<std::size_t>(y) * w + x]));
    return image;
}

// The image in a format Qt writes, as file bytes.
inline Bytes encoded(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    EXPECT_TRUE(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, format));
    return Bytes(data.begin(), data.end());
}

// Runs a shell command quietly; true when it exits with 0.
inline bool shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// A Python that has Pillow, or empty.
inline std::string pythonWithPillow() {
    for (const char* python : {"/usr/bin/python3", "python3"})
        if (shell(std::string(python) + " -c 'import PIL'")) return python;
    return {};
}

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
    QString path(const char* name) const { return path(QString::fromUtf8(name)); }

    app::Program& program() { return session->program; }
    model::SpriteModel& model() { return session->program.model; }
    ui::WindowMain& window() { return *session->window; }
    app::CommandTable& commands() { return *session->commands; }

    void press(ui::Control control) { window().button(control)->click(); }
    // Presses a button whose file dialog is answered with name (empty: a cancel).
    void pressSaving(ui::Control control, const QString& name) {
        dialogs.answerSaveFile(name);
        press(control);
    }
    void pressOpening(ui::Control control, const QString& name) {
        dialogs.answerOpenFile(name);
        press(control);
    }
    QString text(ui::Control control) { return window().controlText(control); }
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
