// The game in progress: the table state and every routine that reads or changes it.
// Pure C++; the window shows this state and feeds it events. The routines are spread
// over one source file per subject (deal, move engine, home moves, undo, win, drag,
// menus, saved games) but share this one state, as the rules themselves do.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "game/cards.h"
#include "platform/platform.h"

namespace tess {

// One of the 63 pictures on the board: a card face, the spare image or a base.
struct CardImage {
    double Left = 0;
    double Top = 0;
    char Tag = 0;            // area code: 'b' column, 'h' hand, 'p' foundation, 's' column base, 'i' spare
    bool Visible = false;
    std::uint64_t ZOrder = 0;  // paint in ascending order; "bring to front" takes the next value
    int Picture = kNoPicture;  // card face 0..51, kPileBasePicture, or none

    static constexpr int kNoPicture = -1;
    static constexpr int kPileBasePicture = 52;
};

struct UndoRecord {
    int Card = kNoCard;
    int FromLeft = 0;
    int FromTop = 0;
    char FromTag = 0;
    int ToLeft = 0;
    int ToTop = 0;
    char ToTag = 0;
    bool WonGame = false;
    int LastIndex = 0;
    std::array<int, kMaxRun> Cards{};
};

// The picture that follows the pointer during a drag. Composed once at the press from
// Cards[0..Count-1]; Serial changes at every composition so a view knows to redraw it.
struct DragPicture {
    double Left = 0;
    double Top = 0;
    double Height = kCardHeight;
    bool Visible = false;
    int Count = 0;
    std::array<int, kMaxRun> Cards{};
    std::uint64_t Serial = 0;

    static constexpr double kWidthPx = 70;  // one pixel narrower than a card face
};

enum class DropPoint { MaxOverlap = 1, CardULCorner = 2, MousePointer = 3, AnyCorner = 4 };

enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
constexpr int kKeyF1 = 112;

struct MenuItem {
    std::string Caption;
    bool Visible = true;
    bool Enabled = true;
    bool Separator = false;
    int Tag = -1;
};

enum CardMenuItem {
    kCardMenuFoundation,
    kCardMenuCover,
    kCardMenuClubs,
    kCardMenuDiamonds,
    kCardMenuHearts,
    kCardMenuSpades,
    kCardMenuSep2,
    kCardMenuEmpty,
    kCardMenuItemCount
};

enum GameMenuItem {
    kGameMenuUndo,
    kGameMenuRestart,
    kGameMenuSep1,
    kGameMenuNew,
    kGameMenuOpen,
    kGameMenuSave,
    kGameMenuSaveAs,
    kGameMenuItemCount
};

template <std::size_t N>
struct PopupMenu {
    std::array<MenuItem, N> Items;
    int DefaultItem = -1;  // drawn bold; -1 for none
};

// Where a drop lands: the image index handed to PerformMove as MoveTarget, or none.
struct DropDecision {
    bool Legal = false;
    int Target = -1;
};

class Game {
public:
    explicit Game(Platform& platform);

    Platform& platform() { return platform_; }

    // ---- Random generator: seeded once per run; tests seed it themselves. ----
    void SeedRandom(std::uint64_t seed) { rng_.seed(seed); }
    double NextRandom();  // uniform in [0, 1)

    // ---- Dealing and layout ----
    void ShuffleDeck();
    void DealRandomGame();
    void ClearColumns();
    void LayOutDeal();
    void mnuGameNew_Click();      // DealRandomGame, then LayOutDeal
    void mnuGameRestart_Click();  // LayOutDeal only

    // ---- Move engine ----
    bool PickUpCards(int card);
    int FindRunBelow(int card);
    int CountEmptyColumns() const;
    int LastRowInColumn(int column) const;
    bool RunFitsEmptyFoundation() const;
    bool RunFitsFoundation(int foundation) const;
    // Whether MoveCards (lead MoveCards[0], MoveLast + 1 cards) may be placed on the
    // column: onto its last card, or into it when it is empty, within the run limits.
    bool RunFitsColumn(int column) const;
    // Whether MoveCards may go onto the foundation, empty or started.
    bool RunFitsFoundationPile(int foundation) const;
    void PerformMove();
    void MenuMove();
    void RestackHand(int card);

    // ---- Foundation and cover moves ----
    void imgCard_DblClick(int index);
    void MoveToFoundation(int card, int foundation);

    // ---- Undo history ----
    void RecordMoveStart(int card);
    void RecordMoveEnd(int card);
    void UndoMove();
    bool UndoItemsEnabled() const { return undoItemsEnabled_; }

    // ---- Win detection ----
    void CheckForWin();

    // ---- Drag and drop, the Ace peek (x, y in twips relative to the image) ----
    void imgCard_MouseDown(int index, int button, double x, double y);
    void imgCard_MouseMove(int index, int buttons, double x, double y);
    // Returns true when the release should open the card menu (see OpenCardMenu).
    bool imgCard_MouseUp(int index, int button, double x, double y);
    void RestoreDraggedCards(int index);
    // Ends a drag or an Ace peek in progress as a release that moves nothing would: run
    // before anything else changes the table, so no card stays hidden or shown twice.
    void EndPress();
    // The destination and its legality for a reference point (x, y) in board units.
    DropDecision FindDropTarget(double x, double y) const;
    void SelectDropPoint(DropPoint mode);
    DropPoint dropPointMode() const { return DropPointMode; }
    bool DropPointChecked(DropPoint mode) const { return DropPointMode == mode; }
    void ReloadMoveFromNewestRecord();

