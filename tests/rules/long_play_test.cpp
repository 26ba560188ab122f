// Random deals played through the window's entry points, with Undo, Restart and New also
// while a drag is held: all is well after every step, every undo gives back the exact
// table of before, and each deal undoes back to its layout.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

TEST_F(RulesTest, LongRandomPlayStaysConsistentAndUndoesBackToTheLayout) {
    using play::Action;
    std::array<long, 10> done{};  // steps by Action
    long moves = 0, wins = 0;
    for (int deal = 0; deal < 600; ++deal) {
        play::DealForPlay(game, deal);
        play::RandomPlayer player(static_cast<std::uint64_t>(deal) * 40503u + 7);
        std::vector<std::string> at = {Describe(game)};  // the table at each history length
        int most = 0;
        for (int step = 0; step < 90; ++step) {
            const int before = game.UndoCount, shown = platform.gameOverShown;
            const bool wonBefore = game.GameWon;
            const Action action = player.Step(game);
            ++done[static_cast<std::size_t>(action)];
            const int after = game.UndoCount;
            moves += std::max(after - before, 0);
            wins += platform.gameOverShown - shown;
            SCOPED_TRACE("deal " + std::to_string(deal) + ", step " + std::to_string(step));
            ASSERT_EQ(Problems(game), "");
            ASSERT_EQ(platform.topmost, game.Dragging) << "in front from a press to its end";
            if (action == Action::Restart || action == Action::NewDeal) {
                ASSERT_EQ(after, 0);
                if (action == Action::Restart) {
                    ASSERT_EQ(Describe(game), at[0]);
                }
                at = {Describe(game)};
                most = 0;
                continue;
            }
            most = std::max(most, after);
            // By action; double-clicks vary; a drag moves cards only at a release that drops.
            const int change[] = {1, after - before, 1, -1, 0, 0, 0, 0};
            ASSERT_EQ(after - before, change[static_cast<std::size_t>(action)]);
            if (after != before) {  // an undo gives back the table of before wherever it is known
                const std::string table = Describe(game);
                if (after < before && !at[after].empty()) {
                    ASSERT_EQ(table, at[after]);
                }
                at.resize(static_cast<std::size_t>(after) + 1);  // tables a cover passed are unknown
                at.back() = table;
            }
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
    const auto n = [&done](Action a) { return done[static_cast<std::size_t>(a)]; };
    const std::string counts = std::to_string(n(Action::Drop)) + " drops, " + std::to_string(n(Action::MenuMove)) +
                               " menu moves, " + std::to_string(n(Action::Undo)) + " undos, " +
                               std::to_string(n(Action::Release)) + " empty releases, " +
                               std::to_string(n(Action::Restart) + n(Action::NewDeal)) + " new layouts, " +
                               std::to_string(wins) + " wins";
    EXPECT_TRUE(n(Action::Drop) > 8'000 && n(Action::MenuMove) > 4'000 && n(Action::Undo) > 3'000 &&
                n(Action::Release) > 2'500 && n(Action::Restart) > 150 && n(Action::NewDeal) > 150)
        << counts;
    EXPECT_GT(moves, n(Action::Drop) + n(Action::MenuMove)) << "double-clicks played cards home too";
    EXPECT_GT(wins, 150) << counts;
}

}  // namespace
}  // namespace tess::test
