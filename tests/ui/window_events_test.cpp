// What the main window raises: menu numbers from menus, shortcuts and the
// pop-up, control events from user actions only, canvas mouse events, drops,
// the close request, and the file list of the working directory.
#include "app/canvas.h"
#include "ui/text_spin_box.h"
#include "ui/window_main.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

using ui::Control;
using ui::ControlEvent;

namespace {

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<ui::WindowMain>();
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

TEST_F(EventsTest, MenuItemsRaiseTheirNumbers) {
    const std::vector<std::pair<QString, std::vector<QString>>> expected = {
        {"File", {"Quit", "About"}}, {"Edit", {"Cut", "Copy", "Paste"}}, {"About", {"About"}}};
    const QList<QAction*> menuActions = window->menuBar()->actions();
    ASSERT_EQ(menuActions.size(), 3);
    for (std::size_t m = 0; m < expected.size(); ++m) {
        EXPECT_EQ(menuActions[static_cast<qsizetype>(m)]->text(), expected[m].first);
        const QList<QAction*> items = menuActions[static_cast<qsizetype>(m)]->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(expected[m].second.size()));
        for (std::size_t i = 0; i < expected[m].second.size(); ++i)
            EXPECT_EQ(items[static_cast<qsizetype>(i)]->text(), expected[m].second[i]);
    }
    for (int number = ui::MenuQuit; number <= ui::MenuAbout; ++number) {
        ASSERT_NE(window->menuAction(number), nullptr);
        window->menuAction(number)->trigger();
    }
    EXPECT_EQ(menus, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(window->menuAction(7), nullptr);
}

TEST_F(EventsTest, PopupOutputOffersCopyGenerateSelectAll) {
    const QList<QAction*> items = window->popupOutput()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "Copy");
    EXPECT_EQ(items[1]->text(), "Generate");
    EXPECT_EQ(items[2]->text(), "Select All");
    for (QAction* item : items) item->trigger();
    EXPECT_EQ(menus, (std::vector<int>{300, 302, 301}));

    // A fresh pop-up replaces the old one and still raises the same numbers.
    window->resetPopupOutput();
    menus.clear();
    window->menuAction(ui::PopupOutputSelectAll)->trigger();
    EXPECT_EQ(menus, (std::vector<int>{301}));
}

TEST_F(EventsTest, FifteenShortcutsEachRaisingItsNumberOnce) {
    window->registerShortcuts();
    EXPECT_EQ(window->shortcutCount(), 15);
    showActive();
    const std::vector<std::tuple<Qt::Key, Qt::KeyboardModifiers, int>> keys = {
        {Qt::Key_Left, Qt::ControlModifier, 100},
        {Qt::Key_Right, Qt::ControlModifier, 101},
        {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 211},
        {Qt::Key_R, Qt::ControlModifier, 200},
        {Qt::Key_F, Qt::ControlModifier, 201},
        {Qt::Key_H, Qt::ControlModifier, 202},
        {Qt::Key_D, Qt::ControlModifier, 203},
        {Qt::Key_A, Qt::ControlModifier, 204},
        {Qt::Key_W, Qt::ControlModifier, 205},
        {Qt::Key_S, Qt::ControlModifier, 206},
        {Qt::Key_Z, Qt::ControlModifier, 207},
        {Qt::Key_X, Qt::ControlModifier, 208},
        {Qt::Key_C, Qt::ControlModifier, 209},
        {Qt::Key_V, Qt::ControlModifier, 210},
        {Qt::Key_P, Qt::ControlModifier, 212},
    };
    for (const auto& [key, modifiers, number] : keys) {
        menus.clear();
        QTest::keyClick(window.get(), key, modifiers);
        EXPECT_EQ(menus, std::vector<int>{number}) << "key " << key;
    }
    // The main keyboard's plus and an unbound letter raise nothing.
    menus.clear();
    QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(menus.empty());
}

TEST_F(EventsTest, RebindingAKeyReplacesItsNumber) {
    window->registerShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), 100);
    window->registerShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), 101);
    EXPECT_EQ(window->shortcutCount(), 1);
    EXPECT_EQ(window->shortcutNumber(QKeySequence(Qt::CTRL | Qt::Key_K)), 101);
    EXPECT_EQ(window->shortcutNumber(QKeySequence(Qt::CTRL | Qt::Key_J)), -1);
}

