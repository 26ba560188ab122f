// Random deals played with random legal moves and undos: all is well after every step,
// every undo gives back the exact table of before, and each deal undoes back to its layout.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

TEST_F(RulesTest, LongRandomPlayStaysConsistentAndUndoesBackToTheLayout) {
    std::array<long, 5> done{};  // steps by play::Action
    long moves = 0, wins = 0;
    for (int deal = 0; deal < 2000; ++deal) {
        play::DealForPlay(game, deal);
        play::RandomPlayer player(static_cast<std::uint64_t>(deal) * 40503u + 7);
        std::vector<std::string> at = {Describe(game)};  // the table at each history length
        int most = 0;
        for (int step = 0; step < 70; ++step) {
            const int before = game.UndoCount, shown = platform.gameOverShown;
            const bool wonBefore = game.GameWon;
            const play::Action action = player.Step(game);
            ++done[static_cast<std::size_t>(action)];
            const int after = game.UndoCount;
            most = std::max(most, after);
            moves += std::max(after - before, 0);
            wins += platform.gameOverShown - shown;
            SCOPED_TRACE("deal " + std::to_string(deal) + ", step " + std::to_string(step));
            const int change[] = {1, after - before, 1, -1, 0};  // by action; double-clicks vary
            ASSERT_EQ(after - before, change[static_cast<std::size_t>(action)]);
            // All is well, and an undo gives back the table of before wherever it is known.
            const std::string then = after < before ? at[after] : "";
            ASSERT_EQ(Problems(game) + (then.empty() ? "" : Describe(game)), then);
            at.resize(static_cast<std::size_t>(after) + 1);  // tables a cover passed are unknown
            at.back() = Describe(game);
            ASSERT_EQ(platform.gameOverShown - shown, game.GameWon && !wonBefore ? 1 : 0);
            // The history grows by twenty records whenever it is full, and never shrinks.
            ASSERT_EQ(game.UndoUpperBound, 20 * ((std::max(most, 1) + 19) / 20));
        }
        while (game.UndoCount > 0) {
            game.UndoMove();
            at.pop_back();
            const std::string& then = at.back();
            ASSERT_EQ(Problems(game) + (then.empty() ? "" : Describe(game)), then) << deal;
        }
    }
    // Of the 140,000 steps, many drops, menu moves and undos.
    EXPECT_TRUE(done[0] > 35'000 && done[2] > 7'000 && done[3] > 7'000)
        << done[0] << " drops, " << done[2] << " menu moves, " << done[3] << " undos";
    EXPECT_GT(moves, done[0] + done[2]) << "double-clicks played cards home too";
    EXPECT_GT(wins, 250);
}

}  // namespace
}  // namespace tess::test
