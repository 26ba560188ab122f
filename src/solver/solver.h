// Decides a laid-out deal: a list of moves that wins it, a proof that none does (every
// reachable position was visited), or "unknown" when the time or memory budget ran out.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "solver/position.h"

namespace tess::solver {

enum class Verdict { Winnable, NotWinnable, Unknown };

// Time is the processor time of the calling thread, so that other programs sharing the
// processor do not change the verdicts.
struct Budget {
    long milliseconds = 1000;
    std::size_t memoryBytes = std::size_t{160} << 20;  // for the table of positions seen
    // Off: only the plain exhaustive search, every legal move tried, to check that the
    // shortcuts of the real one never change a verdict.
    bool prune = true;
};

struct Solution {
    Verdict verdict = Verdict::Unknown;
    std::vector<Move> moves;  // when winnable: from the start to the win
    long positions = 0;       // distinct positions visited
};

Solution Solve(const Position& start, const Budget& budget = {});
// Processor time used by the calling thread.
double ThreadMilliseconds();

// "10H", "QS", "AC".
std::string CardText(int card);
// One "CARD FROM TO" line per move, with the foundation piles numbered as the game fills
// them (an Ace takes the first empty pile); `pileSuit` gives the suit of each pile at the
// start, -1 for an empty pile.
std::vector<std::string> MoveLines(const std::vector<Move>& moves,
                                   std::array<int, kFoundations> pileSuit = {-1, -1, -1, -1});

}  // namespace tess::solver
