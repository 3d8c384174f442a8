// What the main window raises: menu numbers from menus, shortcuts and the pop-up,
// control events from user actions only, canvas mouse events, drops, the close
// request, and the file list of the working directory.
#include "toolkit/canvas.h"
#include "toolkit/text_spin_box.h"
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
#include <tuple>
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

TEST_F(EventsTest, MenuAndPopupItemsRaiseTheirNumbers) {
    const QList<QAction*> menuActions = window->menuBar()->actions();
    ASSERT_EQ(menuActions.size(), 3);
    EXPECT_EQ(menuActions[1]->text(), "Edit");
    EXPECT_EQ(menuActions[1]->menu()->actions().size(), 3);
    for (int number = ui::MenuQuit; number <= ui::MenuAbout; ++number) window->menuAction(number)->trigger();
    EXPECT_EQ(menus, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(window->menuAction(7), nullptr);

    menus.clear();
    const QList<QAction*> items = window->popupOutput()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[2]->text(), "Select All");
    for (QAction* item : items) item->trigger();
    EXPECT_EQ(menus, (std::vector<int>{300, 302, 301}));
}

// A key bound twice raises only its later number; the main keyboard's plus is not the
// keypad's, and an unbound key raises nothing.
TEST_F(EventsTest, EachBoundKeyRaisesItsNumberOnce) {
    const QKeyCombination keypadPlus(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus);
    window->registerShortcut(QKeySequence(keypadPlus), 102);
    window->registerShortcut(QKeySequence(Qt::CTRL | Qt::Key_A), 204);
    window->registerShortcut(QKeySequence(Qt::CTRL | Qt::Key_V), 210);
    window->registerShortcut(QKeySequence(keypadPlus), 211);
    EXPECT_EQ(window->shortcutCount(), 3);
    showActive();
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const std::vector<std::tuple<Qt::Key, Qt::KeyboardModifiers, int>> keys = {
        {Qt::Key_Plus, ctrl | Qt::KeypadModifier, 211}, {Qt::Key_A, ctrl, 204},
        {Qt::Key_Plus, ctrl, -1}, {Qt::Key_Q, ctrl, -1}};
    for (const auto& [key, modifiers, number] : keys) {
        menus.clear();
        QTest::keyClick(window.get(), key, modifiers);
        EXPECT_EQ(menus, number < 0 ? std::vector<int>{} : std::vector<int>{number}) << "key " << key;
    }
}

TEST_F(EventsTest, ShortcutsWinOverTheEditingKeysOfTextFields) {
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

TEST_F(EventsTest, UserActionsRaiseControlEventsAndSettersStayQuiet) {
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

TEST_F(EventsTest, SpinBoxStepsStartFromTheTextAndStayInRange) {
    window->applyStartValues();
    toolkit::TextSpinBox* width = window->spinBox(Control::GadgetSheetWidth);
    width->stepBy(1);
    EXPECT_EQ(width->text(), "17");
    width->setText(QStringLiteral("900"));
    width->stepBy(1);
    EXPECT_EQ(width->text(), "64");
    width->stepBy(-100);
    EXPECT_EQ(width->text(), "1");
}

TEST_F(EventsTest, CanvasMouseEventsAndDropsArePassedOn) {
    std::vector<std::pair<Control, toolkit::CanvasEvent>> events;
    QObject::connect(window.get(), &ui::WindowMain::canvasEvent,
                     [&](Control c, const toolkit::CanvasEvent& e) { events.emplace_back(c, e); });
    showActive();
    QWidget* editor = window->control(Control::GadgetEditorCanvas);
    QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, QPoint(45, 65));
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0].first, Control::GadgetEditorCanvas);
    EXPECT_EQ(events[0].second.type, toolkit::CanvasEvent::Type::LeftDown);
    EXPECT_EQ(QPoint(events[0].second.x, events[0].second.y), QPoint(45, 65));
    EXPECT_EQ(events.back().second.type, toolkit::CanvasEvent::Type::LeftUp);
    EXPECT_EQ(editor->parentWidget()->childAt(QPoint(100, 100)), editor);  // the frame swallows nothing

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

TEST_F(EventsTest, CloseIsAnnouncedAndCanBeRefused) {
    bool refuse = true;
    QObject::connect(window.get(), &ui::WindowMain::closeRequested, [&] {
        if (refuse) window->ignoreClose();
    });
    window->show();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    refuse = false;
    EXPECT_TRUE(window->close());
}

TEST_F(EventsTest, ListingAreaAsksForItsContextMenu) {
    std::vector<QPoint> requests;
    QObject::connect(window.get(), &ui::WindowMain::outputContextMenuRequested,
                     [&](const QPoint& p) { requests.push_back(p); });
    QWidget* viewport = window->textArea(Control::GadgetAsmText)->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(30, 40), viewport->mapToGlobal(QPoint(30, 40)));
    QApplication::sendEvent(viewport, &event);
    EXPECT_EQ(requests, std::vector<QPoint>{viewport->mapToGlobal(QPoint(30, 40))});
}

TEST_F(EventsTest, FileListShowsOnlySpriteFilesOfItsDirectory) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"walk.spr", "ship.spr2", "notes.txt", "BOSS.SPR", "spr.png"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
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

    // A click selects a name and raises a click, a double click a double click.
    showActive();
    window->tabs()->setCurrentIndex(ui::PagePreview);
    const QRect cell = list->visualRect(window->fileModel()->index(dir.filePath("walk.spr")));
    ASSERT_TRUE(cell.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(window->selectedFileName(), "walk.spr");
    EXPECT_EQ(controls.back(), std::make_pair(Control::GadgetFileList, ControlEvent::Click));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(controls.back(), std::make_pair(Control::GadgetFileList, ControlEvent::DoubleClick));
}

}  // namespace
