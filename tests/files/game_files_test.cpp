#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
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
using test::ReadBytes;
using test::WriteBytes;

std::string Row1(const std::string& path) {
    return path + " is not a valid Tessaline game.\r\n\r\nDealing random game.";
}
std::string Row3(const std::string& path) { return path + " is not a valid Tessaline game."; }

class GameFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.path().empty());
        game.SeedRandom(5);
        game.DealRandomGame();
        game.LayOutDeal();
    }

    // Puts a file's name in the caption and sets the option, so that what an open
    // changes and what it leaves alone both show.
    void ComeFromAnOpenedFile() {
        const std::string current = dir.File("current.tsl");
        game.DealRandomGame();
        ASSERT_TRUE(game.SaveGame(current));
        ASSERT_TRUE(game.OpenGame(current));
        ASSERT_EQ(game.Caption(), "Tessaline - " + current);
        game.SetDealOnlyWinnableGames(true);
        platform.messages.clear();
    }

    void ExpectOneMessage(const std::string& text, const std::string& title, MessageIcon icon) {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, text);
        EXPECT_EQ(platform.messages[0].title, title);
        EXPECT_EQ(platform.messages[0].icon, icon);
    }

    test::TempDir dir;
    test::RecordingPlatform platform;
    Game game{platform};
};

