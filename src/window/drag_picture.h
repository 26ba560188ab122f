// The picture of the moving cards: composed once at the press, then only moved.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "game/game.h"

namespace tess {

class CardArt;

class DragPictureWidget : public QWidget {
    Q_OBJECT

public:
    DragPictureWidget(CardArt& art, QWidget* board);
    // Where the picture stands on the board, in the board's pixels.
    QPoint PositionOnBoard() const { return parentWidget()->mapFromGlobal(pos()); }

    // Follows the game's drag picture: recomposes on a new press, otherwise just moves.
    void Sync(const DragPicture& picture);
    int compositions() const { return compositions_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Compose(const DragPicture& picture, qreal ratio);

    CardArt& art_;
    QPixmap pixmap_;
    std::uint64_t serial_ = ~std::uint64_t{0};
    qreal ratio_ = 0;
    int compositions_ = 0;
};

}  // namespace tess
