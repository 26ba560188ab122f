// Thousands of random deals played with random legal moves and random undos: the table
// must stay consistent after every step, every undo must give back the exact table of
// before, and each deal must undo back to its layout.
#include <cstdio>
#include <optional>

#include "rules/random_play.h"
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

constexpr int kDeals = 2000;
constexpr int kStepsPerDeal = 70;

struct Tally {
    long steps = 0;
    long drops = 0;
    long doubleClicks = 0;
    long menuMoves = 0;
    long undos = 0;
    long idle = 0;
    long moves = 0;  // records made
    long wins = 0;
};

// The bound the history must have after reaching `most` moves: 20, 40, 60, ...
int BoundFor(int most) { return 20 * ((std::max(most, 1) - 1) / 20 + 1); }

// Everything that must hold between two events, beyond the table's own invariants.
std::string CheckBetweenEvents(const Game& game, int mostMoves) {
    std::ostringstream out;
    out << game.CheckInvariants();
    if (game.UndoItemsEnabled() != (game.UndoCount > 0)) out << "Undo items out of step\n";
    int wonRecords = 0;
    for (int i = 0; i < game.UndoCount; ++i) wonRecords += game.UndoRecords[i].WonGame ? 1 : 0;
    if (wonRecords > 1) out << wonRecords << " records won the deal\n";
    if (game.GameWon != (wonRecords == 1)) out << "GameWon disagrees with the history\n";
    if (game.UndoUpperBound != BoundFor(mostMoves)) out << "bound " << game.UndoUpperBound << "\n";
    if (game.UndoCount > 0) {
        const UndoRecord& latest = game.UndoRecords[game.UndoCount - 1];
        if (game.MoveLast != latest.LastIndex || game.MoveCards != latest.Cards)
            out << "the moving list does not describe the latest move\n";
    }
    if (!HandIsStacked(game)) out << "the hand is out of order\n";
    return out.str();
}

TEST(LongPlay, RandomDealsStayConsistentAndUndoBackToTheirLayout) {
    RecordingPlatform platform;
    Game game{platform};
    Tally tally;

    for (int deal = 0; deal < kDeals; ++deal) {
        play::DealForPlay(game, deal);
        play::RandomPlayer player(static_cast<std::uint64_t>(deal) * 40503u + 7);
        // The table as it was at each history length, where known.
        std::vector<std::optional<TableSnapshot>> atCount(1, Snapshot(game));
        const TableSnapshot layout = *atCount[0];
        int mostMoves = 0;

        for (int step = 0; step < kStepsPerDeal; ++step) {
            const int before = game.UndoCount;
            const bool wonBefore = game.GameWon;
            const int shownBefore = platform.gameOverShown;
            if (static_cast<int>(atCount.size()) <= before) atCount.resize(before + 1);
            atCount[before] = Snapshot(game);

            const play::Action action = player.Step(game);
            ++tally.steps;
            const int after = game.UndoCount;
            mostMoves = std::max(mostMoves, after);
            switch (action) {
                case play::Action::Drop:
                    ++tally.drops;
                    break;
                case play::Action::DoubleClick:
                    ++tally.doubleClicks;
                    break;
                case play::Action::MenuMove:
                    ++tally.menuMoves;
                    break;
                case play::Action::Undo:
                    ++tally.undos;
                    break;
                case play::Action::Nothing:
                    ++tally.idle;
                    break;
            }
            const std::string where =
                "deal " + std::to_string(deal) + " step " + std::to_string(step) + ": ";

            if (action == play::Action::Undo) {
                if (after != before - 1) FAIL() << where << "undo did not take one move back";
                if (atCount[after]) {
                    const std::string diff = Difference(*atCount[after], Snapshot(game));
                    if (!diff.empty()) FAIL() << where << "undo left\n" << diff;
                }
            } else {
                if (action == play::Action::Drop || action == play::Action::MenuMove) {
                    if (after != before + 1) FAIL() << where << "the move was not recorded";
                }
                tally.moves += after - before;
                if (static_cast<int>(atCount.size()) <= after) atCount.resize(after + 1);
                for (int i = before + 1; i <= after; ++i) atCount[i].reset();
            }
            const int announced = platform.gameOverShown - shownBefore;
            if (announced != (game.GameWon && !wonBefore ? 1 : 0))
                FAIL() << where << "the win was announced " << announced << " times";
            tally.wins += announced;
            const std::string problems = CheckBetweenEvents(game, mostMoves);
            if (!problems.empty()) FAIL() << where << problems;
        }

        while (game.UndoCount > 0) {
            game.UndoMove();
            const int count = game.UndoCount;
            if (count < static_cast<int>(atCount.size()) && atCount[count]) {
                const std::string diff = Difference(*atCount[count], Snapshot(game));
                if (!diff.empty())
                    FAIL() << "deal " << deal << " undoing to " << count << "\n" << diff;
            }
            const std::string problems = CheckBetweenEvents(game, mostMoves);
            if (!problems.empty())
                FAIL() << "deal " << deal << " undoing to " << count << ": " << problems;
        }
        const std::string diff = Difference(layout, Snapshot(game));
        if (!diff.empty()) FAIL() << "deal " << deal << " did not undo to its layout\n" << diff;
    }

    RecordProperty("steps", static_cast<int>(tally.steps));
    std::printf(
        "%ld steps: %ld drops, %ld double-clicks, %ld menu moves, %ld undos, %ld idle; "
        "%ld moves recorded, %ld wins\n",
        tally.steps, tally.drops, tally.doubleClicks, tally.menuMoves, tally.undos, tally.idle,
        tally.moves, tally.wins);
    EXPECT_GE(tally.steps, 100'000);
    // Every kind of action must really have been exercised.
    EXPECT_GT(tally.drops, tally.steps / 4);
    EXPECT_GT(tally.menuMoves, tally.steps / 20);
    EXPECT_GT(tally.undos, tally.steps / 20);
    EXPECT_GT(tally.moves, tally.drops + tally.menuMoves) << "double-clicks played cards home too";
    EXPECT_GT(tally.wins, kDeals / 8);
}

}  // namespace
}  // namespace tess::test
