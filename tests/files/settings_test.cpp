#include <gtest/gtest.h>

#include "files/file_helpers.h"
#include "files/ini_text.h"
#include "files/settings.h"

namespace tess {
namespace {

std::string Show(const Settings& s) {
    return SingleText(s.SavedLeft) + "|" + SingleText(s.SavedTop) + (s.WinnableGamesOnly ? "|on" : "|off");
}

// Keys count in the first section of their name, in any case; only a pair of quotes around a
// value is taken off; the rest gives defaults.
TEST(SettingsText, ReadingTakesWhatItFindsAndDefaultsTheRest) {
    const std::string options = "[Options]\nWinnableGamesOnly=", garbage("\0\xff[\x01]\n=\r\n[\n", 11);
    for (const auto& [text, expected] : std::vector<std::pair<std::string, std::string>>{
             {"", "0|0|off"}, {garbage, "0|0|off"}, {"[WindowPosition", "0|0|off"}, {"Left=5\nTop=6\n", "0|0|off"},
             {"[Other]\nLeft=9\n[windowposition]\n LEFT = 1440\n;Top=55\ntop=\"-720\"\n[WindowPosition]\nLeft=5",
              "1440|-720|off"},
             {"[WindowPosition]\nTop=900.9\nLeft=\"1440", "0|900|off"}, {"[WindowPosition]\nLeft=3\n[Other]\nTop=7\n", "3|0|off"},
             {options + "-1", "0|0|on"}, {options + "-7x", "0|0|on"}, {options + "0", "0|0|off"}, {options + "abc", "0|0|off"}})
        EXPECT_EQ(Show(ParseSettings(text)), expected) << text;
}

// What is written reads back, in a folder made for it. The window's tests keep a stored place
// the platform cannot report.
TEST(SettingsFile, WritingMakesTheFolderAndReadsBack) {
    EXPECT_EQ(SettingsPathFor("relative", "/home/p"), "/home/p/.config/tessaline/tessaline.ini");
    EXPECT_EQ(SettingsPathFor("/cfg", nullptr) + SettingsPathFor(nullptr, nullptr), "/cfg/tessaline/tessaline.ini");
    test::TempDir dir;
    const std::string path = dir.File("a/b/tessaline.ini");
    EXPECT_EQ(Show(ReadSettingsFile(path)), "0|0|off");
    ASSERT_TRUE(WriteSettingsFile(path, {2400, 1800, true}));
    EXPECT_EQ(Show(ReadSettingsFile(path)), "2400|1800|on");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("a/b")), {}), 1);
}

}  // namespace
}  // namespace tess
