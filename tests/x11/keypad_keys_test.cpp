// The editor's keypad shortcut pressed on a real X server: Qt's xcb platform matches
// shortcuts differently from the offscreen one the other window tests use, so this
// program runs under Xvfb, and xdotool presses the keys through the server itself.
#include <QGuiApplication>
#include <QLineEdit>
#include <QTabWidget>

#include "tests/app/session_fixture.h"

using namespace testing_support;

namespace {

class X11Keys : public SessionTest {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs Qt's xcb platform";
        if (!shell("command -v xdotool")) GTEST_SKIP() << "needs xdotool";
        SessionTest::SetUp();
        window().show();
        window().activateWindow();
        ASSERT_TRUE(spinUntil([this] { return window().isActiveWindow(); }));
    }
    // Presses keys (xdotool names, one press each), then waits until the sprite count
    // grew by expected and a moment longer, so that a second reaction would show too.
    int spritesAddedBy(const std::string& keys, int expected) {
        const int before = model().spriteCount;
        EXPECT_TRUE(shell("xdotool key --delay 30 " + keys)) << keys;
        spinUntil([&] { return model().spriteCount - before >= expected; }, 3000);
        spinUntil([] { return false; }, 200);
        return model().spriteCount - before;
    }
};

// With NumLock in either state, wherever the focus is: each Ctrl+keypad plus adds one
// sprite, Ctrl with the main keyboard's plus adds none (the keypad press after it
// shows the keys arrived), and keypad plus alone types into a text field.
TEST_F(X11Keys, CtrlKeypadPlusAddsOneSpritePerPress) {
    QLineEdit* field = window().textField(Control::GadgetLabelText);
    for (const char* numLock : {"as the server started", "toggled"}) {
        SCOPED_TRACE(std::string("NumLock ") + numLock);
        if (std::string(numLock) == "toggled") {
            ASSERT_TRUE(shell("xdotool key Num_Lock"));
        }
        window().tabs()->setCurrentIndex(ui::PageDesign);
        window().setFocus();
        EXPECT_EQ(spritesAddedBy("ctrl+KP_Add ctrl+KP_Add", 2), 2);
        EXPECT_EQ(spritesAddedBy("ctrl+plus ctrl+KP_Add", 1), 1);

        window().tabs()->setCurrentIndex(ui::PageOutput);
        field->setFocus();
        ASSERT_TRUE(spinUntil([&] { return field->hasFocus(); }));
        const QString text = field->text();
        EXPECT_EQ(spritesAddedBy("ctrl+KP_Add", 1), 1);
        EXPECT_EQ(field->text().toStdString(), text.toStdString()) << "the shortcut typed into the field";
        field->setCursorPosition(static_cast<int>(text.size()));
        EXPECT_EQ(spritesAddedBy("KP_Add", 0), 0);
        EXPECT_EQ(field->text().toStdString(), text.toStdString() + "+");
        field->setText(text);
    }
}

}  // namespace
