// The main window as built: size, controls at their places, names, texts and the
// first values of start-up.
#include "toolkit/text_spin_box.h"
#include "ui/window_main.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

using ui::Control;

namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { window = std::make_unique<ui::WindowMain>(0, 0, 1150, 660); }
    void showExposed() {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    std::unique_ptr<ui::WindowMain> window;
};

TEST_F(WindowTest, FixedClientAreaWithTheStatusBarBelow) {
    showExposed();
    EXPECT_EQ(window->clientSize(), QSize(1150, 660));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->centralWidget()->y(), window->menuBar()->height());
    EXPECT_EQ(window->statusBar()->geometry().bottom() + 1, window->height());
    EXPECT_LE(window->control(Control::GadgetQuickSave)->geometry().bottom(), window->centralWidget()->height());
    EXPECT_EQ(window->statusField(1)->width(), 900);
    EXPECT_LE(window->statusProgressBar()->mapTo(window.get(), QPoint(180, 0)).x(), 1150);
}

// A sample from every page (-1: the bottom row under the pages).
TEST_F(WindowTest, ControlsSitAtTheirPlacesOnTheirPages) {
    struct Placement { Control id; int page; QRect rect; };
    const Placement placements[] = {
        {Control::GadgetEditorCanvas, 0, QRect(20, 20, 321, 321)},
        {Control::GadgetPaletteCanvas, 0, QRect(560, 20, 550, 388)},
        {Control::GadgetAnimationImage, 0, QRect(372, 410, 64, 64)},
        {Control::GadgetImportCanvas, 1, QRect(18, 16, 516, 388)},  // the edge around 512 x 384
        {Control::GadgetGrabHeight, 1, QRect(750, 230, 50, 25)},
        {Control::GadgetAsmText, 2, QRect(20, 23, 680, 485)},
        {Control::GadgetLabelText, 2, QRect(770, 340, 280, 25)},
        {Control::GadgetFileList, 3, QRect(690, 28, 420, 350)},
        {Control::GadgetSheetCanvas, 3, QRect(20, 30, 640, 338)},
        {Control::GadgetQuickSave, -1, QRect(10, 575, 100, 30)},
        {Control::GadgetRangeTo, -1, QRect(880, 580, 70, 25)}};
    EXPECT_EQ(window->tabs()->geometry(), QRect(10, 10, 1130, 560));
    for (const Placement& p : placements) {
        const QWidget* widget = window->control(p.id);
        ASSERT_NE(widget, nullptr) << ui::controlName(p.id);
        EXPECT_EQ(widget->geometry(), p.rect) << ui::controlName(p.id);
        EXPECT_EQ(widget->parentWidget(), p.page < 0 ? window->centralWidget() : window->tabs()->widget(p.page))
            << ui::controlName(p.id);
    }
}

TEST_F(WindowTest, EveryControlExistsUnderItsOwnNameAndCaptionsFit) {
    std::set<std::string> names;
    for (int i = 0; i < ui::CONTROL_COUNT; ++i) {
        const auto id = static_cast<Control>(i);
        const std::string name(ui::controlName(id));
        ASSERT_NE(window->control(id), nullptr) << name;
        EXPECT_EQ(window->control(id)->objectName().toStdString(), name);
        names.insert(name);
        if (const QAbstractButton* b = window->button(id)) {
            EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()), b->width()) << name;
        }
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(ui::CONTROL_COUNT));
    const QStringList pages = {"Design", "Import", "Output", "Preview", "Tiles", "Palette"};
    ASSERT_EQ(window->tabs()->count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(window->tabs()->tabText(i), pages[i]);
}

TEST_F(WindowTest, TextsAndOptionsAtTheEndOfTheBuild) {
    EXPECT_EQ(window->controlText(Control::GadgetPalettePicture), "Pallete");
    EXPECT_EQ(window->controlText(Control::GadgetCursorInfo), "X:0:Y:0:C:0");
    EXPECT_EQ(window->control(Control::GadgetShowTransparent)->toolTip(), "Show / Hide Trasparent");
    EXPECT_EQ(window->control(Control::GadgetRotateDown)->toolTip(), "Rotate Down (Ctrl+S)");
    EXPECT_EQ(window->statusText(), "Ready....");
    EXPECT_FALSE(window->button(Control::GadgetAnchor)->isEnabled());
    EXPECT_TRUE(window->button(Control::GadgetFill)->isCheckable());
    EXPECT_FALSE(window->button(Control::GadgetCopy)->isCheckable());
    EXPECT_EQ(window->controlState(Control::GadgetShowValues), 1);
    EXPECT_TRUE(window->control(Control::GadgetSetupCode)->isHidden());
    EXPECT_TRUE(window->textField(Control::GadgetSpriteCount)->isReadOnly());
    EXPECT_EQ(window->spinBox(Control::GadgetGrabY)->maximum(), 384);
    EXPECT_EQ(window->control(Control::GadgetAsmText)->font().family(), ui::monospaceFamily());
    window->setStatus(QStringLiteral("Over"), 250);
    EXPECT_EQ(window->statusProgress(), 100);
}

TEST_F(WindowTest, StartValuesReadBackAsTheirTexts) {
    window->applyStartValues();
    EXPECT_EQ(window->controlText(Control::GadgetSheetWidth), "16");
    EXPECT_EQ(window->controlText(Control::GadgetSheetCount), "64");
    EXPECT_EQ(window->controlText(Control::GadgetRangeFrom), "0");
    EXPECT_EQ(window->controlText(Control::GadgetRangeTo), "63");
    EXPECT_EQ(window->controlText(Control::GadgetAnimDelay), "100");
    EXPECT_EQ(window->controlState(Control::GadgetResizeHeightSlider), 256);
    // Showing the window and moving the focus through a box keeps its text.
    showExposed();
    window->tabs()->setCurrentIndex(ui::PagePreview);
    window->spinBox(Control::GadgetSheetWidth)->setFocus();
    window->spinBox(Control::GadgetSheetCount)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window->controlText(Control::GadgetSheetWidth), "16");
    EXPECT_EQ(window->controlText(Control::GadgetSheetCount), "64");
}

}  // namespace
