// A real main window on the offscreen platform, driven with Qt's simulated input.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "support/recording_platform.h"
#include "support/table_builder.h"
#include "window/board_widget.h"
#include "window/main_window.h"

namespace tess::test {

// Answers the file dialogs from a queue; an empty answer is Cancel.
class FakeChooser : public FileChooser {
public:
    std::optional<QString> ChooseOpen(QWidget*, std::optional<QPoint> at) override { return Answer("open", at); }
    std::optional<QString> ChooseSave(QWidget*, std::optional<QPoint> at) override { return Answer("save", at); }
    QString Remembered() const override { return remembered; }
    void Remember(const QString& path) override { remembered = path; }

    std::deque<std::optional<QString>> answers;
    std::vector<std::string> asked;
    std::optional<QPoint> lastPosition;
    QString remembered;

private:
    std::optional<QString> Answer(const char* kind, std::optional<QPoint> at) {
        asked.push_back(kind);
        lastPosition = at;
        if (answers.empty()) return std::nullopt;
        std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { Start(); }

    void Start(const QString& gameFile) { Start(QFile::encodeName(gameFile).toStdString()); }
    void Start(std::optional<std::string> gameFile = std::nullopt) {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_CACHE_HOME", config.filePath("cache").toUtf8());
        auto fake = std::make_unique<FakeChooser>();
        chooser = fake.get();
        StartOptions options;
        options.seed = 12345;
        options.chooser = std::move(fake);
        options.gameFile = std::move(gameFile);
        options.preparePlatform = [this](QtPlatform& platform) {
            platform.placesWindows = placesWindows;
            platform.messageHook = [this](const std::string& text, const std::string& title, MessageIcon icon) {
                messages.push_back({text, title, icon});
            };
            platform.gameOverHook = [this] { ++gameOvers; };
            platform.helpHook = [this] { ++helps; };
        };
        window = std::make_unique<MainWindow>(std::move(options));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    Game& game() { return window->game(); }
    BoardWidget* board() { return window->board(); }

    void Craft(const TableSetup& setup) {
        SetUpTable(game(), setup);
        board()->SyncWithGame();
    }

    QPoint CentreOf(int index, double dy = 0) { return board()->ImageCentre(index, dy); }
    // The pixel spot of a visible strip of a covered column card.
    QPoint StripOf(int card) {
        const CardImage& image = game().imgCard[card];
        return board()->ToPixels(image.Left + 30, image.Top + 9).toPoint();
    }

    // A double-click as the window system delivers it: press, release, press, double-click,
    // release (Qt's widget-level helper would send the double-click event alone).
    void DoubleClick(QPoint onBoard) {
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                           board()->mapTo(window.get(), onBoard));
        QApplication::processEvents();
    }

    void Drag(QPoint from, QPoint to, int steps = 8) {
        QTest::mousePress(board(), Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= steps; ++i) {
            const QPoint at = from + (to - from) * i / steps;
            QMouseEvent move(QEvent::MouseMove, at, board()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(board(), &move);
        }
        QTest::mouseRelease(board(), Qt::LeftButton, Qt::NoModifier, to);
    }

    // Drags a card (and what lies on it) so that its picture stands at (left, top) in
    // board units; grabbed by its visible strip, or anywhere when it is a last card.
    void DragCardTo(int card, double left, double top) {
        const CardImage& image = game().imgCard[card];
        const QPoint from = StripOf(card);
        const QPointF shift = board()->ToPixels(left, top) - board()->ToPixels(image.Left, image.Top);
        Drag(from, from + shift.toPoint());
    }
    // Drags a card onto the spot just below another card, as a player would drop it there.
    void DragCardOnto(int card, int target) {
        const CardImage& onto = game().imgCard[target];
        DragCardTo(card, onto.Left, onto.Top + kSlotStep);
    }

    QTemporaryDir config;
    FakeChooser* chooser = nullptr;
    std::unique_ptr<MainWindow> window;
    bool placesWindows = true;  // false: act as on Wayland
    std::vector<RecordedMessage> messages;
    int gameOvers = 0;
    int helps = 0;
};

}  // namespace tess::test
