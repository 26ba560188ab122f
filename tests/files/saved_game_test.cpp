#include <gtest/gtest.h>

#include "files/file_helpers.h"

namespace tess {
namespace {

using test::Numbers;

// The text whole, cut in two at every byte, and a byte at a time: one verdict, one deal.
void ExpectVerdict(const std::string& text, OpenFailure expected) {
    const SavedGameResult whole = ParseSavedGame(text);
    ASSERT_EQ(static_cast<int>(whole.failure), static_cast<int>(expected)) << text.substr(0, 40);
    EXPECT_EQ(IsPermutation(whole.deal), expected == OpenFailure::None);
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        SavedGameParser parser;
        if (parser.Feed(std::string_view(text).substr(0, cut))) parser.Feed(std::string_view(text).substr(cut));
        const SavedGameResult split = parser.Finish();
        ASSERT_TRUE(split.failure == whole.failure && split.deal == whole.deal) << text.substr(0, 40) << cut;
    }
    SavedGameParser bytewise;
    for (char c : text) bytewise.Feed(std::string_view(&c, 1));
    EXPECT_EQ(bytewise.Finish().failure, whole.failure);
}

// Blanks, quotes, signs, 16-bit limits, what is no number, fields too long.
TEST(SavedGameParse, TableOfTexts) {
    using enum OpenFailure;
    const std::string tag = "\"Tessaline\"", nl = "\r\n", ok = Numbers();
    for (const auto& [text, expected] : std::vector<std::pair<std::string, OpenFailure>>{
             {"  Tessaline " + nl + ok + nl, None},
             {"\" Tessaline\"" + nl + ok + nl, NotAGame},
             {tag + "x" + nl + ok + nl, NotAGame},
             {tag + nl + ok.substr(0, ok.size() - 4) + nl + ",", NotAGame},  // 51 numbers and an empty field
             {tag + nl + Numbers(nl, {{10, -32769}}) + nl, CutShort},
             {tag + nl + Numbers(nl, {{10, -32768}}) + nl, NotAGame},
             {tag + nl + "123456789012345678901234567890" + nl, CutShort},
             {tag + "," + Numbers(",") + nl, None},
             {tag + "\r" + Numbers("\r") + "\r", None},
             {tag + "\n" + Numbers("\n") + "\n", None},
             {tag + nl + Numbers(" ,\t ") + nl, None},
             {tag + nl + "+" + Numbers("\r\n+") + nl, None},
             {tag + nl + Numbers(nl, {{51, 60}, {8, -1}}) + nl, NotAGame},
             {tag + nl + "12abc" + nl + Numbers(nl, {{12, 0}}), NotAGame},
             {tag + nl + "abc" + nl, CutShort},
             {tag + nl + "abc" + nl + "40000" + nl, CutShort},
             {tag + nl + std::string(5000, '1'), NotAGame},
             {tag + nl + "\"0,1\"" + nl + ok, NotAGame}})
        ExpectVerdict(text, expected);
}

}  // namespace
}  // namespace tess
