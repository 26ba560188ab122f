// The card faces, the empty-pile picture and the program icon, all drawn from vectors so
// they stay sharp at any scale and device pixel ratio.
#pragma once

#include <map>
#include <set>
#include <utility>

#include <QColor>
#include <QIcon>
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

// The program's icon, from the scalable drawing and its pre-rendered sizes.
QIcon ProgramIcon();

// Rendered faces and the pile base, kept per device pixel ratio. Each pixmap carries
// its ratio, so a painter draws it at 71 x 96 logical pixels.
class CardArt {
public:
    // With a folder, the pictures of each pixel ratio are stored there once all are
    // drawn, and read back instead of drawn on later runs.
    explicit CardArt(QString diskCache = {});

    // Face of card 0..51; a null pixmap for any other number.
    const QPixmap& Face(int card, qreal dpr);
    const QPixmap& PileBase(qreal dpr);
    // How many pictures were drawn rather than read back.
    int drawn() const { return drawn_; }

private:
    const QPixmap& Picture(int picture, qreal dpr);
    bool LoadFromDisk(qreal dpr);
    void SaveToDisk(qreal dpr);

    std::map<std::pair<int, qreal>, QPixmap> cache_;
    QString diskCache_;
    std::map<qreal, int> drawnAt_;  // pictures drawn per pixel ratio, to know when all are
    std::set<qreal> diskTried_;
    int drawn_ = 0;
};

}  // namespace tess
