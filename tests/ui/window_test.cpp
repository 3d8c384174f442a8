// The main window on its own: its size, controls and captions, start values, control
// events from user actions only, shortcuts over text fields, file drops, the sprite
// files listed and the pages built late. (The command rows test presses the menu items
// and shortcuts.)
#include "toolkit/canvas.h"
#include "toolkit/text_spin_box.h"
#include "ui/window_layout.h"
#include "ui/window_main.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using ui::Control;
using ui::ControlEvent;

namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<ui::WindowMain>(0, 0, 1150, 660);
        QObject::connect(window.get(), &ui::WindowMain::menuEvent, [this](int n) { menus.push_back(n); });
        QObject::connect(window.get(), &ui::WindowMain::controlEvent,
                         [this](Control c, ControlEvent e) { controls.emplace_back(c, e); });
    }
    void showActive() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::unique_ptr<ui::WindowMain> window;
    std::vector<int> menus;
    std::vector<std::pair<Control, ControlEvent>> controls;
};

TEST_F(WindowTest, FixedSizeAndEveryControlUnderItsOwnNameWithACaptionThatFits) {
    showActive();
    EXPECT_EQ(window->clientSize(), QSize(1150, 660));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_LE(window->control(Control::GadgetQuickSave)->geometry().bottom(), window->centralWidget()->height());
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
    QStringList pages;
    for (int i = 0; i < window->tabs()->count(); ++i) pages << window->tabs()->tabText(i);
    EXPECT_EQ(pages, (QStringList{"Design", "Import", "Output", "Preview", "Tiles", "Palette"}));
}

TEST_F(WindowTest, StartValuesReadBackAsTheirTexts) {
    window->applyStartValues();
    for (auto [id, text] : {std::pair{Control::GadgetSheetWidth, "16"}, {Control::GadgetSheetCount, "64"},
                            {Control::GadgetRangeFrom, "0"}, {Control::GadgetRangeTo, "63"}, {Control::GadgetAnimDelay, "100"}})
        EXPECT_EQ(window->controlText(id), text);
    EXPECT_EQ(window->controlState(Control::GadgetResizeHeightSlider), 256);
    // Steps start from the text and stay in range.
    toolkit::TextSpinBox* width = window->spinBox(Control::GadgetSheetWidth);
    for (auto [text, step, result] : {std::tuple{"16", 1, "17"}, {"900", 1, "64"}, {"64", -100, "1"}, {"16", 0, "16"}}) {
        width->setText(QString::fromLatin1(text));
        width->stepBy(step);
        EXPECT_EQ(width->text(), result) << text << " + " << step;
    }
    // The numeric fields take the digits 0 to 9 and nothing else.
    QLineEdit* number = window->textField(Control::GadgetSpriteNumber);
    for (auto [text, acceptable] : {std::pair{u"0123456789", true}, {u"", true}, {u"1a", false}, {u"-1", false},
                                    {u" 1", false}, {u"\u0663", false}}) {
        number->setText(QString::fromUtf16(text));
        EXPECT_EQ(number->hasAcceptableInput(), acceptable) << number->text().toStdString();
    }
    // Showing the window and moving the focus through a box keeps its text.
    showActive();
    window->tabs()->setCurrentIndex(ui::PagePreview);
    window->spinBox(Control::GadgetSheetWidth)->setFocus();
    window->spinBox(Control::GadgetSheetCount)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window->controlText(Control::GadgetSheetWidth), "16");
    EXPECT_EQ(window->controlText(Control::GadgetSheetCount), "64");
}

TEST_F(WindowTest, ShortcutsWinOverTheEditingKeysOfTextFields) {
    window->registerShortcut(QKeySequence(Qt::CTRL | Qt::Key_A), 204);
    window->registerShortcut(QKeySequence(Qt::CTRL | Qt::Key_V), 210);
    showActive();
    window->tabs()->setCurrentIndex(ui::PageOutput);
    QLineEdit* label = window->textField(Control::GadgetLabelText);
    label->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(label->hasFocus());
    QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(label, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(menus, (std::vector<int>{204, 210}));
    EXPECT_FALSE(label->hasSelectedText());
    label->setCursorPosition(6);
    QTest::keyClicks(label, "s");  // plain typing still reaches the field
    EXPECT_EQ(label->text(), "Sprites");
}

TEST_F(WindowTest, UserActionsRaiseControlEventsAndSettersStayQuiet) {
    showActive();
    QTest::mouseClick(window->button(Control::GadgetFill), Qt::LeftButton);
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_EQ(controls[0], std::make_pair(Control::GadgetFill, ControlEvent::Click));
    EXPECT_EQ(window->controlState(Control::GadgetFill), 1);

    controls.clear();
    window->setControlState(Control::GadgetFill, 0);
    window->setControlState(Control::GadgetResizeWidthSlider, 99);
    window->setControlText(Control::GadgetGrabX, QStringLiteral("12"));
    window->setControlState(Control::GadgetTabs, ui::PageImport);
    EXPECT_TRUE(controls.empty());

    window->trackBar(Control::GadgetRedShift)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    toolkit::TextSpinBox* grabX = window->spinBox(Control::GadgetGrabX);
    grabX->setFocus();
    QTest::keyClick(grabX, Qt::Key_End);
    QTest::keyClicks(grabX, "3x");  // letters are refused
    EXPECT_EQ(controls, (std::vector<std::pair<Control, ControlEvent>>{
                            {Control::GadgetRedShift, ControlEvent::Change}, {Control::GadgetGrabX, ControlEvent::Change}}));
    EXPECT_EQ(window->controlText(Control::GadgetGrabX), "123");
}

TEST_F(WindowTest, OnlyDroppedFilesArePassedOn) {
    QStringList dropped;
    QObject::connect(window.get(), &ui::WindowMain::filesDropped, [&](const QStringList& f) { dropped = f; });
    QWidget* importCanvas = window->control(Control::GadgetImportCanvas);
    QMimeData files, text;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a picture.png"))});
    text.setText(QStringLiteral("hello"));
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(importCanvas, &refused);
    EXPECT_FALSE(refused.isAccepted());
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(importCanvas, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(importCanvas, &drop);
    EXPECT_EQ(dropped, QStringList{QStringLiteral("/tmp/a picture.png")});
}

TEST_F(WindowTest, FileListShowsOnlySpriteFilesOfItsDirectory) {
    QTemporaryDir dir;
    for (const char* name : {"walk.spr", "ship.spr2", "notes.txt", "BOSS.SPR", "spr.png"})
        ASSERT_TRUE(QFile(dir.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly));
    QSignalSpy loaded(window->fileModel(), &QFileSystemModel::directoryLoaded);
    window->showFileListDirectory(dir.path());
    ASSERT_TRUE(loaded.count() > 0 || loaded.wait(5000));
    QTreeView* list = window->fileList();
    QStringList shown;
    for (int row = 0; row < window->fileModel()->rowCount(list->rootIndex()); ++row)
        shown << window->fileModel()->fileName(window->fileModel()->index(row, 0, list->rootIndex()));
    shown.sort(Qt::CaseInsensitive);
    EXPECT_EQ(shown, (QStringList{"BOSS.SPR", "ship.spr2", "walk.spr"}));
    EXPECT_TRUE(window->fileListDirectory().endsWith(QDir::separator()));
}

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

// The pages after "Design" are built when first shown or first reached by name; built
// late, they must behave as if built with the window: controls on screen with their
// start values, and Tab reaching them between the panel and the bottom row.
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
