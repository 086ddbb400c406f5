#pragma once

// Text primitives. A text is a run of code page 936 bytes: ASCII bytes stand
// alone, a byte of 0x80 or more starts a double-byte character. A missing text
// and the empty text are the same value (an empty std::string). Positions are
// 1-based byte positions; a search that finds nothing gives -1.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace gleaner {

using Text = std::string;

// First occurrence of `sought` at or after `start`, found only where a
// character begins when walking character by character from `start`.
// Start positions below 1 count as 1. With `ignoreCase` only ASCII letters fold.
std::int32_t findText(std::string_view text, std::string_view sought, std::int32_t start = 1,
                      bool ignoreCase = false);

// Replaces occurrences of `sub` at or after `start`, left to right, without
// overlap and without rescanning the output. A negative `count` means all.
Text replaceText(std::string_view text, std::string_view sub, std::string_view replacement = {},
                 std::int32_t start = 1, std::int32_t count = -1, bool caseSensitive = true);

Text textLeft(std::string_view text, std::int32_t n);
Text textMid(std::string_view text, std::int32_t start, std::int32_t n);
std::int32_t textLength(std::string_view text);

// The bytes between the first `startMarker` and the first `endMarker` after it.
// Empty when either marker is missing.
Text textBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker);

Text concatText(std::initializer_list<std::string_view> parts);
template <typename... Parts>
Text concatText(const Parts&... parts)
{
    return concatText({std::string_view(parts)...});
}

// -1, 0 or 1; bytes compare as unsigned, a prefix sorts first.
std::int32_t compareText(std::string_view a, std::string_view b);

// The integer the text begins with, after full-width forms are narrowed.
// Overflow wraps as 32-bit two's complement.
std::int32_t textToInt(std::string_view text);
Text intToText(std::int32_t value);

// One byte holding the low 8 bits of `code`; the empty text for 0.
Text charFromCode(std::int32_t code);

// ASCII a-z to A-Z; double-byte characters are copied whole.
Text toUpperText(std::string_view text);

} // namespace gleaner
