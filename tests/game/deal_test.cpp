#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "game/game.h"
#include "support/recording_platform.h"
#include "support/table_builder.h"

namespace tess {
namespace {

using test::C;

class DealTest : public ::testing::Test {
protected:
    test::RecordingPlatform platform;
    Game game{platform};
};

TEST(Cards, NumbersNamesAndLattice) {
    EXPECT_EQ(CardName(12), "King of Clubs");
    EXPECT_EQ(CardName(13), "Ace of Diamonds");
    EXPECT_EQ(CardName(C("7H")), "7 of Hearts");
    EXPECT_EQ(C("10S"), CardNumber(kSpades, 9));
    // Inverse formulas round to the nearest integer, ties to even.
    EXPECT_EQ(ColumnFromLeft(ColumnLeft(5)), 5);
    EXPECT_EQ(ColumnFromLeft(8 + 40.5), 0);   // 0.5 -> 0
    EXPECT_EQ(ColumnFromLeft(8 + 121.5), 2);  // 1.5 -> 2
    EXPECT_EQ(SlotFromTop(SlotTop(17)), 17);
    EXPECT_EQ(SlotFromTop(8 + 9), 0);    // 0.5 -> 0
    EXPECT_EQ(SlotFromTop(8 + 27), 2);   // 1.5 -> 2
    EXPECT_EQ(FoundationFromTop(FoundationTopPos(3)), 3);
    EXPECT_NEAR(kCardWidth, 68.87, 0.01);
}

TEST_F(DealTest, RandomDealsArePermutationsWithASortedHand) {
    for (std::uint64_t seed = 1; seed <= 500; ++seed) {
        game.SeedRandom(seed);
        game.DealRandomGame();
        std::set<int> cards(game.DealOrder.begin(), game.DealOrder.end());
        ASSERT_EQ(cards.size(), 52u);
        ASSERT_EQ(*cards.begin(), 0);
        ASSERT_EQ(*cards.rbegin(), 51);
        for (int p = 37; p < 52; ++p) {
            const int before = game.DealOrder[p - 1];
            const int card = game.DealOrder[p];
            // Descending rank, and within a rank descending suit.
            ASSERT_TRUE(Rank(before) > Rank(card) ||
                        (Rank(before) == Rank(card) && SuitOf(before) > SuitOf(card)))
                << "seed " << seed << " position " << p;
        }
        // The hand is exactly the cards the columns did not take.
        std::array<int, 36> columns{};
        std::copy_n(game.DealOrder.begin(), 36, columns.begin());
        ASSERT_EQ(test::SortedHandDeal(columns), game.DealOrder);
    }
}

TEST_F(DealTest, EverySeedGivesItsOwnDealAndTheSameSeedTheSame) {
    game.SeedRandom(7);
    game.DealRandomGame();
    const auto first = game.DealOrder;
    game.DealRandomGame();
    EXPECT_NE(game.DealOrder, first);
    game.SeedRandom(7);
    game.DealRandomGame();
    EXPECT_EQ(game.DealOrder, first);
}

TEST_F(DealTest, NewDealResetsCaptionAndClearsTheOption) {
    game.SetDealOnlyWinnableGames(true);
    game.mnuGameNew_Click();
    EXPECT_FALSE(game.DealOnlyWinnableGames());
    EXPECT_EQ(game.Caption(), "Tessaline");
    EXPECT_FALSE(platform.busyPointer);
}

TEST_F(DealTest, LayoutPutsEveryImageOnTheLattice) {
    game.SeedRandom(42);
    game.mnuGameNew_Click();
    ASSERT_EQ(game.CheckInvariants(), "");
    for (int p = 0; p < 36; ++p) {
        const int card = game.DealOrder[p];
        const CardImage& image = game.imgCard[card];
        EXPECT_EQ(image.Tag, kTagColumn);
        EXPECT_EQ(image.Left, ColumnLeft(p / 6));
        EXPECT_EQ(image.Top, SlotTop(p % 6));
        EXPECT_EQ(game.ColumnCards[p / 6][p % 6], card);
        EXPECT_TRUE(image.Visible);
    }
    for (int p = 36; p < 52; ++p) {
        const CardImage& image = game.imgCard[game.DealOrder[p]];
        EXPECT_EQ(image.Tag, kTagHand);
        EXPECT_EQ(image.Left, 15.0 * (p - 36) + 8);
        EXPECT_EQ(image.Top, 336);
    }
    // Later deal positions lie in front of earlier ones; bases stay behind every card.
    for (int p = 1; p < 52; ++p)
        EXPECT_GT(game.imgCard[game.DealOrder[p]].ZOrder, game.imgCard[game.DealOrder[p - 1]].ZOrder);
    for (int f = 0; f < 4; ++f) {
        const CardImage& base = game.imgCard[FoundationBase(f)];
        EXPECT_EQ(base.Tag, kTagFoundation);
        EXPECT_EQ(base.Left, 498);
        EXPECT_EQ(base.Top, 104.0 * f + 16);
        EXPECT_TRUE(base.Visible);
        EXPECT_EQ(base.ZOrder, 0u);
    }
    for (int c = 0; c < 6; ++c) {
        const CardImage& base = game.imgCard[ColumnBase(c)];
        EXPECT_EQ(base.Tag, kTagColumnBase);
        EXPECT_EQ(base.Left, 81.0 * c + 8);
        EXPECT_EQ(base.Top, 8);
    }
    EXPECT_FALSE(game.imgCard[kSpareImage].Visible);
    EXPECT_EQ(game.imgCard[kSpareImage].Tag, kTagSpare);
    EXPECT_EQ(game.FoundationTop, (std::array<int, 4>{-1, -1, -1, -1}));
    EXPECT_EQ(game.UndoCount, 0);
    EXPECT_EQ(game.UndoUpperBound, 20);
    EXPECT_FALSE(game.UndoItemsEnabled());
    const std::vector<int> order = game.PaintOrder();
    EXPECT_EQ(order.size(), 62u);
    EXPECT_EQ(order.back(), game.DealOrder[51]);
}

TEST_F(DealTest, LayoutRestoresTheDealFromAnyState) {
    game.SeedRandom(3);
    game.mnuGameNew_Click();
    const auto dealt = game.imgCard;
    // Scramble the table by hand: foundations, hidden cards, odd tags, the drag state.
    test::TableSetup setup;
    setup.columns[0] = {C("KS"), C("QH"), C("JC")};
    setup.foundations = {C("5H"), C("KD"), kNoCard, C("2C")};
    for (int card = 0; card < 52; ++card) {
        const bool placed = card == C("KS") || card == C("QH") || card == C("JC") ||
                            (SuitOf(card) == kHearts && Rank(card) <= 4) || SuitOf(card) == kDiamonds ||
                            card == C("AC") || card == C("2C");
        if (!placed && setup.columns[1].size() < 17) setup.columns[1 + (card % 5)].push_back(card);
    }
    const auto deal = game.DealOrder;
    test::SetUpTable(game, setup);
    game.DealOrder = deal;
    game.imgCard[5].Visible = false;
    game.Dragging = true;
    game.DragMoved = true;
    game.picForDragging.Visible = true;
    game.GameWon = true;
    game.mnuGameRestart_Click();
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_FALSE(game.Dragging || game.DragMoved || game.picForDragging.Visible || game.GameWon);
    for (int i = 0; i < kImageCount; ++i) {
        EXPECT_EQ(game.imgCard[i].Left, dealt[i].Left) << i;
        EXPECT_EQ(game.imgCard[i].Top, dealt[i].Top) << i;
        EXPECT_EQ(game.imgCard[i].Tag, dealt[i].Tag) << i;
        EXPECT_EQ(game.imgCard[i].Visible, dealt[i].Visible) << i;
    }
    EXPECT_EQ(game.PaintOrder(), [&] {
        game.mnuGameRestart_Click();
        return game.PaintOrder();
    }());
}

TEST_F(DealTest, RestartKeepsTheCaption) {
    game.mnuGameNew_Click();
    game.SetDealOnlyWinnableGames(true);
    game.mnuGameRestart_Click();
    EXPECT_TRUE(game.DealOnlyWinnableGames());
}

TEST_F(DealTest, AFileDealIsLaidOutAsStored) {
    // An unsorted hand is laid out position by position.
    for (int p = 0; p < 52; ++p) game.DealOrder[p] = 51 - p;
    game.LayOutDeal();
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.imgCard[0].Left, 15.0 * 15 + 8);
    EXPECT_EQ(game.imgCard[15].Left, 8);
    EXPECT_EQ(game.ColumnCards[0][0], 51);
}

TEST_F(DealTest, HitTestFindsTheTopmostImage) {
    game.SeedRandom(9);
    game.mnuGameNew_Click();
    // A point on the visible strip of slot 0 belongs to the slot-0 card, lower down to the last card.
    EXPECT_EQ(game.ImageAt(ColumnLeft(2) + 5, SlotTop(0) + 5), game.ColumnCards[2][0]);
    EXPECT_EQ(game.ImageAt(ColumnLeft(2) + 5, SlotTop(5) + 50), game.ColumnCards[2][5]);
    EXPECT_EQ(game.ImageAt(kFoundationLeft + 10, FoundationTopPos(1) + 10), FoundationBase(1));
    EXPECT_EQ(game.ImageAt(570, 430), -1);
    EXPECT_EQ(game.ImageAt(8 + 15 * 15 + 30, 400), game.DealOrder[51]);
}

}  // namespace
}  // namespace tess
