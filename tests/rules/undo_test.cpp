// Taking moves back: every kind of move undone restores the exact table, the history
// grows without limit, and Undo and Restart are offered exactly when there is a move.
#include <functional>

#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

class UndoTest : public RulesTest {
protected:
    // Foundations AC, 3D, 3H and one empty; columns 4 and 5 empty; 7S and 4H in the hand.
    void SetUpRichTable() {
        TableSetup setup;
        setup.columns[0] = Cards({"5H", "KS", "QH", "JS"});  // the five of Hearts covered
        setup.columns[1] = Cards({"KD"});
        setup.columns[2] = Cards({"9H", "8C"});
        setup.columns[3] = Cards({"6D", "5D", "4D"});
        setup.foundations = {C("AC"), C("3D"), C("3H"), kNoCard};
        Fill(setup, {0, 1, 3}, Cards({"7S", "4H"}));
        SetUpTable(setup);
    }

    // Makes the move, takes it back, and expects the table exactly as before.
    void ExpectUndoRestores(const std::function<void()>& move) {
        const TableSnapshot before = Snapshot(game);
        const int count = game.UndoCount;
        move();
        ASSERT_EQ(game.UndoCount, count + 1) << "the move was not made";
        ASSERT_EQ(game.CheckInvariants(), "");
        ASSERT_NE(Difference(before, Snapshot(game)), "");
        game.UndoMove();
        EXPECT_EQ(Difference(before, Snapshot(game)), "");
        EXPECT_EQ(game.CheckInvariants(), "");
        EXPECT_TRUE(HandIsStacked(game));
        EXPECT_EQ(game.UndoCount, count);
        EXPECT_EQ(game.UndoItemsEnabled(), count > 0);
    }
};

struct MoveCase {
    const char* name;
    const char* card;
    int column;      // destination column, or -1
    int foundation;  // destination foundation, or -1; both -1 for a double-click
};

