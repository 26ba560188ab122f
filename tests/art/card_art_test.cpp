// The card pictures: every face drawn, coloured by suit, and told apart, also by the strip
// that shows when another card covers it; stored between runs, read back exactly, drawn
// again when damaged, and only from a plain file (a pipe in its place must not hang the start).
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtMath>

#include <gtest/gtest.h>

#include "game/cards.h"
#include "window/card_art.h"
#include "window/face_cache.h"

namespace tess {
namespace {

// Pixels that pass `test`, or with `other`, pixels that differ clearly (not by a shade of
// antialiasing) from the same pixel there.
int Count(const QImage& a, const std::function<bool(QRgb)>& test, const QImage* other = nullptr) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = other ? other->pixel(x, y) : 0;
            n += other ? std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                   std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))}) > 96
                       : test(p);
        }
    }
    return n;
}
int Differences(const QImage& a, const QImage& b) { return Count(a, nullptr, &b); }

// Each face has ink, red only for red suits, and its index again, turned half about, in the
// opposite corner; no two cards look alike, also in the top strip a column shows.
TEST(CardArt, EveryFaceIsDrawnColouredAndToldApartAlsoWhenCovered) {
    CardArt art;
    for (qreal dpr : {1.0, 2.0}) {
        std::vector<QImage> faces;
        for (int card = 0; card < kCardCount; ++card) {
            const QImage face = faces.emplace_back(art.Face(card, dpr).toImage().convertToFormat(QImage::Format_ARGB32));
            ASSERT_EQ(face.size(), QSize(qCeil(71 * dpr), qCeil(96 * dpr))) << CardName(card);
            const int red = Count(face, [](QRgb p) { return qAlpha(p) > 200 && qRed(p) >= 150 && qGreen(p) <= 90 && qBlue(p) <= 90; });
            EXPECT_GT(Count(face, [](QRgb p) { return qAlpha(p) == 255 && qGray(p) < 160; }), 300 * dpr * dpr) << CardName(card);
            EXPECT_TRUE(SuitOf(card) == kHearts || SuitOf(card) == kDiamonds ? red > 40 * dpr * dpr : red == 0) << CardName(card) << ": " << red;
            const QRect corner(0, 0, qCeil(14 * dpr), qCeil(20 * dpr));
            const QImage opposite = face.copy(corner.translated(face.width() - corner.width(), face.height() - corner.height()));
            EXPECT_LE(Differences(face.copy(corner), opposite.mirrored(true, true)), 10) << CardName(card);
        }
        for (int a = 0; a < kCardCount; ++a) {
            for (int b = a + 1; b < kCardCount; ++b) {
                const std::string pair = CardName(a) + " and " + CardName(b);
                EXPECT_GE(Differences(faces[a], faces[b]), 30) << pair << " at ratio " << dpr;
                const int strip = qFloor(kSlotStep * dpr);
                EXPECT_GE(Differences(faces[a].copy(0, 0, faces[a].width(), strip), faces[b].copy(0, 0, faces[b].width(), strip)),
                          5 * dpr * dpr) << pair << " in a column";
            }
        }
    }
}

int DrawAll(const QString& folder) {
    CardArt art(folder);
    for (int card = 0; card < kCardCount; ++card) art.Face(card, 1);
    art.PileBase(1);
    return art.drawn();
}

TEST(FaceCache, ReadBackWhenWholeDrawnAgainWhenDamagedAndAPipeIsNeverRead) {
    QTemporaryDir folder, piped;
    EXPECT_EQ(DrawAll(folder.path()), 53);
    EXPECT_EQ(DrawAll(folder.path()), 0);
    EXPECT_EQ(CardArt(folder.path()).Face(CardNumber(kHearts, kQueen), 1).toImage(), CardArt().Face(CardNumber(kHearts, kQueen), 1).toImage());
    QFile file(FaceCacheFile(folder.path(), 1));
    ASSERT_TRUE(file.resize(file.size() - 1));
    EXPECT_EQ(DrawAll(folder.path()), 53);
    ASSERT_EQ(::mkfifo(QFile::encodeName(FaceCacheFile(piped.path(), 1)), 0644), 0);
    ::alarm(30);  // ends the test if the start waits on the pipe
    EXPECT_EQ(DrawAll(piped.path()), 53);
    ::alarm(0);
}

}  // namespace
}  // namespace tess
