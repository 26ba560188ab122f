// Dragging, the Ace peek and the context menus through real Qt mouse events.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QtMath>

#include <algorithm>
#include <optional>

#include "dialogs/game_over_form.h"
#include "window_fixture.h"

namespace tess::test {
namespace {

// Runs `act` on the popup menu as soon as it is open; the menu's own loop keeps running.
void OnPopup(std::function<void(QMenu*)> act, bool* seen) {
    QTimer::singleShot(0, [act = std::move(act), seen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        *seen = true;
        act(menu);
    });
}

QStringList VisibleItems(QMenu* menu) {
    QStringList items;
    for (QAction* action : menu->actions()) {
        if (!action->isVisible()) continue;
        QString text = action->isSeparator() ? "-" : action->text();
        if (action->font().bold()) text += " (bold)";
        items << text;
    }
    return items;
}

// Column 0 ends in the 8 of Clubs; column 1 holds a run 7H 6S under the King of Spades,
// column 2 ends in the 9 of Diamonds, column 4 covers the Ace of Spades; column 3 is empty.
TableSetup InputTable() {
    TableSetup setup;
    setup.columns[0] = {C("QD"), C("8C")};
    setup.columns[1] = {C("KS"), C("7H"), C("6S")};
    setup.columns[2] = {C("9D")};
    setup.columns[4] = {C("2C"), C("AS"), C("JH")};
    setup.foundations = {C("6H"), C("4D"), kNoCard, kNoCard};
    FillColumns(setup, {5});
    return setup;
}

class InputTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Craft(InputTable());
    }
};

TEST_F(InputTest, DraggingARunOntoALegalColumnMovesIt) {
    DragCardOnto(C("7H"), C("8C"));
    EXPECT_EQ(game().ColumnCards[0][2], C("7H"));
    EXPECT_EQ(game().ColumnCards[0][3], C("6S"));
    EXPECT_EQ(game().ColumnCards[1][1], kNoCard);
    EXPECT_EQ(game().UndoCount, 1);
    EXPECT_TRUE(board()->DragPictureRect().isEmpty());
    EXPECT_EQ(game().CheckInvariants(), "");
    EXPECT_TRUE(window->action("mnuGameUndo")->isEnabled());
}

TEST_F(InputTest, DraggingOntoAnIllegalColumnPutsTheCardsBack) {
    DragCardOnto(C("8C"), C("6S"));
    EXPECT_EQ(game().ColumnCards[0][1], C("8C"));
    EXPECT_EQ(game().UndoCount, 0);
    EXPECT_TRUE(game().imgCard[C("8C")].Visible);
    EXPECT_TRUE(board()->DragPictureRect().isEmpty());
    EXPECT_EQ(game().CheckInvariants(), "");
}

