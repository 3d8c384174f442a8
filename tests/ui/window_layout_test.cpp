// The main window as built: size, controls at their documented places,
// captions, tooltips, options and the first values of start-up.
#include "app/canvas.h"
#include "ui/text_spin_box.h"
#include "ui/window_main.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

using ui::Control;

namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { window = std::make_unique<ui::WindowMain>(0, 0, 1150, 660); }
    std::unique_ptr<ui::WindowMain> window;
};

TEST_F(WindowTest, ClientAreaIsFixedAt1150x660UnderTheMenuBar) {
    window->setVersionTitle(QStringLiteral("v0.4.8b"));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Viroror v0.4.8b"));
    EXPECT_EQ(window->clientSize(), QSize(1150, 660));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    // The central area starts right under the menu bar and the status bar ends the window.
    EXPECT_EQ(window->centralWidget()->y(), window->menuBar()->height());
    EXPECT_EQ(window->statusBar()->geometry().bottom() + 1, window->height());
    EXPECT_EQ(window->tabs()->geometry(), QRect(10, 10, 1130, 560));
    EXPECT_EQ(window->tabs()->parentWidget(), window->centralWidget());
    // The bottom row fits above the status bar.
    EXPECT_LE(window->control(Control::GadgetQuickSave)->geometry().bottom(), window->centralWidget()->height());
}

TEST_F(WindowTest, BackgroundIsMidGrey) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QImage shot = window->centralWidget()->grab().toImage();
    // Between the panel and the bottom row, and right of the last button.
    EXPECT_EQ(shot.pixelColor(5, 572), QColor(128, 128, 128));
    EXPECT_EQ(shot.pixelColor(1100, 590), QColor(128, 128, 128));
}

struct Placement {
    Control id;
    int page;  // -1 for the bottom row
    QRect rect;
};

class PlacementTest : public ::testing::TestWithParam<Placement> {};

TEST_P(PlacementTest, ControlSitsAtItsPlaceOnItsPage) {
    ui::WindowMain window;
    const Placement& p = GetParam();
    QWidget* widget = window.control(p.id);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), p.rect);
    QWidget* expectedParent = p.page < 0 ? window.centralWidget() : window.tabs()->widget(p.page);
    EXPECT_EQ(widget->parentWidget(), expectedParent);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPage, PlacementTest,
    ::testing::Values(
        Placement{Control::GadgetEditorCanvas, 0, QRect(20, 20, 321, 321)},
        Placement{Control::GadgetPaletteCanvas, 0, QRect(560, 20, 550, 388)},
        Placement{Control::GadgetSlotCanvas, 0, QRect(460, 20, 80, 320)},
        Placement{Control::GadgetRightColourIndex, 0, QRect(390, 380, 40, 16)},
        Placement{Control::GadgetNextSprite, 0, QRect(60, 350, 37, 30)},
        Placement{Control::GadgetAnimDelay, 0, QRect(280, 490, 60, 28)},
        Placement{Control::GadgetRotateUp, 0, QRect(390, 20, 40, 40)},
        Placement{Control::GadgetAnimationImage, 0, QRect(372, 410, 64, 64)},
        // The import canvas's edge lies around its 512 x 384 surface.
        Placement{Control::GadgetImportCanvas, 1, QRect(18, 16, 516, 388)},
        Placement{Control::GadgetGrabHeight, 1, QRect(750, 230, 50, 25)},
        Placement{Control::GadgetBlueShift, 1, QRect(450, 480, 60, 25)},
        Placement{Control::GadgetImportRightFrame, 1, QRect(570, 0, 534, 518)},
        Placement{Control::GadgetAsmText, 2, QRect(20, 23, 680, 485)},
        Placement{Control::GadgetCopyToClipboard, 2, QRect(770, 370, 280, 35)},
        Placement{Control::GadgetLabelText, 2, QRect(770, 340, 280, 25)},
        Placement{Control::GadgetFileList, 3, QRect(690, 28, 420, 350)},
        Placement{Control::GadgetSheetCanvas, 3, QRect(20, 30, 640, 338)},
        Placement{Control::GadgetShowValues, 3, QRect(480, 400, 100, 25)},
        Placement{Control::GadgetQuickSave, -1, QRect(10, 575, 100, 30)},
        Placement{Control::GadgetClearSheet, -1, QRect(560, 575, 110, 30)},
        Placement{Control::GadgetRangeTo, -1, QRect(880, 580, 70, 25)},
        Placement{Control::GadgetSavePalette, -1, QRect(450, 575, 100, 30)}),
    [](const ::testing::TestParamInfo<Placement>& info) { return std::string(ui::controlName(info.param.id)); });

