#include "support/text.h"

#include <algorithm>
#include <cstring>

namespace gleaner {

namespace {

bool isLead(unsigned char b) { return b >= 0x80; }

unsigned char foldAscii(unsigned char b) { return (b >= 'A' && b <= 'Z') ? b + ('a' - 'A') : b; }

bool equalFolded(const char* a, const char* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        if (foldAscii(static_cast<unsigned char>(a[i])) != foldAscii(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// Finds occurrences of a byte sequence at character starts of a walk that
// begins at `origin`. Candidates come from a fast byte search; a candidate is
// kept only when the walk would stop on it. That is decided by the run of
// bytes >= 0x80 just before it: a byte below 0x80 always ends a character, so
// the run starts on a character boundary and its bytes pair up from there.
// `known` is a position already proven to be a character start, which bounds
// the look-back so the whole search stays linear.
class CharStartFinder {
public:
    CharStartFinder(std::string_view text, std::size_t origin) : m_text(text), m_known(origin) { }

    // Is `pos` (>= m_known) a character start of the walk?
    bool isCharStart(std::size_t pos)
    {
        std::size_t run = 0;
        std::size_t p = pos;
        while (p > m_known && isLead(static_cast<unsigned char>(m_text[p - 1]))) {
            --p;
            ++run;
        }
        // Either p == m_known (a known start) or the byte before p is below
        // 0x80 and so ends a character: p is a start, and the run pairs up.
        const bool start = (run % 2) == 0;
        m_known = start ? pos : pos + 1;
        return start;
    }

private:
    std::string_view m_text;
    std::size_t m_known;
};

// Byte offset (0-based) of the first exact occurrence of `sought` at a
// character start at or after `from`, or npos. `finder` carries the walk.
std::size_t findExact(std::string_view text, std::string_view sought, std::size_t from, CharStartFinder& finder)
{
    std::size_t pos = from;
    while (pos + sought.size() <= text.size()) {
        const std::size_t hit = text.find(sought, pos);
        if (hit == std::string_view::npos)
            return hit;
        if (finder.isCharStart(hit))
            return hit;
        pos = hit + 1;
    }
    return std::string_view::npos;
}

// The plain character walk, used for case-insensitive searches.
std::size_t findFolded(std::string_view text, std::string_view sought, std::size_t from)
{
    std::size_t pos = from;
    while (pos + sought.size() <= text.size()) {
        if (equalFolded(text.data() + pos, sought.data(), sought.size()))
            return pos;
        if (isLead(static_cast<unsigned char>(text[pos]))) {
            if (pos + 1 >= text.size())
                return std::string_view::npos;
            pos += 2;
        } else {
            pos += 1;
        }
    }
    return std::string_view::npos;
}

std::size_t clampStart(std::int32_t start) { return start < 1 ? 0 : static_cast<std::size_t>(start) - 1; }

} // namespace

std::int32_t findText(std::string_view text, std::string_view sought, std::int32_t start, bool ignoreCase)
{
    const std::size_t from = clampStart(start);
    if (from >= text.size())
        return -1;
    if (sought.empty())
        return 1;
    std::size_t hit;
    if (ignoreCase) {
        hit = findFolded(text, sought, from);
    } else {
        CharStartFinder finder(text, from);
        hit = findExact(text, sought, from, finder);
    }
    return hit == std::string_view::npos ? -1 : static_cast<std::int32_t>(hit + 1);
}

Text replaceText(std::string_view text, std::string_view sub, std::string_view replacement, std::int32_t start,
                 std::int32_t count, bool caseSensitive)
{
    const std::size_t from = clampStart(start);
    if (text.empty() || sub.empty() || from >= text.size() || count == 0)
        return Text(text);

    Text out;
    out.reserve(text.size());
    out.append(text.substr(0, from));
    CharStartFinder finder(text, from);
    std::size_t pos = from;
    std::int32_t left = count;
    while (left != 0) {
        const std::size_t hit = caseSensitive ? findExact(text, sub, pos, finder) : findFolded(text, sub, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(text.substr(pos, hit - pos));
        out.append(replacement);
        pos = hit + sub.size();
        if (caseSensitive)
            finder = CharStartFinder(text, pos);
        if (left > 0)
            --left;
    }
    out.append(text.substr(pos));
    return out;
}

Text textLeft(std::string_view text, std::int32_t n)
{
    if (n <= 0)
        return {};
    return Text(text.substr(0, static_cast<std::size_t>(n)));
}

Text textMid(std::string_view text, std::int32_t start, std::int32_t n)
{
    if (start < 1 || n <= 0 || static_cast<std::size_t>(start) > text.size())
        return {};
    return Text(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n)));
}

std::int32_t textLength(std::string_view text) { return static_cast<std::int32_t>(text.size()); }

Text textBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker)
{
    const std::int32_t p = findText(text, startMarker);
    if (p < 1)
        return {};
    const std::int32_t q = p + textLength(startMarker);
    const std::int32_t r = findText(text, endMarker, q);
    return textMid(text, q, r - q);
}

Text concatText(std::initializer_list<std::string_view> parts)
{
    std::size_t total = 0;
    for (std::string_view p : parts)
        total += p.size();
    Text out;
    out.reserve(total);
    for (std::string_view p : parts)
        out.append(p);
    return out;
}

std::int32_t compareText(std::string_view a, std::string_view b)
{
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::int32_t textToInt(std::string_view text)
{
    // Narrow full-width forms first, walking character by character.
    std::string narrow;
    narrow.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (!isLead(b) || i + 1 >= text.size()) {
            narrow.push_back(text[i]);
            ++i;
            continue;
        }
        const auto t = static_cast<unsigned char>(text[i + 1]);
        if (b == 0xA3 && t >= 0xA1 && t <= 0xFE)
            narrow.push_back(static_cast<char>(t - 0x80));
        else if (b == 0xA1 && t == 0xA1)
            narrow.push_back(' ');
        else if (b == 0xA1 && t == 0xAB)
            narrow.push_back('~');
        else if (b == 0xA1 && (t == 0xEE || t == 0xEF))
            narrow.push_back('*');
        else
            narrow.append(text.substr(i, 2));
        i += 2;
    }

    std::size_t i = 0;
    while (i < narrow.size() && std::strchr(" \t\n\v\f\r", narrow[i]) != nullptr && narrow[i] != '\0')
        ++i;
    bool negative = false;
    if (i < narrow.size() && (narrow[i] == '+' || narrow[i] == '-')) {
        negative = narrow[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps by definition, which gives the 32-bit
    // two's-complement result without undefined behaviour.
    std::uint32_t value = 0;
    while (i < narrow.size() && narrow[i] >= '0' && narrow[i] <= '9') {
        value = value * 10u + static_cast<std::uint32_t>(narrow[i] - '0');
        ++i;
    }
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

Text intToText(std::int32_t value) { return std::to_string(value); }

Text charFromCode(std::int32_t code)
{
    const auto byte = static_cast<unsigned char>(static_cast<std::uint32_t>(code) & 0xFFu);
    if (byte == 0)
        return {};
    return Text(1, static_cast<char>(byte));
}

Text toUpperText(std::string_view text)
{
    Text out(text);
    for (std::size_t i = 0; i < out.size();) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (isLead(b)) {
            i += 2;
            continue;
        }
        if (b >= 'a' && b <= 'z')
            out[i] = static_cast<char>(b - ('a' - 'A'));
        ++i;
    }
    return out;
}

} // namespace gleaner
