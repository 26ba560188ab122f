// Reading, checking and writing saved games.
#include "files/saved_game.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "files/atomic_file.h"

namespace tess {

namespace {

constexpr int kDealSum = kCardCount * (kCardCount - 1) / 2;  // 0 + 1 + ... + 51 = 1326
constexpr std::size_t kReadChunk = 4096;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

enum class NumberKind { Number, NotANumber, TooBig };

struct Number {
    NumberKind kind = NumberKind::NotANumber;
    std::int16_t value = 0;
};

// Blanks, an optional sign, decimal digits, blanks: a 16-bit signed number or nothing.
Number ReadNumber(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return {};
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return {};
        if (value <= 100000) value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return {NumberKind::TooBig, 0};
    return {NumberKind::Number, static_cast<std::int16_t>(value)};
}

SavedGameResult Failed(OpenFailure failure, int error = 0) {
    SavedGameResult result;
    result.failure = failure;
    result.error = error;
    return result;
}

}  // namespace

bool SavedGameParser::Feed(std::string_view bytes) {
    for (char c : bytes) {
        if (Done()) break;
        Take(c);
    }
    return !Done();
}

void SavedGameParser::Take(char c) {
    if (skipLineFeed_) {
        skipLineFeed_ = false;
        if (c == '\n') return;
    }
    if (c == '\r' || c == '\n') {
        skipLineFeed_ = c == '\r';
        EndField();
        return;
    }
    if (c == ',' && quote_ != Quote::Open) {
        EndField();
        return;
    }
    inField_ = true;
    if (++fieldBytes_ > kMaxSavedGameField) {
        state_ = State::NotAGame;
        return;
    }
    switch (quote_) {
    case Quote::None:
        if (c == '"' && Trim(field_).empty()) {
            quote_ = Quote::Open;
            field_.clear();
        } else {
            field_ += c;
        }
        break;
    case Quote::Open:
        if (c == '"') quote_ = Quote::Closed;
        else field_ += c;
        break;
    case Quote::Closed:
        if (!IsBlank(c)) junkAfterQuote_ = true;
        break;
    }
}

// One field is complete: the tag first, then the 52 numbers as they come.
void SavedGameParser::EndField() {
    if (Done()) return;
    const std::string_view content = quote_ == Quote::None ? Trim(field_) : std::string_view(field_);
    if (fields_ == 0) {
        if (junkAfterQuote_ || content != kSavedGameTag) state_ = State::NotAGame;
    } else {
        const Number number = junkAfterQuote_ ? Number{} : ReadNumber(content);
        if (number.kind == NumberKind::TooBig) {
            state_ = State::CutShort;
        } else if (number.kind == NumberKind::NotANumber) {
            badNumber_ = true;
        } else {
            numbers_[fields_ - 1] = number.value;
            const int sum = sum_ + number.value;
            if (sum < std::numeric_limits<std::int16_t>::min() || sum > std::numeric_limits<std::int16_t>::max())
                state_ = State::CutShort;
            else
                sum_ = static_cast<std::int16_t>(sum);
        }
    }
    if (state_ == State::Reading && ++fields_ == kSavedGameFields) state_ = State::AllFields;
    field_.clear();
    fieldBytes_ = 0;
    inField_ = false;
    quote_ = Quote::None;
    junkAfterQuote_ = false;
}

SavedGameResult SavedGameParser::Finish() {
    // The last field may end with the data rather than with a line end.
    if (state_ == State::Reading && inField_) EndField();
    switch (state_) {
    case State::Reading:
    case State::CutShort:
        return Failed(OpenFailure::CutShort);
    case State::NotAGame:
        return Failed(OpenFailure::NotAGame);
    case State::AllFields:
        break;
    }
    if (badNumber_ || sum_ != kDealSum || !IsPermutation(numbers_)) return Failed(OpenFailure::NotAGame);
    SavedGameResult result;
    result.deal = numbers_;
    return result;
}

SavedGameResult ParseSavedGame(std::string_view text) {
    SavedGameParser parser;
    parser.Feed(text);
    return parser.Finish();
}

std::string FormatSavedGame(const Deal& deal) {
    std::string text;
    text.reserve(kSavedGameSize);
    text += '"';
    text += kSavedGameTag;
    text += "\"\r\n";
    for (int card : deal) {
        text += std::to_string(card);
        text += "\r\n";
    }
    return text;
}

bool IsPermutation(const Deal& deal) {
    std::array<bool, kCardCount> seen{};
    for (int card : deal) {
        if (card < 0 || card >= kCardCount || seen[card]) return false;
        seen[card] = true;
    }
    return true;
}

SavedGameResult ReadSavedGame(const std::string& path) {
    if (path.find('\0') != std::string::npos) return Failed(OpenFailure::SystemError, EINVAL);
    // Non-blocking, so that a pipe or device named by mistake cannot hang the game.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        return Failed(error == ENOENT ? OpenFailure::FileNotFound : OpenFailure::SystemError, error);
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return Failed(OpenFailure::SystemError, EISDIR);
    }
    SavedGameParser parser;
    std::uint64_t bytesRead = 0;
    char buffer[kReadChunk];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return Failed(OpenFailure::SystemError, error);
        }
        if (n == 0) break;
        bytesRead += static_cast<std::uint64_t>(n);
        if (!parser.Feed(std::string_view(buffer, static_cast<std::size_t>(n)))) break;
    }
    ::close(fd);
    SavedGameResult result = parser.Finish();
    result.bytesRead = bytesRead;
    return result;
}

int WriteSavedGame(const std::string& path, const Deal& deal) {
    return WriteFileAtomically(path, FormatSavedGame(deal));
}

std::string StrNumber(long number) {
    std::string text = std::to_string(number);
    if (number >= 0) text.insert(text.begin(), ' ');
    return text;
}

Message OpenFailureMessage(const SavedGameResult& result, std::string_view name) {
    const std::string invalid = std::string(name) + " is not a valid Tessaline game.";
    switch (result.failure) {
    case OpenFailure::NotAGame:
        return {invalid + "\r\n\r\nDealing random game.", "Error", MessageIcon::Exclamation};
    case OpenFailure::FileNotFound:
        return {invalid + "\r\n\r\nDealing random game.", "Tessaline", MessageIcon::Exclamation};
    case OpenFailure::CutShort:
        return {invalid, "Tessaline Error", MessageIcon::Exclamation};
    case OpenFailure::SystemError:
    case OpenFailure::None:
        break;
    }
    return {"Error # " + StrNumber(result.error) + " was generated by Tessaline.\r" +
                std::strerror(result.error),
            "Tessaline Error", MessageIcon::None};
}

Message SaveFailureMessage(int error) {
    // Only a missing medium is the drive's own trouble; every other cause has the system's words.
    if (error == ENOMEDIUM)
        return {"Cannot read drive A:\r\nMake sure the drive door is closed and that the disk is "
                "formatted and free of errors.",
                "Save", MessageIcon::Exclamation};
    return {"Error #" + std::to_string(error) + ", " + std::strerror(error), "Save",
            MessageIcon::Exclamation};
}

}  // namespace tess
