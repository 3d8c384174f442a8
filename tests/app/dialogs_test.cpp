#include "app/dialogs.h"

#include <gtest/gtest.h>

namespace {

using app::DialogCall;

TEST(QtFilter, DescriptionAndPatterns) {
    EXPECT_EQ(app::toQtFilter(" images |*.bmp;*.png;*.jpg;*.gif"), "images (*.bmp *.png *.jpg *.gif)");
    EXPECT_EQ(app::toQtFilter("Sprites|*.spr|All|*.*"), "Sprites (*.spr);;All (*.*)");
    EXPECT_EQ(app::toQtFilter("|*.spr"), "*.spr");
}

TEST(QtFilter, BarePatterns) {
    EXPECT_EQ(app::toQtFilter("*.spr"), "*.spr");
    EXPECT_EQ(app::toQtFilter(".asm"), "*.asm");
    EXPECT_EQ(app::toQtFilter(""), "");
}

TEST(ScriptedDialogs, AnswersInOrderAndRecordsEveryCall) {
    app::ScriptedDialogs dialogs;
    dialogs.answerSaveFile("/tmp/a.spr");
    dialogs.answerSaveFile("");  // a cancel
    dialogs.answerYesNo(true);
    dialogs.answerOpenFile("/tmp/b.png");
    app::Dialogs& d = dialogs;

    EXPECT_EQ(d.saveFile("Save", "sprites.spr", "*.spr"), "/tmp/a.spr");
    EXPECT_EQ(d.saveFile("Save again", "x.spr", "*.spr"), "");
    EXPECT_TRUE(d.askYesNo("Clear Sprites?", "This will clear all sprites!"));
    EXPECT_EQ(d.openFile("Open", "", " images |*.png"), "/tmp/b.png");
    d.message("Success", "Imported sprites : 4");

    ASSERT_EQ(dialogs.calls().size(), 5u);
    const DialogCall& first = dialogs.calls()[0];
    EXPECT_EQ(first.kind, DialogCall::Kind::SaveFile);
    EXPECT_EQ(first.title, "Save");
    EXPECT_EQ(first.text, "sprites.spr");
    EXPECT_EQ(first.filter, "*.spr");
    EXPECT_EQ(dialogs.calls()[2].text, "This will clear all sprites!");
    EXPECT_EQ(dialogs.calls()[3].filter, " images |*.png");
    const auto messages = dialogs.callsOf(DialogCall::Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Imported sprites : 4");
    EXPECT_TRUE(dialogs.unexpectedCalls().empty());
    EXPECT_EQ(dialogs.pendingAnswers(), 0u);
}

TEST(ScriptedDialogs, UnscriptedQuestionsAnswerNoAndAreFlagged) {
    app::ScriptedDialogs dialogs;
    dialogs.answerYesNo(true);  // scripted for a different kind than asked first
    EXPECT_EQ(dialogs.openFile("Open", "", "*.spr"), "");
    EXPECT_EQ(dialogs.saveFile("Save", "", "*.spr"), "");
    EXPECT_TRUE(dialogs.askYesNo("Q", "first"));
    EXPECT_FALSE(dialogs.askYesNo("Q", "second"));
    const auto unexpected = dialogs.unexpectedCalls();
    ASSERT_EQ(unexpected.size(), 3u);
    EXPECT_EQ(unexpected[0].kind, DialogCall::Kind::OpenFile);
    EXPECT_EQ(unexpected[1].kind, DialogCall::Kind::SaveFile);
    EXPECT_EQ(unexpected[2].text, "second");
    dialogs.clear();
    EXPECT_TRUE(dialogs.calls().empty());
}

}  // namespace
