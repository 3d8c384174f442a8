#include <gtest/gtest.h>

#include "model/sprite_model.h"
#include "model/transformations.h"

using namespace model;

namespace {
SpriteModel freshModel() {
    SpriteModel m;
    m.resetSheet();
    return m;
}
void stroke(SpriteModel& m, int x, int value) {
    m.grid.cell(x, 0) = value;
    m.pushUndoSnapshot();
}
}  // namespace

TEST(UndoHistory, StrokesUndoneAndRedoneOneStepAtATime) {
    SpriteModel m = freshModel();
    const SpriteGrid start = m.grid;
    EXPECT_FALSE(m.undo());  // position 0: nothing
    EXPECT_EQ(m.grid, start);

    std::vector<SpriteGrid> states{start};
    for (int i = 0; i < 5; ++i) {
        stroke(m, i, i + 1);
        states.push_back(m.grid);
    }
    EXPECT_EQ(m.history.undoPosition(), 5 * 256);
    for (int i = 4; i >= 0; --i) {
        ASSERT_TRUE(m.undo());
        EXPECT_EQ(m.grid, states[i]);
    }
    EXPECT_FALSE(m.undo());
    for (int i = 1; i <= 5; ++i) {
        ASSERT_TRUE(m.redo());
        EXPECT_EQ(m.grid, states[i]);
    }
    EXPECT_FALSE(m.redo());  // never past the newest snapshot
    EXPECT_EQ(m.grid, states[5]);
}

TEST(UndoHistory, PushDiscardsRedoStates) {
    SpriteModel m = freshModel();
    stroke(m, 0, 1);
    stroke(m, 1, 2);
    m.undo();
    m.undo();
    stroke(m, 2, 3);  // overwrites snapshot 1
    const SpriteGrid newest = m.grid;
    EXPECT_FALSE(m.redo());
    EXPECT_EQ(m.grid, newest);
    EXPECT_EQ(m.history.undoPosition(), 256);
}

TEST(UndoHistory, TransformationIsTakenBackWithTheLastStroke) {
    SpriteModel m = freshModel();
    stroke(m, 0, 1);
    const SpriteGrid afterFirst = m.grid;
    stroke(m, 1, 2);
    rotateClockwise(m.grid);
    m.undo();
    EXPECT_EQ(m.grid, afterFirst);
}

TEST(UndoHistory, SpriteStepRestartsAndLeavesNoStaleRedo) {
    SpriteModel m = freshModel();
    m.addSprite();
    stroke(m, 0, 1);
    stroke(m, 0, 2);
    m.undo();
    m.previousSprite();
    EXPECT_EQ(m.history.undoPosition(), 0);
    const SpriteGrid loaded = m.grid;
    EXPECT_FALSE(m.undo());
    EXPECT_FALSE(m.redo());  // the other sprite's snapshots are not reachable
    EXPECT_EQ(m.grid, loaded);
}

TEST(UndoHistory, ResetWritesTheClearedGridWithoutMoving) {
    SpriteModel m = freshModel();
    stroke(m, 0, 1);
    stroke(m, 0, 2);
    m.undo();
    m.resetSheet();
    EXPECT_EQ(m.history.undoPosition(), 256);
    EXPECT_FALSE(m.redo());
    m.undo();
    EXPECT_EQ(m.grid.cell(0, 0), TRANSPARENT_INDEX);  // snapshot 0 was the start state
}

TEST(UndoHistory, FullStoreDropsTheOldestSnapshots) {
    SpriteModel m = freshModel();
    const int pushes = UndoHistory::CAPACITY + 100;
    for (int i = 1; i <= pushes; ++i) {
        m.grid.cell(0, 0) = i & 0xFF;
        m.grid.cell(1, 0) = (i >> 8) & 0xFF;
        m.pushUndoSnapshot();
    }
    EXPECT_EQ(m.history.undoPosition(), (UndoHistory::CAPACITY - 1) * 256);
    int undos = 0;
    while (m.undo()) ++undos;
    EXPECT_EQ(undos, UndoHistory::CAPACITY - 1);
    // The oldest kept snapshot is push number pushes - (CAPACITY - 1).
    const int oldest = pushes - (UndoHistory::CAPACITY - 1);
    EXPECT_EQ(m.grid.cell(0, 0), oldest & 0xFF);
    EXPECT_EQ(m.grid.cell(1, 0), (oldest >> 8) & 0xFF);
    while (m.redo()) {
    }
    EXPECT_EQ(m.grid.cell(0, 0), pushes & 0xFF);
    EXPECT_EQ(m.grid.cell(1, 0), (pushes >> 8) & 0xFF);
}
