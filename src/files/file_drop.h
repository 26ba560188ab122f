// What the main window does with files dragged onto it: only one saved game at a time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tess {

class Game;

// Whether the name ends in ".TSL", in any case.
bool HasGameExtension(std::string_view path);
// Whether a drag carrying these paths may be dropped: exactly one saved game.
bool AcceptsFileDrag(const std::vector<std::string>& paths);
// Opens a dropped saved game and lays it out, or says why it will not.
void DropFiles(Game& game, const std::vector<std::string>& paths);

}  // namespace tess
