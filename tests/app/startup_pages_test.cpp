// Start-up builds only the "Design" page and the bottom row; each other page gets its
// controls and its first drawing when the user first visits it or a command reaches it.
#include <QTabWidget>

#include "session_fixture.h"

using namespace testing_support;

namespace {

using StartupPages = SessionTest;

TEST_F(StartupPages, OtherPagesWaitForTheirFirstVisit) {
    for (int page = ui::PageImport; page <= ui::PagePalette; ++page) EXPECT_FALSE(window().pageBuilt(page)) << page;

    window().tabs()->setCurrentIndex(ui::PagePreview);
    EXPECT_EQ(window().fileListDirectory(), QDir::toNativeSeparators(program().workingDir));
    EXPECT_FALSE(window().pageBuilt(ui::PageImport));

    // Reached by a command rather than visited: drawn all the same.
    EXPECT_EQ(window().canvas(ui::Control::GadgetImportCanvas)->image().pixel(0, 0), qRgb(40, 40, 40));
    EXPECT_EQ(window().canvas(ui::Control::GadgetGrabCanvas)->image().pixel(0, 0), qRgb(255, 170, 170));
    EXPECT_EQ(window().controlText(ui::Control::GadgetGrabWidth), "1");
}

}  // namespace
