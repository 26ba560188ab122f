// What the program remembers between runs: the window's place and one option.
#pragma once

#include <string>
#include <string_view>

namespace tess {

struct Settings {
    float SavedLeft = 0;  // the main window's left edge, in twips
    float SavedTop = 0;   // its top edge, in twips
    bool WinnableGamesOnly = false;
    // False where the platform cannot tell where the window stands: writing then keeps
    // the stored position as it is (a missing one is written as 0, "centre").
    bool PositionKnown = true;
};

// The settings in a settings file's text; anything missing or unreadable gives its default.
Settings ParseSettings(std::string_view text);
// The settings file's text with these settings written into it, all else kept.
std::string UpdateSettingsText(std::string_view oldText, const Settings& settings);
// A single-precision number as the settings file writes it: shortest text that reads back
// the same, whole numbers without a decimal point, never an exponent.
std::string SingleText(float value);

// The settings file: $XDG_CONFIG_HOME/tessaline/tessaline.ini, by default under
// ~/.config. Empty when no home folder can be found.
std::string SettingsPath();
// The same from the two variables' values (either may be null).
std::string SettingsPathFor(const char* configHome, const char* home);

// Defaults for a missing or unreadable file.
Settings ReadSettingsFile(const std::string& path);
// Creates the folder as needed and replaces the file atomically; false on any failure.
// A file that exists but cannot be read is left alone rather than overwritten blind.
bool WriteSettingsFile(const std::string& path, const Settings& settings);

Settings ReadSettings();
bool WriteSettings(const Settings& settings);

}  // namespace tess
