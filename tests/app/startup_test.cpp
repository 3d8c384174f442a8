#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/dialogs.h"
#include "app/startup.h"
#include "ui/window_main.h"

TEST(Startup, WithoutThePaletteFileTheProgramEndsBeforeAnyWindow) {
    QTemporaryDir dir;
    app::ScriptedDialogs dialogs;
    const int windowsBefore = static_cast<int>(QApplication::topLevelWidgets().size());
    auto session = app::startEditor(dialogs, dir.path());
    EXPECT_FALSE(session);
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].title, "ERROR!");
    EXPECT_EQ(dialogs.calls()[0].text, "Cannot load r3g3b2.txt palette!");
    EXPECT_EQ(static_cast<int>(QApplication::topLevelWidgets().size()), windowsBefore);
}

TEST(Startup, AFolderNamedLikeThePaletteIsNoPalette) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("rgb9spreada.pal"));
    app::ScriptedDialogs dialogs;
    EXPECT_FALSE(app::startEditor(dialogs, dir.path()));
    EXPECT_EQ(dialogs.calls().size(), 1u);
}
