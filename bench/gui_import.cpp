// The "Import Sprites" cut of 64 cells (the whole rectangle the page allows) and the
// listing of 64 sprites, both in a real editor session on Qt's offscreen platform.
// The listing is measured without its deliberate 5 ms pause per sprite: what is
// left is the text building and the appends to the output area.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <random>
#include <vector>

#include "toolkit/canvas.h"
#include "toolkit/dialogs.h"
#include "app/import_canvas.h"
#include "app/import_page.h"
#include "app/listing_worker.h"
#include "app/startup.h"
#include "imaging/fixed_colour_table.h"
#include "palette/palette_file.h"
#include "ui/window_main.h"

#include "gui_bench_main.h"

namespace {

// One editor run in a temporary folder whose palette file holds the fixed table.
struct BenchSession {
    QTemporaryDir dir;
    toolkit::ScriptedDialogs dialogs;
    std::unique_ptr<app::Session> session;

    BenchSession() {
        QFile palette(dir.filePath(QString::fromLatin1(palette::PALETTE_FILE_NAME)));
        if (palette.open(QIODevice::WriteOnly)) {
            for (const imaging::Rgb& c : imaging::FIXED_COLOUR_TABLE) {
                const char rgb[3] = {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
                palette.write(rgb, 3);
            }
            palette.close();
        }
        session = app::startEditor(dialogs, dir.path());
    }
    app::Program& program() { return session->program; }
};

// A 256 x 64 picture of random table colours, the 16 x 4 cells of a full import.
imaging::Picture randomTablePicture(int w, int h) {
    std::mt19937 random(64);
    imaging::Picture picture;
    picture.width = w;
    picture.height = h;
    for (int i = 0; i < w * h; ++i) {
        const imaging::Rgb& c = imaging::FIXED_COLOUR_TABLE[random() & 0xFF];
        picture.rgb.insert(picture.rgb.end(), {c.r, c.g, c.b});
    }
    return picture;
}

void BM_ImportSixtyFourCells(benchmark::State& state) {
    BenchSession run;
    if (!run.session) {
        state.SkipWithError("the editor did not start");
        return;
    }
    app::Program& program = run.program();
    app::drawOnImportCanvas(app::importCanvas(program), randomTablePicture(256, 64));
    for (auto _ : state) {
        program.model.resetSheet();
        run.dialogs.clear();
        app::importSprites(program, 0, 0, 16, 4);
        benchmark::DoNotOptimize(program.model.sheet.bytes.data());
    }
    state.SetItemsProcessed(state.iterations() * 64);
    state.SetLabel("items = sprites");
}
BENCHMARK(BM_ImportSixtyFourCells)->Unit(benchmark::kMillisecond);

std::vector<std::uint8_t> randomSheet() {
    std::mt19937 random(6);
    std::vector<std::uint8_t> sheet(64 * 256);
    for (auto& b : sheet) b = static_cast<std::uint8_t>(random());
    return sheet;
}

// The path of the button and the pop-up: built on the worker, appended through the
// event loop, from the press until the last line is in the area.
void BM_ListingOnTheWorker(benchmark::State& state) {
    BenchSession run;
    if (!run.session) {
        state.SkipWithError("the editor did not start");
        return;
    }
    QPlainTextEdit& area = *run.session->window->textArea(ui::Control::GadgetAsmText);
    app::ListingWorker& worker = app::ListingWorker::of(area);
    const std::vector<std::uint8_t> sheet = randomSheet();
    for (auto _ : state) {
        worker.start(sheet, 64, "Sprite", {}, std::chrono::milliseconds(0));
        while (worker.running()) QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_ListingOnTheWorker)->Unit(benchmark::kMillisecond);

}  // namespace

VIROROR_GUI_BENCHMARK_MAIN()