TEST_F(GameFilesTest, SaveWritesTheExact211BytesAndOpenReadsThemBack) {
    game.DealOrder = IdentityDeal();
    const std::string path = dir.File("deal.tsl");
    ASSERT_TRUE(game.SaveGame(path));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(ReadBytes(path), test::kIdentityGameFile);
    EXPECT_EQ(game.Caption(), "Tessaline - " + path);

    game.DealRandomGame();
    ASSERT_NE(game.DealOrder, IdentityDeal());
    EXPECT_EQ(game.Caption(), "Tessaline");
    ASSERT_TRUE(game.OpenGame(path));
    EXPECT_EQ(game.DealOrder, IdentityDeal());
    EXPECT_EQ(game.Caption(), "Tessaline - " + path);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(GameFilesTest, RandomDealsSurviveTheRoundTrip) {
    const std::string path = dir.File("round.tsl");
    for (std::uint64_t seed = 100; seed < 120; ++seed) {
        game.SeedRandom(seed);
        game.DealRandomGame();
        const auto dealt = game.DealOrder;
        ASSERT_TRUE(game.SaveGame(path));
        ASSERT_EQ(ReadBytes(path).size(), kSavedGameSize);
        game.DealRandomGame();
        ASSERT_TRUE(game.OpenGame(path));
        ASSERT_EQ(game.DealOrder, dealt) << "seed " << seed;
    }
}

TEST_F(GameFilesTest, SavingAfterMovesWritesTheSameFile) {
    const std::string fresh = dir.File("fresh.tsl");
    const std::string played = dir.File("played.tsl");
    ASSERT_TRUE(game.SaveGame(fresh));

    // The last card of column 0 goes under column 1, the first hand card to a foundation.
    const int moved = game.ColumnCards[0][5];
    game.ColumnCards[0][5] = kNoCard;
    game.ColumnCards[1][6] = moved;
    game.MoveImage(moved, ColumnLeft(1), SlotTop(6));
    game.BringToFront(moved);
    const int homed = game.DealOrder[36];
    game.imgCard[homed].Tag = kTagFoundation;
    game.MoveImage(homed, kFoundationLeft, FoundationTopPos(0));
    game.FoundationTop[0] = homed;
    game.UndoCount = 2;

    ASSERT_TRUE(game.SaveGame(played));
    EXPECT_EQ(ReadBytes(played), ReadBytes(fresh));
    EXPECT_EQ(ReadBytes(played), FormatSavedGame(game.DealOrder));
}

enum class After { Accepted, NewDeal, Unchanged };

struct BadFile {
    const char* what;
    std::string content;
    After after;
    int row;  // the message row, 0 for none
};

TEST_F(GameFilesTest, TableOfFilesWithTheirMessagesAndOutcomes) {
    const std::string tag = "\"Tessaline\"";
    const std::vector<int> ok = IdentityNumbers();
    std::string commaLine = tag + "\r\n";
    for (int n : ok) commaLine += std::to_string(n) + (n < 51 ? "," : "\r\n");
    std::string quoted = tag + "\r\n";
    for (int n : ok) quoted += "\"" + std::to_string(n) + "\"\r\n";
    std::string garbage;
    std::uint32_t x = 12345;
    for (int i = 0; i < 4096; ++i) {
        x = x * 1103515245u + 12345u;
        garbage += static_cast<char>(x >> 24);
    }
    garbage[0] = '\x01';
    auto with = [&](std::vector<int> numbers, std::size_t at, int value) {
        numbers[at] = value;
        return numbers;
    };

    const std::vector<BadFile> files = {
        {"an empty file", "", After::Unchanged, 3},
        {"the tag in capitals", GameText("\"TESSALINE\"", ok), After::NewDeal, 1},
        {"51 numbers", GameText(tag, std::vector<int>(ok.begin(), ok.end() - 1)), After::Unchanged, 3},
        {"numbers summing to 1325", GameText(tag, with(ok, 1, 0)), After::NewDeal, 1},
        {"a number 40000", GameText(tag, with(ok, 7, 40000)), After::Unchanged, 3},
        {"the numbers on one comma-separated line", commaLine, After::Accepted, 0},
        {"further lines after the deal", GameText(tag, ok) + "1\r\n2\r\nnot read\r\n", After::Accepted, 0},
        {"a repeated card with the right sum", GameText(tag, with(with(ok, 10, 11), 12, 11)), After::NewDeal, 1},
        {"cards out of range with the right sum", GameText(tag, with(with(ok, 0, -1), 51, 52)), After::NewDeal, 1},
        {"a card above 51 balanced by others", GameText(tag, with(with(ok, 51, 70), 19, 0)), After::NewDeal, 1},
        {"a field that is no number", GameText(tag, {}) + "seven\r\n" + GameText("1", std::vector<int>(ok.begin() + 2, ok.end())),
         After::NewDeal, 1},
        {"binary garbage", garbage, After::NewDeal, 1},
        {"quoted numbers", quoted, After::Accepted, 0},
        {"no line end after the last number", GameText(tag, ok).substr(0, 209), After::Accepted, 0},
    };
    int index = 0;
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.what);
        const std::string path = dir.File("case" + std::to_string(index++) + ".tsl");
        WriteBytes(path, file.content);
        ComeFromAnOpenedFile();
        const std::string caption = game.Caption();
        const auto before = game.DealOrder;

        const bool result = game.OpenGame(path);
        switch (file.after) {
        case After::Accepted:
            EXPECT_TRUE(result);
            EXPECT_TRUE(platform.messages.empty());
            EXPECT_EQ(game.DealOrder, IdentityDeal());
            EXPECT_EQ(game.Caption(), "Tessaline - " + path);
            EXPECT_TRUE(game.DealOnlyWinnableGames());
            break;
        case After::NewDeal:
            EXPECT_TRUE(result);
            ExpectOneMessage(Row1(path), "Error", MessageIcon::Exclamation);
            EXPECT_NE(game.DealOrder, before);
            EXPECT_TRUE(IsPermutation(game.DealOrder));
            EXPECT_EQ(game.Caption(), "Tessaline");
            EXPECT_FALSE(game.DealOnlyWinnableGames());
            break;
        case After::Unchanged:
            EXPECT_FALSE(result);
            ExpectOneMessage(Row3(path), "Tessaline Error", MessageIcon::Exclamation);
            EXPECT_EQ(game.DealOrder, before);
            EXPECT_EQ(game.Caption(), caption);
            EXPECT_TRUE(game.DealOnlyWinnableGames());
            break;
        }
        game.LayOutDeal();
        EXPECT_EQ(game.CheckInvariants(), "");
    }
}

TEST_F(GameFilesTest, AMissingFileBringsANewDealUnderTheProgramsTitle) {
    ComeFromAnOpenedFile();
    const auto before = game.DealOrder;
    const std::string path = dir.File("nowhere.tsl");
    EXPECT_TRUE(game.OpenGame(path));
    ExpectOneMessage(Row1(path), "Tessaline", MessageIcon::Exclamation);
    EXPECT_NE(game.DealOrder, before);
    EXPECT_EQ(game.Caption(), "Tessaline");
}

