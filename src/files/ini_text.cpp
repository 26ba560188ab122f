// Reading and updating initialization-file text line by line.
#include "files/ini_text.h"

#include <climits>
#include <vector>

namespace tess {

namespace {

// Lines end at CR LF, LF or a lone CR, as the files of every desktop end them.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines.push_back(text);
            break;
        }
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
    }
    return lines;
}

// The file's own line end, the first one it uses; LF for a file that has none yet.
std::string_view LineEnd(std::string_view text) {
    const std::size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos || text[at] == '\n') return "\n";
    return text.substr(at, 2) == "\r\n" ? "\r\n" : "\r";
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// "[Name]" gives Name; any other line gives none.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    return Trim(line.substr(0, line.find(']')));
}

// "Key=Value" gives Key; comments and lines without "=" give none.
std::optional<std::string_view> KeyName(std::string_view line) {
    line = Trim(line);
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == ';' || equals == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(0, equals));
}

// Where a section begins (its header line) and ends (the next header), within the lines.
struct SectionSpan {
    std::size_t header = 0;
    std::size_t end = 0;
};

std::optional<SectionSpan> FindSection(const std::vector<std::string_view>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i]);
        if (!name || !SameName(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionName(lines[end])) ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<std::string_view>& lines, SectionSpan span, std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto name = KeyName(lines[i]);
        if (name && SameName(*name, key)) return i;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ProfileString(std::string_view text, std::string_view section, std::string_view key) {
    const std::vector<std::string_view> lines = SplitLines(text);
    const auto span = FindSection(lines, section);
    if (!span) return std::nullopt;
    const auto at = FindKey(lines, *span, key);
    if (!at) return std::nullopt;
    const std::string_view line = lines[*at];
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

int ProfileIntValue(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && IsBlank(value[i])) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    long long number = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        number = number * 10 + (value[i] - '0');
        if (number > static_cast<long long>(INT_MAX) + 1) number = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) number = -number;
    if (number > INT_MAX) number = INT_MAX;
    return static_cast<int>(number);
}

int ProfileInt(std::string_view text, std::string_view section, std::string_view key, int fallback) {
    const auto value = ProfileString(text, section, key);
    if (!value || value->empty()) return fallback;
    return ProfileIntValue(*value);
}

// Every line is written with the file's own line end, so a rewritten file never mixes
// them and its last line is always ended.
std::string SetProfileString(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
    const std::vector<std::string_view> lines = SplitLines(text);
    const std::string_view newline = LineEnd(text);
    const auto span = FindSection(lines, section);

    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    const auto appendLine = [&](std::string_view a, std::string_view b = {}, std::string_view c = {}) {
        out.append(a).append(b).append(c).append(newline);
    };
    if (!span) {
        for (const std::string_view line : lines) appendLine(line);
        if (!lines.empty() && !Trim(lines.back()).empty()) appendLine({});
        appendLine("[", section, "]");
        appendLine(key, "=", value);
        return out;
    }

    const auto at = FindKey(lines, *span, key);
    // A new key goes after the section's last line that is not blank.
    std::size_t after = span->header;
    if (!at) {
        for (std::size_t i = span->header + 1; i < span->end; ++i)
            if (!Trim(lines[i]).empty()) after = i;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (at && i == *at) appendLine(*KeyName(lines[i]), "=", value);
        else appendLine(lines[i]);
        if (!at && i == after) appendLine(key, "=", value);
    }
    return out;
}

}  // namespace tess
