// Card pictures stored between runs: read back exactly, and never trusted when damaged.
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "game/cards.h"
#include "window/card_art.h"
#include "window/face_cache.h"

namespace tess {
namespace {

// Draws (or reads back) every picture of a scale; answers how many were drawn.
int DrawAll(CardArt& art, qreal dpr) {
    for (int card = 0; card < kCardCount; ++card) art.Face(card, dpr);
    art.PileBase(dpr);
    return art.drawn();
}

TEST(FaceCache, ASecondRunReadsBackWhatTheFirstDrewAndADamagedFileIsDrawnAgain) {
    QTemporaryDir folder;
    for (qreal dpr : {1.0, 2.0}) {
        CardArt first(folder.path()), second(folder.path());
        EXPECT_EQ(DrawAll(first, dpr), 53);
        EXPECT_EQ(DrawAll(second, dpr), 0);
        for (int card = 0; card < kCardCount; ++card) {
            EXPECT_EQ(second.Face(card, dpr).devicePixelRatio(), dpr);
            ASSERT_EQ(second.Face(card, dpr).toImage(), first.Face(card, dpr).toImage()) << card;
        }
        EXPECT_EQ(second.PileBase(dpr).toImage(), first.PileBase(dpr).toImage());
    }
    const QString path = FaceCacheFile(folder.path(), 1);
    const qint64 whole = QFileInfo(path).size();
    ASSERT_TRUE(QFile::resize(path, whole - 1));
    CardArt cut(folder.path());
    EXPECT_EQ(DrawAll(cut, 1), 53);
    EXPECT_EQ(QFileInfo(path).size(), whole) << "the file is written whole again";
    // Faces of another drawing (an older program) are never shown.
    EXPECT_FALSE(LoadFaceCache(path, "another drawing", QSize(71, 96), 53));
    EXPECT_TRUE(LoadFaceCache(path, FaceCacheKey(), QSize(71, 96), 53));
}

}  // namespace
}  // namespace tess
