// Dealing and laying out: what a deal holds, where its cards lie, what New and Restart reset.
#include <algorithm>

#include <gtest/gtest.h>

#include "support/recording_platform.h"
#include "support/table_builder.h"

namespace tess::test {
namespace {

// Every deal holds each card once with the hand sorted, and any card of the pack may
// reach the columns.
TEST(Deal, RandomDealsArePermutationsWithASortedHand) {
    RecordingPlatform platform;
    Game game{platform};
    std::array<bool, kCardCount> inColumns{};
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        game.SeedRandom(seed);
        game.DealRandomGame();
        std::array<int, 36> columns{};
        std::copy_n(game.DealOrder.begin(), 36, columns.begin());
        ASSERT_EQ(SortedHandDeal(columns), game.DealOrder) << seed;
        for (int card : columns) inColumns[card] = true;
    }
    EXPECT_EQ(std::count(inColumns.begin(), inColumns.end(), false), 0);
}

// A deal from a file lies six cards to a column and the last sixteen in the hand's fan.
// Restart lays it out again, New deals afresh and drops the dealing option; neither leaves
// the busy pointer or a hidden card. The long random play checks Undo after both.
TEST(Deal, LayoutRestartAndNew) {
    RecordingPlatform platform;
    Game game{platform};
    for (int p = 0; p < kCardCount; ++p) game.DealOrder[p] = kCardCount - 1 - p;  // as a file gives it
    game.LayOutDeal();
    EXPECT_EQ(game.ColumnCards[1][0], C("7S"));
    EXPECT_EQ(game.imgCard[C("AC")].Left, HandLeft(15));
    game.SetDealOnlyWinnableGames(true);
    game.imgCard_DblClick(C("AC"));
    game.mnuGameRestart_Click();
    EXPECT_TRUE(game.imgCard[C("AC")].Tag == kTagHand && game.DealOnlyWinnableGames());
    game.mnuGameNew_Click();
    EXPECT_FALSE(game.DealOnlyWinnableGames());
    EXPECT_EQ(game.PaintOrder().size(), kImageCount - 1u);  // all but the spare image
    EXPECT_EQ(game.Caption() + (platform.busyPointer ? " busy" : ""), "Tessaline");
}

}  // namespace
}  // namespace tess::test