TEST_F(WindowTest, EveryControlExistsUnderItsOwnName) {
    std::set<std::string> names;
    for (int i = 0; i < ui::CONTROL_COUNT; ++i) {
        const auto id = static_cast<Control>(i);
        const std::string name(ui::controlName(id));
        ASSERT_NE(window->control(id), nullptr) << name;
        EXPECT_EQ(window->control(id)->objectName().toStdString(), name);
        EXPECT_EQ(name.rfind("Gadget", 0), 0u) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(ui::CONTROL_COUNT));
    EXPECT_EQ(static_cast<int>(Control::GadgetShowValues), 0);
}

TEST_F(WindowTest, PagesInOrderStartingOnDesign) {
    const QStringList expected = {"Design", "Import", "Output", "Preview", "Tiles", "Palette"};
    ASSERT_EQ(window->tabs()->count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(window->tabs()->tabText(i), expected[i]);
    EXPECT_EQ(window->controlState(Control::GadgetTabs), 0);
    EXPECT_TRUE(window->tabs()->widget(4)->children().isEmpty());
    EXPECT_TRUE(window->tabs()->widget(5)->children().isEmpty());
}

TEST_F(WindowTest, CaptionsAndTooltipsAreExact) {
    EXPECT_EQ(window->controlText(Control::GadgetPalettePicture), "Pallete");
    EXPECT_EQ(window->controlText(Control::GadgetRgbLabel), "RGB: 0,0,0");
    EXPECT_EQ(window->controlText(Control::GadgetColourCount), "Colours : 1");
    EXPECT_EQ(window->controlText(Control::GadgetCursorInfo), "X:0:Y:0:C:0");
    EXPECT_EQ(window->controlText(Control::GadgetPrevSprite), "<<");
    EXPECT_EQ(window->controlText(Control::GadgetLabelText), "Sprite");
    EXPECT_EQ(window->controlText(Control::GadgetMirrorFlip), "Mirror / Flip");
    EXPECT_EQ(window->controlText(Control::GadgetLoadSheet), "Load Sprite Sheet");
    EXPECT_EQ(window->controlText(Control::GadgetSpriteNumber), "1");
    EXPECT_EQ(window->control(Control::GadgetFill)->toolTip(), "Fill ");
    EXPECT_EQ(window->control(Control::GadgetCopy)->toolTip(), "Copy - (Ctrl+C)");
    EXPECT_EQ(window->control(Control::GadgetShowTransparent)->toolTip(), "Show / Hide Trasparent");
    EXPECT_EQ(window->control(Control::GadgetRotateDown)->toolTip(), "Rotate Down (Ctrl+S)");
    EXPECT_TRUE(window->control(Control::GadgetPaste)->toolTip().isEmpty());
    EXPECT_EQ(window->statusField(0)->text(), "Status : ");
    EXPECT_EQ(window->statusText(), "Ready....");
    EXPECT_EQ(window->statusProgress(), 0);
}

TEST_F(WindowTest, OptionsAndStatesAtTheEndOfTheBuild) {
    QAbstractButton* anchor = window->button(Control::GadgetAnchor);
    EXPECT_TRUE(anchor->isCheckable());
    EXPECT_FALSE(anchor->isEnabled());
    EXPECT_TRUE(window->button(Control::GadgetFill)->isCheckable());
    EXPECT_EQ(window->controlState(Control::GadgetDropper), 0);
    EXPECT_FALSE(window->button(Control::GadgetCopy)->isCheckable());
    EXPECT_EQ(window->controlState(Control::GadgetShowValues), 1);
    EXPECT_EQ(window->controlState(Control::GadgetResizeSmooth), 1);
    EXPECT_EQ(window->controlState(Control::GadgetResizeRaw), 0);
    EXPECT_EQ(window->controlState(Control::GadgetNineBit), 0);
    EXPECT_TRUE(window->control(Control::GadgetResizeWidthCheck)->isHidden());
    EXPECT_TRUE(window->control(Control::GadgetSetupCode)->isHidden());
    EXPECT_FALSE(window->control(Control::GadgetResize)->isHidden());
    EXPECT_TRUE(window->textField(Control::GadgetSpriteCount)->isReadOnly());
    EXPECT_FALSE(window->textField(Control::GadgetLabelText)->isReadOnly());
    EXPECT_EQ(window->trackBar(Control::GadgetRedShift)->maximum(), 16);
    EXPECT_NE(window->trackBar(Control::GadgetRedShift)->tickPosition(), QSlider::NoTicks);
    EXPECT_EQ(window->trackBar(Control::GadgetResizeWidthSlider)->tickPosition(), QSlider::NoTicks);
    EXPECT_EQ(window->spinBox(Control::GadgetGrabY)->maximum(), 384);
    EXPECT_EQ(window->spinBox(Control::GadgetAnimDelay)->maximum(), 500);
    EXPECT_EQ(window->controlText(Control::GadgetSheetOffset), "0");
    EXPECT_TRUE(window->canvas(Control::GadgetEditorCanvas)->options().captured);
    EXPECT_TRUE(window->canvas(Control::GadgetPreviewCanvas)->options().sunken);
    EXPECT_EQ(window->canvas(Control::GadgetEditorCanvas)->surfaceWidth(), 321);
    EXPECT_EQ(window->canvas(Control::GadgetImportCanvas)->surfaceWidth(), 512);
    EXPECT_EQ(window->canvas(Control::GadgetImportCanvas)->surfaceHeight(), 384);
}

TEST_F(WindowTest, FontsGoToTheirControls) {
    EXPECT_EQ(window->control(Control::GadgetSpriteNumber)->font().pointSize(), 14);
    EXPECT_EQ(window->control(Control::GadgetGrabXLabel)->font().pointSize(), 12);
    EXPECT_EQ(window->control(Control::GadgetSheetCountLabel)->font().pointSize(), 11);
    EXPECT_EQ(window->control(Control::GadgetAsmText)->font().pointSize(), 8);
    EXPECT_EQ(window->control(Control::GadgetAsmText)->font().family(), ui::monospaceFamily());
    EXPECT_TRUE(QFontInfo(window->programFont(ui::FontId::FontTiny)).fixedPitch());
}

TEST_F(WindowTest, ButtonCaptionsFitTheirButtons) {
    for (int i = 0; i < ui::CONTROL_COUNT; ++i) {
        const auto id = static_cast<Control>(i);
        QAbstractButton* b = window->button(id);
        if (b == nullptr || b->text().isEmpty()) continue;
        const int need = QFontMetrics(b->font()).horizontalAdvance(b->text());
        EXPECT_LE(need, b->width()) << ui::controlName(id);
    }
}

TEST_F(WindowTest, StartValuesReadBackAsTheirTexts) {
    window->applyStartValues();
    EXPECT_EQ(window->controlText(Control::GadgetSheetWidth), "16");
    EXPECT_EQ(window->controlState(Control::GadgetSheetWidth), 1);
    EXPECT_EQ(window->controlText(Control::GadgetSheetCount), "64");
    EXPECT_EQ(window->controlState(Control::GadgetSheetCount), 1);
    EXPECT_EQ(window->controlText(Control::GadgetRangeFrom), "0");
    EXPECT_EQ(window->controlText(Control::GadgetRangeTo), "63");
    EXPECT_EQ(window->controlState(Control::GadgetRangeTo), 0);
    EXPECT_EQ(window->controlText(Control::GadgetAnimDelay), "100");
    EXPECT_EQ(window->controlText(Control::GadgetGrabWidth), "1");
    EXPECT_EQ(window->controlText(Control::GadgetResizeHeight), "256");
    EXPECT_EQ(window->controlText(Control::GadgetLeftColourIndex), "0");
    EXPECT_EQ(window->trackBar(Control::GadgetResizeWidthSlider)->maximum(), 512);
    EXPECT_EQ(window->controlState(Control::GadgetResizeHeightSlider), 256);

    // Showing the window and moving the focus through a box keeps its text.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->tabs()->setCurrentIndex(ui::PagePreview);
    window->spinBox(Control::GadgetSheetWidth)->setFocus();
    window->spinBox(Control::GadgetSheetCount)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window->controlText(Control::GadgetSheetWidth), "16");
    EXPECT_EQ(window->controlText(Control::GadgetSheetCount), "64");
}

TEST_F(WindowTest, StatusBarFieldsKeepTheirWidths) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->statusField(0)->width(), 60);
    EXPECT_EQ(window->statusField(1)->width(), 900);
    EXPECT_EQ(window->statusProgressBar()->width(), 180);
    EXPECT_LE(window->statusProgressBar()->mapTo(window.get(), QPoint(180, 0)).x(), 1150);
    window->setStatus(QStringLiteral("Saved"), 40);
    EXPECT_EQ(window->statusText(), "Saved");
    EXPECT_EQ(window->statusProgress(), 40);
    window->setStatus(QStringLiteral("Over"), 250);
    EXPECT_EQ(window->statusProgress(), 100);
}

}  // namespace
