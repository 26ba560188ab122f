#include "window/main_window.h"

#include <chrono>
#include <random>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "dialogs/about_form.h"
#include "dialogs/help.h"
#include "files/file_drop.h"
#include "files/settings.h"
#include "window/board_widget.h"
#include "window/card_art.h"
#include "window/window_place.h"

namespace tess {

namespace {

constexpr double kTwips = kTwipsPerPixel;

std::uint64_t ClockSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint64_t>(now) ^ (static_cast<std::uint64_t>(std::random_device{}()) << 32);
}

QString Qs(const std::string& text) { return QString::fromStdString(text); }

std::vector<std::string> LocalPaths(const QMimeData* data) {
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) paths.push_back(url.toLocalFile().toStdString());
    return paths;
}

// The platform's own file dialog. The chooser lives as long as the window, so the
// remembered name is offered again, and the dialog opens in the folder used last.
class DialogFileChooser : public FileChooser {
public:
    std::optional<QString> ChooseOpen(QWidget* owner, std::optional<QPoint> at) override {
        return Run(owner, at, QFileDialog::AcceptOpen);
    }
    std::optional<QString> ChooseSave(QWidget* owner, std::optional<QPoint> at) override {
        return Run(owner, at, QFileDialog::AcceptSave);
    }
    QString Remembered() const override { return remembered_; }
    void Remember(const QString& path) override { remembered_ = path; }

private:
    std::optional<QString> Run(QWidget* owner, std::optional<QPoint> at, QFileDialog::AcceptMode mode) {
        // A fresh dialog each time, so a name typed before but never used is not offered.
        QFileDialog dialog(owner);
        dialog.setNameFilter("Tessaline files (*.tsl)");
        dialog.setDefaultSuffix("TSL");
        // The widget-based dialog is the one that can be placed under the menu bar.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                           : QFileDialog::AnyFile);
        dialog.setWindowTitle(mode == QFileDialog::AcceptOpen ? "Open" : "Save As");
        if (!folder_.isEmpty()) dialog.setDirectory(folder_);
        if (!remembered_.isEmpty()) dialog.selectFile(remembered_);
        if (at) dialog.move(*at);
        const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
        folder_ = dialog.directory().absolutePath();
        if (!accepted) return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    QString remembered_;
    QString folder_;
};

}  // namespace

std::unique_ptr<FileChooser> MakeDialogFileChooser() { return std::make_unique<DialogFileChooser>(); }

MainWindow::MainWindow(StartOptions options)
    : platform_(this),
      game_(platform_),
      art_(std::make_unique<CardArt>(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))),
      chooser_(options.chooser ? std::move(options.chooser) : MakeDialogFileChooser()) {
    setWindowTitle("Tessaline");
    // A cold start draws the cards for its first frame; writing them to disk can wait.
    art_->HoldStore();
    if (options.preparePlatform) options.preparePlatform(platform_);
    platform_.SetBusyPointer(true);
    game_.SeedRandom(options.seed ? *options.seed : ClockSeed());

    board_ = new BoardWidget(game_, *art_, this);
    setCentralWidget(board_);
    // Under X11 the server moves a window of its own with one copy; Wayland cannot place
    // a child surface, and offscreen has no server to move it.
    board_->SetDragWindow(platform_.placesWindows && QGuiApplication::platformName() == QLatin1String("xcb"));
    CreateMenus();
    CreatePopupMenus();
    ReadSystemMetrics();

    const Settings settings = ReadSettingsFile(SettingsPath());
    game_.SetDealOnlyWinnableGames(settings.WinnableGamesOnly);
    game_.SelectDropPoint(DropPoint::MaxOverlap);

    // The window opens at the size the board was made for; the player may make it larger.
    // The icon and the stored card pictures wait for the first frame of the board, which
    // needs neither.
    board_->installEventFilter(this);
    setAcceptDrops(true);
    // Where the platform places windows itself, the saved place means nothing to it.
    if (platform_.placesWindows)
        PlaceWindow(QPoint(static_cast<int>(settings.SavedLeft / kTwips), static_cast<int>(settings.SavedTop / kTwips)));
    // The file dialogs are placed from these metrics: measure again when they change.
    winId();
    if (QWindow* handle = windowHandle())
        connect(handle, &QWindow::screenChanged, this, &MainWindow::ReadSystemMetrics);

    platform_.beforeDialog = [this] { board_->SyncWithGame(); board_->repaint(); };
    connect(board_, &BoardWidget::GameChanged, this, &MainWindow::Sync);
    connect(board_, &BoardWidget::CardMenuRequested, this, &MainWindow::ShowCardMenu);
    connect(board_, &BoardWidget::GameMenuRequested, this, &MainWindow::ShowGameMenu);

    StartFirstGame(options.gameFile);
    Sync();
}

