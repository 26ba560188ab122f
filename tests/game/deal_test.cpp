#include <algorithm>
#include <numeric>

#include <gtest/gtest.h>

#include "game/game.h"
#include "support/recording_platform.h"
#include "support/table_builder.h"

namespace tess {
namespace {

class DealTest : public ::testing::Test {
protected:
    test::RecordingPlatform platform;
    Game game{platform};
};

// Every deal holds each card once, the hand sorted (Kings first, Spades first within a
// rank), and over many deals every card of the pack turns up in the columns.
TEST_F(DealTest, RandomDealsArePermutationsWithASortedHand) {
    std::array<int, kCardCount> pack{};
    std::iota(pack.begin(), pack.end(), 0);
    std::array<bool, kCardCount> inColumns{};
    for (std::uint64_t seed = 1; seed <= 500; ++seed) {
        game.SeedRandom(seed);
        game.DealRandomGame();
        ASSERT_TRUE(std::is_permutation(pack.begin(), pack.end(), game.DealOrder.begin())) << seed;
        std::array<int, 36> columns{};
        std::copy_n(game.DealOrder.begin(), 36, columns.begin());
        ASSERT_EQ(test::SortedHandDeal(columns), game.DealOrder) << seed;
        for (int card : columns) inColumns[card] = true;
    }
    for (int card = 0; card < kCardCount; ++card) EXPECT_TRUE(inColumns[card]) << CardName(card);
}

// New and Restart lay the deal out afresh: consistent, every card shown, the spare image
// hidden, no move to take back; New also clears the caption and the dealing option.
TEST_F(DealTest, NewAndRestartAfterAMoveLeaveNothingToUndo) {
    for (const bool restart : {false, true}) {
        test::TableSetup table;
        table.columns[0] = {test::C("AH")};
        test::FillColumns(table, {1, 2, 3, 4, 5});
        test::SetUpTable(game, table);
        game.SetDealOnlyWinnableGames(true);
        game.imgCard_DblClick(test::C("AH"));
        ASSERT_TRUE(game.UndoItemsEnabled());
        restart ? game.mnuGameRestart_Click() : game.mnuGameNew_Click();
        EXPECT_EQ(game.CheckInvariants(), "");
        EXPECT_FALSE(game.UndoItemsEnabled() || game.UndoCount > 0) << restart;
        EXPECT_FALSE(game.imgCard[kSpareImage].Visible);
        EXPECT_EQ(game.PaintOrder().size(), kImageCount - 1u);
        EXPECT_EQ(game.DealOnlyWinnableGames(), restart);
        EXPECT_EQ(game.Caption(), "Tessaline");
        EXPECT_FALSE(platform.busyPointer);
    }
}

// A deal from a file is laid out position by position, whatever order its hand is in.
TEST_F(DealTest, AFileDealIsLaidOutAsStored) {
    for (int p = 0; p < 52; ++p) game.DealOrder[p] = 51 - p;
    game.LayOutDeal();
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.ColumnCards[0][0], test::C("KS"));
    EXPECT_EQ(game.imgCard[test::C("AC")].Left, HandLeft(15));
}

// A press belongs to the card in front: the slot-0 card on its visible strip, lower down the
// column's last card, the last hand card over those before it.
TEST_F(DealTest, HitTestFindsTheTopmostImage) {
    game.SeedRandom(9);
    game.mnuGameNew_Click();
    EXPECT_EQ(game.ImageAt(ColumnLeft(2) + 5, SlotTop(0) + 5), game.ColumnCards[2][0]);
    EXPECT_EQ(game.ImageAt(ColumnLeft(2) + 5, SlotTop(5) + 50), game.ColumnCards[2][5]);
    EXPECT_EQ(game.ImageAt(kFoundationLeft + 10, FoundationTopPos(1) + 10), FoundationBase(1));
    EXPECT_EQ(game.ImageAt(570, 430), -1);
    EXPECT_EQ(game.ImageAt(HandLeft(15) + 30, 400), game.DealOrder[51]);
}

}  // namespace
}  // namespace tess