TEST_F(EventsTest, ShortcutsWinOverTheEditingKeysOfTextFields) {
    window->registerShortcuts();
    showActive();
    window->tabs()->setCurrentIndex(ui::PageOutput);
    QLineEdit* label = window->textField(Control::GadgetLabelText);
    label->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(label->hasFocus());
    QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(label, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(menus, (std::vector<int>{204, 210}));
    EXPECT_EQ(label->text(), "Sprite");
    EXPECT_FALSE(label->hasSelectedText());

    // Plain typing still reaches the field.
    label->setCursorPosition(6);
    QTest::keyClicks(label, "s");
    EXPECT_EQ(label->text(), "Sprites");

    menus.clear();
    window->tabs()->setCurrentIndex(ui::PageDesign);
    ui::TextSpinBox* delay = window->spinBox(Control::GadgetAnimDelay);
    delay->setFocus();
    QTest::keyClick(delay, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(menus, std::vector<int>{100});
}

TEST_F(EventsTest, UserActionsRaiseControlEventsAndSettersStayQuiet) {
    showActive();
    QTest::mouseClick(window->button(Control::GadgetQuickSave), Qt::LeftButton);
    QTest::mouseClick(window->button(Control::GadgetFill), Qt::LeftButton);
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[0], std::make_pair(Control::GadgetQuickSave, ControlEvent::Click));
    EXPECT_EQ(controls[1], std::make_pair(Control::GadgetFill, ControlEvent::Click));
    EXPECT_EQ(window->controlState(Control::GadgetFill), 1);

    controls.clear();
    window->setControlState(Control::GadgetFill, 0);
    window->setControlState(Control::GadgetResizeWidthSlider, 99);
    window->setControlText(Control::GadgetGrabX, QStringLiteral("12"));
    window->setControlState(Control::GadgetTabs, ui::PageImport);
    EXPECT_TRUE(controls.empty());
    EXPECT_EQ(window->controlState(Control::GadgetTabs), ui::PageImport);

    // Page changes by the user, slider moves and typing do raise events.
    window->tabs()->setCurrentIndex(ui::PageOutput);
    QSlider* red = window->trackBar(Control::GadgetRedShift);
    window->tabs()->setCurrentIndex(ui::PageImport);
    red->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ui::TextSpinBox* grabX = window->spinBox(Control::GadgetGrabX);
    grabX->setFocus();
    QTest::keyClick(grabX, Qt::Key_End);
    QTest::keyClicks(grabX, "3");
    ASSERT_EQ(controls.size(), 4u);
    EXPECT_EQ(controls[0], std::make_pair(Control::GadgetTabs, ControlEvent::Change));
    EXPECT_EQ(controls[2], std::make_pair(Control::GadgetRedShift, ControlEvent::Change));
    EXPECT_EQ(controls[3], std::make_pair(Control::GadgetGrabX, ControlEvent::Change));
    EXPECT_EQ(window->controlText(Control::GadgetGrabX), "123");
}

TEST_F(EventsTest, SpinBoxesTakeDigitsOnlyAndStepFromTheirText) {
    window->applyStartValues();
    showActive();
    window->tabs()->setCurrentIndex(ui::PagePreview);
    ui::TextSpinBox* width = window->spinBox(Control::GadgetSheetWidth);
    width->setFocus();
    controls.clear();
    width->stepBy(1);
    EXPECT_EQ(width->text(), "17");
    EXPECT_EQ(width->value(), 17);
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_EQ(controls[0], std::make_pair(Control::GadgetSheetWidth, ControlEvent::Change));

    // A step never leaves the range, however large the typed number.
    width->setText(QStringLiteral("900"));
    width->stepBy(1);
    EXPECT_EQ(width->text(), "64");
    width->stepBy(-100);
    EXPECT_EQ(width->text(), "1");

    // Letters are refused; digits beyond the range are kept until read.
    width->setText(QString());
    QTest::keyClicks(width, "7x2$");
    EXPECT_EQ(width->text(), "72");
}

TEST_F(EventsTest, CanvasMouseEventsCarryTheirControl) {
    std::vector<std::pair<Control, app::CanvasEvent>> events;
    QObject::connect(window.get(), &ui::WindowMain::canvasEvent,
                     [&](Control c, const app::CanvasEvent& e) { events.emplace_back(c, e); });
    showActive();
    QWidget* editor = window->control(Control::GadgetEditorCanvas);
    QTest::mousePress(editor, Qt::LeftButton, Qt::NoModifier, QPoint(45, 65));
    QTest::mouseRelease(editor, Qt::LeftButton, Qt::NoModifier, QPoint(45, 65));
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0].first, Control::GadgetEditorCanvas);
    EXPECT_EQ(events[0].second.type, app::CanvasEvent::Type::LeftDown);
    EXPECT_EQ(events[0].second.x, 45);
    EXPECT_EQ(events[0].second.y, 65);
    EXPECT_EQ(events.back().second.type, app::CanvasEvent::Type::LeftUp);
    // The frame drawn around the editor does not swallow its clicks.
    EXPECT_EQ(editor->parentWidget()->childAt(QPoint(100, 100)), editor);
}

