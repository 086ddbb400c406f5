#include "support/codepage.h"

#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <utf8proc.h>
#include <vector>

namespace gleaner {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kNoChar = 0xFFFFFFFF;

// Owns one iconv conversion descriptor.
class Iconv final {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) { }
    ~Iconv()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; false when iconv refuses any of it.
    bool convert(const void* in, std::size_t inLength, void* out, std::size_t outCapacity, std::size_t& outLength)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(static_cast<const char*>(in));
        char* dst = static_cast<char*>(out);
        std::size_t inLeft = inLength;
        std::size_t outLeft = outCapacity;
        const std::size_t rc = iconv(m_cd, &src, &inLeft, &dst, &outLeft);
        outLength = outCapacity - outLeft;
        return rc != static_cast<std::size_t>(-1) && inLeft == 0;
    }

private:
    iconv_t m_cd;
};

bool isPairLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool isPairTrail(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }
std::size_t pairIndex(unsigned char lead, unsigned char trail) { return (lead - 0x81u) * 191u + (trail - 0x40u); }

// A code point's UTF-8 bytes in the low bytes and their count in the top
// byte, so a converter can store four bytes at once and advance by the count.
std::uint32_t packUtf8(char32_t cp)
{
    std::string bytes;
    appendUtf8(bytes, cp == kNoChar ? kReplacement : cp);
    std::uint32_t packed = static_cast<std::uint32_t>(bytes.size()) << 24;
    for (std::size_t i = 0; i < bytes.size() && i < 3; ++i)
        packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return packed;
}

struct Tables {
    std::array<char32_t, 128> high{};                 // bytes 0x80..0xFF alone
    std::vector<char32_t> pairs = std::vector<char32_t>(126 * 191, kNoChar);
    std::vector<std::uint16_t> fromBmp = std::vector<std::uint16_t>(0x10000, 0); // 0: none
    std::array<std::uint32_t, 128> packedHigh{};
    std::vector<std::uint32_t> packedPairs = std::vector<std::uint32_t>(126 * 191, 0);

    Tables()
    {
        Iconv decode("UTF-32LE", "CP936");
        Iconv encode("CP936", "UTF-32LE");
        if (!decode.valid() || !encode.valid()) {
            pack(); // every non-ASCII character then converts to the replacement
            return;
        }
        auto toCodePoint = [&](const unsigned char* in, std::size_t n) -> char32_t {
            unsigned char out[8];
            std::size_t produced = 0;
            if (!decode.convert(in, n, out, sizeof out, produced) || produced != 4)
                return kNoChar;
            return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24);
        };
        for (unsigned b = 0x80; b <= 0xFF; ++b) {
            const unsigned char in = static_cast<unsigned char>(b);
            high[b - 0x80] = toCodePoint(&in, 1);
        }
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                const unsigned char in[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
                pairs[pairIndex(in[0], in[1])] = toCodePoint(in, 2);
            }
        }
        for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
            if (cp >= 0xD800 && cp <= 0xDFFF)
                continue;
            const unsigned char in[4] = {static_cast<unsigned char>(cp), static_cast<unsigned char>(cp >> 8), 0, 0};
            unsigned char out[8];
            std::size_t produced = 0;
            if (!encode.convert(in, 4, out, sizeof out, produced))
                continue;
            if (produced == 1)
                fromBmp[cp] = out[0];
            else if (produced == 2)
                fromBmp[cp] = static_cast<std::uint16_t>(out[0] << 8 | out[1]);
        }
        pack();
    }

    void pack()
    {
        for (std::size_t i = 0; i < high.size(); ++i)
            packedHigh[i] = packUtf8(high[i]);
        for (std::size_t i = 0; i < pairs.size(); ++i)
            packedPairs[i] = packUtf8(pairs[i]);
    }
};

const Tables& tables()
{
    static const Tables instance;
    return instance;
}

// Decodes one UTF-8 sequence; returns its width, or 0 for an invalid byte.
int decodeUtf8(const unsigned char* p, std::size_t n, char32_t& cp)
{
    const unsigned char b = p[0];
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    int width;
    char32_t min;
    if (b >= 0xC2 && b <= 0xDF) {
        width = 2;
        cp = b & 0x1F;
        min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        width = 3;
        cp = b & 0x0F;
        min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        width = 4;
        cp = b & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (n < static_cast<std::size_t>(width))
        return 0;
    for (int i = 1; i < width; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return width;
}

// Decodes UTF-8 into code points; kNoChar marks an invalid byte.
std::vector<char32_t> decodeAll(std::string_view utf8)
{
    std::vector<char32_t> out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp;
        const int w = decodeUtf8(p + i, utf8.size() - i, cp);
        if (w == 0) {
            out.push_back(kNoChar);
            ++i;
        } else {
            out.push_back(cp);
            i += static_cast<std::size_t>(w);
        }
    }
    return out;
}

// Composes a base character and following combining marks into the
// precomposed character where Unicode has one. Only composes: characters
// that are already precomposed are left as they are.
void composeRun(std::vector<char32_t>& cps, std::size_t begin, std::size_t end)
{
    if (end - begin < 2)
        return;
    std::vector<utf8proc_int32_t> run(cps.begin() + static_cast<std::ptrdiff_t>(begin),
                                      cps.begin() + static_cast<std::ptrdiff_t>(end));
    const utf8proc_ssize_t n = utf8proc_normalize_utf32(run.data(), static_cast<utf8proc_ssize_t>(run.size()),
                                                        static_cast<utf8proc_option_t>(UTF8PROC_COMPOSE));
    if (n < 0)
        return;
    std::size_t k = begin;
    for (utf8proc_ssize_t i = 0; i < n; ++i)
        cps[k++] = static_cast<char32_t>(run[static_cast<std::size_t>(i)]);
    for (std::size_t i = k; i < end; ++i)
        cps[i] = kNoChar - 1; // removed
}

} // namespace

