// A real main window on the offscreen platform, driven with Qt's simulated input.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include "support/recording_platform.h"
#include "support/table_builder.h"
#include "window/board_widget.h"
#include "window/card_art.h"
#include "window/main_window.h"

namespace tess::test {

// Answers the file dialogs from a queue; none left is Cancel.
class FakeChooser : public FileChooser {
public:
    std::optional<QString> ChooseOpen(QWidget*, std::optional<QPoint> at) override { return Answer(at); }
    std::optional<QString> ChooseSave(QWidget*, std::optional<QPoint> at) override { return Answer(at); }
    QString Remembered() const override { return remembered; }
    void Remember(const QString& path) override { remembered = path; }

    std::optional<QString> Answer(std::optional<QPoint> at) {
        ++asked;
        lastPosition = at;
        return answers.isEmpty() ? std::nullopt : std::optional(answers.takeFirst());
    }

    QStringList answers;
    int asked = 0;
    std::optional<QPoint> lastPosition;
    QString remembered;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A popup menu runs its own loop: note its visible items as the player reads them (the
        // default one bold), run the chosen item, close it.
        QObject::connect(&popupWatch, &QTimer::timeout, [this] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) return;
            QStringList& items = menus.emplace_back();
            for (QAction* action : menu->actions()) {
                if (action->isVisible())
                    items << (action->isSeparator() ? "-" : action->text()) + (action->font().bold() ? " (bold)" : "");
                if (action->objectName() == choose || (choose == "default" && action == menu->defaultAction()))
                    action->trigger();
            }
            menu->close();
        });
        popupWatch.start(5);
        Start();
    }

    void Start(std::optional<std::string> gameFile = std::nullopt) {
        window.reset();
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_CACHE_HOME", config.filePath("cache").toUtf8());
        auto fake = std::make_unique<FakeChooser>();
        chooser = fake.get();
        StartOptions options{.gameFile = std::move(gameFile), .seed = 12345, .chooser = std::move(fake),
                             .preparePlatform = [this](QtPlatform& platform) {
            platform.placesWindows = placesWindows;
            platform.messageHook = [this](const std::string& text, const std::string& title, MessageIcon icon) {
                messages.push_back({text, title, icon});
            };
            platform.gameOverHook = [] {};  // a test that wins shows the dialog itself
            platform.helpHook = [this] { ++helps; };
        }};
        window = std::make_unique<MainWindow>(std::move(options));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        Activate();
    }
    // Also after a popup menu, whose closing hands the activation back only in later events.
    void Activate() {
        for (int i = 0; i < 200 && !window->isActiveWindow(); ++i) {
            window->activateWindow();
            QTest::qWait(5);
        }
        ASSERT_TRUE(window->isActiveWindow());
    }

    Game& game() { return window->game(); }
    BoardWidget* board() { return window->board(); }

    void Craft(const TableSetup& setup) {
        SetUpTable(game(), setup);
        Q_EMIT board()->GameChanged();  // the menus follow as after any move
    }

    QPoint CentreOf(const char* card) { return board()->ImageCentre(C(card)); }
    // The visible strip of a card that another covers in its column.
    QPoint StripOf(const char* card) {
        const CardImage& image = game().imgCard[C(card)];
        return board()->ToPixels(image.Left + 30, image.Top + 9).toPoint();
    }

    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(board(), button, Qt::NoModifier, pointer = at);
        held |= button;
    }
    void MoveTo(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, board()->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(board(), &move);
        QApplication::processEvents();  // painted after every step, as on a real screen
        pointer = at;
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        held &= ~button;
        QTest::mouseRelease(board(), button, Qt::NoModifier, at);
        QApplication::processEvents();
    }
    void Drag(QPoint from, QPoint to) {
        Press(from);
        for (int i = 1; i <= 8; ++i) MoveTo(from + (to - from) * i / 8);
        Release(to);
    }
    // Drags a card by its strip so that it lands just below another card.
    void DragOnto(const char* card, const char* target) {
        const CardImage &image = game().imgCard[C(card)], &onto = game().imgCard[C(target)];
        const QPointF shift = board()->ToPixels(onto.Left, onto.Top + kSlotStep) - board()->ToPixels(image.Left, image.Top);
        Drag(StripOf(card), StripOf(card) + shift.toPoint());
    }
    void RightClick(QPoint at) { Press(at, Qt::RightButton); Release(at, Qt::RightButton); }
    // A double-click as the window system delivers it, second press included.
    void DoubleClick(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseDClick(window->windowHandle(), button, Qt::NoModifier, board()->mapTo(window.get(), at));
        QApplication::processEvents();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window->windowHandle(), Qt::Key(key), modifiers);
        QApplication::processEvents();
    }

    QImage Shot() { return board()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // Pixels of the card's top strip that the shot does not show at `at`: its see-through
    // corners aside, and the last column, which a drag picture leaves out.
    int Unlike(const QImage& shot, QPoint at, int card) {
        const QImage face = art.Face(card, 1).toImage().convertToFormat(QImage::Format_ARGB32);
        int differing = 0;
        for (int y = 0; y < kSlotStep; ++y) {
            for (int x = 0; x < face.width() - 1; ++x) {
                const QRgb want = face.pixel(x, y), got = shot.valid(at + QPoint(x, y)) ? shot.pixel(at + QPoint(x, y)) : 0;
                differing += qAlpha(want) == 255 && std::max({std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                                                              std::abs(qBlue(got) - qBlue(want))}) > 40;
            }
        }
        return differing;
    }

    QTemporaryDir config;
    FakeChooser* chooser = nullptr;
    std::unique_ptr<MainWindow> window;
    CardArt art;
    bool placesWindows = true;   // false: act as on Wayland
    std::vector<RecordedMessage> messages;
    int helps = 0;
    QTimer popupWatch;
    std::vector<QStringList> menus;  // every popup menu opened, as it showed
    QString choose;                  // the item to run in them: an object name, or "default"
    Qt::MouseButtons held;
    QPoint pointer;
};

}  // namespace tess::test
