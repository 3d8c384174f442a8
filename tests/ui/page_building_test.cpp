// The pages after "Design" are built when first shown or first reached by name; built
// late, they must behave as if built with the window: controls on screen with their
// start values, and Tab reaching them between the panel and the bottom row.
#include "ui/window_main.h"
#include "ui/window_layout.h"

#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using ui::Control;

namespace {

// The widget Tab moves the focus to from `from`: the next one in the focus chain that
// takes Tab focus and is on screen, skipping `from`'s own parts (a spin box's field).
QWidget* tabTarget(QWidget* from) {
    for (QWidget* next = from->nextInFocusChain(); next != from; next = next->nextInFocusChain()) {
        if (from->isAncestorOf(next)) continue;
        if ((next->focusPolicy() & Qt::TabFocus) != 0 && next->isVisible() && next->isEnabled()) return next;
    }
    return nullptr;
}

QWidget* lastFocusable(ui::WindowMain& window, int page) {
    QWidget* last = nullptr;
    for (const ui::ControlSpec& entry : ui::pageSpecs()[static_cast<std::size_t>(page)].controls)
        if (QWidget* w = window.control(entry.id); (w->focusPolicy() & Qt::TabFocus) != 0 && w->isVisible()) last = w;
    return last;
}

TEST(PageBuilding, PagesBuiltLateAreShownAndTabbedThroughInPlace) {
    for (const bool bySetter : {false, true}) {
        SCOPED_TRACE(bySetter ? "page chosen by the quiet setter" : "page chosen on the panel");
        ui::WindowMain window(0, 0, ui::CLIENT_WIDTH, ui::CLIENT_HEIGHT);
        window.applyStartValues();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

        for (int page : {ui::PagePreview, ui::PageImport}) {
            if (bySetter) window.setControlState(Control::GadgetTabs, page);
            else window.tabs()->setCurrentIndex(page);
            ASSERT_TRUE(window.pageBuilt(page));
            for (const ui::ControlSpec& entry : ui::pageSpecs()[static_cast<std::size_t>(page)].controls)
                EXPECT_EQ(window.control(entry.id)->isVisible(), (entry.options & ui::OptHidden) == 0)
                    << ui::controlName(entry.id);
            EXPECT_EQ(tabTarget(lastFocusable(window, page)), window.control(Control::GadgetQuickSave));
        }
        EXPECT_EQ(window.controlText(Control::GadgetGrabWidth), "1");
        EXPECT_FALSE(window.pageBuilt(ui::PageOutput));
    }
}

}  // namespace
