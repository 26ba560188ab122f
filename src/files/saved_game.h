// The saved-game file: a tag line and the 52 card numbers of a deal, one a line.
// The format itself is pure (text in, deal or failure out); reading and writing a file
// sit beside it, and the messages a failure shows are built here too.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/cards.h"
#include "platform/platform.h"

namespace tess {

using Deal = std::array<int, kCardCount>;

inline constexpr std::string_view kSavedGameTag = "Tessaline";
// Every deal the program writes takes exactly this many bytes.
inline constexpr std::size_t kSavedGameSize = 211;
// The tag and the 52 numbers.
inline constexpr int kSavedGameFields = 1 + kCardCount;
// No field of a game the program could accept is anywhere near this long.
inline constexpr std::size_t kMaxSavedGameField = 1024;

// Why a saved game was refused. The values are the rows of the failure messages.
enum class OpenFailure {
    None = 0,
    NotAGame = 1,      // wrong tag, a field that is no number, not every card exactly once
    FileNotFound = 2,
    CutShort = 3,      // ended before 53 fields, or a number or the sum left 16 bits
    SystemError = 4,   // any other failure to open or read the file
};

struct SavedGameResult {
    OpenFailure failure = OpenFailure::None;
    int error = 0;                // errno, for SystemError
    Deal deal{};                  // a true permutation of 0..51 when failure is None
    std::uint64_t bytesRead = 0;  // how much of the file was read to decide
};

// Reads a saved game as its bytes arrive, in chunks of any size, holding only the field
// in hand: fields end at commas and line ends (CR LF, CR or LF), a field in double quotes
// is taken without them, numbers and their running sum are 16-bit.
class SavedGameParser {
public:
    // Takes the next bytes; false once the verdict is known and no more input is wanted.
    bool Feed(std::string_view bytes);
    // The verdict, with the end of input reached (or no longer needed).
    SavedGameResult Finish();
    bool Done() const { return state_ != State::Reading; }

private:
    enum class State { Reading, NotAGame, CutShort, AllFields };
    enum class Quote { None, Open, Closed };

    void Take(char c);
    void EndField();

    State state_ = State::Reading;
    int fields_ = 0;
    std::string field_;
    std::size_t fieldBytes_ = 0;  // every byte of the field, blanks and quotes included
    bool inField_ = false;        // a byte arrived since the last delimiter
    Quote quote_ = Quote::None;
    bool junkAfterQuote_ = false;
    bool skipLineFeed_ = false;   // a CR just ended a field; an LF right after it is the same line end
    bool badNumber_ = false;
    std::int16_t sum_ = 0;
    Deal numbers_{};
};

// The whole text of a file at once.
SavedGameResult ParseSavedGame(std::string_view text);
// The file the program writes for a deal: 211 bytes for every permutation.
std::string FormatSavedGame(const Deal& deal);
// Every card 0..51 exactly once.
bool IsPermutation(const Deal& deal);

// Reads the named file only as far as the verdict needs; never blocks on a pipe.
SavedGameResult ReadSavedGame(const std::string& path);
// Writes the deal atomically; 0 or the errno of the failure.
int WriteSavedGame(const std::string& path, const Deal& deal);

struct Message {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
};

// A number as the old BASIC Str() writes it: a blank before a number that is not negative.
std::string StrNumber(long number);
// The message for a refused file, name as it was passed to the reader.
Message OpenFailureMessage(const SavedGameResult& result, std::string_view name);
// The message for a failed save, from its errno.
Message SaveFailureMessage(int error);

}  // namespace tess