MainWindow::~MainWindow() { FormUnload(); }

void MainWindow::StartFirstGame(const std::optional<std::string>& gameFile) {
    // A file the reader refused without dealing leaves no deal to lay out.
    if (!gameFile || !game_.OpenGame(*gameFile)) game_.DealRandomGame();
    game_.LayOutDeal();
}

// Placed before the native window exists, so the position given is the frame's.
void MainWindow::PlaceWindow(QPoint saved) {
    adjustSize();
    const auto available = [] {
        QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    };
    std::vector<QRect> screens;
    for (QScreen* s : QGuiApplication::screens()) screens.push_back(s->availableGeometry());
    if (const auto place = UsableSavedPlace(saved, frameGeometry().width(), std::max(MenuHeight, 24), screens)) {
        move(*place);
        return;
    }
    // No frame is known before the window is mapped: centre again once the window manager
    // reports it.
    CentreFrame(this, FrameOf(this), available);
}

void MainWindow::ReadSystemMetrics() {
    QStyle* s = style();
    CaptionHeight = s->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    BorderHeight = std::max(1, s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) / 2);
    MenuHeight = menuBar()->sizeHint().height();
}

std::optional<QPoint> MainWindow::FileDialogPosition() const {
    if (!platform_.placesWindows) return std::nullopt;
    const QPoint corner = frameGeometry().topLeft();
    const double down = (MenuHeight + CaptionHeight + 2 * BorderHeight) * 15.25 / kTwips;
    return corner + QPoint(static_cast<int>(50 / kTwips), static_cast<int>(down));
}

void MainWindow::CreateMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys,
                      auto handler) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(name);
        if (!keys.isEmpty()) item->setShortcut(keys);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };

    QMenu* mnuGame = menuBar()->addMenu("&Game");
    mnuGame->setObjectName("mnuGame");
    add(mnuGame, "mnuGameNew", "&New", QKeySequence(Qt::Key_F2), &MainWindow::mnuGameNew_Click);
    add(mnuGame, "mnuGameOpen", "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O), &MainWindow::mnuGameOpen_Click);
    add(mnuGame, "mnuGameSave", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S), &MainWindow::mnuGameSave_Click);
    add(mnuGame, "mnuGameSaveAs", "Save &As...", {}, &MainWindow::mnuGameSaveAs_Click);
    mnuGame->addSeparator();
    mnuGameUndo = add(mnuGame, "mnuGameUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z),
                      &MainWindow::mnuGameUndo_Click);
    mnuGameRestart = add(mnuGame, "mnuGameRestart", "&Restart", QKeySequence(Qt::Key_F3),
                         &MainWindow::mnuGameRestart_Click);
    mnuGame->addSeparator();
    add(mnuGame, "mnuGameExit", "E&xit", {}, &MainWindow::close);

    // The drop-point options exist but stay hidden: every run plays with Maximum Overlap.
    QMenu* mnuOptions = menuBar()->addMenu("&Options");
    mnuOptions->setObjectName("mnuOptions");
    mnuOptions->menuAction()->setVisible(false);
    const char* names[] = {"mnuOptionsMaxOverlap", "mnuOptionsCardULCorner", "mnuOptionsMousePointer",
                           "mnuOptionsAnyCorner"};
    const char* captions[] = {"Maximum Overlap", "Card Upper Left Corner", "Mouse Pointer", "Any Corner"};
    for (int i = 0; i < 4; ++i) {
        QAction* item = mnuOptions->addAction(captions[i]);
        item->setObjectName(names[i]);
        item->setCheckable(true);
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, i] {
            game_.SelectDropPoint(static_cast<DropPoint>(i + 1));
            Sync();
        });
        mnuOptionsDropPoint[i] = item;
    }
    mnuOptions->addSeparator()->setVisible(false);
    mnuOptionsDealOnlyWinnableGames = mnuOptions->addAction("Deal Only Winnable Games");
    mnuOptionsDealOnlyWinnableGames->setObjectName("mnuOptionsDealOnlyWinnableGames");
    mnuOptionsDealOnlyWinnableGames->setCheckable(true);
    connect(mnuOptionsDealOnlyWinnableGames, &QAction::triggered, this, [this] {
        game_.mnuOptionsDealOnlyWinnableGames_Click();
        Sync();
    });

    QMenu* mnuHelp = menuBar()->addMenu("&Help");
    mnuHelp->setObjectName("mnuHelp");
    add(mnuHelp, "mnuHelpContents", "&Contents", QKeySequence(Qt::Key_F1),
        [this] { platform_.ShowHelpContents(); });
    mnuHelp->addSeparator();
    add(mnuHelp, "mnuHelpAbout", "&About Tessaline", {}, &MainWindow::mnuHelpAbout_Click);
}

