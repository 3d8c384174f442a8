// The full redraws of the "Design" page's views: the editor grid (after every
// transform, undo, sprite step) and the palette chart (start-up, sheet clear),
// plus the sheet preview drawn on every page change.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>

#include <random>

#include "app/program.h"
#include "palette/palette_file.h"
#include "app/redraw.h"
#include "ui/window_main.h"

#include "gui_bench_main.h"

namespace {

// One window and program for every benchmark, ready as start-up leaves them.
struct Fixture {
    ui::WindowMain window;
    app::Program program;

    Fixture() {
        program.window = &window;
        program.views.window = &window;
        auto loaded = palette::loadPalette(palette::PALETTE_FILE_NAME);
        if (loaded) {
            program.palette = loaded->palette;
            program.colourSlots = loaded->colourSlots;
        } else {
            std::vector<palette::PaletteEntry> entries;
            for (int i = 0; i < 256; ++i) entries.push_back(palette::makePaletteEntry(i, 255 - i, i ^ 0x55, i));
            program.palette = palette::Palette(entries);
            program.colourSlots = palette::slotsFromPalette(program.palette);
        }
        program.model.resetSheet();
        app::clearDesignViews(program);
        std::mt19937 rng(7);
        for (auto& cell : program.model.grid.cells) cell = static_cast<int>(rng() & 0xFF);
        for (auto& byte : program.model.sheet.bytes) byte = static_cast<std::uint8_t>(rng() & 0xFF);
        window.setControlText(ui::Control::GadgetSheetWidth, "16");
        window.setControlText(ui::Control::GadgetSheetCount, "64");
        window.setControlText(ui::Control::GadgetSheetOffset, "0");
        window.setControlState(ui::Control::GadgetShowValues, 1);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_DrawEditorGrid(benchmark::State& state) {
    app::Program& program = fixture().program;
    for (auto _ : state) {
        app::drawEditorGrid(program);
        QApplication::processEvents();  // the repaint the call asked for
    }
}
BENCHMARK(BM_DrawEditorGrid)->Unit(benchmark::kMicrosecond);

void BM_DrawPaletteChart(benchmark::State& state) {
    app::Program& program = fixture().program;
    for (auto _ : state) {
        app::drawPaletteChart(program);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DrawPaletteChart)->Unit(benchmark::kMicrosecond);

void BM_DrawSheetPreview64WithNumbers(benchmark::State& state) {
    app::Program& program = fixture().program;
    for (auto _ : state) {
        app::drawSheetPreview(program);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DrawSheetPreview64WithNumbers)->Unit(benchmark::kMicrosecond);

}  // namespace

VIROROR_GUI_BENCHMARK_MAIN()
