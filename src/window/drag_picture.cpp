#include "window/drag_picture.h"

#include <QPainter>

#include "window/board_widget.h"
#include "window/card_art.h"

namespace tess {

// A window of its own above the board, so that moving it repaints nothing: the
// window system shifts it, and a run of thirteen cards drags as cheaply as one card.
// It never takes the focus or the pointer; the board keeps every event of the press.
DragPictureWidget::DragPictureWidget(CardArt& art, QWidget* board)
    : QWidget(board, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                         Qt::WindowDoesNotAcceptFocus),
      art_(art) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void DragPictureWidget::Compose(const DragPicture& picture, qreal ratio) {
    const QSize size(static_cast<int>(DragPicture::kWidthPx), static_cast<int>(picture.Height));
    // A rectangle, as a picture box is: the rounded corners of the first and last card
    // show the table's green.
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(TableColor());
    QPainter painter(&image);
    // Each face covers all of the one before but its top strip, as in a column.
    for (int i = 0; i < picture.Count; ++i)
        painter.drawPixmap(QPointF(0, kSlotStep * i), art_.Face(picture.Cards[i], ratio));
    painter.end();
    pixmap_ = QPixmap::fromImage(std::move(image));
    resize(size);
    serial_ = picture.Serial;
    ratio_ = ratio;
    ++compositions_;
}

void DragPictureWidget::Sync(const DragPicture& picture) {
    if (!picture.Visible) {
        if (isVisible()) hide();
        return;
    }
    const qreal ratio = devicePixelRatioF();
    if (picture.Serial != serial_ || ratio != ratio_) Compose(picture, ratio);
    move(parentWidget()->mapToGlobal(BoardWidget::ToPixels(picture.Left, picture.Top).toPoint()));
    if (!isVisible()) show();
}

void DragPictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap_);
}

}  // namespace tess
