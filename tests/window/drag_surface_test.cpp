// The drag picture as a window of its own, as the program shows it under X11. The tests run
// offscreen, where it is otherwise drawn inside the board, so they ask for the window.
#include <QWindow>

#include "window_fixture.h"

namespace tess::test {
namespace {

TEST_F(WindowTest, DragPictureWindowStandsWhereThePictureDoesIsCutAtTheBoardsEdgeAndGoesWithTheDrop) {
    board()->SetDragWindow(true);
    int card = game().ColumnCards[0][0];  // the last card of the first column
    for (int slot = 1; slot < kSlots && game().ColumnCards[0][slot] != kNoCard; ++slot) card = game().ColumnCards[0][slot];
    const QPoint from = board()->ImageCentre(card);
    Press(from);
    MoveTo(from + QPoint(20, 85));
    MoveTo(from + QPoint(40, 170));  // into the open table below the columns
    QWindow* surface = board()->dragSurface();
    ASSERT_NE(surface, nullptr);
    const QRect picture = board()->DragPictureRect();
    const QPoint topMiddle(picture.width() / 2, 3), lowMiddle(picture.width() / 2, picture.height() - 8);
    EXPECT_TRUE(surface->isVisible());
    EXPECT_EQ(surface->geometry(), QRect(board()->mapTo(window.get(), picture.topLeft()), picture.size()));
    // The rounded corners let the table or the card beneath show; the face itself is solid.
    const QRegion mask = surface->mask();
    EXPECT_TRUE(!mask.contains(QPoint(0, 0)) && !mask.contains(QPoint(picture.width() - 1, picture.height() - 1)));
    EXPECT_TRUE(mask.contains(topMiddle) && mask.contains(lowMiddle));
    // The board itself shows the table there: the picture is not drawn twice.
    const QImage shown = board()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(picture.center() * shown.devicePixelRatio()), TableColor());

    // Dragged up past the board, the picture is cut at its edge: the menu bar stays whole.
    MoveTo(QPoint(from.x(), from.y() + 230 - picture.bottom()));  // its bottom 60 pixels down
    ASSERT_LT(board()->DragPictureRect().top(), -10);
    EXPECT_TRUE(!surface->mask().contains(topMiddle) && surface->mask().contains(lowMiddle));
    MoveTo(from + QPoint(0, 10));
    EXPECT_TRUE(surface->mask().contains(topMiddle) && surface->mask().contains(lowMiddle));

    Release(from + QPoint(0, 10));
    EXPECT_FALSE(surface->isVisible());
    EXPECT_TRUE(board()->DragPictureRect().isEmpty());
}

}  // namespace
}  // namespace tess::test
