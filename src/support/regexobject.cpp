#include "support/regexobject.h"

#include "support/codepage.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstring>
#include <vector>

namespace gleaner {

namespace {

struct CodeDeleter {
    void operator()(pcre2_code* code) const noexcept { pcre2_code_free(code); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const noexcept { pcre2_match_data_free(data); }
};
struct CompileContextDeleter {
    void operator()(pcre2_compile_context* ctx) const noexcept { pcre2_compile_context_free(ctx); }
};

// True when the pattern can only tell a non-ASCII character from an ASCII one
// and never which non-ASCII character it is: ASCII only, no escapes that name
// code points or properties, no back-references, no verbs or conditionals.
// (Without PCRE2_UCP, classes such as \w and [[:alpha:]] hold ASCII only, and
// code page 936 holds no character that folds to an ASCII letter.) Such a
// pattern matches the same way when every double-byte character is replaced
// by one stand-in character of the same UTF-8 length.
bool onlySeesAscii(std::string_view pattern)
{
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const auto c = static_cast<unsigned char>(pattern[i]);
        if (c >= 0x80)
            return false;
        if (c == '\\') {
            if (i + 1 >= pattern.size())
                return false;
            const char e = pattern[++i];
            const bool letterOrDigit = (e >= '0' && e <= '9') || (e >= 'a' && e <= 'z') || (e >= 'A' && e <= 'Z');
            if (letterOrDigit && std::string_view("dDwWsSbBnrtf").find(e) == std::string_view::npos)
                return false;
        } else if (c == '(' && i + 1 < pattern.size() && (pattern[i + 1] == '?' || pattern[i + 1] == '*')) {
            const std::string_view rest = pattern.substr(i + 1);
            const bool plain = rest.starts_with("?:") || rest.starts_with("?=") || rest.starts_with("?!") ||
                               rest.starts_with("?<=") || rest.starts_with("?<!");
            if (!plain)
                return false;
        }
    }
    return true;
}

// Copies code page 936 text, writing every double-byte character as U+0100
// (two UTF-8 bytes, like the character itself), so offsets stay the same.
// Returns false, leaving `out` unfinished, at the first unit that is not
// ASCII and not a well-formed pair.
bool standInCopy(std::string_view text, unsigned char* out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    auto hasZeroByte = [](std::uint64_t v) { return ((v - kOnes) & ~v & kHigh) != 0; };
    std::uint64_t standIns;
    std::memcpy(&standIns, "\xC4\x80\xC4\x80\xC4\x80\xC4\x80", 8);
    std::size_t i = 0;
    while (i < n) {
        std::uint64_t v;
        if (i + 8 <= n) {
            std::memcpy(&v, p + i, 8);
            if ((v & kHigh) == 0) { // eight ASCII bytes
                std::memcpy(out + i, &v, 8);
                i += 8;
                continue;
            }
            // Eight bytes from 0x81 to 0xFE at a character start: four pairs.
            if ((v & kHigh) == kHigh && !hasZeroByte(v ^ kHigh) && !hasZeroByte(~v)) {
                std::memcpy(out + i, &standIns, 8);
                i += 8;
                continue;
            }
        }
        const unsigned char b = p[i];
        if (b < 0x80) {
            out[i++] = b;
        } else if (b >= 0x81 && b <= 0xFE && i + 1 < n && p[i + 1] >= 0x40 && p[i + 1] <= 0xFE && p[i + 1] != 0x7F) {
            out[i] = 0xC4;
            out[i + 1] = 0x80;
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

// A subject converted to UTF-8, with enough bookkeeping to turn a UTF-8 offset
// back into an offset of the original code page 936 bytes. Every unit of the
// original becomes exactly one code point, so the two can be walked in step;
// a checkpoint every kStride UTF-8 bytes keeps each walk short.
class Subject {
public:
    static constexpr std::size_t kStride = 64;

    // With `standIns`, double-byte characters may be replaced by a stand-in
    // of equal length, which keeps every offset as it is.
    Subject(std::string_view text, bool standIns) : m_original(text), m_buffer(new unsigned char[utf8Capacity(text)])
    {
        if (standIns && standInCopy(text, m_buffer.get())) {
            m_length = text.size();
            m_sameOffsets = true;
        } else {
            m_length = cp936ToUtf8(text, m_buffer.get(), m_checkpoints, kStride);
        }
    }

    std::string_view utf8() const { return {reinterpret_cast<const char*>(m_buffer.get()), m_length}; }

    // The original byte offset of the character that starts at `u8`.
    std::size_t originalOffset(std::size_t u8) const
    {
        if (m_sameOffsets)
            return u8;
        if (u8 >= m_length)
            return m_original.size();
        // The checkpoint of u8's block, or an earlier one when no character
        // started inside that block's first bytes before u8.
        std::size_t k = u8 / kStride;
        if (k >= m_checkpoints.size())
            k = m_checkpoints.size() - 1;
        while (k > 0 && m_checkpoints[k].utf8 > u8)
            --k;
        std::size_t a = m_checkpoints[k].utf8;
        std::size_t o = m_checkpoints[k].original;
        const unsigned char* u = m_buffer.get();
        const auto* p = reinterpret_cast<const unsigned char*>(m_original.data());
        while (a < u8) {
            a += utf8Width(u[a]);
            char32_t ignored;
            o += p[o] < 0x80 ? 1 : static_cast<std::size_t>(decodeCp936(p + o, m_original.size() - o, ignored));
        }
        return o;
    }

    std::string_view original() const { return m_original; }

private:
    static std::size_t utf8Width(unsigned char lead)
    {
        if (lead < 0x80)
            return 1;
        if (lead < 0xE0)
            return 2;
        if (lead < 0xF0)
            return 3;
        return 4;
    }

    std::string_view m_original;
    std::vector<OffsetPair> m_checkpoints; // filled while the buffer is written
    std::unique_ptr<unsigned char[]> m_buffer;
    std::size_t m_length = 0;
    bool m_sameOffsets = false;
};

} // namespace

struct RegexObject::Compiled {
    std::unique_ptr<pcre2_code, CodeDeleter> code;
    Text pattern;
    bool global = true;
    bool onlySeesAscii = false;
    std::uint32_t groupCount = 0;
};

struct RegexObject::Matches {
    // Each whole match, as the subject's own bytes.
    std::vector<std::string> texts;
    // Byte ranges within each match's text, (groupCount + 1) pairs per match;
    // an unset group is npos, npos.
    std::vector<std::size_t> ranges;
    std::size_t pairsPerMatch = 1;
};

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;
RegexObject::RegexObject(const RegexObject&) = default;
RegexObject& RegexObject::operator=(const RegexObject&) = default;
RegexObject::RegexObject(RegexObject&&) noexcept = default;
RegexObject& RegexObject::operator=(RegexObject&&) noexcept = default;

std::int32_t RegexObject::create(std::string_view pattern, std::optional<bool> ignoreCase,
                                 std::optional<bool> multiline, std::optional<bool> global)
{
    m_matches.reset();
    m_compiled.reset();
    m_lastCount = 0;

    std::unique_ptr<pcre2_compile_context, CompileContextDeleter> context(pcre2_compile_context_create(nullptr));
    if (!context)
        return 0;
    // "." must not match a line feed, and only a line feed ends a line.
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_LF);

    std::uint32_t options = PCRE2_UTF;
    if (ignoreCase.value_or(true))
        options |= PCRE2_CASELESS;
    if (multiline.value_or(true))
        options |= PCRE2_MULTILINE;

    const std::string utf8 = cp936ToUtf8(pattern);
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8.data()), utf8.size(), options, &error,
                                     &errorOffset, context.get());
    if (code == nullptr)
        return 0;
    // JIT is an optimisation: when it is unavailable the interpreter runs.
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);

