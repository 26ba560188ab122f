// Feeds arbitrary settings files and settings to the settings reader and writer and checks
// the round trip: what is written reads back, writing it again changes nothing, the written
// file uses one kind of line end and adds no section, and every other key reads as before.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <regex>
#include <string>

#include "files/ini_text.h"
#include "files/settings.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "settings reader or writer broke its contract: %s\n", what);
    std::abort();
}

std::size_t Count(const std::string& text, const std::regex& pattern) {
    return static_cast<std::size_t>(std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), {}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tess;
    if (size < 9 || size > 4096) return 0;
    // The first nine bytes choose the settings: two window edges in whole twips, the option.
    std::int32_t edges[2];
    std::memcpy(edges, data, sizeof edges);
    const Settings settings{static_cast<float>(edges[0] % (1 << 24)), static_cast<float>(edges[1] % (1 << 24)),
                            (data[8] & 1) != 0};
    const std::string old(reinterpret_cast<const char*>(data) + 9, size - 9);
    const std::string written = UpdateSettingsText(old, settings);
    const Settings read = ParseSettings(written);
    Require(read.SavedLeft == settings.SavedLeft && read.SavedTop == settings.SavedTop &&
                read.WinnableGamesOnly == settings.WinnableGamesOnly, "what was written did not read back");
    Require(UpdateSettingsText(written, settings) == written, "writing the same settings again changed the file");
    const std::regex ends[] = {std::regex("\r\n"), std::regex("\r(?!\n)"), std::regex("(^|[^\r])\n")};
    Require(std::ranges::count_if(ends, [&](const std::regex& end) { return Count(written, end) > 0; }) <= 1,
            "the written file mixes line ends");
    const std::regex position("(^|[\r\n])[ \t]*\\[[ \t]*windowposition", std::regex::icase);
    Require(Count(written, position) <= std::max<std::size_t>(Count(old, position), 1), "a second section was added");
    // The keys of other programs (those the dictionary offers) read as before.
    for (const std::string section : {"Options", "Other", "WindowPosition"})
        for (const std::string key : {"Sound", "Left", "Top", "WinnableGamesOnly"})
            if (section + key != "OptionsWinnableGamesOnly" && section + key != "WindowPositionLeft" &&
                section + key != "WindowPositionTop")
                Require(ProfileString(old, section, key) == ProfileString(written, section, key), "another key changed");
    return 0;
}
