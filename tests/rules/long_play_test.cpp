// Random deals played through the window's entry points, with Undo, Restart and New also
// while a drag is held: all is well after every step, every undo gives back the exact
// table of before, and each deal undoes back to its layout.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

TEST_F(RulesTest, LongRandomPlayKeepsTheTableTheDragTheWinAndTheHistoryRight) {
    using play::Action;
    std::array<long, 10> done{};  // steps by Action
    long moves = 0;
    for (int deal = 0; deal < 600; ++deal) {
        play::DealForPlay(game, deal);
        play::RandomPlayer player(static_cast<std::uint64_t>(deal) * 40503u + 7);
        std::vector<std::string> at = {Describe(game)};  // the table at each history length; "" unknown
        for (int step = 0; step < 90; ++step) {
            const int before = game.UndoCount, shown = platform.gameOverShown;
            const bool wonBefore = game.GameWon;
            const Action action = player.Step(game);
            const int after = game.UndoCount;
            ++done[static_cast<std::size_t>(action)];
            moves += std::max(after - before, 0);
            SCOPED_TRACE("deal " + std::to_string(deal) + ", step " + std::to_string(step));
            ASSERT_EQ(Problems(game), "");
            ASSERT_EQ(platform.topmost, game.Dragging) << "in front from a press to its end";
            ASSERT_EQ(platform.gameOverShown - shown, game.GameWon && !wonBefore ? 1 : 0);
            if (action == Action::Restart) { ASSERT_EQ(Describe(game), at[0]); }
            if (action == Action::Restart || action == Action::NewDeal) {
                ASSERT_EQ(after, 0);
                at = {Describe(game)};
                continue;
            }
            // By action; double-clicks vary; a drag moves cards only at a release that drops.
            const int change[] = {1, after - before, 1, -1, 0, 0, 0, 0};
            ASSERT_EQ(after - before, change[static_cast<std::size_t>(action)]);
            if (after < before && !at[after].empty()) { ASSERT_EQ(Describe(game), at[after]); }
            at.resize(static_cast<std::size_t>(after) + 1);  // tables a cover passed stay unknown
            if (after != before) at.back() = Describe(game);
        }
        while (game.UndoCount > 0) {
            game.UndoMove();
            at.pop_back();
            ASSERT_EQ(Problems(game) + (at.back().empty() ? "" : Describe(game)), at.back()) << deal;
        }
    }
    // Each kind of step came up often enough to count; double-clicks play cards home too,
    // so moves outnumber the drops and menu moves.
    const std::array<long, 10> atLeast = {8'000, 1'000, 4'000, 3'000, 0, 0, 0, 2'500, 150, 150};
    for (std::size_t a = 0; a < done.size(); ++a) EXPECT_GE(done[a], atLeast[a]) << "action " << a;
    EXPECT_GT(moves, done[0] + done[2]);
    EXPECT_GT(platform.gameOverShown, 150);
}

}  // namespace
}  // namespace tess::test
