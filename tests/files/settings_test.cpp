#include <sys/stat.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/file_helpers.h"
#include "files/ini_text.h"
#include "files/settings.h"

namespace tess {
namespace {

using test::ReadBytes;
using test::WriteBytes;

TEST(ProfileText, WholeNumbersAreReadLikeTheProfileFunctions) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"12abc", 12},  {"abc", 0},       {" -5", -5},           {"+7", 7},     {"\t42 ", 42},
        {"-", 0},       {"1440.75", 1440}, {"0x10", 0},          {"-0", 0},     {"  - 3", 0},
        {"007", 7},     {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"", 0},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(ProfileIntValue(value), expected) << "[" << value << "]";
}

TEST(ProfileText, FindsKeysInTheirSectionWhateverTheCase) {
    const std::string text =
        "; a comment\n"
        "[Other]\n"
        "Left=999\n"
        "\n"
        "[windowposition]\n"
        "  LEFT = 1440\n"
        ";Top=55\n"
        "top=\"720\"\n"
        "noequals\n"
        "[WindowPosition]\n"
        "Left=5\n"
        "Right=\n";
    EXPECT_EQ(ProfileInt(text, "WindowPosition", "Left", -1), 1440);
    EXPECT_EQ(ProfileInt(text, "WINDOWPOSITION", "top", -1), 720);
    EXPECT_EQ(ProfileInt(text, "WindowPosition", "Bottom", -1), -1);
    EXPECT_EQ(ProfileInt(text, "Options", "Left", -1), -1);
    EXPECT_EQ(ProfileInt(text, "Other", "Left", -1), 999);
    EXPECT_EQ(ProfileString(text, "WindowPosition", "Left"), "1440");
    EXPECT_EQ(ProfileString(text, "windowposition", "noequals"), std::nullopt);
}