TEST_F(InputTest, ADraggedCardFollowsThePointerAsOnePicture) {
    const QPoint from = StripOf(C("7H"));
    const int composed = board()->dragCompositions();
    QTest::mousePress(board(), Qt::LeftButton, Qt::NoModifier, from);
    // Painted after every step, so each step shifts what the one before left on screen.
    for (int dx = 5; dx <= 100; dx += 5) {
        const QPoint at = from + QPoint(dx, 40 - dx % 10);
        QMouseEvent move(QEvent::MouseMove, at, board()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(board(), &move);
        QApplication::processEvents();
    }
    // What the window shows is what a full repaint of the board would show.
    const qreal ratio = board()->devicePixelRatioF();
    const QRect onScreen(board()->geometry().topLeft() * ratio, board()->size() * ratio);
    const QImage shown = window->screen()->grabWindow(window->winId()).toImage().copy(onScreen);
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              board()->grab().toImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_FALSE(board()->DragPictureRect().isEmpty());
    EXPECT_FALSE(game().imgCard[C("7H")].Visible);
    EXPECT_FALSE(game().imgCard[C("6S")].Visible);
    const QRect picture = board()->DragPictureRect();
    EXPECT_EQ(picture.height(), 18 * 1 + 96);
    EXPECT_EQ(picture.width(), 70);
    EXPECT_EQ(board()->dragCompositions(), composed + 1);  // drawn once, then only moved
    const QPoint origin = board()->ToPixels(game().imgCard[C("7H")].Left, game().imgCard[C("7H")].Top).toPoint();
    EXPECT_NEAR(picture.x(), origin.x() + 100, 1);
    EXPECT_NEAR(picture.y(), origin.y() + 40, 1);
    // Back where it came from: nothing moves.
    QTest::mouseRelease(board(), Qt::LeftButton, Qt::NoModifier, from + QPoint(100, 40));
    EXPECT_EQ(game().UndoCount, 0);
    EXPECT_TRUE(game().imgCard[C("7H")].Visible);
}

TEST_F(InputTest, EmptyColumnTakesOnlyWhatTheLimitAllows) {
    // With one empty column, the target, and the lead on top of its own column,
    // 2^1 - 1 = 1 card may move: the run of four cannot, the lone Nine can.
    DragCardTo(C("KS"), ColumnLeft(3), SlotTop(0));
    EXPECT_EQ(game().UndoCount, 0);
    DragCardTo(C("9D"), ColumnLeft(3), SlotTop(0));
    EXPECT_EQ(game().UndoCount, 1);
    EXPECT_EQ(game().ColumnCards[3][0], C("9D"));
}

TEST_F(InputTest, RightButtonShowsACoveredAceUntilReleased) {
    const QPoint ace = StripOf(C("AS"));
    QTest::mousePress(board(), Qt::RightButton, Qt::NoModifier, ace);
    const CardImage& spare = game().imgCard[kSpareImage];
    EXPECT_TRUE(spare.Visible);
    EXPECT_EQ(spare.Picture, C("AS"));
    EXPECT_EQ(spare.Left, game().imgCard[C("AS")].Left);
    EXPECT_EQ(board()->ImageAtPixel(CentreOf(C("AS"))), kSpareImage);
    bool menuSeen = false;
    OnPopup([](QMenu* menu) { menu->close(); }, &menuSeen);
    QTest::mouseRelease(board(), Qt::RightButton, Qt::NoModifier, ace);
    QApplication::processEvents();
    EXPECT_FALSE(game().imgCard[kSpareImage].Visible);
    EXPECT_FALSE(menuSeen);
}

TEST_F(InputTest, CardMenuListsTheMovesAndAnItemMakesOne) {
    bool seen = false;
    QStringList items;
    OnPopup(
        [&items](QMenu* menu) {
            items = VisibleItems(menu);
            for (QAction* action : menu->actions())
                if (action->objectName() == "mnuPopupCardEmpty") action->trigger();
            menu->close();
        },
        &seen);
    QTest::mouseClick(board(), Qt::RightButton, Qt::NoModifier, CentreOf(C("JH")));
    ASSERT_TRUE(seen) << game().CheckMoveToEmpty(C("JH")) << " " << game().imgCard[C("JH")].Tag << board()->ImageAtPixel(CentreOf(C("JH")));
    EXPECT_EQ(items, QStringList({"Move to &Empty Column"}));
    EXPECT_EQ(game().ColumnCards[3][0], C("JH"));
    EXPECT_EQ(game().UndoCount, 1);
}

TEST_F(InputTest, TableMenuGrowsAfterAMoveAndRunsTheGameCommands) {
    bool seen = false;
    QStringList items;
    OnPopup([&items](QMenu* menu) { items = VisibleItems(menu); menu->close(); }, &seen);
    QTest::mouseClick(board(), Qt::RightButton, Qt::NoModifier, QPoint(560, 436));
    ASSERT_TRUE(seen);
    EXPECT_EQ(items, QStringList({"Start &New Game", "&Open Saved Game...", "&Save Current Game",
                                  "Save Current Game &As..."}));

    DoubleClick(CentreOf(C("JH")));  // nothing to do
    DragCardOnto(C("8C"), C("9D"));
    ASSERT_EQ(game().UndoCount, 1);
    seen = false;
    OnPopup(
        [&items](QMenu* menu) {
            items = VisibleItems(menu);
            menu->defaultAction()->trigger();
            menu->close();
        },
        &seen);
    QTest::mouseClick(board(), Qt::RightButton, Qt::NoModifier, QPoint(560, 436));
    ASSERT_TRUE(seen);
    EXPECT_EQ(items, QStringList({"&Undo Move (bold)", "&Restart Current Game", "-", "Start &New Game",
                                  "&Open Saved Game...", "&Save Current Game", "Save Current Game &As..."}));
    EXPECT_EQ(game().UndoCount, 0);
    EXPECT_EQ(game().ColumnCards[0][1], C("8C"));
}

TEST_F(InputTest, LeftAndMiddleClicksOnTheTableDoNothing) {
    const auto before = game().imgCard;
    bool seen = false;
    OnPopup([](QMenu* menu) { menu->close(); }, &seen);
    QTest::mouseClick(board(), Qt::LeftButton, Qt::NoModifier, QPoint(560, 436));
    QTest::mouseClick(board(), Qt::MiddleButton, Qt::NoModifier, QPoint(560, 436));
    QApplication::processEvents();
    EXPECT_FALSE(seen);
    for (int i = 0; i < kImageCount; ++i) EXPECT_EQ(game().imgCard[i].ZOrder, before[i].ZOrder);
}

TEST_F(InputTest, F1ReleaseAsksForHelp) {
    QTest::keyRelease(window.get(), Qt::Key_F1);
    EXPECT_EQ(helps, 1);
    QTest::keyRelease(window.get(), Qt::Key_F2);
    EXPECT_EQ(helps, 1);
}

TEST_F(InputTest, LosingTheActiveWindowBreaksOffADrag) {
    const QPoint from = CentreOf(C("8C"));
    QTest::mousePress(board(), Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, from + QPoint(30, 30), board()->mapToGlobal(from + QPoint(30, 30)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(board(), &move);
    ASSERT_FALSE(board()->DragPictureRect().isEmpty());
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(board()->DragPictureRect().isEmpty());
    EXPECT_TRUE(game().imgCard[C("8C")].Visible);
    EXPECT_FALSE(game().Dragging);
    QTest::mouseRelease(board(), Qt::LeftButton, Qt::NoModifier, CentreOf(C("9D"), 18));
    EXPECT_EQ(game().UndoCount, 0);
}

// Keys act while the button is held: whatever they change, the drag ends first, and its
// release later moves nothing and leaves every card shown at its place.
TEST_F(InputTest, KeysPressedDuringADragEndItFirst) {
    DragCardOnto(C("8C"), C("9D"));
    DragCardOnto(C("7H"), C("8C"));
    ASSERT_EQ(game().UndoCount, 2);
    const struct { Qt::Key key; Qt::KeyboardModifiers modifiers; int movesLeft; } keys[] = {
        {Qt::Key_Z, Qt::ControlModifier, 1}, {Qt::Key_F3, Qt::NoModifier, 0},
                        {Qt::Key_F2, Qt::NoModifier, 0}};
    for (const auto& k : keys) {
        int card = 0;  // the hand card a press at its centre reaches
        while (game().imgCard[card].Tag != kTagHand || board()->ImageAtPixel(CentreOf(card)) != card) ++card;
        const QPoint from = CentreOf(card);
        // Picture's middle between columns 0 and 1: no destination there.
        const QPoint to = from + (board()->ToPixels(45, 180) -
                                  board()->ToPixels(game().imgCard[card].Left, game().imgCard[card].Top)).toPoint();
        QTest::mousePress(board(), Qt::LeftButton, Qt::NoModifier, from);
        for (const QPoint at : {from + QPoint(4, -4), to}) {
            QMouseEvent move(QEvent::MouseMove, at, board()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(board(), &move);
        }
        ASSERT_FALSE(game().imgCard[card].Visible);
        QTest::keyClick(window.get(), k.key, k.modifiers);
        EXPECT_TRUE(board()->DragPictureRect().isEmpty());
        QMouseEvent move(QEvent::MouseMove, to, board()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(board(), &move);
        QTest::mouseRelease(board(), Qt::LeftButton, Qt::NoModifier, to);
        EXPECT_EQ(game().UndoCount, k.movesLeft);
        EXPECT_EQ(game().CheckInvariants(), "") << k.key;
        EXPECT_TRUE(board()->DragPictureRect().isEmpty());
    }
}

// The board grows with the window. Whatever the scale and the screen's ratio, the same
// board points reach the same cards and the same drags make the same moves. The ratio
// comes from QT_SCALE_FACTOR: rows of another ratio run in the suite's second pass.
TEST_F(InputTest, EveryScaleHitsAndMovesAsTheDesignedBoard) {
    struct Row { double scale, ratio; int extraWidth; };
    const Row rows[] = {{1, 1, 0}, {1.5, 1, 0}, {2.37, 1, 77}, {1, 2, 0}, {1.5, 2, 40}, {2.37, 2, 0}};
    const TableSetup setup = InputTable();
    const int menu = window->menuBar()->height();
    auto resize = [&](double scale, int extraWidth) {
        window->resize(qCeil(600 * scale) + extraWidth, qCeil(440 * scale) + menu);
        QApplication::processEvents();
    };
    // Where a board point lies in the widget: scaled uniformly to fit, centred.
    auto at = [&](double left, double top) {
        const QSizeF size = board()->size();
        const double s = std::min(size.width() / 600, size.height() / 440);
        return QPointF((size.width() - 600 * s) / 2 + left * 600 / 582 * s,
                       (size.height() - 440 * s) / 2 + top * s);
    };
    auto strip = [&](int card, double dy = 9) {
        return at(game().imgCard[card].Left + 30, game().imgCard[card].Top + dy);
    };
    auto carry = [&](int card, double left, double top) {
        const CardImage& image = game().imgCard[card];
        return strip(card) + at(left, top) - at(image.Left, image.Top);
    };
    std::optional<std::vector<std::array<int, kSlots>>> firstResult;
    int ran = 0;
    for (const Row& row : rows) {
        if (window->devicePixelRatioF() != row.ratio) continue;
        ++ran;
        SCOPED_TRACE(testing::Message() << "scale " << row.scale << ", ratio " << row.ratio);
        resize(row.scale, row.extraWidth);
        ASSERT_DOUBLE_EQ(board()->transform().scale, std::min(board()->width() / 600.0, board()->height() / 440.0));
        Craft(setup);

        // Covered column cards by their strips, the hand's fan, the bases, the table.
        std::vector<int> hand;
        for (int card = 0; card < kCardCount; ++card)
            if (game().imgCard[card].Tag == kTagHand) hand.push_back(card);
        std::sort(hand.begin(), hand.end(),
                  [&](int a, int b) { return game().imgCard[a].Left < game().imgCard[b].Left; });
        const struct { QPointF point; int image; } hits[] = {
            {strip(C("QD"), 17.5), C("QD")},
            {strip(C("QD"), 18.5), C("8C")},
            {at(game().imgCard[hand[0]].Left + 14.5, 380), hand[0]},
            {at(game().imgCard[hand[0]].Left + 15.5, 380), hand[1]},
            {at(ColumnLeft(3) + 30, 50), ColumnBase(3)},
            {at(kFoundationLeft + 30, FoundationTopPos(2) + 95.5), FoundationBase(2)},
            {at(kFoundationLeft + 30, FoundationTopPos(2) + 96.5), -1},
            {at(ColumnLeft(0) + 69.5, 50), -1},
        };
        for (const auto& hit : hits) EXPECT_EQ(board()->ImageAtPixel(hit.point), hit.image) << hit.point.y();

        // The Ace peek shows the Ace where it lies.
        QTest::mousePress(board(), Qt::RightButton, Qt::NoModifier, strip(C("AS")).toPoint());
        EXPECT_TRUE(game().imgCard[kSpareImage].Visible);
        EXPECT_EQ(board()->ImageAtPixel(strip(C("AS"), 40)), kSpareImage);
        QTest::mouseRelease(board(), Qt::RightButton, Qt::NoModifier, strip(C("AS")).toPoint());
        EXPECT_FALSE(game().imgCard[kSpareImage].Visible);

        // A run onto a column, a card into the empty column, a card dropped between columns.
        Drag(strip(C("7H")).toPoint(), carry(C("7H"), ColumnLeft(0), SlotTop(2)).toPoint());
        Drag(strip(C("9D")).toPoint(), carry(C("9D"), ColumnLeft(3), SlotTop(0)).toPoint());
        Drag(strip(C("JH")).toPoint(), carry(C("JH"), ColumnLeft(4) + 45, SlotTop(2)).toPoint());
        EXPECT_EQ(game().UndoCount, 2);
        std::vector<std::array<int, kSlots>> result(game().ColumnCards.begin(), game().ColumnCards.end());
        if (!firstResult) firstResult = result;
        EXPECT_EQ(result, *firstResult);

        // The window changes size in the middle of a drag: the drag goes on at the new scale.
        const QPoint from = strip(C("JH")).toPoint();
        QTest::mousePress(board(), Qt::LeftButton, Qt::NoModifier, from);
        auto moveTo = [&](QPoint to) {
            QMouseEvent move(QEvent::MouseMove, to, board()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(board(), &move);
        };
        moveTo(from + QPoint(20, 20));
        ASSERT_FALSE(game().imgCard[C("JH")].Visible);
        resize(row.scale == 1 ? 1.8 : 1, 0);
        const QRect picture = board()->DragPictureRect();
        EXPECT_EQ(picture.topLeft(), at(game().picForDragging.Left, game().picForDragging.Top).toPoint());
        EXPECT_EQ(picture.width(), qCeil(70 * board()->transform().scale));
        const QPoint to = carry(C("JH"), ColumnLeft(2), SlotTop(0)).toPoint();
        moveTo(to);
        QTest::mouseRelease(board(), Qt::LeftButton, Qt::NoModifier, to);
        EXPECT_EQ(game().ColumnCards[2][0], C("JH"));
        EXPECT_TRUE(game().imgCard[C("JH")].Visible);
        EXPECT_TRUE(board()->DragPictureRect().isEmpty());
        EXPECT_EQ(game().CheckInvariants(), "");
    }
    EXPECT_EQ(ran, 3);
}

// A modal window that opens inside a press takes the button's release with it: the board
// must not go on believing the card is held.
TEST_F(WindowTest, AModalWindowOpenedByAClickLeavesNoPressBehind) {
    // Column 4 decides: the Nine of Clubs going home wins.
    TableSetup setup;
    setup.columns = {{{C("KS"), C("QH"), C("9D"), C("6D"), C("4S"), C("3S")},
                      {C("KD"), C("9S"), C("5H"), C("2S")},
                      {C("KC"), C("QC"), C("JC"), C("8D"), C("3D")},
                      {C("KH"), C("QS"), C("JH"), C("8S"), C("7H")},
                      {C("9H"), C("7S"), C("9C")},
                      {}}};
    setup.foundations = {C("8C"), C("2D"), C("4H"), C("AS")};
    QWindow* handle = window->windowHandle();
    const QPoint table(560, 436);
    // The real win dialog; the player lets go of the button while it is open.
    window->platform().gameOverHook = [&] {
        QTimer::singleShot(0, [&] {
            QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, board()->mapTo(window.get(), table));
            QApplication::activeModalWidget()->close();
        });
        GameOverForm::ShowModal(window.get(), true);
    };
    // What the player does next on the empty table, and what it must open or move.
    const struct { std::function<void()> act; QString menu; } afterwards[] = {
        {[&] { Drag(table, table - QPoint(82, 0)); }, ""},  // would carry the Nine to the empty column
        {[&] { QTest::mouseClick(board(), Qt::RightButton, Qt::NoModifier, table); }, "mnuPopupGame"},
    };
    for (const auto& next : afterwards) {
        Craft(setup);
        const QPoint nine = board()->mapTo(window.get(), CentreOf(C("9C")));
        QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, nine);
        QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;  // the second press double-clicks
        QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, nine);
        ASSERT_TRUE(game().GameWon);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

        bool seen = false;
        QString menu;
        OnPopup([&menu](QMenu* popup) { menu = popup->objectName(); popup->close(); }, &seen);
        next.act();
        QApplication::processEvents();
        EXPECT_EQ(game().FoundationTop[0], C("9C"));
        EXPECT_EQ(game().UndoCount, 1);
        EXPECT_EQ(menu, next.menu);
        EXPECT_EQ(game().CheckInvariants(), "");
    }
}

}  // namespace
}  // namespace tess::test
