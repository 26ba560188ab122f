// The table's own input: the game context menu on a right release, help on F1.
#include "game/game.h"

namespace tess {

// Undo and Restart show only while there is a move to take back; Undo is then the default.
bool Game::Form_MouseUp(int button) {
    if (button != kRightButton) return false;
    auto& items = mnuPopupGame.Items;
    const bool undoable = UndoItemsEnabled();
    items[kGameMenuUndo].Enabled = undoable;
    items[kGameMenuRestart].Enabled = undoable;
    items[kGameMenuUndo].Visible = items[kGameMenuUndo].Enabled;
    items[kGameMenuRestart].Visible = items[kGameMenuRestart].Enabled;
    items[kGameMenuSep1].Visible = items[kGameMenuUndo].Enabled;
    mnuPopupGame.DefaultItem = items[kGameMenuUndo].Enabled ? kGameMenuUndo : -1;
    return true;
}

void Game::Form_KeyUp(int keyCode) {
    if (keyCode == kKeyF1) platform().ShowHelpContents();
}

}  // namespace tess
