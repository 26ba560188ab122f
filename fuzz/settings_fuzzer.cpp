// Feeds arbitrary settings files and settings to the settings reader and writer and checks
// the round trip: what is written reads back, writing it again changes nothing, the written
// file uses one kind of line end and adds no section, and every other key reads as before.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

#include "files/ini_text.h"
#include "files/settings.h"

#define REQUIRE(condition) \
    if (!(condition)) std::fprintf(stderr, "settings reader or writer broke its contract: %s\n", #condition), std::abort()

namespace {

std::ptrdiff_t Count(const std::string& text, const char* pattern) {
    const std::regex re(pattern, std::regex::icase);
    return std::distance(std::sregex_iterator(text.begin(), text.end(), re), {});
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
    REQUIRE(read.SavedLeft == settings.SavedLeft && read.SavedTop == settings.SavedTop &&
            read.WinnableGamesOnly == settings.WinnableGamesOnly);
    REQUIRE(UpdateSettingsText(written, settings) == written);
    // One kind of line end: CR LF, a lone CR or a lone LF.
    REQUIRE((Count(written, "\r\n") > 0) + (Count(written, "\r(?!\n)") > 0) + (Count(written, "(^|[^\r])\n") > 0) <= 1);
    const char* section = "(^|[\r\n])[ \t]*\\[[ \t]*windowposition";
    REQUIRE(Count(written, section) <= std::max<std::ptrdiff_t>(Count(old, section), 1));
    // The keys of other programs (those the dictionary offers) read as before.
    for (const std::string section : {"Options", "Other", "WindowPosition"})
        for (const std::string key : {"Sound", "Left", "Top", "WinnableGamesOnly"})
            if (section + key != "OptionsWinnableGamesOnly" && section + key != "WindowPositionLeft" &&
                section + key != "WindowPositionTop")
                REQUIRE(ProfileString(old, section, key) == ProfileString(written, section, key));
    return 0;
}
