// The win: announced once, at the move after which every column descends, whatever kind
// of move it was; taken back with that move and announced again when it is repeated.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

TEST_F(RulesTest, WinIsAnnouncedOnceWhenEveryColumnDescends) {
    // Column 4 decides, the rest of the table descends; fourteen cards wait in the hand.
    struct { const char *column4, *actions; int shown; bool won; } const cases[] = {
        {"9H 7S 9C", "9C>5", 1, true},
        {"9H 7S 9C", "dbl 9C", 1, true},
        {"9H 7S 9C", "dbl 8C", 1, true},  // the nine wins, the ten follows
        {"9H 7S 9C", "dbl 8C, undo, undo", 1, false},  // the ten's undo keeps the win, the nine's ends it
        {"9H 7S 9C", "9C>5, undo, 9C>5", 2, true},
        {"9H 7S 9C", "3S>5, dbl 9C, undo", 1, false},  // the second move won
        {"9H 7S 9C", "dbl 9C, 3S>5, dbl 10C, menu QD>3, undo, undo, undo, undo", 1, false},  // the Queen breaks column 3
        {"QD 8H 5D 9C", "dbl 9C", 1, true},  // gaps in the ranks
        {"10S 10D 9C", "dbl 9C", 0, false},
        {"7S 9H 9C", "dbl 9C", 0, false},
    };
    // The dialog opens with the move complete and marked as the win, before the history
    // moves on.
    platform.onGameOver = [&] {
        EXPECT_TRUE(game.CheckInvariants().empty() && game.UndoRecords[game.UndoCount].WonGame);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.column4) + "  ::  " + c.actions);
        Table("KS QH 9D 6D 4S 3S | KD 9S 5H 2S | KC QC JC 8D 3D | KH QS JH 8S 7H | " +
              std::string(c.column4) + " / 8C 2D 4H AS");
        platform.gameOverShown = 0;
        Act(c.actions);
        EXPECT_EQ(platform.gameOverShown, c.shown);
        EXPECT_EQ(game.GameWon, c.won);
        EXPECT_EQ(Problems(game), "");
    }
}

}  // namespace
}  // namespace tess::test
