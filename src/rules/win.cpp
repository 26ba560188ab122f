// The win: every column in strictly descending rank from its top card down.
#include "game/game.h"

namespace tess {

// Announces the win the first time a move leaves every column descending, marking the
// record being completed (at UndoCount) as the winning move before the dialog opens.
void Game::CheckForWin() {
    if (GameWon) return;
    for (const auto& column : ColumnCards) {
        for (int slot = 1; slot < kSlots - 1; ++slot) {
            if (column[slot] == kNoCard) break;
            if (Rank(column[slot]) >= Rank(column[slot - 1])) return;
        }
    }
    GameWon = true;
    if (UndoCount < static_cast<int>(UndoRecords.size())) UndoRecords[UndoCount].WonGame = true;
    platform().ShowGameOver();
}

}  // namespace tess