TEST_F(EventsTest, FilesDroppedOnTheImportCanvasArePassedOn) {
    QStringList dropped;
    QObject::connect(window.get(), &ui::WindowMain::filesDropped, [&](const QStringList& f) { dropped = f; });
    QWidget* importCanvas = window->control(Control::GadgetImportCanvas);
    EXPECT_TRUE(importCanvas->acceptDrops());
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a picture.png"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(importCanvas, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(importCanvas, &drop);
    EXPECT_EQ(dropped, QStringList{QStringLiteral("/tmp/a picture.png")});

    // Text without files is refused.
    QMimeData text;
    text.setText(QStringLiteral("hello"));
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(importCanvas, &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_FALSE(window->control(Control::GadgetSheetCanvas)->acceptDrops());
}

TEST_F(EventsTest, CloseIsAnnouncedAndCanBeRefused) {
    int requests = 0;
    bool refuse = true;
    QObject::connect(window.get(), &ui::WindowMain::closeRequested, [&] {
        ++requests;
        if (refuse) window->ignoreClose();
    });
    window->show();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    refuse = false;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(requests, 2);
}

TEST_F(EventsTest, ListingAreaAsksForItsContextMenu) {
    std::vector<QPoint> requests;
    QObject::connect(window.get(), &ui::WindowMain::outputContextMenuRequested,
                     [&](const QPoint& p) { requests.push_back(p); });
    showActive();
    window->tabs()->setCurrentIndex(ui::PageOutput);
    QPlainTextEdit* area = window->textArea(Control::GadgetAsmText);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(30, 40), area->viewport()->mapToGlobal(QPoint(30, 40)));
    QApplication::sendEvent(area->viewport(), &event);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], area->viewport()->mapToGlobal(QPoint(30, 40)));
}

TEST_F(EventsTest, FileListShowsOnlySpriteFilesOfItsDirectory) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"walk.spr", "ship.spr2", "notes.txt", "BOSS.SPR", "spr.png"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    QSignalSpy loaded(window->fileModel(), &QFileSystemModel::directoryLoaded);
    window->showFileListDirectory(dir.path());
    ASSERT_TRUE(loaded.count() > 0 || loaded.wait(5000));
    QTreeView* list = window->fileList();
    const QModelIndex root = list->rootIndex();
    QStringList shown;
    for (int row = 0; row < window->fileModel()->rowCount(root); ++row)
        shown << window->fileModel()->fileName(window->fileModel()->index(row, 0, root));
    shown.sort(Qt::CaseInsensitive);
    EXPECT_EQ(shown, (QStringList{"BOSS.SPR", "ship.spr2", "walk.spr"}));

    const QString directory = window->fileListDirectory();
    EXPECT_TRUE(directory.endsWith(QDir::separator()));
    EXPECT_EQ(QDir(directory).canonicalPath(), QDir(dir.path()).canonicalPath());
    EXPECT_EQ(window->selectedFileName(), QString());
    EXPECT_EQ(window->controlState(Control::GadgetFileList), -1);

    // A click selects a name and raises a click, a double click a double click.
    showActive();
    window->tabs()->setCurrentIndex(ui::PagePreview);
    const QModelIndex walk = window->fileModel()->index(dir.filePath("walk.spr"));
    const QRect cell = list->visualRect(walk);
    ASSERT_TRUE(cell.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(window->selectedFileName(), "walk.spr");
    ASSERT_FALSE(controls.empty());
    EXPECT_EQ(controls.back(), std::make_pair(Control::GadgetFileList, ControlEvent::Click));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(controls.back(), std::make_pair(Control::GadgetFileList, ControlEvent::DoubleClick));
}

}  // namespace
