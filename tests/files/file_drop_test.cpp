#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/file_drop.h"
#include "files/file_helpers.h"
#include "files/saved_game.h"
#include "game/game.h"
#include "support/recording_platform.h"

namespace tess {
namespace {

using test::IdentityDeal;
using test::WriteBytes;

TEST(FileDrag, OnlyOneSavedGameMayBeDropped) {
    struct Case {
        std::vector<std::string> paths;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {{}, false},
        {{"/home/p/deal.tsl"}, true},
        {{"/home/p/deal.TSL"}, true},
        {{"/home/p/deal.TsL"}, true},
        {{"/home/p/.tsl"}, true},
        {{"/home/p/deal.txt"}, false},
        {{"/home/p/deal.tsl.txt"}, false},
        {{"/home/p/deal.tsl "}, false},
        {{"/home/p/dealtsl"}, false},
        {{"tsl"}, false},
        {{""}, false},
        {{"/home/p/a.tsl", "/home/p/b.tsl"}, false},
        {{"/home/p/a.tsl", "/home/p/b.txt"}, false},
    };
    for (const Case& c : cases) {
        std::string list;
        for (const auto& p : c.paths) list += "[" + p + "]";
        EXPECT_EQ(AcceptsFileDrag(c.paths), c.accepted) << list;
    }
}

class FileDropTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.path().empty());
        game.SeedRandom(3);
        game.DealRandomGame();
        game.LayOutDeal();
        // A game in progress: the marks a layout would wipe out.
        game.UndoCount = 4;
        before = game.DealOrder;
    }

    void ExpectGameUntouched() {
        EXPECT_EQ(game.DealOrder, before);
        EXPECT_EQ(game.UndoCount, 4);
        EXPECT_EQ(game.Caption(), "Tessaline");
    }

    test::TempDir dir;
    test::RecordingPlatform platform;
    Game game{platform};
    std::array<int, kCardCount> before{};
};

TEST_F(FileDropTest, ASavedGameInLowerCaseOpensAndIsLaidOut) {
    const std::string path = dir.File("deal.tsl");
    WriteBytes(path, FormatSavedGame(IdentityDeal()));
    DropFiles(game, {path});
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(game.DealOrder, IdentityDeal());
    EXPECT_EQ(game.UndoCount, 0);
    EXPECT_EQ(game.ColumnCards[0][0], 0);
    EXPECT_EQ(game.ColumnCards[5][5], 35);
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.Caption(), "Tessaline - " + path);
}

TEST_F(FileDropTest, TwoFilesAreRefusedWithAMessage) {
    const std::string a = dir.File("a.tsl");
    const std::string b = dir.File("b.tsl");
    WriteBytes(a, FormatSavedGame(IdentityDeal()));
    WriteBytes(b, FormatSavedGame(IdentityDeal()));
    DropFiles(game, {a, b});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Can only open one file at a time.");
    EXPECT_EQ(platform.messages[0].title, "Request to open game denied");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information);
    ExpectGameUntouched();
}

TEST_F(FileDropTest, AnotherKindOfFileIsRefusedWithAMessage) {
    const std::string path = dir.File("deal.txt");
    WriteBytes(path, FormatSavedGame(IdentityDeal()));
    DropFiles(game, {path});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Can't open " + path + ", because it is not a Tessaline game.");
    EXPECT_EQ(platform.messages[0].title, "Error");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Exclamation);
    ExpectGameUntouched();
}

TEST_F(FileDropTest, AFileThatEndsEarlyLeavesTheGameInPlay) {
    const std::string path = dir.File("short.TSL");
    WriteBytes(path, "\"Tessaline\"\r\n1\r\n2\r\n");
    DropFiles(game, {path});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, path + " is not a valid Tessaline game.");
    ExpectGameUntouched();
}

TEST_F(FileDropTest, AFileThatIsNoGameBringsANewDealLaidOut) {
    const std::string path = dir.File("other.tsl");
    WriteBytes(path, "\"Something else\"\r\n");
    DropFiles(game, {path});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Error");
    EXPECT_NE(game.DealOrder, before);
    EXPECT_EQ(game.UndoCount, 0);
    EXPECT_EQ(game.CheckInvariants(), "");
}

TEST_F(FileDropTest, AnEmptyListDoesNothing) {
    DropFiles(game, {});
    EXPECT_TRUE(platform.messages.empty());
    ExpectGameUntouched();
}

}  // namespace
}  // namespace tess