void MainWindow::CreatePopupMenus() {
    mnuPopupCard = new QMenu(this);
    mnuPopupCard->setObjectName("mnuPopupCard");
    const char* cardNames[] = {"mnuPopupCardFoundation", "mnuPopupCardCover", "mnuPopupCardC",
                               "mnuPopupCardD",          "mnuPopupCardH",     "mnuPopupCardS",
                               "mnuPopupCardSep2",       "mnuPopupCardEmpty"};
    for (int i = 0; i < kCardMenuItemCount; ++i) {
        const MenuItem& model = game_.cardMenu().Items[i];
        QAction* item = model.Separator ? mnuPopupCard->addSeparator() : mnuPopupCard->addAction(Qs(model.Caption));
        item->setObjectName(cardNames[i]);
        if (!model.Separator) {
            connect(item, &QAction::triggered, this, [this, i] {
                game_.mnuPopupCard_Click(static_cast<CardMenuItem>(i));
                board_->SyncWithGame();
                Sync();
            });
        }
        cardMenuActions[i] = item;
    }

    mnuPopupGame = new QMenu("PopupGame", this);
    mnuPopupGame->setObjectName("mnuPopupGame");
    const char* gameNames[] = {"mnuPopupGameUndo", "mnuPopupGameRestart", "mnuPopupGameSep1",
                               "mnuPopupGameNew",  "mnuPopupGameOpen",    "mnuPopupGameSave",
                               "mnuPopupGameSaveAs"};
    void (MainWindow::*handlers[])() = {&MainWindow::mnuGameUndo_Click, &MainWindow::mnuGameRestart_Click,
                                        nullptr, &MainWindow::mnuGameNew_Click,
                                        &MainWindow::mnuGameOpen_Click, &MainWindow::mnuGameSave_Click,
                                        &MainWindow::mnuGameSaveAs_Click};
    for (int i = 0; i < kGameMenuItemCount; ++i) {
        const MenuItem& model = game_.gameMenu().Items[i];
        QAction* item = model.Separator ? mnuPopupGame->addSeparator() : mnuPopupGame->addAction(Qs(model.Caption));
        item->setObjectName(gameNames[i]);
        if (handlers[i] != nullptr) connect(item, &QAction::triggered, this, handlers[i]);
        gameMenuActions[i] = item;
    }
}

QAction* MainWindow::action(const char* name) const { return findChild<QAction*>(name); }

namespace {

// Shows a menu model: captions, visibility, enabled state and the bold default item.
template <std::size_t N>
void ApplyMenu(QMenu* menu, const std::array<QAction*, N>& actions, const PopupMenu<N>& model) {
    for (std::size_t i = 0; i < N; ++i) {
        const MenuItem& item = model.Items[i];
        QAction* action = actions[i];
        if (!item.Separator) action->setText(Qs(item.Caption));
        action->setVisible(item.Visible);
        action->setEnabled(item.Enabled);
        QFont font = action->font();
        font.setBold(static_cast<int>(i) == model.DefaultItem);
        action->setFont(font);
    }
    menu->setDefaultAction(model.DefaultItem >= 0 ? actions[model.DefaultItem] : nullptr);
}

}  // namespace

void MainWindow::ShowCardMenu(QPoint globalPos) {
    ApplyMenu(mnuPopupCard, cardMenuActions, game_.cardMenu());
    mnuPopupCard->exec(globalPos);
}