    // ---- Card context menu ----
    // Prepares mnuPopupCard for the image; false when no menu opens.
    bool OpenCardMenu(int index);
    bool CanGoToFoundation(int card) const;
    bool CheckCover(int card);
    bool CheckMoveOnto(int card, int suit);
    bool CheckMoveToEmpty(int card);
    void mnuPopupCard_Click(CardMenuItem item);
    const PopupMenu<kCardMenuItemCount>& cardMenu() const { return mnuPopupCard; }

    // ---- Game context menu and window input ----
    // Prepares mnuPopupGame; true when it should open (right button only).
    bool Form_MouseUp(int button);
    void Form_DblClick() { UndoMove(); }
    void Form_KeyUp(int keyCode);
    const PopupMenu<kGameMenuItemCount>& gameMenu() const { return mnuPopupGame; }

    // ---- Saved games ----
    // Writes DealOrder to path; reports its own failures. True on success.
    bool SaveGame(const std::string& path);
    // Reads a deal from name; reports its own failures. False when DealOrder was left
    // unchanged and nothing new was dealt (the deal in play goes on untouched).
    bool OpenGame(const std::string& name);

    // ---- Options ----
    bool DealOnlyWinnableGames() const { return dealOnlyWinnableGames_; }
    void SetDealOnlyWinnableGames(bool on) { dealOnlyWinnableGames_ = on; }
    void mnuOptionsDealOnlyWinnableGames_Click() { dealOnlyWinnableGames_ = !dealOnlyWinnableGames_; }

    // The window caption: the program's name, and the file the deal in play came from or
    // was last saved to, if any.
    std::string Caption() const { return gameFile_.empty() ? "Tessaline" : "Tessaline - " + gameFile_; }
    // That file, as it was named; empty when the deal is a new random one.
    const std::string& GameFile() const { return gameFile_; }

    // ---- Checks used by tests and debug builds: empty when the table is consistent. ----
    std::string CheckInvariants() const;

    // ---- Table state ----
    std::array<CardImage, kImageCount> imgCard{};
    DragPicture picForDragging{};

    DropPoint DropPointMode = DropPoint::MaxOverlap;
    std::array<std::array<int, kSlots>, kColumns> ColumnCards{};
    std::array<int, kFoundations> FoundationTop{};
    std::array<int, kCardCount> DealOrder{};
    std::array<bool, kCardCount> CardDealt{};
    bool GameWon = false;
    std::vector<UndoRecord> UndoRecords;
    int UndoCount = 0;
    int UndoUpperBound = 0;
    std::array<int, kMaxRun> MoveCards{};
    int MoveLast = 0;
    int MoveCard = kNoCard;
    int MoveTarget = -1;
    int PopupCard = kNoCard;
    double DragOriginLeft = 0;
    double DragOriginTop = 0;
    double DragLastTop = 0;
    int DragOriginSlot = 0;
    int DragOriginColumn = 0;
    bool Dragging = false;
    bool DragMoved = false;
    double DragStartX = 0;
    double DragStartY = 0;
    bool DragCancelled = false;

    // ---- Small shared queries ----
    // "Bring to front": the image takes the next stacking value.
    void BringToFront(int index) { imgCard[index].ZOrder = ++zCounter_; }
    void MoveImage(int index, double left, double top) {
        imgCard[index].Left = left;
        imgCard[index].Top = top;
    }
    int ColumnOf(int index) const { return ColumnFromLeft(imgCard[index].Left); }
    int SlotOf(int index) const { return SlotFromTop(imgCard[index].Top); }
    int FoundationOf(int index) const { return FoundationFromTop(imgCard[index].Top); }
    // A hand card, or a column card with nothing below it.
    bool IsFree(int card) const;
    // The foundation whose top card has this suit, or -1.
    int FoundationOfSuit(int suit) const;
    // Image indices in painting order (back to front), visible ones only.
    std::vector<int> PaintOrder() const;
    // The topmost visible image under a board point, or -1 for the table.
    int ImageAt(double x, double y) const;

private:
    void SetUndoItemsEnabled(bool on) { undoItemsEnabled_ = on; }
    void ComposeDragPicture();
    void MoveDragPicture(double x, double y);
    void SetCardMenuCaptions();

    Platform& platform_;
    std::mt19937_64 rng_;
    std::uint64_t zCounter_ = 0;
    bool undoItemsEnabled_ = false;
    bool dealOnlyWinnableGames_ = false;
    std::string gameFile_;
    PopupMenu<kCardMenuItemCount> mnuPopupCard;
    PopupMenu<kGameMenuItemCount> mnuPopupGame;
};

}  // namespace tess
