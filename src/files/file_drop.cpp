// Dropping files on the main window.
#include "files/file_drop.h"

#include "game/game.h"

namespace tess {

bool HasGameExtension(std::string_view path) {
    constexpr std::string_view kExtension = ".TSL";
    if (path.size() < kExtension.size()) return false;
    const std::string_view tail = path.substr(path.size() - kExtension.size());
    for (std::size_t i = 0; i < kExtension.size(); ++i) {
        char c = tail[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != kExtension[i]) return false;
    }
    return true;
}

bool AcceptsFileDrag(const std::vector<std::string>& paths) {
    return paths.size() == 1 && HasGameExtension(paths.front());
}

// A drop the drag test would have refused may still arrive; it is answered with a message.
// A file that left the deal in play untouched does not restart it.
void DropFiles(Game& game, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    if (paths.size() > 1) {
        game.platform().ShowMessage("Can only open one file at a time.", "Request to open game denied",
                                    MessageIcon::Information);
        return;
    }
    const std::string& path = paths.front();
    if (!HasGameExtension(path)) {
        game.platform().ShowMessage("Can't open " + path + ", because it is not a Tessaline game.", "Error",
                                    MessageIcon::Exclamation);
        return;
    }
    if (game.OpenGame(path)) game.LayOutDeal();
}

}  // namespace tess
