// The drag picture as a window of its own, as the program shows it under X11. The tests run
// offscreen, where it is otherwise drawn inside the board, so they ask for the window.
#include <QWindow>

#include "window/card_art.h"
#include "window_fixture.h"

namespace tess::test {
namespace {

int LastCardOfColumn(Game& game, int column) {
    int last = kNoCard;
    for (int slot = 0; slot < kSlots && game.ColumnCards[column][slot] != kNoCard; ++slot)
        last = game.ColumnCards[column][slot];
    return last;
}

TEST_F(WindowTest, DragPictureWindowStandsWhereThePictureDoesAndGoesWithTheDrop) {
    board()->SetDragWindow(true);
    const int card = LastCardOfColumn(game(), 0);
    ASSERT_NE(card, kNoCard);
    const QPoint from = board()->ImageCentre(card);
    // Down into the open table below the columns, where nothing but the table lies.
    const QPoint to = from + QPoint(40, 170);
    QTest::mousePress(board(), Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 6; ++i) {
        const QPoint at = from + (to - from) * i / 6;
        QMouseEvent move(QEvent::MouseMove, at, board()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(board(), &move);
    }
    QApplication::processEvents();

    QWindow* surface = board()->dragSurface();
    ASSERT_NE(surface, nullptr);
    const QRect picture = board()->DragPictureRect();
    ASSERT_FALSE(picture.isEmpty());
    EXPECT_TRUE(surface->isVisible());
    EXPECT_EQ(surface->geometry(), QRect(board()->mapTo(window.get(), picture.topLeft()), picture.size()));
    // The rounded corners let the table or the card beneath show; the face itself is solid.
    const QRegion outline = surface->mask();
    EXPECT_FALSE(outline.contains(QPoint(0, 0)));
    EXPECT_FALSE(outline.contains(QPoint(picture.width() - 1, picture.height() - 1)));
    EXPECT_TRUE(outline.contains(QPoint(picture.width() / 2, picture.height() / 2)));
    EXPECT_TRUE(outline.contains(QPoint(picture.width() / 2, 3)));
    // The board itself shows the table there: the picture is not drawn twice.
    const QImage shown = board()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(picture.center() * shown.devicePixelRatio()), TableColor());

    QTest::mouseRelease(board(), Qt::LeftButton, Qt::NoModifier, to);
    QApplication::processEvents();
    EXPECT_FALSE(surface->isVisible());
    EXPECT_TRUE(board()->DragPictureRect().isEmpty());
}

// Dragged up past the board, the picture is cut at its edge: the menu bar stays whole.
TEST_F(WindowTest, DragPictureWindowIsCutAtTheBoardsEdgeAndWholeAgainInside) {
    board()->SetDragWindow(true);
    const int card = LastCardOfColumn(game(), 0);
    ASSERT_NE(card, kNoCard);
    const QPoint from = board()->ImageCentre(card);
    QTest::mousePress(board(), Qt::LeftButton, Qt::NoModifier, from);
    const auto moveTo = [this](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, board()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(board(), &move);
        QApplication::processEvents();
    };
    moveTo(from + QPoint(0, -40));
    const QRect picture = board()->DragPictureRect();
    moveTo(QPoint(from.x(), from.y() - picture.bottom() + 20));
    QWindow* surface = board()->dragSurface();
    ASSERT_NE(surface, nullptr);
    const QRect above = board()->DragPictureRect();
    ASSERT_LT(above.top(), -10);
    const QPoint topMiddle(above.width() / 2, 3);
    const QPoint lowMiddle(above.width() / 2, above.height() - 8);
    EXPECT_FALSE(surface->mask().contains(topMiddle));
    EXPECT_TRUE(surface->mask().contains(lowMiddle));

    moveTo(from + QPoint(0, 10));
    EXPECT_TRUE(surface->mask().contains(topMiddle));
    EXPECT_TRUE(surface->mask().contains(lowMiddle));
    QTest::mouseRelease(board(), Qt::LeftButton, Qt::NoModifier, from);
}

}  // namespace
}  // namespace tess::test
