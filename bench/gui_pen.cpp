// Cost of one pen event on the editor canvas: the cell's box and outline, the
// cell write, the 4x preview with the sprite image and 1:1 picture, the cursor
// text and the colour count. Painting must keep up with mouse moves, so one
// event should stay far below a frame (target: under 0.2 ms).
#include "toolkit/canvas_event.h"
#include "app/mouse_tools.h"
#include "app/program.h"
#include "palette/palette_file.h"
#include "app/redraw.h"
#include "ui/window_main.h"

#include <QApplication>
#include <QByteArray>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "gui_bench_main.h"

namespace {

std::filesystem::path palettePath() {
    // Run from the build tree or the source tree; the palette sits in resources/.
    for (const char* dir : {"resources", "../resources", "../../resources"}) {
        const std::filesystem::path p = std::filesystem::path(dir) / palette::PALETTE_FILE_NAME;
        if (std::filesystem::exists(p)) return p;
    }
#ifdef VIROROR_RESOURCES
    return std::filesystem::path(VIROROR_RESOURCES) / palette::PALETTE_FILE_NAME;
#else
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "resources" / palette::PALETTE_FILE_NAME;
#endif
}

void BM_PenEvent(benchmark::State& bench) {
    ui::WindowMain window;
    app::Program program;
    program.window = &window;
    program.views.window = &window;
    if (auto loaded = palette::loadPalette(palettePath())) {
        program.palette = loaded->palette;
        program.colourSlots = loaded->colourSlots;
    } else {
        bench.SkipWithError("palette file not found");
        return;
    }
    program.model.resetSheet();
    app::clearDesignViews(program);
    app::drawColourSlots(program);
    app::showLeftColour(program, 5);
    program.state.leftColour = 5;

    toolkit::CanvasEvent event;
    event.type = toolkit::CanvasEvent::Type::Move;
    event.left = true;
    int step = 0;
    for (auto _ : bench) {
        // A drag across every cell in turn, one event per cell.
        const int cell = step++ & 0xFF;
        event.x = (cell & 15) * 20 + 7;
        event.y = (cell >> 4) * 20 + 7;
        app::editorCanvasEvent(program, event);
    }
    benchmark::DoNotOptimize(program.model.grid.cells.data());
}
BENCHMARK(BM_PenEvent)->Unit(benchmark::kMicrosecond);

}  // namespace

VIROROR_GUI_BENCHMARK_MAIN()
