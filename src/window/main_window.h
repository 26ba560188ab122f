// The main window: menus, start-up and shut-down, the file commands and file drops.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QMainWindow>
#include <QString>

#include "game/game.h"
#include "window/qt_platform.h"

class QAction;
class QMenu;

namespace tess {

class BoardWidget;
class CardArt;

// Asks the player for a file to open or a name to save under. The window keeps one for
// its whole life, so the remembered name is offered again.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // at: where the dialog's top left corner should stand, in global pixels; none where
    // the platform places windows itself.
    virtual std::optional<QString> ChooseOpen(QWidget* owner, std::optional<QPoint> at) = 0;
    virtual std::optional<QString> ChooseSave(QWidget* owner, std::optional<QPoint> at) = 0;
    // The name of the last file confirmed in a dialog that was then opened or saved, or empty.
    virtual QString Remembered() const = 0;
    // Called once a confirmed name was opened or saved: a refused file is never remembered.
    virtual void Remember(const QString& path) = 0;
};

std::unique_ptr<FileChooser> MakeDialogFileChooser();

struct StartOptions {
    std::optional<std::string> gameFile;    // the saved game named on the command line, as bytes
    std::optional<std::uint64_t> seed;      // a fixed deal sequence, for tests and tools
    std::unique_ptr<FileChooser> chooser;   // the file dialogs; the real ones when empty
    std::function<void(QtPlatform&)> preparePlatform;  // runs before the window is placed
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(StartOptions options = {});
    ~MainWindow() override;

    Game& game() { return game_; }
    QtPlatform& platform() { return platform_; }
    BoardWidget* board() const { return board_; }

    // Menu commands, as the menu bar and the table's menu run them.
    void mnuGameNew_Click();
    void mnuGameOpen_Click();
    void mnuGameSave_Click();
    void mnuGameSaveAs_Click();
    void mnuGameUndo_Click();
    void mnuGameRestart_Click();
    void mnuHelpAbout_Click();

    // The measured window metrics, in pixels.
    int CaptionHeight = 0;
    int BorderHeight = 0;
    int MenuHeight = 0;
    void ReadSystemMetrics();
    // Where the file dialogs open: under the menu bar, near the left edge; none where the
    // platform places windows itself.
    std::optional<QPoint> FileDialogPosition() const;

    QAction* action(const char* name) const;
    QMenu* cardMenu() const { return mnuPopupCard; }
    QMenu* gameMenu() const { return mnuPopupGame; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateMenus();
    void CreatePopupMenus();
    void StartFirstGame(const std::optional<std::string>& gameFile);
    void PlaceWindow(QPoint saved);
    // Menus, caption and board follow the game after every event.
    void Sync();
    void AnswerFileDrag(QDragMoveEvent* event);
    void ShowCardMenu(QPoint globalPos);
    void ShowGameMenu(QPoint globalPos);
    void FormUnload();

    QtPlatform platform_;
    Game game_;
    std::unique_ptr<CardArt> art_;
    std::unique_ptr<FileChooser> chooser_;
    BoardWidget* board_ = nullptr;
    bool unloaded_ = false;

    QAction* mnuGameUndo = nullptr;
    QAction* mnuGameRestart = nullptr;
    std::array<QAction*, 4> mnuOptionsDropPoint{};
    QAction* mnuOptionsDealOnlyWinnableGames = nullptr;
    QMenu* mnuPopupCard = nullptr;
    std::array<QAction*, kCardMenuItemCount> cardMenuActions{};
    QMenu* mnuPopupGame = nullptr;
    std::array<QAction*, kGameMenuItemCount> gameMenuActions{};
};

}  // namespace tess
