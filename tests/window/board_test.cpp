// The window as a player meets it: what the board shows and what mouse input does to it.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>
#include <QTimer>

#include "window/card_art.h"
#include "window_fixture.h"

namespace tess::test {
namespace {

// Mean difference per channel between a board region and a picture drawn at its place.
double Difference(const QImage& board, QPoint at, const QImage& picture) {
    double total = 0;
    int count = 0;
    for (int y = 4; y < picture.height() - 4; ++y) {
        for (int x = 4; x < picture.width() - 4; ++x) {
            const QRgb a = board.pixel(at.x() + x, at.y() + y);
            const QRgb b = picture.pixel(x, y);
            total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            ++count;
        }
    }
    return total / (3.0 * count);
}

QImage Flatten(const QPixmap& pixmap) {
    QImage image(pixmap.size(), QImage::Format_RGB32);
    image.fill(TableColor());
    QPainter painter(&image);
    painter.drawPixmap(0, 0, pixmap);
    return image;
}

TEST_F(WindowTest, WindowHasTheDesignedBoardAndMenus) {
    EXPECT_EQ(window->windowTitle(), "Tessaline");
    QTRY_VERIFY(!window->windowIcon().availableSizes().isEmpty());  // once the board is painted
    EXPECT_EQ(board()->size(), QSize(600, 440));
    window->resize(300, 200);  // never below the designed size
    QApplication::processEvents();
    EXPECT_EQ(board()->size(), QSize(600, 440));
    EXPECT_EQ(board()->geometry().top(), window->menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(window->findChild<QStatusBar*>(), nullptr);
    EXPECT_EQ(window->findChild<QToolBar*>(), nullptr);
    const QList<QAction*> top = window->menuBar()->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->text(), "&Game");
    EXPECT_FALSE(top[1]->isVisible());  // the Options menu stays hidden
    EXPECT_EQ(top[2]->text(), "&Help");
    EXPECT_EQ(window->action("mnuGameNew")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(window->action("mnuGameUndo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(window->action("mnuGameRestart")->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(window->action("mnuHelpContents")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(window->action("mnuGameExit")->text(), "E&xit");
    EXPECT_FALSE(window->action("mnuGameUndo")->isEnabled());
    EXPECT_FALSE(window->action("mnuGameRestart")->isEnabled());
    EXPECT_TRUE(window->action("mnuOptionsMaxOverlap")->isChecked());
    EXPECT_FALSE(window->action("mnuOptionsAnyCorner")->isChecked());
}

TEST_F(WindowTest, BoardShowsCardsAndBasesWhereTheLatticeSays) {
    TableSetup setup;
    setup.columns[0] = {C("KS"), C("QH"), C("JC")};
    setup.columns[2] = {C("9D")};
    setup.foundations[1] = C("3H");
    FillColumns(setup, {3, 4, 5});
    Craft(setup);
    CardArt art;
    const QImage shot = board()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto at = [this](double left, double top) { return board()->ToPixels(left, top).toPoint(); };
    const QImage base = Flatten(art.PileBase(1));
    // An empty column and the empty foundations show the base; cards show their faces.
    EXPECT_LT(Difference(shot, at(ColumnLeft(1), SlotTop(0)), base), 2.0);
    EXPECT_LT(Difference(shot, at(kFoundationLeft, FoundationTopPos(0)), base), 2.0);
    EXPECT_LT(Difference(shot, at(kFoundationLeft, FoundationTopPos(3)), base), 2.0);
    EXPECT_LT(Difference(shot, at(kFoundationLeft, FoundationTopPos(1)), Flatten(art.Face(C("3H"), 1))), 2.0);
    EXPECT_LT(Difference(shot, at(ColumnLeft(0), SlotTop(2)), Flatten(art.Face(C("JC"), 1))), 2.0);
    EXPECT_LT(Difference(shot, at(ColumnLeft(2), SlotTop(0)), Flatten(art.Face(C("9D"), 1))), 2.0);
    EXPECT_GT(Difference(shot, at(ColumnLeft(2), SlotTop(0)), Flatten(art.Face(C("9C"), 1))), 2.0);
    // The table itself, right of the columns and between the foundations.
    EXPECT_EQ(QColor(shot.pixel(505, 114)), TableColor());
}

TEST_F(WindowTest, DoubleClickPlaysACardHomeAndDoubleClickOnTheTableUndoes) {
    TableSetup setup;
    setup.columns[0] = {C("KS"), C("AH")};
    FillColumns(setup, {1, 2, 3, 4, 5});
    Craft(setup);
    DoubleClick(CentreOf(C("AH")));
    EXPECT_EQ(game().FoundationTop[0], C("AH"));
    EXPECT_EQ(game().imgCard[C("AH")].Tag, kTagFoundation);
    EXPECT_EQ(game().UndoCount, 1);
    EXPECT_TRUE(window->action("mnuGameUndo")->isEnabled());
    EXPECT_FALSE(game().Dragging);
    EXPECT_EQ(board()->ImageAtPixel(CentreOf(C("AH"))), C("AH"));

    DoubleClick(QPoint(560, 436));
    EXPECT_EQ(game().FoundationTop[0], kNoCard);
    EXPECT_EQ(game().ColumnCards[0][1], C("AH"));
    EXPECT_EQ(game().UndoCount, 0);
    EXPECT_FALSE(window->action("mnuGameUndo")->isEnabled());
    EXPECT_EQ(game().CheckInvariants(), "");
}

}  // namespace
}  // namespace tess::test
