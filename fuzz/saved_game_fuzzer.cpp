// Feeds arbitrary bytes to the saved-game parser and checks its promises: a file it accepts
// is a true permutation of the 52 cards that writes and reads back the same; every refusal
// is one the format knows; and cutting the bytes into chunks never changes the verdict.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "files/saved_game.h"

#define REQUIRE(condition) \
    if (!(condition)) std::fprintf(stderr, "saved-game parser broke its contract: %s\n", #condition), std::abort()

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tess;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SavedGameResult whole = ParseSavedGame(text);
    if (whole.failure == OpenFailure::None) {
        REQUIRE(IsPermutation(whole.deal));
        const std::string written = FormatSavedGame(whole.deal);
        REQUIRE(written.size() == kSavedGameSize);
        const SavedGameResult again = ParseSavedGame(written);
        REQUIRE(again.failure == OpenFailure::None && again.deal == whole.deal);
    }
    REQUIRE(whole.failure == OpenFailure::None || whole.failure == OpenFailure::NotAGame ||
            whole.failure == OpenFailure::CutShort);
    // The same bytes in chunks whose sizes the bytes themselves choose.
    SavedGameParser parser;
    for (std::size_t at = 0, n = size > 0 ? data[0] % 7 + 1 : 0; at < size && parser.Feed(text.substr(at, n));
         n = data[at % size] % 13 + 1)
        at += n;
    const SavedGameResult chunked = parser.Finish();
    REQUIRE(chunked.failure == whole.failure && chunked.deal == whole.deal);
    return 0;
}