class UndoEveryMove : public UndoTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(UndoEveryMove, RestoresTheTable) {
    SetUpRichTable();
    const MoveCase& param = GetParam();
    const int card = C(param.card);
    ExpectUndoRestores([&] {
        if (param.column >= 0) {
            ASSERT_TRUE(game.PickUpCards(card));
            ASSERT_TRUE(game.RunFitsColumn(param.column));
            DropOnColumn(card, param.column);
        } else if (param.foundation >= 0) {
            ASSERT_TRUE(game.PickUpCards(card));
            ASSERT_TRUE(game.RunFitsFoundationPile(param.foundation));
            DropOnFoundation(card, param.foundation);
        } else {
            game.imgCard_DblClick(card);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UndoEveryMove,
    ::testing::Values(MoveCase{"RunOntoACard", "QH", 1, -1},
                      MoveCase{"RunIntoAnEmptyColumn", "QH", 5, -1},
                      MoveCase{"WholeColumnIntoAnEmptyColumn", "9H", 4, -1},
                      MoveCase{"ColumnCardOntoAFoundation", "4D", -1, 1},
                      MoveCase{"ThreeCardsOntoAFoundation", "6D", -1, 1},
                      MoveCase{"HandCardOntoACard", "7S", 2, -1},
                      MoveCase{"HandCardIntoAnEmptyColumn", "7S", 4, -1},
                      MoveCase{"HandCardOntoAFoundation", "4H", -1, 2},
                      MoveCase{"FoundationCardOntoACard", "3H", 3, -1},
                      MoveCase{"FoundationCardIntoAnEmptyColumn", "3D", 5, -1},
                      MoveCase{"FoundationAceIntoAnEmptyColumn", "AC", 4, -1},
                      MoveCase{"FoundationAceOntoAnEmptyFoundation", "AC", -1, 3},
                      MoveCase{"DoubleClickColumnCard", "4D", -1, -1},
                      MoveCase{"DoubleClickHandCard", "4H", -1, -1},
                      MoveCase{"CoverTakesOneCard", "3H", -1, -1}),
    [](const ::testing::TestParamInfo<MoveCase>& p) { return std::string(p.param.name); });

TEST_F(UndoTest, ThreeCardsComeOffTheFoundationIntoTheirSlots) {
    SetUpRichTable();
    const int slot = game.SlotOf(C("6D"));
    DropOnFoundation(C("6D"), 1);
    ASSERT_EQ(game.FoundationTop[1], C("6D"));
    game.UndoMove();
    EXPECT_EQ(game.FoundationTop[1], C("3D"));
    EXPECT_EQ(game.ColumnCards[3][slot], C("6D"));
    EXPECT_EQ(game.ColumnCards[3][slot + 1], C("5D"));
    EXPECT_EQ(game.ColumnCards[3][slot + 2], C("4D"));
    EXPECT_EQ(game.CheckInvariants(), "");
}

// Every suit: the foundation is empty again, also for Clubs at card number 0.
class UndoWholeSuit : public UndoTest, public ::testing::WithParamInterface<int> {};

TEST_P(UndoWholeSuit, LeavesTheFoundationEmpty) {
    const int suit = GetParam();
    TableSetup setup;
    for (int rank = kKing; rank >= kAce; --rank) setup.columns[1].push_back(CardNumber(suit, rank));
    const int other = (suit + 1) % kSuitCount;
    setup.foundations[0] = CardNumber(other, 8);
    Fill(setup, {0, 2, 3});
    SetUpTable(setup);
    ExpectUndoRestores([&] { DropOnFoundation(CardNumber(suit, kKing), 2); });
    EXPECT_EQ(game.FoundationTop[2], kNoCard);
    EXPECT_EQ(game.FoundationTop[0], CardNumber(other, 8));
}

INSTANTIATE_TEST_SUITE_P(EverySuit, UndoWholeSuit,
                         ::testing::Values(kClubs, kDiamonds, kHearts, kSpades),
                         [](const ::testing::TestParamInfo<int>& p) {
                             return std::string(SuitName[p.param]);
                         });

TEST_F(UndoTest, LongColumnsGiveTheHandBackItsPlaceInFront) {
    TableSetup setup;
    std::vector<int> column;
    for (int rank = kAce; rank <= kKing; ++rank) column.push_back(CardNumber(kClubs, rank));
    column.push_back(C("QH"));  // slot 13, over the hand
    setup.columns[1] = column;
    setup.columns[2] = Cards({"KS"});
    setup.columns[3] = Cards({"KD"});
    Fill(setup, {0, 2, 3, 4, 5}, Cards({"JS"}));
    SetUpTable(setup);
    ASSERT_EQ(game.SlotOf(C("QH")), 13);
    // Out of the long column and back into it.
    ExpectUndoRestores([&] { DropOnColumn(C("QH"), 2); });
    // Into a long column from the hand, and back out of it.
    ExpectUndoRestores([&] { DropOnColumn(C("JS"), 1); });
}

TEST_F(UndoTest, UndoReloadsTheLatestMoveAndWithdrawsTheItemsAtTheStart) {
    SetUpRichTable();
    EXPECT_FALSE(game.UndoItemsEnabled());
    DropOnColumn(C("QH"), 1);
    EXPECT_TRUE(game.UndoItemsEnabled());
    game.imgCard_DblClick(C("4D"));
    EXPECT_EQ(game.MoveLast, 0);
    game.UndoMove();
    EXPECT_EQ(game.MoveLast, 1);
    EXPECT_EQ(game.MoveCards[0], C("QH"));
    EXPECT_EQ(game.MoveCards[1], C("JS"));
    EXPECT_EQ(game.MoveCards[2], kNoCard);
    EXPECT_TRUE(game.UndoItemsEnabled());
    game.UndoMove();
    EXPECT_FALSE(game.UndoItemsEnabled());

    const TableSnapshot start = Snapshot(game);
    game.UndoMove();  // nothing left to take back
    game.Form_DblClick();
    EXPECT_EQ(Difference(start, Snapshot(game)), "");
    EXPECT_EQ(game.UndoCount, 0);

    DropOnColumn(C("QH"), 1);
    game.mnuGameRestart_Click();
    EXPECT_FALSE(game.UndoItemsEnabled());
    EXPECT_EQ(game.UndoCount, 0);
}

class ShuttleTest : public UndoTest {
protected:
    // The seven of Hearts travels between the eights of Clubs and of Spades; column 3
    // climbs, so the deal is never won.
    void SetUpShuttle() {
        TableSetup setup;
        setup.columns[0] = Cards({"KD", "7H"});
        setup.columns[1] = Cards({"8C"});
        setup.columns[2] = Cards({"8S"});
        setup.columns[3] = Cards({"2C", "5C"});
        Fill(setup, {0, 1, 2, 4, 5});
        SetUpTable(setup);
    }
    void Shuttle() { DropOnColumn(C("7H"), game.imgCard[C("7H")].Left == ColumnLeft(1) ? 2 : 1); }
};

TEST_F(ShuttleTest, TwentyOneMovesGrowTheHistoryAndAllComeBack) {
    SetUpShuttle();
    std::vector<TableSnapshot> before;
    for (int move = 1; move <= 41; ++move) {
        before.push_back(Snapshot(game));
        Shuttle();
        ASSERT_EQ(game.UndoCount, move);
        const int bound = move <= 20 ? 20 : move <= 40 ? 40 : 60;
        ASSERT_EQ(game.UndoUpperBound, bound) << "after " << move << " moves";
        ASSERT_EQ(static_cast<int>(game.UndoRecords.size()), bound + 1);
        ASSERT_EQ(game.CheckInvariants(), "");
    }
    for (int move = 41; move >= 1; --move) {
        ASSERT_TRUE(game.UndoItemsEnabled());
        game.UndoMove();
        ASSERT_EQ(Difference(before[static_cast<std::size_t>(move - 1)], Snapshot(game)), "")
            << "undoing move " << move;
    }
    EXPECT_FALSE(game.UndoItemsEnabled());
    EXPECT_EQ(game.UndoUpperBound, 60) << "taking moves back never shrinks the history";
}

// A 16-bit history would overflow here; every move must still be recorded and undone.
TEST_F(ShuttleTest, MoreThanAShortIntOfMovesAllComeBack) {
    SetUpShuttle();
    const TableSnapshot start = Snapshot(game);
    const TableSnapshot away = [&] {
        Shuttle();
        const TableSnapshot snap = Snapshot(game);
        game.UndoMove();
        return snap;
    }();
    constexpr int kMoves = 33'001;
    for (int move = 1; move <= kMoves; ++move) {
        Shuttle();
        if (game.UndoCount != move) FAIL() << "move " << move << " was not recorded";
    }
    EXPECT_EQ(game.UndoUpperBound, 33'020);
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(Difference(away, Snapshot(game)), "");
    for (int move = kMoves; move >= 1; --move) {
        game.UndoMove();
        if (game.UndoCount != move - 1) FAIL() << "undoing move " << move;
        if (move % 4096 == 0) {
            ASSERT_EQ(Difference(away, Snapshot(game)), "");  // an odd number of moves left
            ASSERT_EQ(game.CheckInvariants(), "");
        }
    }
    EXPECT_EQ(Difference(start, Snapshot(game)), "");
    EXPECT_FALSE(game.UndoItemsEnabled());
    game.UndoMove();
    EXPECT_EQ(game.UndoCount, 0);
}

}  // namespace
}  // namespace tess::test
