#include "window/drag_picture.h"

#include <QPainter>

#include "window/board_widget.h"
#include "window/card_art.h"

namespace tess {

DragPictureWidget::DragPictureWidget(CardArt& art, QWidget* parent) : QWidget(parent), art_(art) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void DragPictureWidget::Compose(const DragPicture& picture, qreal ratio) {
    const QSize size(static_cast<int>(DragPicture::kWidthPx), static_cast<int>(picture.Height));
    pixmap_ = QPixmap(size * ratio);
    pixmap_.setDevicePixelRatio(ratio);
    pixmap_.fill(Qt::transparent);
    QPainter painter(&pixmap_);
    // Each face covers all of the one before but its top strip, as in a column.
    for (int i = 0; i < picture.Count; ++i)
        painter.drawPixmap(QPointF(0, kSlotStep * i), art_.Face(picture.Cards[i], ratio));
    painter.end();
    resize(size);
    serial_ = picture.Serial;
    ratio_ = ratio;
    ++compositions_;
}

void DragPictureWidget::Sync(const DragPicture& picture) {
    const qreal ratio = devicePixelRatioF();
    if (picture.Serial != serial_ || ratio != ratio_) Compose(picture, ratio);
    if (!picture.Visible) {
        if (isVisible()) hide();
        return;
    }
    move(BoardWidget::ToPixels(picture.Left, picture.Top).toPoint());
    if (!isVisible()) {
        raise();
        show();
    }
}

void DragPictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap_);
}

}  // namespace tess