TEST_F(GameFilesTest, AFolderIsReportedWithItsErrorNumber) {
    ComeFromAnOpenedFile();
    const auto before = game.DealOrder;
    const std::string caption = game.Caption();
    const std::string path = dir.File("folder.tsl");
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    EXPECT_FALSE(game.OpenGame(path));
    ExpectOneMessage("Error #  21 was generated by Tessaline.\rIs a directory", "Tessaline Error",
                     MessageIcon::None);
    EXPECT_EQ(game.DealOrder, before);
    EXPECT_EQ(game.Caption(), caption);
}

TEST_F(GameFilesTest, APathThroughAFileIsReportedWithItsErrorNumber) {
    ComeFromAnOpenedFile();
    const auto before = game.DealOrder;
    const std::string path = dir.File("current.tsl") + "/deal.tsl";
    EXPECT_FALSE(game.OpenGame(path));
    ExpectOneMessage("Error #  20 was generated by Tessaline.\rNot a directory", "Tessaline Error",
                     MessageIcon::None);
    EXPECT_EQ(game.DealOrder, before);
}

TEST_F(GameFilesTest, AFileWithoutReadPermissionIsReportedWithItsErrorNumber) {
    const std::string path = dir.File("locked.tsl");
    WriteBytes(path, FormatSavedGame(IdentityDeal()));
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const std::string outcome = test::RunInChild([&] {
        test::RecordingPlatform childPlatform;
        Game childGame(childPlatform);
        childGame.SeedRandom(1);
        childGame.DealRandomGame();
        const auto before = childGame.DealOrder;
        const bool result = childGame.OpenGame(path);
        std::string text = result ? "true" : "false";
        text += childGame.DealOrder == before ? "|unchanged" : "|changed";
        for (const auto& m : childPlatform.messages)
            text += "|" + m.text + "|" + m.title + "|" + std::to_string(static_cast<int>(m.icon));
        return text;
    });
    EXPECT_EQ(outcome, "false|unchanged|Error #  13 was generated by Tessaline.\rPermission denied|Tessaline Error|" +
                           std::to_string(static_cast<int>(MessageIcon::None)));
}

// A pipe with nobody writing must not hang the game: it is a file that ended at once.
TEST_F(GameFilesTest, APipeDoesNotHang) {
    const std::string path = dir.File("pipe.tsl");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const std::string outcome = test::RunInChild(
        [&] {
            test::RecordingPlatform childPlatform;
            Game childGame(childPlatform);
            const bool result = childGame.OpenGame(path);
            return std::string(result ? "true" : "false") + "|" +
                   (childPlatform.messages.empty() ? "" : childPlatform.messages[0].text);
        },
        [] { ::alarm(20); }, false);
    EXPECT_EQ(outcome, "false|" + Row3(path));
}

// Files far larger than any game are decided from their first bytes, not read whole.
TEST_F(GameFilesTest, VeryLongFilesAreNotReadWhole) {
    constexpr off_t kFiftyMegabytes = 50 << 20;
    const std::string goodThenZeros = dir.File("long-good.tsl");
    WriteBytes(goodThenZeros, FormatSavedGame(IdentityDeal()));
    ASSERT_EQ(::truncate(goodThenZeros.c_str(), kFiftyMegabytes), 0);

    const std::string endlessField = dir.File("long-field.tsl");
    {
        std::ofstream out(endlessField, std::ios::binary);
        out << "\"Tessaline\"\r\n";
        const std::string megabyte(1 << 20, '7');
        for (int i = 0; i < 50; ++i) out << megabyte;
    }
    const std::string endlessLines = dir.File("long-lines.tsl");
    {
        std::ofstream out(endlessLines, std::ios::binary);
        out << "\"Tessaline\"\r\n";
        std::string megabyte;
        while (megabyte.size() < (1 << 20)) megabyte += "1\r\n";
        for (int i = 0; i < 50; ++i) out << megabyte;
    }

    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    const long peakBefore = usage.ru_maxrss;

    const SavedGameResult good = ReadSavedGame(goodThenZeros);
    EXPECT_EQ(good.failure, OpenFailure::None);
    EXPECT_LE(good.bytesRead, 8192u);
    const SavedGameResult field = ReadSavedGame(endlessField);
    EXPECT_EQ(field.failure, OpenFailure::NotAGame);
    EXPECT_LE(field.bytesRead, 8192u);
    const SavedGameResult lines = ReadSavedGame(endlessLines);
    EXPECT_EQ(lines.failure, OpenFailure::NotAGame);
    EXPECT_LE(lines.bytesRead, 8192u);

    ComeFromAnOpenedFile();
    EXPECT_TRUE(game.OpenGame(goodThenZeros));
    EXPECT_EQ(game.DealOrder, IdentityDeal());
    EXPECT_TRUE(game.OpenGame(endlessField));
    ExpectOneMessage(Row1(endlessField), "Error", MessageIcon::Exclamation);

    ::getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss - peakBefore, 8 * 1024) << "kilobytes";
}