    auto compiled = std::make_shared<Compiled>();
    compiled->code.reset(code);
    compiled->pattern = Text(pattern);
    compiled->global = global.value_or(true);
    compiled->onlySeesAscii = onlySeesAscii(pattern);
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &compiled->groupCount);
    m_compiled = std::move(compiled);
    return 1;
}

Text RegexObject::pattern() const { return m_compiled ? m_compiled->pattern : Text(); }

Text RegexObject::replace(std::string_view text, std::string_view replacement) const
{
    if (!m_compiled)
        return {};
    const std::string subject = cp936ToUtf8(text);
    const std::string with = cp936ToUtf8(replacement);
    std::uint32_t options = PCRE2_SUBSTITUTE_OVERFLOW_LENGTH | PCRE2_SUBSTITUTE_UNSET_EMPTY |
                            PCRE2_SUBSTITUTE_UNKNOWN_UNSET | PCRE2_NO_UTF_CHECK;
    if (m_compiled->global)
        options |= PCRE2_SUBSTITUTE_GLOBAL;
    std::string out(subject.size() + with.size() + 64, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        PCRE2_SIZE length = out.size();
        const int rc = pcre2_substitute(m_compiled->code.get(), reinterpret_cast<PCRE2_SPTR>(subject.data()),
                                        subject.size(), 0, options, nullptr, nullptr,
                                        reinterpret_cast<PCRE2_SPTR>(with.data()), with.size(),
                                        reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
        if (rc >= 0) {
            out.resize(length);
            return utf8ToCp936(out);
        }
        if (rc != PCRE2_ERROR_NOMEMORY)
            return {};
        out.assign(length, '\0');
    }
    return {};
}

std::int32_t RegexObject::execute(std::string_view text)
{
    m_matches.reset();
    m_lastCount = 0;
    if (!m_compiled)
        return 0;

    const Subject subject(text, m_compiled->onlySeesAscii);
    const std::string_view u8 = subject.utf8();
    const auto* data = reinterpret_cast<PCRE2_SPTR>(u8.data());
    pcre2_code* code = m_compiled->code.get();
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> matchData(pcre2_match_data_create_from_pattern(code, nullptr));
    if (!matchData)
        return 0;

    auto matches = std::make_shared<Matches>();
    matches->pairsPerMatch = m_compiled->groupCount + 1;
    std::vector<std::size_t> utf8Ranges;

    PCRE2_SIZE start = 0;
    // The subject is UTF-8 of our own making: checking it on every call would
    // make a global match quadratic.
    constexpr std::uint32_t kBase = PCRE2_NO_UTF_CHECK;
    std::uint32_t flags = 0;
    while (start <= u8.size()) {
        const int rc = pcre2_match(code, data, u8.size(), start, kBase | flags, matchData.get(), nullptr);
        if (rc == PCRE2_ERROR_NOMATCH && flags != 0) {
            // An empty match was refused here: step over one character.
            if (start >= u8.size())
                break;
            ++start;
            while (start < u8.size() && (static_cast<unsigned char>(u8[start]) & 0xC0) == 0x80)
                ++start;
            flags = 0;
            continue;
        }
        if (rc < 0)
            break;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(matchData.get());
        for (std::size_t i = 0; i < matches->pairsPerMatch; ++i) {
            const bool set = i < static_cast<std::size_t>(rc) && ovector[2 * i] != PCRE2_UNSET;
            utf8Ranges.push_back(set ? ovector[2 * i] : PCRE2_UNSET);
            utf8Ranges.push_back(set ? ovector[2 * i + 1] : PCRE2_UNSET);
        }
        if (!m_compiled->global)
            break;
        start = ovector[1];
        flags = ovector[0] == ovector[1] ? PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED : 0;
    }

    const std::size_t pairs = matches->pairsPerMatch;
    const std::size_t count = utf8Ranges.size() / (2 * pairs);
    matches->texts.reserve(count);
    matches->ranges.reserve(utf8Ranges.size());
    const std::string_view original = subject.original();
    for (std::size_t m = 0; m < count; ++m) {
        const std::size_t* u = &utf8Ranges[m * 2 * pairs];
        const std::size_t begin = subject.originalOffset(u[0]);
        const std::size_t end = subject.originalOffset(u[1]);
        matches->texts.emplace_back(original.substr(begin, end - begin));
        matches->ranges.push_back(0);
        matches->ranges.push_back(end - begin);
        for (std::size_t g = 1; g < pairs; ++g) {
            for (std::size_t side = 0; side < 2; ++side) {
                const std::size_t offset = u[2 * g + side];
                matches->ranges.push_back(offset == PCRE2_UNSET ? offset : subject.originalOffset(offset) - begin);
            }
        }
    }
    m_lastCount = static_cast<std::int32_t>(count);
    m_matches = std::move(matches);
    return m_lastCount;
}

std::int32_t RegexObject::matchCount() const { return m_lastCount; }

Text RegexObject::matchText(std::int32_t match) const { return subMatchText(match, 0); }

Text RegexObject::subMatchText(std::int32_t match, std::int32_t group) const
{
    if (!m_matches || match < 1 || match > m_lastCount || group < 0 ||
        static_cast<std::size_t>(group) >= m_matches->pairsPerMatch)
        return {};
    const std::size_t index = static_cast<std::size_t>(match) - 1;
    const std::size_t base = index * m_matches->pairsPerMatch * 2 + static_cast<std::size_t>(group) * 2;
    const std::size_t begin = m_matches->ranges[base];
    const std::size_t end = m_matches->ranges[base + 1];
    if (begin == PCRE2_UNSET || end <= begin)
        return {};
    return m_matches->texts[index].substr(begin, end - begin);
}

std::int32_t RegexObject::subMatchCount() const
{
    if (!m_matches || m_lastCount == 0)
        return 0;
    return static_cast<std::int32_t>(m_matches->pairsPerMatch - 1);
}

} // namespace gleaner
