// The window as a player meets it: what the board shows, and what mouse and keys do to it.
#include "dialogs/game_over_form.h"
#include "window_fixture.h"

namespace tess::test {
namespace {

// Column 1 holds 7H 6S under the King of Spades, column 3 is empty, the Ace of Spades lies
// covered in column 4, and the Five of Diamonds, next for its foundation, ends column 5.
TableSetup PlayTable() {
    TableSetup setup{.columns = {{{C("QD"), C("8C")}, {C("KS"), C("7H"), C("6S")}, {C("9D")}, {},
                                  {C("2C"), C("AS"), C("JH")}, {C("5D")}}},
                     .foundations = {C("6H"), C("4D"), kNoCard, kNoCard}};
    FillColumns(setup, {5});
    std::rotate(setup.columns[5].begin(), setup.columns[5].begin() + 1, setup.columns[5].end());
    return setup;
}
constexpr int kLastOf5 = 16;  // the slot of the Five of Diamonds
const QPoint kTable(560, 436);  // the open table below the columns

// Where a card must be drawn (or, `shown` false, must not be drawn any more): a column
// slot, or a foundation when the column is -1.
struct Place { const char* card; int column, slot; bool shown = true; };
Place Home(const char* card, int foundation) { return {card, -1, foundation}; }
Place Gone(const char* card, int column, int slot) { return {card, column, slot, false}; }

using PlayTest = WindowTest;

TEST_F(PlayTest, WindowHasTheDesignedBoardAndMenus) {
    QTRY_VERIFY(!window->windowIcon().availableSizes().isEmpty());  // once the board is painted
    window->resize(300, 200);  // never below the designed size
    QApplication::processEvents();
    EXPECT_EQ(board()->size(), QSize(600, 440));
    EXPECT_EQ(board()->geometry().top(), window->menuBar()->geometry().bottom() + 1);
    QStringList top;  // the Options menu stays hidden
    for (QAction* menu : window->menuBar()->actions()) top << menu->text() + (menu->isVisible() ? "" : " (hidden)");
    EXPECT_EQ(top, QStringList({"&Game", "&Options (hidden)", "&Help"}));
    QTest::keyRelease(window.get(), Qt::Key_F1);
    QTest::keyRelease(window.get(), Qt::Key_F2);
    EXPECT_EQ(helps, 1);
}

// Each row starts from the crafted table, acts through real input, and is judged by what
// the board draws, the menus that opened and the state of Undo and Restart in the menu bar.
TEST_F(PlayTest, WhatThePlayerDoesIsWhatTheBoardShows) {
    auto move = [&] { DragOnto("7H", "8C"); };  // a legal move to start from
    auto away = [&](const char* card) { return StripOf(card) + QPoint(250, 100); };
    struct Row {
        const char* what;
        std::function<void()> act;
        std::vector<Place> places;
        bool undo;                        // Undo and Restart enabled
        std::vector<QStringList> menus = {};   // as they opened
        QString choose = {};                   // the item taken in them
        std::vector<const char*> picture = {}; // the drag picture's cards, top first, while held
    };
    const QStringList tableMenu = {"Start &New Game", "&Open Saved Game...", "&Save Current Game",
                                   "Save Current Game &As..."};
    const QStringList tableMenuAfterMove = QStringList{"&Undo Move (bold)", "&Restart Current Game", "-"} + tableMenu;
    const QStringList fiveMenu = {"&Move to 4 of Diamonds (bold)", "Move to 6 of &Spades", "-",
                                  "Move to &Empty Column"};
    const Row rows[] = {
        {"a run dragged onto a column", move, {{"7H", 0, 2}, {"6S", 0, 3}, Gone("7H", 1, 1)}, true},
        {"a card dropped where it may not go", [&] { DragOnto("8C", "6S"); }, {{"8C", 0, 1}, Gone("8C", 1, 3)}, false},
        {"a lifted run", [&] { Press(StripOf("7H")); MoveTo(StripOf("7H") + QPoint(4, 4)); MoveTo(away("7H")); },
         {{"KS", 1, 0}, Gone("7H", 1, 1), Gone("6S", 1, 2)}, false, {}, "", {"7H", "6S"}},
        {"a second lifted card after a drag that moved nothing",
         [&] { Drag(StripOf("7H"), StripOf("7H") + QPoint(90, 0)); Press(CentreOf("8C")); MoveTo(away("8C")); },
         {{"7H", 1, 1}, Gone("8C", 0, 1)}, false, {}, "", {"8C"}},
        {"a double-click on the right edge of the last column", [&] {
             DoubleClick(board()->ToPixels(ColumnLeft(5), SlotTop(kLastOf5)).toPoint() + QPoint(67, 50)); },
         {Home("5D", 1), Gone("5D", 5, kLastOf5)}, true},
        {"the card menu's move to the empty column", [&] { RightClick(CentreOf("JH")); },
         {{"JH", 3, 0}, Gone("JH", 4, 2)}, true, {{"Move to &Empty Column"}}, "mnuPopupCardEmpty"},
        {"the card menu's default item", [&] { RightClick(CentreOf("5D")); },
         {Home("5D", 1)}, true, {fiveMenu}, "default"},
        {"the table menu before any move", [&] { RightClick(kTable); }, {{"7H", 1, 1}}, false, {tableMenu}},
        {"Undo from the table menu", [&] { move(); RightClick(kTable); },
         {{"7H", 1, 1}, {"6S", 1, 2}, Gone("7H", 0, 2)}, false, {tableMenuAfterMove}, "default"},
        {"Ctrl+Z", [&] { move(); Key(Qt::Key_Z, Qt::ControlModifier); }, {{"7H", 1, 1}, Gone("7H", 0, 2)}, false},
        {"a double-click on the table", [&] { move(); DoubleClick(kTable); }, {{"7H", 1, 1}, Gone("7H", 0, 2)}, false},
        {"New after a move", [&] { move(); Key(Qt::Key_F2); }, {}, false},
        {"Restart after a move", [&] { move(); Key(Qt::Key_F3); }, {}, false},
        {"Restart from the table menu", [&] { move(); RightClick(kTable); }, {}, false, {tableMenuAfterMove},
         "mnuPopupGameRestart"},
        {"right double-clicks on a card and on the table",
         [&] { move(); DoubleClick(CentreOf("5D"), Qt::RightButton); DoubleClick(kTable, Qt::RightButton); },
         {{"5D", 5, kLastOf5}, {"7H", 0, 2}}, true,
         {fiveMenu, fiveMenu, tableMenuAfterMove, tableMenuAfterMove}},
        {"a right press on a covered card that is no Ace", [&] { Press(StripOf("7H"), Qt::RightButton); }, {{"6S", 1, 2}}, false},
        {"a right press on a covered Ace", [&] { Press(StripOf("AS"), Qt::RightButton); },
         {{"AS", 4, 1}, Gone("JH", 4, 2)}, false},
        {"a right button pressed and let go during a drag", [&] {
             Press(StripOf("7H"));
             MoveTo(StripOf("7H") + QPoint(10, 10));
             Press(pointer, Qt::RightButton);
             Release(pointer, Qt::RightButton);
             DragOnto("7H", "8C"); },
         {{"7H", 0, 2}, {"6S", 0, 3}}, true},
        {"Ctrl+Z during a drag", [&] { move(); Press(CentreOf("5D")); MoveTo(away("5D"));
             Key(Qt::Key_Z, Qt::ControlModifier); MoveTo(away("5D")); Release(away("5D")); },
         {{"7H", 1, 1}, {"5D", 5, kLastOf5}}, false},
        {"another window taking the foreground during a drag", [&] {
             Press(CentreOf("8C"));
             MoveTo(CentreOf("8C") + QPoint(30, 30));
             QWidget other;
             other.show();
             other.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
             Release(CentreOf("9D") + QPoint(0, 18)); },
         {{"8C", 0, 1}}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Activate();
        Craft(PlayTable());
        menus.clear();
        choose = row.choose;
        row.act();
        QApplication::processEvents();
        // What reached the screen, painted bit by bit as the input came, is the whole board.
        const QImage shot = Shot(), screen = window->screen()->grabWindow(window->winId()).toImage();
        const qreal ratio = board()->devicePixelRatioF();
        EXPECT_EQ(screen.copy(QRect(board()->geometry().topLeft() * ratio, board()->size() * ratio)).convertToFormat(QImage::Format_RGB32), shot);
        for (const auto& [name, column, slot, shown] : row.places) {
            const int card = C(name), unlike = Unlike(shot, (column < 0 ? board()->ToPixels(kFoundationLeft, FoundationTopPos(slot))
                                                                           : board()->ToPixels(ColumnLeft(column), SlotTop(slot))).toPoint(), card);
            if (shown) {
                EXPECT_EQ(column < 0 ? game().FoundationTop[slot] : game().ColumnCards[column][slot], card) << name;
            }
            EXPECT_TRUE(shown ? unlike == 0 : unlike > 100) << name << (shown ? " not drawn at its place" : " still drawn where it was");
        }
        const QRect picture = board()->DragPictureRect();
        EXPECT_EQ(picture.isEmpty(), row.picture.empty());
        for (std::size_t i = 0; i < row.picture.size(); ++i)
            EXPECT_EQ(Unlike(shot, picture.topLeft() + QPoint(0, 18 * static_cast<int>(i)), C(row.picture[i])), 0)
                << row.picture[i] << " not in the drag picture";
        EXPECT_EQ(menus, row.menus);
        EXPECT_EQ(window->action("mnuGameUndo")->isEnabled(), row.undo);
        EXPECT_EQ(window->action("mnuGameRestart")->isEnabled(), row.undo);
        if (held & Qt::LeftButton) Release(pointer);
        if (held & Qt::RightButton) Release(pointer, Qt::RightButton);
        EXPECT_EQ(game().CheckInvariants(), "");
    }
}

// The board grows with the window. Whatever the scale and the screen's ratio, the same
// board points reach the same cards and the same drags make the same moves. The ratio
// comes from QT_SCALE_FACTOR: rows of another ratio run in the suite's second pass.
TEST_F(PlayTest, EveryScaleHitsAndMovesAsTheDesignedBoard) {
    struct Row { double scale, ratio; int extraWidth; };
    const Row rows[] = {{1, 1, 0}, {1.5, 1, 0}, {2.37, 1, 77}, {1, 2, 0}, {1.5, 2, 40}, {2.37, 2, 0}};
    const int menu = window->menuBar()->height();
    auto resize = [&](double scale, int extraWidth) {
        window->resize(qCeil(600 * scale) + extraWidth, qCeil(440 * scale) + menu);
        QApplication::processEvents();
    };
    // Where a board point lies in the widget: scaled uniformly to fit, centred.
    auto at = [&](double left, double top) {
        const QSizeF size = board()->size();
        const double s = std::min(size.width() / 600, size.height() / 440);
        return QPointF((size.width() - 600 * s) / 2 + left * 600 / 582 * s, (size.height() - 440 * s) / 2 + top * s);
    };
    auto strip = [&](const char* card, double dy = 9) {
        return at(game().imgCard[C(card)].Left + 30, game().imgCard[C(card)].Top + dy);
    };
    auto carry = [&](const char* card, double left, double top) {
        const CardImage& image = game().imgCard[C(card)];
        return (strip(card) + at(left, top) - at(image.Left, image.Top)).toPoint();
    };
    int ran = 0;
    for (const Row& row : rows) {
        if (window->devicePixelRatioF() != row.ratio) continue;
        ++ran;
        SCOPED_TRACE(testing::Message() << "scale " << row.scale << ", ratio " << row.ratio);
        resize(row.scale, row.extraWidth);
        Craft(PlayTable());

        // Covered column cards by their strips, the hand's fan, the bases, right-hand edges, the table.
        std::vector<int> hand;
        for (int card = 0; card < kCardCount; ++card)
            if (game().imgCard[card].Tag == kTagHand) hand.push_back(card);
        std::sort(hand.begin(), hand.end(), [&](int a, int b) { return game().imgCard[a].Left < game().imgCard[b].Left; });
        const struct { QPointF point; int image; } hits[] = {
            {strip("QD", 17.5), C("QD")}, {strip("QD", 18.5), C("8C")},
            {at(game().imgCard[hand[0]].Left + 14.5, 380), hand[0]}, {at(game().imgCard[hand[0]].Left + 15.5, 380), hand[1]},
            {at(ColumnLeft(3) + 30, 50), ColumnBase(3)}, {at(kFoundationLeft + 68.5, FoundationTopPos(1) + 50), C("4D")},
            {at(ColumnLeft(5) + 68.5, SlotTop(kLastOf5) + 50), C("5D")},
            {at(kFoundationLeft + 30, FoundationTopPos(2) + 95.5), FoundationBase(2)},
            {at(kFoundationLeft + 30, FoundationTopPos(2) + 96.5), -1}, {at(ColumnLeft(0) + 69.5, 50), -1},
        };
        for (const auto& hit : hits) EXPECT_EQ(board()->ImageAtPixel(hit.point), hit.image) << hit.point.y();

        // A run onto a column, a card into the empty column, a card dropped between columns.
        Drag(strip("7H").toPoint(), carry("7H", ColumnLeft(0), SlotTop(2)));
        Drag(strip("9D").toPoint(), carry("9D", ColumnLeft(3), SlotTop(0)));
        Drag(strip("JH").toPoint(), carry("JH", ColumnLeft(4) + 45, SlotTop(2)));
        EXPECT_EQ(game().ColumnCards[0][2], C("7H"));
        EXPECT_EQ(game().ColumnCards[3][0], C("9D"));
        EXPECT_EQ(game().ColumnCards[4][2], C("JH"));

        // The window changes size in the middle of a drag: the drag goes on at the new scale.
        Press(strip("JH").toPoint());
        MoveTo(strip("JH").toPoint() + QPoint(20, 20));
        resize(row.scale == 1 ? 1.8 : 1, 0);
        EXPECT_EQ(board()->DragPictureRect().topLeft(), at(game().picForDragging.Left, game().picForDragging.Top).toPoint());
        EXPECT_EQ(board()->DragPictureRect().width(), qCeil(70 * board()->transform().scale));
        MoveTo(carry("JH", ColumnLeft(2), SlotTop(0)));
        Release(pointer);
        EXPECT_EQ(game().ColumnCards[2][0], C("JH"));
        EXPECT_EQ(game().CheckInvariants(), "");
    }
    EXPECT_EQ(ran, 3);
}

// A modal window that opens inside a press takes the button's release with it: the board
// must not go on believing the card is held.
TEST_F(PlayTest, AModalWindowOpenedByAClickLeavesNoPressBehind) {
    TableSetup setup;  // the Nine of Clubs going home wins
    setup.columns = {{{C("KS"), C("QH"), C("9D"), C("6D"), C("4S"), C("3S")}, {C("KD"), C("9S"), C("5H"), C("2S")},
                      {C("KC"), C("QC"), C("JC"), C("8D"), C("3D")}, {C("KH"), C("QS"), C("JH"), C("8S"), C("7H")},
                      {C("9H"), C("7S"), C("9C")}, {}}};
    setup.foundations = {C("8C"), C("2D"), C("4H"), C("AS")};
    Craft(setup);
    QWindow* handle = window->windowHandle();
    const QPoint nine = board()->mapTo(window.get(), CentreOf("9C"));
    // The real win dialog; the player lets go of the button while it is open.
    window->platform().gameOverHook = [&] {
        QTimer::singleShot(0, [&] {
            QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, board()->mapTo(window.get(), kTable));
            QApplication::activeModalWidget()->close();
        });
        GameOverForm::ShowModal(window.get(), true);
    };
    QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, nine);
    QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;  // the second press double-clicks
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, nine);
    ASSERT_TRUE(game().GameWon);
    Activate();
    RightClick(kTable);  // the table's menu opens
    EXPECT_EQ(menus.size(), 1u);
    Activate();
    Drag(kTable, kTable - QPoint(82, 0));  // would carry the Nine to the empty column
    EXPECT_EQ(game().FoundationTop[0], C("9C"));
    EXPECT_EQ(game().UndoCount, 1);
}

// The drag picture as a window of its own, as the program shows it under X11. The tests run
// offscreen, where it is otherwise drawn inside the board, so they ask for the window.
TEST_F(WindowTest, DragPictureWindowStandsWhereThePictureDoesIsCutAtTheBoardsEdgeAndGoesWithTheDrop) {
    board()->SetDragWindow(true);
    const int card = game().ColumnCards[0][game().LastRowInColumn(0)];
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