TEST(ProfileText, SettingAKeyRewritesOnlyItsLine) {
    const std::string text = "[A]\r\nx = 1\r\n; keep me\r\ny=2\r\n";
    EXPECT_EQ(SetProfileString(text, "a", "Y", "9"), "[A]\r\nx = 1\r\n; keep me\r\ny=9\r\n");
    EXPECT_EQ(SetProfileString(text, "A", "z", "3"), "[A]\r\nx = 1\r\n; keep me\r\ny=2\r\nz=3\r\n");
    EXPECT_EQ(SetProfileString(text, "B", "z", "3"), "[A]\r\nx = 1\r\n; keep me\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    EXPECT_EQ(SetProfileString("[A]\nx=1", "A", "x", "2"), "[A]\nx=2");
    EXPECT_EQ(SetProfileString("[A]\nx=1", "A", "y", "2"), "[A]\nx=1\ny=2\n");
    EXPECT_EQ(SetProfileString("", "A", "y", "2"), "[A]\ny=2\n");
}

TEST(SettingsText, SingleNumbersAsTheFileWritesThem) {
    EXPECT_EQ(SingleText(0), "0");
    EXPECT_EQ(SingleText(-0.0f), "0");
    EXPECT_EQ(SingleText(1440), "1440");
    EXPECT_EQ(SingleText(-150), "-150");
    EXPECT_EQ(SingleText(1234.5f), "1234.5");
    EXPECT_EQ(SingleText(0.1f), "0.1");
    EXPECT_EQ(SingleText(10000000), "10000000");
    EXPECT_EQ(SingleText(16777216), "16777216");
    EXPECT_EQ(SingleText(std::numeric_limits<float>::quiet_NaN()), "0");
    EXPECT_EQ(SingleText(std::numeric_limits<float>::infinity()), "0");
}

TEST(SettingsText, ANewFileHasBothSectionsInOrder) {
    Settings settings;
    settings.SavedLeft = 1440;
    settings.SavedTop = 720.5f;
    settings.WinnableGamesOnly = true;
    EXPECT_EQ(UpdateSettingsText("", settings),
              "[WindowPosition]\nLeft=1440\nTop=720.5\n\n[Options]\nWinnableGamesOnly=-1\n");
    settings.WinnableGamesOnly = false;
    EXPECT_EQ(UpdateSettingsText("", settings),
              "[WindowPosition]\nLeft=1440\nTop=720.5\n\n[Options]\nWinnableGamesOnly=0\n");
}

TEST(SettingsText, ForeignContentIsKept) {
    const std::string old =
        "; written by hand\r\n"
        "[Options]\r\n"
        "Sound=on\r\n"
        "winnablegamesonly=1\r\n"
        "\r\n"
        "[Other]\r\n"
        "Left=3\r\n"
        "\r\n"
        "[WINDOWPOSITION]\r\n"
        "Top = 10 ; old\r\n"
        "\r\n";
    Settings settings;
    settings.SavedLeft = -30;
    settings.SavedTop = 2000;
    EXPECT_EQ(UpdateSettingsText(old, settings),
              "; written by hand\r\n"
              "[Options]\r\n"
              "Sound=on\r\n"
              "winnablegamesonly=0\r\n"
              "\r\n"
              "[Other]\r\n"
              "Left=3\r\n"
              "\r\n"
              "[WINDOWPOSITION]\r\n"
              "Top=2000\r\n"
              "Left=-30\r\n"
              "\r\n");
}

TEST(SettingsText, ValuesReadBack) {
    for (const Settings& s : {Settings{0, 0, false}, Settings{1440, 960, true}, Settings{-300, 12345, false},
                              Settings{0, 75, true}}) {
        const Settings back = ParseSettings(UpdateSettingsText("", s));
        EXPECT_EQ(back.SavedLeft, s.SavedLeft);
        EXPECT_EQ(back.SavedTop, s.SavedTop);
        EXPECT_EQ(back.WinnableGamesOnly, s.WinnableGamesOnly);
    }
    // A fraction of a twip is dropped on reading, as the whole-number reading does.
    EXPECT_EQ(ParseSettings(UpdateSettingsText("", Settings{1234.5f, -7.25f, false})).SavedLeft, 1234.0f);
    EXPECT_EQ(ParseSettings(UpdateSettingsText("", Settings{1234.5f, -7.25f, false})).SavedTop, -7.0f);
}

TEST(SettingsText, AnyNonZeroOptionTurnsItOn) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"-1", true}, {"1", true}, {"2", true}, {"-7x", true}, {"0", false},
        {"abc", false}, {"", false}, {"00", false}, {" 1", true},
    };
    for (const auto& [value, on] : cases)
        EXPECT_EQ(ParseSettings("[Options]\nWinnableGamesOnly=" + value + "\n").WinnableGamesOnly, on) << value;
    Settings settings = ParseSettings("[Options]\nWinnableGamesOnly=5\n");
    EXPECT_EQ(UpdateSettingsText("[Options]\nWinnableGamesOnly=5\n", settings),
              "[Options]\nWinnableGamesOnly=-1\n\n[WindowPosition]\nLeft=0\nTop=0\n");
}

TEST(SettingsText, MissingOrGarbageGivesDefaults) {
    std::string garbage;
    for (int i = 0; i < 2000; ++i) garbage += static_cast<char>((i * 7919) & 0xff);
    for (const std::string& text : {std::string(), garbage, std::string("[WindowPosition"), std::string("Left=5\nTop=6\n")}) {
        const Settings s = ParseSettings(text);
        EXPECT_EQ(s.SavedLeft, 0);
        EXPECT_EQ(s.SavedTop, 0);
        EXPECT_FALSE(s.WinnableGamesOnly);
    }
    const Settings onlyTop = ParseSettings("[WindowPosition]\nTop=900\n");
    EXPECT_EQ(onlyTop.SavedLeft, 0);
    EXPECT_EQ(onlyTop.SavedTop, 900);
}

TEST(SettingsFile, PathFollowsTheConfigurationFolder) {
    EXPECT_EQ(SettingsPathFor("/cfg", "/home/p"), "/cfg/tessaline/tessaline.ini");
    EXPECT_EQ(SettingsPathFor(nullptr, "/home/p"), "/home/p/.config/tessaline/tessaline.ini");
    EXPECT_EQ(SettingsPathFor("", "/home/p"), "/home/p/.config/tessaline/tessaline.ini");
    EXPECT_EQ(SettingsPathFor("relative", "/home/p"), "/home/p/.config/tessaline/tessaline.ini");
    EXPECT_EQ(SettingsPathFor(nullptr, nullptr), "");
}

