#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/file_helpers.h"
#include "files/saved_game.h"
#include "game/game.h"
#include "support/recording_platform.h"

namespace tess {
namespace {

using test::GameText;
using test::IdentityDeal;
using test::IdentityNumbers;

std::string Joined(const std::vector<int>& numbers, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) text += separator;
        text += std::to_string(numbers[i]);
    }
    return text;
}

TEST(SavedGameFormat, WritesTheTagAndOneNumberALine) {
    const std::string text = FormatSavedGame(IdentityDeal());
    EXPECT_EQ(text, test::kIdentityGameFile);
    EXPECT_EQ(text.size(), kSavedGameSize);
}

TEST(SavedGameFormat, EveryDealTakes211BytesAndReadsBack) {
    test::RecordingPlatform platform;
    Game game(platform);
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        game.SeedRandom(seed);
        game.DealRandomGame();
        const std::string text = FormatSavedGame(game.DealOrder);
        ASSERT_EQ(text.size(), 211u) << "seed " << seed;
        ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
        const SavedGameResult result = ParseSavedGame(text);
        ASSERT_EQ(result.failure, OpenFailure::None) << "seed " << seed;
        ASSERT_EQ(result.deal, game.DealOrder) << "seed " << seed;
    }
}

TEST(SavedGameFormat, IsPermutationNeedsEveryCardOnce) {
    auto deal = IdentityDeal();
    EXPECT_TRUE(IsPermutation(deal));
    deal[3] = 4;
    EXPECT_FALSE(IsPermutation(deal));
    deal = IdentityDeal();
    deal[0] = -1;
    EXPECT_FALSE(IsPermutation(deal));
    deal = IdentityDeal();
    deal[51] = 52;
    EXPECT_FALSE(IsPermutation(deal));
}

struct ParseCase {
    const char* what;
    std::string text;
    OpenFailure expected;
};

std::vector<int> With(std::vector<int> numbers, std::size_t at, int value) {
    numbers[at] = value;
    return numbers;
}

