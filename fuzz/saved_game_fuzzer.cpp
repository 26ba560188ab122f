// Feeds arbitrary bytes to the saved-game parser and checks its promises: a file it accepts
// is a true permutation of the 52 cards that writes and reads back the same; every refusal
// is one the format knows; and cutting the bytes into chunks never changes the verdict.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "files/saved_game.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "saved-game parser broke its contract: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tess;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SavedGameResult whole = ParseSavedGame(text);

    if (whole.failure == OpenFailure::None) {
        Require(IsPermutation(whole.deal), "accepted a deal that is not every card once");
        const std::string written = FormatSavedGame(whole.deal);
        Require(written.size() == kSavedGameSize, "wrote a deal in other than 211 bytes");
        const SavedGameResult again = ParseSavedGame(written);
        Require(again.failure == OpenFailure::None && again.deal == whole.deal, "a written deal did not read back");
    } else {
        Require(whole.failure == OpenFailure::NotAGame || whole.failure == OpenFailure::CutShort,
                "a text gave a failure only files can give");
    }

    // The same bytes in chunks whose sizes the bytes themselves choose.
    SavedGameParser parser;
    for (std::size_t at = 0, n = size > 0 ? data[0] % 7 + 1 : 0; at < size && parser.Feed(text.substr(at, n));
         n = data[at % size] % 13 + 1)
        at += n;
    const SavedGameResult chunked = parser.Finish();
    Require(chunked.failure == whole.failure, "the verdict depended on how the bytes were cut");
    Require(chunked.failure != OpenFailure::None || chunked.deal == whole.deal, "the deal depended on the cuts");
    return 0;
}
