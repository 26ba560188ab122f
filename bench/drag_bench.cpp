// Cost of one mouse move during a drag: the event, the game's handling and the repaint,
// offscreen at device pixel ratio 2, for a one-card and a thirteen-card picture.
//   drag_bench [moves]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QMouseEvent>

#include "window/board_widget.h"
#include "window/drag_picture.h"
#include "window/main_window.h"

namespace {

using tess::Game;

// Column 0 holds the Spades from King to Ace; the other cards fill columns 1 to 5.
void LayOutLongRun(Game& game) {
    game.ClearColumns();
    game.FoundationTop.fill(tess::kNoCard);
    int column = 1;
    int slot = 0;
    for (int card = 0; card < tess::kCardCount; ++card) {
        int c = column;
        int s = slot;
        if (tess::SuitOf(card) == tess::kSpades) {
            c = 0;
            s = tess::kKing - tess::Rank(card);
        } else if (++slot == 8) {
            slot = 0;
            ++column;
        }
        game.MoveImage(card, tess::ColumnLeft(c), tess::SlotTop(s));
        game.imgCard[card].Tag = tess::kTagColumn;
        game.imgCard[card].Visible = true;
        game.ColumnCards[c][s] = card;
    }
    for (int c = 0; c < tess::kColumns; ++c)
        for (int s = 0; s < tess::kSlots && game.ColumnCards[c][s] != tess::kNoCard; ++s)
            game.BringToFront(game.ColumnCards[c][s]);
}

void Move(QWidget* board, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(QEvent::MouseMove, at, board->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(board, &event);
}

// Mean microseconds per move while dragging the card whose strip is at `grab`.
double MeasureDrag(tess::MainWindow& window, QPoint grab, int moves) {
    tess::BoardWidget* board = window.board();
    QMouseEvent press(QEvent::MouseButtonPress, grab, board->mapToGlobal(grab), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(board, &press);
    Move(board, grab + QPoint(1, 1), Qt::LeftButton);
    QApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < moves; ++i) {
        // A loop around the table, a few pixels a step, as a hand moves.
        const int step = i % 200;
        const QPoint at = grab + QPoint(step < 100 ? step * 3 : (200 - step) * 3, (step % 50) * 2);
        Move(board, at, Qt::LeftButton);
        QApplication::processEvents();
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    QMouseEvent release(QEvent::MouseButtonRelease, grab, board->mapToGlobal(grab), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(board, &release);
    QApplication::processEvents();
    return std::chrono::duration<double, std::micro>(elapsed).count() / moves;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    qputenv("XDG_CONFIG_HOME", "/tmp/tessaline-drag-bench");
    const int moves = argc > 1 ? std::atoi(argv[1]) : 3000;
    QApplication app(argc, argv);
    tess::StartOptions options;
    options.seed = 1;
    tess::MainWindow window(std::move(options));
    window.show();
    QApplication::processEvents();
    LayOutLongRun(window.game());
    window.board()->SyncWithGame();
    QApplication::processEvents();

    const tess::CardImage& king = window.game().imgCard[tess::CardNumber(tess::kSpades, tess::kKing)];
    const tess::CardImage& last = window.game().imgCard[tess::CardNumber(tess::kClubs, 7)];
    const QPoint kingStrip = tess::BoardWidget::ToPixels(king.Left + 30, king.Top + 9).toPoint();
    const QPoint lastCard = tess::BoardWidget::ToPixels(last.Left + 30, last.Top + 40).toPoint();

    MeasureDrag(window, lastCard, moves / 10);  // warm the caches
    const double one = MeasureDrag(window, lastCard, moves);
    const double thirteen = MeasureDrag(window, kingStrip, moves);
    std::printf("device pixel ratio %.1f, %d moves each\n", window.devicePixelRatioF(), moves);
    std::printf("one card:       %8.1f us per move\n", one);
    std::printf("thirteen cards: %8.1f us per move (%.2fx)\n", thirteen, thirteen / one);
    std::printf("picture heights: %d px\n", window.board()->dragPicture()->height());
    return 0;
}