std::vector<ParseCase> ParseCases() {
    const std::string tag = "\"Tessaline\"";
    const std::vector<int> ok = IdentityNumbers();
    std::vector<int> reversed(ok.rbegin(), ok.rend());
    std::vector<int> fiftyOne(ok.begin(), ok.end() - 1);
    std::vector<ParseCase> cases = {
        {"written by the program", GameText(tag, reversed), OpenFailure::None},
        {"empty", "", OpenFailure::CutShort},
        {"only the tag", tag + "\r\n", OpenFailure::CutShort},
        {"tag in capitals", GameText("\"TESSALINE\"", ok), OpenFailure::NotAGame},
        {"tag in lower case", GameText("\"tessaline\"", ok), OpenFailure::NotAGame},
        {"other tag", GameText("\"Patience\"", ok), OpenFailure::NotAGame},
        {"tag without quotes", GameText("Tessaline", ok), OpenFailure::None},
        {"tag with blanks around", GameText("  \"Tessaline\"  ", ok), OpenFailure::None},
        {"blanks inside the quotes", GameText("\" Tessaline\"", ok), OpenFailure::NotAGame},
        {"text after the quotes", GameText("\"Tessaline\"x", ok), OpenFailure::NotAGame},
        {"51 numbers", GameText(tag, fiftyOne), OpenFailure::CutShort},
        {"51 numbers and an empty field", GameText(tag, fiftyOne) + ",", OpenFailure::NotAGame},
        {"sum 1325", GameText(tag, With(ok, 1, 0)), OpenFailure::NotAGame},
        {"sum 1327", GameText(tag, With(ok, 0, 1)), OpenFailure::NotAGame},
        {"40000", GameText(tag, With(ok, 10, 40000)), OpenFailure::CutShort},
        {"32767 fits but the sum does not", GameText(tag, With(With(ok, 0, 32767), 1, 32767)),
         OpenFailure::CutShort},
        {"-32769", GameText(tag, With(ok, 10, -32769)), OpenFailure::CutShort},
        {"-32768 fits, wrong sum", GameText(tag, With(ok, 10, -32768)), OpenFailure::NotAGame},
        {"a huge number", GameText(tag, {}) + "123456789012345678901234567890\r\n", OpenFailure::CutShort},
        {"one comma-separated line", tag + "\r\n" + Joined(ok, ",") + "\r\n", OpenFailure::None},
        {"all on the tag's line", tag + "," + Joined(ok, ",") + "\r\n", OpenFailure::None},
        {"no line end at the end", tag + "\r\n" + Joined(ok, "\r\n"), OpenFailure::None},
        {"line feeds only", tag + "\n" + Joined(ok, "\n") + "\n", OpenFailure::None},
        {"carriage returns only", tag + "\r" + Joined(ok, "\r") + "\r", OpenFailure::None},
        {"blanks around numbers", tag + "\r\n" + Joined(ok, " ,\t ") + "\r\n", OpenFailure::None},
        {"further lines ignored", GameText(tag, ok) + "garbage\r\n\"more\"\r\n99999\r\n", OpenFailure::None},
        {"quoted numbers", tag + "\r\n\"" + Joined(ok, "\"\r\n\"") + "\"\r\n", OpenFailure::None},
        {"plus signs", tag + "\r\n+" + Joined(ok, "\r\n+") + "\r\n", OpenFailure::None},
        {"a repeated card, right sum", GameText(tag, With(With(ok, 1, 2), 3, 2)), OpenFailure::NotAGame},
        {"-1 and 52, right sum", GameText(tag, With(With(ok, 0, -1), 51, 52)), OpenFailure::NotAGame},
        {"60 balanced by a negative", GameText(tag, With(With(ok, 51, 60), 8, -1)), OpenFailure::NotAGame},
        {"a word for a number", GameText(tag, {}) + "abc\r\n" + Joined(ok, "\r\n"), OpenFailure::NotAGame},
        {"digits then letters", tag + "\r\n12abc\r\n" + Joined(With(ok, 12, 0), "\r\n"), OpenFailure::NotAGame},
        {"a blank line among the numbers", tag + "\r\n0\r\n\r\n" + Joined(ok, "\r\n"), OpenFailure::NotAGame},
        {"two numbers in one field", tag + "\r\n0 1\r\n" + Joined(ok, "\r\n"), OpenFailure::NotAGame},
        {"a decimal point", tag + "\r\n0.0\r\n" + Joined(With(ok, 0, 1), "\r\n"), OpenFailure::NotAGame},
        {"a lone sign", tag + "\r\n-\r\n" + Joined(ok, "\r\n"), OpenFailure::NotAGame},
        {"a word, then the file ends", GameText(tag, {}) + "abc\r\n", OpenFailure::CutShort},
        {"a word, then a number too big", GameText(tag, {}) + "abc\r\n40000\r\n", OpenFailure::CutShort},
        {"binary", std::string("\x00\xff\x01\"\r\n\x7f", 7) + Joined(ok, "\r\n"), OpenFailure::NotAGame},
        {"a tag too long to be one", "\"" + std::string(5000, 'T') + "\"\r\n" + Joined(ok, "\r\n"),
         OpenFailure::NotAGame},
        {"an endless number", GameText(tag, {}) + std::string(5000, '1'), OpenFailure::NotAGame},
        {"an unclosed quote", "\"Tessaline", OpenFailure::CutShort},
        {"a comma inside quotes", tag + "\r\n\"0,1\"\r\n" + Joined(ok, "\r\n"), OpenFailure::NotAGame},
    };
    return cases;
}

TEST(SavedGameParse, TableOfFiles) {
    for (const ParseCase& c : ParseCases()) {
        const SavedGameResult result = ParseSavedGame(c.text);
        EXPECT_EQ(static_cast<int>(result.failure), static_cast<int>(c.expected)) << c.what;
        if (result.failure == OpenFailure::None) {
            EXPECT_TRUE(IsPermutation(result.deal)) << c.what;
        }
    }
}

TEST(SavedGameParse, ReadsTheDealInFileOrder) {
    const std::vector<int> reversed = [] {
        auto n = IdentityNumbers();
        return std::vector<int>(n.rbegin(), n.rend());
    }();
    const SavedGameResult result = ParseSavedGame(GameText("\"Tessaline\"", reversed));
    ASSERT_EQ(result.failure, OpenFailure::None);
    for (int p = 0; p < kCardCount; ++p) EXPECT_EQ(result.deal[p], 51 - p);
}

