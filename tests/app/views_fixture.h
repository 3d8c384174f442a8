#pragma once
// A program with a real window, the default palette and a freshly reset sheet,
// as start-up leaves it, for the view tests.
#include <gtest/gtest.h>

#include <QString>

#include <filesystem>

#include "toolkit/canvas.h"
#include "toolkit/colour.h"
#include "app/program.h"
#include "palette/palette_file.h"
#include "app/redraw.h"
#include "ui/window_main.h"

namespace views_test {

inline constexpr int MAGENTA = toolkit::rgbColour(255, 0, 255);
inline constexpr int WHITE = toolkit::rgbColour(255, 255, 255);
inline constexpr int BLACK = 0;
inline constexpr int DARK_GREY = toolkit::rgbColour(40, 40, 40);

class ViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        program.window = &window;
        program.views.window = &window;
        auto loaded = palette::loadPalette(std::filesystem::path(VIROROR_RESOURCES) / "rgb9spreada.pal");
        ASSERT_TRUE(loaded.ok());
        program.palette = loaded->palette;
        program.colourSlots = loaded->colourSlots;
        program.model.resetSheet();
        app::clearDesignViews(program);
    }

    toolkit::Canvas& canvas(ui::Control id) { return *window.canvas(id); }
    int pixel(ui::Control id, int x, int y) { return canvas(id).readPixel(x, y); }
    int paletteColour(int index) const {
        const palette::RgbColour c = program.palette.colour(index);
        return toolkit::rgbColour(c.red, c.green, c.blue);
    }
    QString text(ui::Control id) const { return window.controlText(id); }

    ui::WindowMain window;
    app::Program program;
};

}  // namespace views_test
