// The settings file: where it lives, what it says, reading and writing it.
#include "files/settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "files/atomic_file.h"
#include "files/ini_text.h"

namespace tess {

namespace {

constexpr std::string_view kPositionSection = "WindowPosition";
constexpr std::string_view kOptionsSection = "Options";
// A settings file is a few lines; anything far larger is not ours to load or rewrite.
constexpr std::size_t kMaxSettingsSize = 1 << 20;

struct FileText {
    int error = 0;
    std::string text;
};

FileText ReadSmallFile(const std::string& path) {
    FileText result;
    result.error = ReadRegularFile(path, kMaxSettingsSize, result.text);
    if (result.error != 0) result.text.clear();
    return result;
}

}  // namespace

Settings ParseSettings(std::string_view text) {
    Settings settings;
    settings.SavedLeft = static_cast<float>(ProfileInt(text, kPositionSection, "Left", 0));
    settings.SavedTop = static_cast<float>(ProfileInt(text, kPositionSection, "Top", 0));
    settings.WinnableGamesOnly = ProfileInt(text, kOptionsSection, "WinnableGamesOnly", 0) != 0;
    return settings;
}

std::string UpdateSettingsText(std::string_view oldText, const Settings& settings) {
    std::string text(oldText);
    for (const auto& [key, value] : {std::pair{"Left", settings.SavedLeft}, std::pair{"Top", settings.SavedTop}}) {
        if (settings.PositionKnown) text = SetProfileString(text, kPositionSection, key, SingleText(value));
        else if (!ProfileString(text, kPositionSection, key)) text = SetProfileString(text, kPositionSection, key, "0");
    }
    return SetProfileString(text, kOptionsSection, "WinnableGamesOnly", settings.WinnableGamesOnly ? "-1" : "0");
}

std::string SingleText(float value) {
    if (!std::isfinite(value) || value == 0) return "0";
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc()) return "0";
    return std::string(buffer, end);
}

std::string SettingsPathFor(const char* configHome, const char* home) {
    // A relative XDG_CONFIG_HOME is to be ignored.
    if (configHome != nullptr && configHome[0] == '/') return std::string(configHome) + "/tessaline/tessaline.ini";
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/tessaline/tessaline.ini";
    return {};
}

std::string SettingsPath() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* user = ::getpwuid(::getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    return SettingsPathFor(std::getenv("XDG_CONFIG_HOME"), home);
}

Settings ReadSettingsFile(const std::string& path) {
    if (path.empty()) return {};
    const FileText file = ReadSmallFile(path);
    return file.error == 0 ? ParseSettings(file.text) : Settings{};
}

bool WriteSettingsFile(const std::string& path, const Settings& settings) {
    if (path.empty()) return false;
    const FileText old = ReadSmallFile(path);
    if (old.error != 0 && old.error != ENOENT) return false;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) return false;
    }
    return WriteFileAtomically(path, UpdateSettingsText(old.text, settings)) == 0;
}

Settings ReadSettings() { return ReadSettingsFile(SettingsPath()); }

bool WriteSettings(const Settings& settings) { return WriteSettingsFile(SettingsPath(), settings); }

}  // namespace tess
