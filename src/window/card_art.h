// The card faces, the empty-pile picture and the program icon, all drawn from vectors so
// they stay sharp at any scale and device pixel ratio.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;

namespace tess {

// The green of the table the cards lie on.
QColor TableColor();

// Draws the face of card 0..51 (suit * 13 + rank) to fill rect; a face is designed for
// 71 x 96 and is stretched to whatever rect it is given.
void PaintCardFace(QPainter& painter, const QRectF& rect, int card);

// Draws the picture that marks an empty column or foundation.
void PaintPileBase(QPainter& painter, const QRectF& rect);

// Rendered faces and the pile base, kept per picture scale (device pixels per designed
// pixel: the board's scale times the screen's ratio). Each pixmap carries its scale as its
// ratio, so a painter at that ratio draws it at 71 x 96 logical pixels.
class CardArt {
public:
    // With a folder, the pictures of a scale are stored there once all are drawn, and
    // read back instead of drawn on later runs: the scale a run starts at, and the one it
    // ends at (StoreInUse). A few recent scales are kept there, no more.
    explicit CardArt(QString diskCache = {});

    // Face of card 0..51; a null pixmap for any other number.
    const QPixmap& Face(int card, qreal scale);
    const QPixmap& PileBase(qreal scale);
    // Stores the scale drawn last, when all of its pictures are drawn and not stored yet.
    void StoreInUse();
    // While held, the start scale is not written the moment it is complete but when the
    // hold is released: the window holds it over its first frame, which the write would
    // only delay.
    void HoldStore() { holdStore_ = true; }
    void ReleaseStore();
    // How many pictures were drawn rather than read back.
    int drawn() const { return drawn_; }

    static constexpr int kStoredScales = 6;

private:
    const QPixmap& Picture(int picture, qreal scale);
    void KeepRecent(qreal scale);
    // Stores the pictures of a scale once all of them are drawn, unless they are stored already.
    void StoreIfComplete(qreal scale);
    bool LoadFromDisk(qreal scale);
    void SaveToDisk(qreal scale);

    std::map<std::pair<int, qreal>, QPixmap> cache_;
    QString diskCache_;
    std::map<qreal, int> drawnAt_;  // pictures drawn per scale, to know when all are
    std::set<qreal> onDisk_;        // scales read back or stored in this run
    std::set<qreal> diskTried_;
    std::vector<qreal> recent_;     // the scales in memory, latest first
    bool storedStartScale_ = false;
    bool holdStore_ = false;
    std::optional<qreal> heldScale_;  // the start scale, complete while the store was held
    int drawn_ = 0;
};

}  // namespace tess
