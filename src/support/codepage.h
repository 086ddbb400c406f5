#pragma once

// Conversions between code page 936 (the program's internal text encoding),
// UTF-8 and UTF-16. The mapping is the C library's iconv "CP936" converter;
// it is read once into lookup tables so that converting a whole result page
// costs a table look-up per character.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gleaner {

// One code page 936 character: a byte below 0x80 stands alone; a byte from
// 0x81 to 0xFE followed by a byte from 0x40 to 0xFE (not 0x7F) is a pair.
// Any other byte (0x80, 0xFF, a lead without a valid second byte) is a
// single-byte unit. Returns the unit's width and stores its code point, or
// U+FFFD when the code page gives it none.
int decodeCp936(const unsigned char* p, std::size_t available, char32_t& codePoint);

// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t codePoint);

// Code page 936 to UTF-8; units without a character become U+FFFD.
std::string cp936ToUtf8(std::string_view text);

// A UTF-8 offset and the offset of the same character in the original text.
struct OffsetPair {
    std::size_t utf8;
    std::size_t original;
};

// The room that the UTF-8 form of `text` may need, in bytes.
std::size_t utf8Capacity(std::string_view text);

// Writes the UTF-8 form to `out` (utf8Capacity bytes) and returns its length.
// Records an OffsetPair at a character start at least once in every `stride`
// bytes of output, so that UTF-8 offsets can be traced back. For the hot path
// of matching a whole page: no zero-filling, no extra copy.
std::size_t cp936ToUtf8(std::string_view text, unsigned char* out, std::vector<OffsetPair>& checkpoints,
                        std::size_t stride);

// Code page 936 to UTF-8, or nothing when any unit has no character.
std::optional<std::string> cp936ToUtf8Strict(std::string_view text);

// UTF-8 to code page 936. A base character followed by combining marks is
// first composed where a precomposed character exists. Invalid UTF-8 bytes and
// characters that code page 936 cannot hold become "?", its default character.
std::string utf8ToCp936(std::string_view utf8);

// UTF-16 code units (host order) to UTF-8; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);
// UTF-8 to UTF-16 code units; each invalid byte becomes U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);

} // namespace gleaner