TEST(SettingsFile, WritingCreatesTheFolderAndReadingGetsTheValuesBack) {
    test::TempDir dir;
    const std::string path = dir.File("config/deeper/tessaline/tessaline.ini");
    EXPECT_EQ(ReadSettingsFile(path).SavedLeft, 0);
    const Settings settings{2400, 1800, true};
    ASSERT_TRUE(WriteSettingsFile(path, settings));
    EXPECT_EQ(ReadBytes(path), "[WindowPosition]\nLeft=2400\nTop=1800\n\n[Options]\nWinnableGamesOnly=-1\n");
    const Settings back = ReadSettingsFile(path);
    EXPECT_EQ(back.SavedLeft, 2400);
    EXPECT_EQ(back.SavedTop, 1800);
    EXPECT_TRUE(back.WinnableGamesOnly);
    EXPECT_EQ(test::FolderEntries(dir.File("config/deeper/tessaline")), std::vector<std::string>{"tessaline.ini"});
}

TEST(SettingsFile, AnExistingFileKeepsItsOtherLines) {
    test::TempDir dir;
    const std::string path = dir.File("tessaline.ini");
    WriteBytes(path, "# mine\n[Extra]\nKey=Value\n[WindowPosition]\nLeft=1\n");
    ASSERT_TRUE(WriteSettingsFile(path, Settings{15, 30, false}));
    EXPECT_EQ(ReadBytes(path), "# mine\n[Extra]\nKey=Value\n[WindowPosition]\nLeft=15\nTop=30\n\n[Options]\nWinnableGamesOnly=0\n");
}

TEST(SettingsFile, FailuresGiveDefaultsAndFalseButNeverThrow) {
    test::TempDir dir;
    // A folder where the file should be.
    const std::string folder = dir.File("tessaline.ini");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    EXPECT_EQ(ReadSettingsFile(folder).SavedTop, 0);
    EXPECT_FALSE(WriteSettingsFile(folder, Settings{1, 2, true}));
    // A file where the folder should be.
    const std::string blocker = dir.File("blocker");
    WriteBytes(blocker, "x");
    EXPECT_FALSE(WriteSettingsFile(blocker + "/tessaline/tessaline.ini", Settings{1, 2, true}));
    EXPECT_EQ(ReadBytes(blocker), "x");
    // No place at all.
    EXPECT_FALSE(WriteSettingsFile("", Settings{}));
    EXPECT_EQ(ReadSettingsFile("").SavedLeft, 0);
}

TEST(SettingsFile, AHugeFileIsNeitherLoadedNorOverwritten) {
    test::TempDir dir;
    const std::string path = dir.File("tessaline.ini");
    WriteBytes(path, "[WindowPosition]\nLeft=77\n");
    ASSERT_EQ(::truncate(path.c_str(), 8 << 20), 0);
    EXPECT_EQ(ReadSettingsFile(path).SavedLeft, 0);
    EXPECT_FALSE(WriteSettingsFile(path, Settings{1, 2, true}));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 8 << 20);
}

TEST(SettingsFile, AnUnreadableFileIsLeftAlone) {
    test::TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const std::string path = dir.File("tessaline.ini");
    WriteBytes(path, "[WindowPosition]\nLeft=77\n");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    const std::string outcome = test::RunInChild([&] {
        const Settings s = ReadSettingsFile(path);
        return SingleText(s.SavedLeft) + (WriteSettingsFile(path, Settings{1, 2, true}) ? "|written" : "|refused");
    });
    EXPECT_EQ(outcome, "0|refused");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    EXPECT_EQ(ReadBytes(path), "[WindowPosition]\nLeft=77\n");
}

TEST(SettingsFile, TheDefaultPlaceComesFromTheEnvironment) {
    test::TempDir dir;
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string savedValue = saved != nullptr ? saved : "";
    ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    EXPECT_EQ(SettingsPath(), dir.File("tessaline/tessaline.ini"));
    ASSERT_TRUE(WriteSettings(Settings{300, 450, false}));
    const Settings back = ReadSettings();
    if (saved != nullptr) ::setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(back.SavedLeft, 300);
    EXPECT_EQ(back.SavedTop, 450);
    EXPECT_EQ(ReadBytes(dir.File("tessaline/tessaline.ini")),
              "[WindowPosition]\nLeft=300\nTop=450\n\n[Options]\nWinnableGamesOnly=0\n");
}

}  // namespace
}  // namespace tess