namespace {

// One unit by the code page's rule; kNoChar when it maps to no character.
int decodeUnit(const unsigned char* p, std::size_t available, char32_t& codePoint)
{
    const unsigned char b = p[0];
    if (b < 0x80) {
        codePoint = b;
        return 1;
    }
    const Tables& t = tables();
    if (isPairLead(b) && available >= 2 && isPairTrail(p[1])) {
        codePoint = t.pairs[pairIndex(b, p[1])];
        return 2;
    }
    codePoint = t.high[b - 0x80];
    return 1;
}

} // namespace

int decodeCp936(const unsigned char* p, std::size_t available, char32_t& codePoint)
{
    const int width = decodeUnit(p, available, codePoint);
    if (codePoint == kNoChar)
        codePoint = kReplacement;
    return width;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

namespace {

static_assert(std::endian::native == std::endian::little, "packed UTF-8 stores assume little-endian");

// Writes the UTF-8 form of `text` to `base`, which must hold utf8Capacity()
// bytes, and returns its length.
template <bool kCheckpoints>
std::size_t convertToUtf8(std::string_view text, unsigned char* base, std::vector<OffsetPair>* checkpoints,
                          std::size_t stride)
{
    const Tables& t = tables();
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    unsigned char* w = base;
    std::size_t i = 0;
    std::size_t nextCheckpoint = 0;
    while (i < n) {
        if constexpr (kCheckpoints) {
            if (static_cast<std::size_t>(w - base) >= nextCheckpoint) {
                checkpoints->push_back({static_cast<std::size_t>(w - base), i});
                nextCheckpoint = (static_cast<std::size_t>(w - base) / stride + 1) * stride;
            }
        }
        const unsigned char b = p[i];
        if (b < 0x80) {
            // Runs of ASCII go eight bytes at a time.
            std::uint64_t chunk;
            if (i + 8 <= n && (std::memcpy(&chunk, p + i, 8), (chunk & 0x8080808080808080ull) == 0)) {
                std::memcpy(w, &chunk, 8);
                w += 8;
                i += 8;
            } else {
                *w++ = b;
                ++i;
            }
            continue;
        }
        std::uint32_t packed;
        if (isPairLead(b) && i + 1 < n && isPairTrail(p[i + 1])) {
            packed = t.packedPairs[pairIndex(b, p[i + 1])];
            i += 2;
        } else {
            packed = t.packedHigh[b - 0x80];
            ++i;
        }
        std::memcpy(w, &packed, 4); // the count byte is overwritten by what follows
        w += packed >> 24;
    }
    return static_cast<std::size_t>(w - base);
}

} // namespace

std::size_t utf8Capacity(std::string_view text) { return 3 * text.size() + 4; }

std::size_t cp936ToUtf8(std::string_view text, unsigned char* out, std::vector<OffsetPair>& checkpoints,
                        std::size_t stride)
{
    checkpoints.reserve(checkpoints.size() + text.size() / stride + 2);
    return convertToUtf8<true>(text, out, &checkpoints, stride);
}

std::string cp936ToUtf8(std::string_view text)
{
    const std::unique_ptr<unsigned char[]> buffer(new unsigned char[utf8Capacity(text)]);
    const std::size_t length = convertToUtf8<false>(text, buffer.get(), nullptr, 0);
    return std::string(reinterpret_cast<const char*>(buffer.get()), length);
}

std::optional<std::string> cp936ToUtf8Strict(std::string_view text)
{
    std::string out;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp;
        i += static_cast<std::size_t>(decodeUnit(p + i, text.size() - i, cp));
        if (cp == kNoChar)
            return std::nullopt;
        appendUtf8(out, cp);
    }
    return out;
}

std::string utf8ToCp936(std::string_view utf8)
{
    std::vector<char32_t> cps = decodeAll(utf8);
    // Compose each run of valid code points that holds a non-ASCII character.
    std::size_t runStart = 0;
    bool runHasNonAscii = false;
    for (std::size_t i = 0; i <= cps.size(); ++i) {
        if (i == cps.size() || cps[i] == kNoChar) {
            if (runHasNonAscii)
                composeRun(cps, runStart, i);
            runStart = i + 1;
            runHasNonAscii = false;
        } else if (cps[i] >= 0x80) {
            runHasNonAscii = true;
        }
    }

    const Tables& t = tables();
    std::string out;
    out.reserve(utf8.size());
    for (char32_t cp : cps) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        if (cp == kNoChar - 1)
            continue; // absorbed by composition
        const std::uint16_t code = cp < 0x10000 ? t.fromBmp[cp] : 0;
        if (code == 0)
            out.push_back('?');
        else if (code < 0x100)
            out.push_back(static_cast<char>(code));
        else {
            out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::u16string utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (char32_t cp : decodeAll(utf8)) {
        if (cp == kNoChar)
            cp = kReplacement;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

} // namespace gleaner
