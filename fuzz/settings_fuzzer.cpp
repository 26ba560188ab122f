// Feeds arbitrary settings files and settings to the settings reader and writer and checks
// the round trip: what is written reads back, writing it again changes nothing, the written
// file uses one kind of line end and adds no section, and every other key reads as before.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/ini_text.h"
#include "files/settings.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "settings reader or writer broke its contract: %s\n", what);
    std::abort();
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

struct Shape {
    std::vector<std::pair<std::string, std::string>> keys;  // section and key, lower case
    int positionSections = 0;
    bool mixedLineEnds = false;
};

// What a text editor sees: lines at CR LF, LF or CR, sections and the keys under them.
Shape ShapeOf(std::string_view text) {
    Shape shape;
    std::string section;
    std::string_view firstEnd;
    while (!text.empty()) {
        std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = Trim(text.substr(0, end));
        std::size_t endLength = 0;
        if (end != std::string_view::npos) {
            endLength = text.substr(end, 2) == "\r\n" ? 2 : 1;
            const std::string_view lineEnd = text.substr(end, endLength);
            if (firstEnd.empty()) firstEnd = lineEnd;
            if (lineEnd != firstEnd) shape.mixedLineEnds = true;
        } else {
            end = text.size();
        }
        if (!line.empty() && line.front() == '[') {
            section = Lower(Trim(line.substr(1, line.find(']') - 1)));
            if (section == "windowposition") ++shape.positionSections;
        } else if (const std::size_t equals = line.find('=');
                   !line.empty() && line.front() != ';' && equals != std::string_view::npos) {
            shape.keys.emplace_back(section, Lower(Trim(line.substr(0, equals))));
        }
        text.remove_prefix(end + endLength);
    }
    return shape;
}

bool Ours(const std::pair<std::string, std::string>& k) {
    return (k.first == "windowposition" && (k.second == "left" || k.second == "top")) ||
           (k.first == "options" && k.second == "winnablegamesonly");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tess;
    if (size < 9) return 0;
    // The first nine bytes choose the settings: two window edges in whole twips, the option.
    std::int32_t edges[2];
    std::memcpy(edges, data, sizeof edges);
    Settings settings;
    settings.SavedLeft = static_cast<float>(edges[0] % (1 << 24));
    settings.SavedTop = static_cast<float>(edges[1] % (1 << 24));
    settings.WinnableGamesOnly = data[8] & 1;
    const std::string_view old(reinterpret_cast<const char*>(data) + 9, size - 9);

    const std::string written = UpdateSettingsText(old, settings);
    const Settings read = ParseSettings(written);
    Require(read.SavedLeft == settings.SavedLeft && read.SavedTop == settings.SavedTop &&
                read.WinnableGamesOnly == settings.WinnableGamesOnly,
            "what was written did not read back");
    Require(UpdateSettingsText(written, settings) == written, "writing the same settings again changed the file");

    const Shape before = ShapeOf(old), after = ShapeOf(written);
    Require(!after.mixedLineEnds, "the written file mixes line ends");
    Require(after.positionSections <= (before.positionSections > 0 ? before.positionSections : 1),
            "a second [WindowPosition] section was added");
    std::size_t checked = 0;
    for (const auto& key : before.keys) {
        if (Ours(key) || ++checked > 8) continue;
        Require(ProfileString(old, key.first, key.second) == ProfileString(written, key.first, key.second),
                "another key reads differently after the write");
    }
    return 0;
}
