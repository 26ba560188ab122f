// The text of an initialization file: [Section] lines and key=value lines, read and
// changed the way the desktop's profile functions do, leaving every other line alone.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tess {

// The value of the first key of that name in the first section of that name (names
// compared without regard to case), trimmed and without enclosing quotes; none if missing.
std::optional<std::string> ProfileString(std::string_view text, std::string_view section, std::string_view key);

// A key read as a whole number: leading blanks skipped, an optional sign, the leading
// digits; text without digits reads as 0. A missing or empty value gives fallback.
int ProfileInt(std::string_view text, std::string_view section, std::string_view key, int fallback);

// The leading whole number of a value, as ProfileInt reads it.
int ProfileIntValue(std::string_view value);

// The text with the key set to value: the key's line rewritten in place, or a new line
// at the end of its section, or a new section at the end of the text. Lines end at CR LF,
// LF or a lone CR; every line is written back with the text's first line end.
std::string SetProfileString(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

}  // namespace tess
