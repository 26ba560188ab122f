// Saving and opening the deal in play, with the messages a failure shows.
#include "files/saved_game.h"
#include "game/game.h"

namespace tess {

bool Game::SaveGame(const std::string& path) {
    if (const int error = WriteSavedGame(path, DealOrder)) {
        const Message message = SaveFailureMessage(error);
        platform_.ShowMessage(message.text, message.title, message.icon);
        return false;
    }
    gameFile_ = path;
    return true;
}

// Only a file that passed every check reaches DealOrder. A file that is no game brings
// a new deal; a file that could not be read to its end leaves the deal in play alone.
bool Game::OpenGame(const std::string& name) {
    const SavedGameResult result = ReadSavedGame(name);
    if (result.failure == OpenFailure::None) {
        DealOrder = result.deal;
        gameFile_ = name;
        return true;
    }
    const Message message = OpenFailureMessage(result, name);
    platform_.ShowMessage(message.text, message.title, message.icon);
    if (result.failure == OpenFailure::NotAGame || result.failure == OpenFailure::FileNotFound) {
        DealRandomGame();
        return true;
    }
    return false;
}

}  // namespace tess
