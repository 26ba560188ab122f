// The win: announced at the move after which every column descends, once, whatever
// kind of move it was; taken back with that move and announced again when it is repeated.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

class WinTest : public RulesTest {
public:
    // Every column descends (with gaps in its ranks) except column 4, whose last card,
    // the nine of Clubs, can go home, into the empty column 5 or onto no card at all.
    // The ten of Clubs waits in the hand.
    static TableSetup NearlyWon() {
        TableSetup setup;
        setup.columns[0] = Cards({"KS", "QH", "9D", "6D", "4S", "3S"});
        setup.columns[1] = Cards({"KD", "9S", "5H", "2S"});
        setup.columns[2] = Cards({"KC", "QC", "JC", "8D", "3D"});
        setup.columns[3] = Cards({"KH", "QS", "JH", "8S", "7H"});
        setup.columns[4] = Cards({"9H", "7S", "9C"});
        setup.foundations = {C("8C"), C("2D"), C("4H"), C("AS")};
        return setup;
    }

protected:
    void SetUp() override { SetUpTable(NearlyWon()); }
};

enum class WinningMove { Drop, MenuMove, DoubleClick, Cover };

class EveryKindOfMove : public WinTest, public ::testing::WithParamInterface<WinningMove> {};

TEST_P(EveryKindOfMove, AnnouncesTheWinOnce) {
    ASSERT_FALSE(game.GameWon);
    ASSERT_FALSE(HandInHandOrder(game).empty()) << "cards in the hand do not matter";
    switch (GetParam()) {
        case WinningMove::Drop:
            DropOnColumn(C("9C"), 5);
            break;
        case WinningMove::MenuMove:
            game.PopupCard = C("9C");
            game.MoveTarget = ColumnBase(5);
            game.MenuMove();
            break;
        case WinningMove::DoubleClick:
            game.imgCard_DblClick(C("9C"));
            break;
        case WinningMove::Cover:
            game.imgCard_DblClick(C("8C"));  // plays the nine, which wins, then the ten
            ASSERT_EQ(game.UndoCount, 2);
            EXPECT_EQ(game.FoundationTop[0], C("10C"));
            break;
    }
    EXPECT_TRUE(game.GameWon);
    EXPECT_EQ(platform.gameOverShown, 1);
    EXPECT_TRUE(game.UndoRecords[0].WonGame);
    if (game.UndoCount > 1) {
        EXPECT_FALSE(game.UndoRecords[1].WonGame);
    }
    EXPECT_EQ(game.CheckInvariants(), "");
}

std::string WinningMoveName(const ::testing::TestParamInfo<WinningMove>& p) {
    static const std::array<const char*, 4> names = {"Drop", "MenuMove", "DoubleClick", "Cover"};
    return names[static_cast<std::size_t>(p.param)];
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryKindOfMove,
                         ::testing::Values(WinningMove::Drop, WinningMove::MenuMove,
                                           WinningMove::DoubleClick, WinningMove::Cover),
                         WinningMoveName);

TEST_F(WinTest, TheDialogOpensBeforeTheHistoryAdvances) {
    int countDuringDialog = -1;
    bool recordMarked = false;
    bool itemsEnabled = false;
    std::string tableDuringDialog = "not shown";
    platform.onGameOver = [&] {
        countDuringDialog = game.UndoCount;
        recordMarked = game.UndoRecords[game.UndoCount].WonGame;
        itemsEnabled = game.UndoItemsEnabled();
        tableDuringDialog = game.CheckInvariants();
    };
    game.imgCard_DblClick(C("9C"));
    EXPECT_EQ(countDuringDialog, 0);
    EXPECT_TRUE(recordMarked);
    EXPECT_TRUE(itemsEnabled);
    EXPECT_EQ(tableDuringDialog, "") << "the move is complete on the table";
    EXPECT_EQ(game.UndoCount, 1);
}

TEST_F(WinTest, UndoingTheWinningMoveTakesTheWinBack) {
    DropOnColumn(C("9C"), 5);
    ASSERT_EQ(platform.gameOverShown, 1);
    game.UndoMove();
    EXPECT_FALSE(game.GameWon);
    DropOnColumn(C("9C"), 5);
    EXPECT_TRUE(game.GameWon);
    EXPECT_EQ(platform.gameOverShown, 2) << "a repeated win is announced again";
}

TEST_F(WinTest, LaterMovesNeitherRepeatNorWithdrawTheWin) {
    game.imgCard_DblClick(C("9C"));
    ASSERT_EQ(platform.gameOverShown, 1);
    DropOnColumn(C("3S"), 5);  // every column still descends
    game.imgCard_DblClick(C("10C"));
    EXPECT_EQ(platform.gameOverShown, 1);
    EXPECT_EQ(game.UndoCount, 3);
    EXPECT_FALSE(game.UndoRecords[1].WonGame);
    EXPECT_FALSE(game.UndoRecords[2].WonGame);

    // Legal moves keep every column descending; a request made directly can break one.
    const int highHandCard = HandInHandOrder(game).front();
    ASSERT_GT(Rank(highHandCard), Rank(C("7H")));
    game.PopupCard = highHandCard;
    game.MoveTarget = C("7H");
    game.MenuMove();
    EXPECT_TRUE(game.GameWon);
    EXPECT_EQ(platform.gameOverShown, 1);

    // Taking back moves after the win keeps it; taking back the winning move clears it.
    game.UndoMove();
    game.UndoMove();
    game.UndoMove();
    EXPECT_TRUE(game.GameWon);
    game.UndoMove();
    EXPECT_FALSE(game.GameWon);
    EXPECT_EQ(game.UndoCount, 0);
}

struct ColumnCase {
    const char* name;
    std::vector<int> column4;  // replaces column 4 above the nine of Clubs
    bool won;
};

class ColumnOrder : public RulesTest, public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(ColumnOrder, DecidesTheWin) {
    TableSetup setup = WinTest::NearlyWon();
    setup.columns[4] = GetParam().column4;
    setup.columns[4].push_back(C("9C"));
    SetUpTable(setup);
    game.imgCard_DblClick(C("9C"));
    ASSERT_EQ(game.UndoCount, 1);
    EXPECT_EQ(game.GameWon, GetParam().won);
    EXPECT_EQ(platform.gameOverShown, GetParam().won ? 1 : 0);
    EXPECT_EQ(game.UndoRecords[0].WonGame, GetParam().won);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ColumnOrder,
    ::testing::Values(ColumnCase{"Descending", Cards({"9H", "7S"}), true},
                      ColumnCase{"GapsInRanks", Cards({"QD", "8H", "5D"}), true},
                      ColumnCase{"EqualRanks", Cards({"9H", "7S", "7D"}), false},
                      ColumnCase{"EqualRanksAtTheTop", Cards({"10S", "10D"}), false},
                      ColumnCase{"Ascending", Cards({"7S", "9H"}), false},
                      ColumnCase{"OneCard", Cards({"JD"}), true}, ColumnCase{"Empty", {}, true},
                      ColumnCase{"LongDescending",
                                 Cards({"QD", "JD", "10D", "9H", "8H", "7D", "6H", "5D", "4D"}),
                                 true}),
    [](const ::testing::TestParamInfo<ColumnCase>& p) { return std::string(p.param.name); });

TEST_F(WinTest, NoCheckOnceWon) {
    game.GameWon = true;
    game.imgCard_DblClick(C("9C"));
    EXPECT_EQ(platform.gameOverShown, 0);
    EXPECT_FALSE(game.UndoRecords[0].WonGame);
}

}  // namespace
}  // namespace tess::test
