// Card pictures stored between runs: read back exactly, and never trusted when damaged.
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "game/cards.h"
#include "window/card_art.h"
#include "window/face_cache.h"

namespace tess {
namespace {

void DrawAll(CardArt& art, qreal dpr) {
    for (int card = 0; card < kCardCount; ++card) art.Face(card, dpr);
    art.PileBase(dpr);
}

TEST(FaceCache, ASecondRunReadsBackWhatTheFirstDrew) {
    QTemporaryDir folder;
    for (qreal dpr : {1.0, 2.0}) {
        CardArt first(folder.path());
        DrawAll(first, dpr);
        EXPECT_EQ(first.drawn(), 53);
        ASSERT_TRUE(QFile::exists(FaceCacheFile(folder.path(), dpr)));

        CardArt second(folder.path());
        DrawAll(second, dpr);
        EXPECT_EQ(second.drawn(), 0);
        for (int card = 0; card < kCardCount; ++card) {
            EXPECT_EQ(second.Face(card, dpr).devicePixelRatio(), dpr);
            ASSERT_EQ(second.Face(card, dpr).toImage(), first.Face(card, dpr).toImage()) << card;
        }
        EXPECT_EQ(second.PileBase(dpr).toImage(), first.PileBase(dpr).toImage());
    }
}

TEST(FaceCache, ADamagedOrForeignFileIsDrawnAgainAndReplaced) {
    QTemporaryDir folder;
    { CardArt art(folder.path()); DrawAll(art, 1); }
    const QString path = FaceCacheFile(folder.path(), 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray whole = file.readAll();
    file.resize(whole.size() - 1);
    file.close();

    CardArt cut(folder.path());
    DrawAll(cut, 1);
    EXPECT_EQ(cut.drawn(), 53);
    EXPECT_EQ(QFileInfo(path).size(), whole.size()) << "the file is written whole again";

    // Faces of another drawing (an older program) are never shown.
    EXPECT_FALSE(LoadFaceCache(path, "another drawing", QSize(71, 96), 53));
    EXPECT_TRUE(LoadFaceCache(path, FaceCacheKey(), QSize(71, 96), 53));
}

// Whatever stands where the file should be, start-up neither waits nor breaks on it (the
// alarm ends a test that hangs): the cards are drawn, and the thing is left as it was.
TEST(FaceCache, AnythingButAPlainFileInItsPlaceIsLeftAloneAndTheCardsAreDrawn) {
    const std::pair<const char*, std::function<int(const QByteArray&)>> kinds[] = {
        {"pipe", [](const QByteArray& p) { return ::mkfifo(p, 0644); }},
        {"folder", [](const QByteArray& p) { return ::mkdir(p, 0755); }},
        {"link to a device", [](const QByteArray& p) { return ::symlink("/dev/zero", p); }},
        {"link to a pipe", [](const QByteArray& p) { return ::mkfifo(p + ".p", 0644) | ::symlink(p + ".p", p); }},
        {"dangling link", [](const QByteArray& p) { return ::symlink("nowhere", p); }},
    };
    for (const auto& [kind, make] : kinds) {
        SCOPED_TRACE(kind);
        QTemporaryDir folder;
        const QByteArray path = QFile::encodeName(FaceCacheFile(folder.path(), 1));
        ASSERT_EQ(make(path), 0);
        struct stat before {}, after {};
        ::lstat(path, &before);
        ::alarm(30);
        CardArt art(folder.path());
        DrawAll(art, 1);
        ::alarm(0);
        EXPECT_EQ(art.drawn(), 53);
        ::lstat(path, &after);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
}

}  // namespace
}  // namespace tess
