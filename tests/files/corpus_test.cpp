// Every file of the saved-game corpus (the fuzzer's seeds) through the parser. A file's
// name says what must become of it: "ok-" opens, "row1-" and "row3-" are refused so.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "files/file_helpers.h"
#include "files/saved_game.h"

namespace tess {
namespace {

OpenFailure ExpectedFrom(const std::string& name) {
    if (name.rfind("ok-", 0) == 0) return OpenFailure::None;
    if (name.rfind("row1-", 0) == 0) return OpenFailure::NotAGame;
    if (name.rfind("row3-", 0) == 0) return OpenFailure::CutShort;
    ADD_FAILURE() << name << " does not say what it should give";
    return OpenFailure::SystemError;
}

TEST(SavedGameCorpus, EveryFileGivesTheVerdictItsNameStates) {
    const std::filesystem::path folder = std::filesystem::path(TESSALINE_TEST_DATA) / "saved_game_corpus";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const std::string bytes = test::ReadBytes(entry.path().string());
        const SavedGameResult parsed = ParseSavedGame(bytes);
        EXPECT_EQ(static_cast<int>(parsed.failure), static_cast<int>(ExpectedFrom(name)));

        // The file read from disk, and the bytes fed one at a time, agree with the text.
        const SavedGameResult read = ReadSavedGame(entry.path().string());
        EXPECT_EQ(read.failure, parsed.failure);
        EXPECT_EQ(read.deal, parsed.deal);
        SavedGameParser bytewise;
        for (char c : bytes) bytewise.Feed(std::string_view(&c, 1));
        EXPECT_EQ(bytewise.Finish().failure, parsed.failure);

        if (parsed.failure == OpenFailure::None) {
            EXPECT_TRUE(IsPermutation(parsed.deal));
            const std::string written = FormatSavedGame(parsed.deal);
            EXPECT_EQ(written.size(), kSavedGameSize);
            EXPECT_EQ(ParseSavedGame(written).deal, parsed.deal);
        }
        ++files;
    }
    EXPECT_GE(files, 20);
}

}  // namespace
}  // namespace tess