TEST_F(GameFilesTest, SaveIntoAMissingFolderReportsTheError) {
    const std::string caption = game.Caption();
    const std::string path = dir.File("missing/deal.tsl");
    EXPECT_FALSE(game.SaveGame(path));
    ExpectOneMessage("Error #2, No such file or directory", "Save", MessageIcon::Exclamation);
    EXPECT_EQ(game.Caption(), caption);
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
}

TEST_F(GameFilesTest, SaveOntoAFolderReportsTheError) {
    const std::string path = dir.File("folder.tsl");
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    EXPECT_FALSE(game.SaveGame(path));
    ExpectOneMessage("Error #21, Is a directory", "Save", MessageIcon::Exclamation);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(GameFilesTest, SaveReplacesTheOldFileAndLeavesNothingElse) {
    const std::string path = dir.File("deal.tsl");
    ASSERT_TRUE(game.SaveGame(path));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    game.DealOrder = IdentityDeal();
    ASSERT_TRUE(game.SaveGame(path));
    EXPECT_EQ(ReadBytes(path), test::kIdentityGameFile);
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"deal.tsl"});
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(GameFilesTest, SaveThroughALinkKeepsTheLink) {
    const std::string real = dir.File("real.tsl");
    const std::string link = dir.File("link.tsl");
    WriteBytes(real, "old");
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    game.DealOrder = IdentityDeal();
    ASSERT_TRUE(game.SaveGame(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), test::kIdentityGameFile);
    EXPECT_EQ(game.Caption(), "Tessaline - " + link);
}

// Outcome of a save in a child process: result, file content, messages, folder listing.
std::string SaveInChild(const std::string& folder, const std::string& path, const std::function<void()>& prepare,
                        bool dropRoot) {
    std::string outcome = test::RunInChild(
        [&] {
            test::RecordingPlatform childPlatform;
            Game childGame(childPlatform);
            childGame.DealOrder = IdentityDeal();
            std::string text = childGame.SaveGame(path) ? "saved" : "failed";
            text += "|" + childGame.Caption();
            for (const auto& m : childPlatform.messages) text += "|" + m.text + "|" + m.title;
            return text;
        },
        prepare, dropRoot);
    outcome += "|" + ReadBytes(path);
    outcome += "|" + std::to_string(test::FolderEntries(folder).size());
    return outcome;
}

TEST_F(GameFilesTest, AReadOnlyTargetIsNotReplaced) {
    const std::string folder = dir.File("open");
    ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const std::string path = folder + "/deal.tsl";
    WriteBytes(path, "the old game");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(SaveInChild(folder, path, {}, true),
              "failed|Tessaline|Error #13, Permission denied|Save|the old game|1");
}

TEST_F(GameFilesTest, AReadOnlyFolderGetsNoFile) {
    const std::string folder = dir.File("closed");
    ASSERT_EQ(::mkdir(folder.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const std::string path = folder + "/deal.tsl";
    EXPECT_EQ(SaveInChild(folder, path, {}, true), "failed|Tessaline|Error #13, Permission denied|Save||0");
}

// A write that fails half-way leaves the old file whole and no temporary file behind.
TEST_F(GameFilesTest, AFailedWriteKeepsTheOldFile) {
    const std::string folder = dir.File("small");
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    const std::string path = folder + "/deal.tsl";
    WriteBytes(path, "the old game");
    const auto limitFileSize = [] {
        ::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit {100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    EXPECT_EQ(SaveInChild(folder, path, limitFileSize, false),
              "failed|Tessaline|Error #27, File too large|Save|the old game|1");
}

}  // namespace
}  // namespace tess
