// Cost of one mouse move during a drag, as a player feels it: the event, the game's
// handling, the repaint and, on X11, the X server's work until it is done. One-card and
// thirteen-card drags alternate, so both meet the same machine state.
//   drag_bench [board scale] [moves per drag] [rounds]
// The device pixel ratio comes from QT_SCALE_FACTOR, the platform from QT_QPA_PLATFORM
// (offscreen unless set). Under X11 the picture is a window of its own; DRAG_IN_BOARD=1
// draws it inside the board instead, as offscreen and Wayland do.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QMouseEvent>

#ifdef TESSALINE_BENCH_XCB
#include <xcb/xcb.h>
#endif

#include "window/board_widget.h"
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

// Waits until the X server has carried out everything asked of it so far.
void WaitForServer() {
#ifdef TESSALINE_BENCH_XCB
    static auto* const x11 = QGuiApplication::platformName() == "xcb"
                                 ? qApp->nativeInterface<QNativeInterface::QX11Application>()
                                 : nullptr;
    if (x11 != nullptr) {
        xcb_connection_t* connection = x11->connection();
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
#endif
}

void Send(QWidget* board, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, board->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(board, &event);
    QApplication::processEvents();
    WaitForServer();
}

// Processor time used so far by this process and, when XSERVER_PID names it, by the X
// server: on a shared machine it counts the work, not the waiting for a processor.
struct Processor {
    double program = 0;
    double server = 0;
};

double ProcessSeconds(const QByteArray& pid) {
    QFile stat("/proc/" + pid + "/stat");
    if (pid.isEmpty() || !stat.open(QIODevice::ReadOnly)) return 0;
    const QByteArray text = stat.readAll();
    // utime and stime are fields 14 and 15, counted after the command's closing parenthesis.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

Processor ProcessorSeconds() {
    static const QByteArray server =
        QGuiApplication::platformName() == "xcb" ? qgetenv("XSERVER_PID") : QByteArray();
    return {ProcessSeconds("self"), ProcessSeconds(server)};
}

struct Cost {
    double wall;       // microseconds per move
    double processor;  // microseconds per move, the program and the X server
    double server;     // the X server's share
};

// Cost per move while dragging the card whose strip is at `grab`.
Cost MeasureDrag(tess::BoardWidget* board, QPoint grab, int moves) {
    Send(board, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    Send(board, QEvent::MouseMove, grab + QPoint(1, 1), Qt::NoButton, Qt::LeftButton);
    const Processor before = ProcessorSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < moves; ++i) {
        // A loop around the table, a few pixels a step, as a hand moves.
        const int step = i % 200;
        const QPoint at = grab + QPoint(step < 100 ? step * 3 : (200 - step) * 3, (step % 50) * 2);
        Send(board, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const Processor after = ProcessorSeconds();
    const double program = after.program - before.program;
    const double server = after.server - before.server;
    Send(board, QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
    return {std::chrono::duration<double, std::micro>(elapsed).count() / moves, (program + server) * 1e6 / moves,
            server * 1e6 / moves};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", "/tmp/tessaline-drag-bench");
    qputenv("XDG_CACHE_HOME", "/tmp/tessaline-drag-bench/cache");
    const double scale = argc > 1 ? std::atof(argv[1]) : 1;
    const int moves = argc > 2 ? std::atoi(argv[2]) : 400;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 7;
    QApplication app(argc, argv);
    tess::StartOptions options;
    options.seed = 1;
    tess::MainWindow window(std::move(options));
    window.show();
    QApplication::processEvents();
    window.resize(static_cast<int>(tess::kClientWidthPx * scale),
                  static_cast<int>(tess::kClientHeightPx * scale) + window.menuBar()->height());
    QApplication::processEvents();
    LayOutLongRun(window.game());
    tess::BoardWidget* board = window.board();
    // To compare with the picture drawn inside the board, as on every other platform.
    if (qEnvironmentVariableIsSet("DRAG_IN_BOARD")) board->SetDragWindow(false);
    board->SyncWithGame();
    QApplication::processEvents();

    const tess::CardImage& king = window.game().imgCard[tess::CardNumber(tess::kSpades, tess::kKing)];
    const tess::CardImage& last = window.game().imgCard[tess::CardNumber(tess::kClubs, 7)];
    const QPoint kingStrip = board->ToPixels(king.Left + 30, king.Top + 9).toPoint();
    const QPoint lastCard = board->ToPixels(last.Left + 30, last.Top + 40).toPoint();

    MeasureDrag(board, lastCard, moves / 4);  // warm the caches
    MeasureDrag(board, kingStrip, moves / 4);
    std::vector<double> one, thirteen, ratio, oneCpu, thirteenCpu, oneServer, thirteenServer;
    for (int round = 0; round < rounds; ++round) {
        const Cost single = MeasureDrag(board, lastCard, moves);
        const Cost run = MeasureDrag(board, kingStrip, moves);
        one.push_back(single.wall);
        thirteen.push_back(run.wall);
        ratio.push_back(run.wall / single.wall);
        oneCpu.push_back(single.processor);
        thirteenCpu.push_back(run.processor);
        oneServer.push_back(single.server);
        thirteenServer.push_back(run.server);
    }
    std::printf("%s, board scale %.2f, device pixel ratio %.1f, %d rounds of %d moves%s\n",
                qPrintable(QGuiApplication::platformName()), board->transform().scale, board->devicePixelRatioF(),
                rounds, moves,
                QGuiApplication::platformName() == "xcb" && qEnvironmentVariableIsSet("XSERVER_PID")
                    ? ", processor time with the X server"
                    : "");
    std::printf("per move, medians  wall: one card %7.1f us, thirteen %7.1f us (%.2fx)   processor: %7.1f us, %7.1f us (%.2fx)\n",
                Median(one), Median(thirteen), Median(ratio), Median(oneCpu), Median(thirteenCpu),
                Median(thirteenCpu) / Median(oneCpu));
    if (QGuiApplication::platformName() == "xcb" && qEnvironmentVariableIsSet("XSERVER_PID"))
        std::printf("of which the X server: one card %7.1f us, thirteen %7.1f us\n", Median(oneServer),
                    Median(thirteenServer));
    return 0;
}