// However the bytes are cut into chunks, the verdict and the deal are the same.
TEST(SavedGameParse, ChunkBoundariesDoNotMatter) {
    for (const ParseCase& c : ParseCases()) {
        if (c.text.size() > 3000) continue;
        const SavedGameResult whole = ParseSavedGame(c.text);
        for (std::size_t cut = 0; cut <= c.text.size(); ++cut) {
            SavedGameParser parser;
            if (parser.Feed(std::string_view(c.text).substr(0, cut))) parser.Feed(std::string_view(c.text).substr(cut));
            const SavedGameResult split = parser.Finish();
            ASSERT_EQ(split.failure, whole.failure) << c.what << " cut at " << cut;
            ASSERT_EQ(split.deal, whole.deal) << c.what << " cut at " << cut;
        }
        SavedGameParser bytewise;
        for (char ch : c.text) bytewise.Feed(std::string_view(&ch, 1));
        EXPECT_EQ(bytewise.Finish().failure, whole.failure) << c.what;
    }
}

// The parser asks for no more input once it knows; a file of any size costs the same.
TEST(SavedGameParse, StopsReadingWhenTheVerdictIsKnown) {
    struct Endless {
        const char* what;
        std::string start;
        std::string repeated;
    };
    const std::vector<Endless> inputs = {
        {"one endless field", "\"Tessaline\"\r\n", "7"},
        {"endless blank lines", "\"Tessaline\"\r\n", "\r\n"},
        {"endless ones", "\"Tessaline\"\r\n", "1\r\n"},
        {"a good game, then more", FormatSavedGame(IdentityDeal()), "junk,"},
        {"nothing but zero bytes", "", std::string(1, '\0')},
    };
    for (const Endless& input : inputs) {
        SavedGameParser parser;
        std::size_t fed = input.start.size();
        bool wantsMore = parser.Feed(input.start);
        const std::string chunk = [&] {
            std::string c;
            while (c.size() < 4096) c += input.repeated;
            return c;
        }();
        while (wantsMore && fed < 100u * 1024 * 1024) {
            wantsMore = parser.Feed(chunk);
            fed += chunk.size();
        }
        EXPECT_FALSE(wantsMore) << input.what;
        EXPECT_LT(fed, 64u * 1024) << input.what;
    }
}

TEST(SavedGameMessages, StrPutsABlankBeforeNonNegativeNumbers) {
    EXPECT_EQ(StrNumber(13), " 13");
    EXPECT_EQ(StrNumber(0), " 0");
    EXPECT_EQ(StrNumber(-5), "-5");
}

TEST(SavedGameMessages, FourRowsOfRefusal) {
    const std::string name = "/home/p/deal.tsl";
    SavedGameResult result;

    result.failure = OpenFailure::NotAGame;
    Message m = OpenFailureMessage(result, name);
    EXPECT_EQ(m.text, "/home/p/deal.tsl is not a valid Tessaline game.\r\n\r\nDealing random game.");
    EXPECT_EQ(m.title, "Error");
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);

    result.failure = OpenFailure::FileNotFound;
    m = OpenFailureMessage(result, name);
    EXPECT_EQ(m.text, "/home/p/deal.tsl is not a valid Tessaline game.\r\n\r\nDealing random game.");
    EXPECT_EQ(m.title, "Tessaline");
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);

    result.failure = OpenFailure::CutShort;
    m = OpenFailureMessage(result, name);
    EXPECT_EQ(m.text, "/home/p/deal.tsl is not a valid Tessaline game.");
    EXPECT_EQ(m.title, "Tessaline Error");
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);

    result.failure = OpenFailure::SystemError;
    result.error = EACCES;
    m = OpenFailureMessage(result, name);
    EXPECT_EQ(m.text, "Error #  13 was generated by Tessaline.\rPermission denied");
    EXPECT_EQ(m.title, "Tessaline Error");
    EXPECT_EQ(m.icon, MessageIcon::None);
}

TEST(SavedGameMessages, SaveFailures) {
    const std::string drive =
        "Cannot read drive A:\r\nMake sure the drive door is closed and that the disk is formatted and free "
        "of errors.";
    for (int error : {ENOMEDIUM, ENXIO}) {
        const Message m = SaveFailureMessage(error);
        EXPECT_EQ(m.text, drive);
        EXPECT_EQ(m.title, "Save");
        EXPECT_EQ(m.icon, MessageIcon::Exclamation);
    }
    const Message m = SaveFailureMessage(EACCES);
    EXPECT_EQ(m.text, "Error #13, Permission denied");
    EXPECT_EQ(m.title, "Save");
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);
    EXPECT_EQ(SaveFailureMessage(ENOSPC).text, "Error #28, No space left on device");
}

}  // namespace
}  // namespace tess