void MainWindow::ShowGameMenu(QPoint globalPos) {
    ApplyMenu(mnuPopupGame, gameMenuActions, game_.gameMenu());
    mnuPopupGame->exec(globalPos);
}

void MainWindow::Sync() {
    const QString caption = Qs(game_.Caption());
    if (windowTitle() != caption) setWindowTitle(caption);
    const bool undo = game_.UndoItemsEnabled();
    mnuGameUndo->setEnabled(undo);
    mnuGameRestart->setEnabled(undo);
    gameMenuActions[kGameMenuUndo]->setEnabled(undo);
    gameMenuActions[kGameMenuRestart]->setEnabled(undo);
    for (int i = 0; i < 4; ++i)
        mnuOptionsDropPoint[i]->setChecked(game_.DropPointChecked(static_cast<DropPoint>(i + 1)));
    mnuOptionsDealOnlyWinnableGames->setChecked(game_.DealOnlyWinnableGames());
    board_->SyncWithGame();
}

void MainWindow::mnuGameNew_Click() {
    game_.mnuGameNew_Click();
    Sync();
}

void MainWindow::mnuGameOpen_Click() {
    const std::optional<QString> path = chooser_->ChooseOpen(this, FileDialogPosition());
    if (!path) return;
    const std::string name = path->toStdString();
    // A file refused without a new deal leaves the game in play as it was.
    if (game_.OpenGame(name)) game_.LayOutDeal();
    if (game_.GameFile() == name) chooser_->Remember(*path);
    Sync();
}

// Writing without a dialog is safe only over the file that holds this very game: after a
// new deal, a refused file, a drop or a command-line open, Save asks as Save As does.
void MainWindow::mnuGameSave_Click() {
    const QString remembered = chooser_->Remembered();
    if (remembered.isEmpty() || remembered.toStdString() != game_.GameFile()) {
        mnuGameSaveAs_Click();
        return;
    }
    game_.SaveGame(remembered.toStdString());
    Sync();
}

void MainWindow::mnuGameSaveAs_Click() {
    const std::optional<QString> path = chooser_->ChooseSave(this, FileDialogPosition());
    if (!path) return;
    if (game_.SaveGame(path->toStdString())) chooser_->Remember(*path);
    Sync();
}

void MainWindow::mnuGameUndo_Click() {
    game_.UndoMove();
    Sync();
}

void MainWindow::mnuGameRestart_Click() {
    game_.mnuGameRestart_Click();
    Sync();
}

void MainWindow::mnuHelpAbout_Click() { AboutForm::ShowModal(this, platform_.placesWindows); }

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == board_ && event->type() == QEvent::Paint) {
        board_->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            setWindowIcon(ProgramIcon(this));
            art_->ReleaseStore();
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) game_.Form_KeyUp(event->key() == Qt::Key_F1 ? kKeyF1 : 0);
    QMainWindow::keyReleaseEvent(event);
}

// Only one saved game may be dropped; anything else is refused while it is dragged.
void MainWindow::AnswerFileDrag(QDragMoveEvent* event) {
    if (AcceptsFileDrag(LocalPaths(event->mimeData())) && (event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) { AnswerFileDrag(event); }

void MainWindow::dragMoveEvent(QDragMoveEvent* event) { AnswerFileDrag(event); }

void MainWindow::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = LocalPaths(event->mimeData());
    if (paths.empty()) return;
    event->acceptProposedAction();
    DropFiles(game_, paths);
    Sync();
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) ReadSystemMetrics();
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) board_->BreakOffDragIfInactive();
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    FormUnload();
    event->accept();
}

void MainWindow::FormUnload() {
    if (unloaded_) return;
    unloaded_ = true;
    CloseHelp(this);
    game_.UndoRecords.clear();
    art_->StoreInUse();
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != this && widget->isVisible() && widget->parentWidget() == this) widget->close();
    Settings settings;
    // Where the platform cannot tell where the window stands, the stored place stays.
    settings.PositionKnown = platform_.placesWindows;
    const QPoint at = (isMinimized() || isMaximized()) ? normalGeometry().topLeft() : pos();
    settings.SavedLeft = static_cast<float>(at.x() * kTwips);
    settings.SavedTop = static_cast<float>(at.y() * kTwips);
    settings.WinnableGamesOnly = game_.DealOnlyWinnableGames();
    WriteSettingsFile(SettingsPath(), settings);
}

}  // namespace tess
