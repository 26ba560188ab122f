// The table's context menu and its key.
#include "board_fixture.h"

namespace tess::test {
namespace {

using Items = std::vector<std::string>;

const Items kShortMenu = {"Start &New Game", "&Open Saved Game...", "&Save Current Game",
                          "Save Current Game &As..."};
const Items kFullMenu = {"*&Undo Move", "&Restart Current Game", "-", "Start &New Game",
                         "&Open Saved Game...", "&Save Current Game", "Save Current Game &As..."};

class GameMenuTest : public BoardTest {
protected:
    void SetUp() override {
        TableSetup t;
        t.columns[0] = SuitRun("KC", "6C");
        t.columns[1] = SuitRun("KD", "6D");
        t.columns[2] = SuitRun("KS", "6S");
        t.foundations = {C("5C"), C("5D"), C("4H"), C("5S")};
        Table(t);
    }
    // The five of Hearts goes home from the hand.
    void MakeAMove() {
        game.imgCard_DblClick(C("5H"));
        ASSERT_EQ(game.UndoCount, 1);
    }
};

TEST_F(GameMenuTest, ItemsFollowTheHistory) {
    ASSERT_TRUE(game.Form_MouseUp(kRightButton));
    EXPECT_EQ(Shown(game.gameMenu()), kShortMenu);

    MakeAMove();
    ASSERT_TRUE(game.Form_MouseUp(kRightButton));
    EXPECT_EQ(Shown(game.gameMenu()), kFullMenu);

    game.UndoMove();
    ASSERT_TRUE(game.Form_MouseUp(kRightButton));
    EXPECT_EQ(Shown(game.gameMenu()), kShortMenu);

    MakeAMove();
    game.mnuGameRestart_Click();
    ASSERT_TRUE(game.Form_MouseUp(kRightButton));
    EXPECT_EQ(Shown(game.gameMenu()), kShortMenu);
}

TEST_F(GameMenuTest, OnlyTheRightButtonOpensIt) {
    EXPECT_FALSE(game.Form_MouseUp(kLeftButton));
    EXPECT_FALSE(game.Form_MouseUp(kMiddleButton));
    EXPECT_FALSE(game.Form_MouseUp(kLeftButton | kRightButton));
}

TEST_F(GameMenuTest, DoubleClickOnTheTableUndoes) {
    const auto dealt = Snapshot(game);
    game.Form_DblClick();
    EXPECT_EQ(Snapshot(game), dealt);
    MakeAMove();
    game.Form_DblClick();
    EXPECT_EQ(Snapshot(game), dealt);
}

TEST_F(GameMenuTest, F1ReleasedOpensTheHelp) {
    for (int key : {113, 27, 13, 0, 111}) game.Form_KeyUp(key);
    EXPECT_EQ(platform.helpShown, 0);
    game.Form_KeyUp(kKeyF1);
    EXPECT_EQ(platform.helpShown, 1);
}

}  // namespace
}  // namespace tess::test
