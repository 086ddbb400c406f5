#include "search/addresses.h"

#include "search/engines.h"
#include "support/codepage.h"
#include "support/numbers.h"

namespace gleaner {

namespace {

void appendEscape(Text& out, unsigned char byte)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    out.push_back('%');
    out.push_back(kHex[byte >> 4]);
    out.push_back(kHex[byte & 0x0F]);
}

bool changesAddress(unsigned char b) { return b == '%' || b == '&' || b == '#' || b == '+'; }

// Baidu and google address pages by the offset of their first result.
std::int32_t offsetOfPage(HarvestState& state, std::int32_t page)
{
    std::int32_t offset = wrapSub(wrapMul(page, state.pageSize), state.pageSize);
    if (offset < 0) {
        state.pageNumber = 1;
        offset = 0;
    }
    return offset;
}

} // namespace

Text escapeKeyword(std::string_view keyword)
{
    // The four bytes are below 0x40, so none can be the second byte of a
    // double-byte character: a plain byte loop is safe.
    Text out;
    out.reserve(keyword.size());
    for (const char c : keyword) {
        const auto b = static_cast<unsigned char>(c);
        if (changesAddress(b))
            appendEscape(out, b);
        else
            out.push_back(c);
    }
    return out;
}

Text bingKeyword(std::string_view keyword)
{
    const std::optional<std::string> utf8 = cp936ToUtf8Strict(keyword);
    if (!utf8)
        return {};
    Text out;
    out.reserve(utf8->size() * 3);
    for (const char c : *utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 || changesAddress(b))
            appendEscape(out, b);
        else
            out.push_back(c);
    }
    return out;
}

void navigateEngine(HarvestState& state, SearchWindow& window, EngineIndex engine, std::int32_t value,
                    std::optional<std::string_view> suffix)
{
    if (engine < 0 || engine > 4)
        return;

    const Text keyword = window.keyword();
    Text address;
    switch (engine) {
    case 0: { // Baidu
        const std::int32_t offset = offsetOfPage(state, value);
        state.resultOffset = offset;
        address = concatText("http://", engines::kBaiduHost, "/s?wd=", escapeKeyword(keyword), "&pn=",
                             intToText(offset), "&rn=", window.countText());
        break;
    }
    case 1: // Bing
        address = concatText("http://", engines::kBingHost, "/search?q=", bingKeyword(keyword), "&first=",
                             intToText(value), suffix.value_or(std::string_view()), "&count=", window.countText());
        break;
    case 2: // Soso
        address = concatText("http://", engines::kSosoHost, "/q?w=", escapeKeyword(keyword), "&pg=", intToText(value));
        break;
    case 3: // Sougou
        address = concatText("http://", engines::kSougouHost, "/web?query=", escapeKeyword(keyword), "&page=",
                             intToText(value), "&num=", window.countText());
        break;
    case 4: { // google
        const std::int32_t offset = offsetOfPage(state, value);
        address = concatText(window.googleBase(), "/search?hl=zh-CN&q=", escapeKeyword(keyword), "&start=",
                             intToText(offset), "&num=", window.countText());
        break;
    }
    }
    window.navigate(address);
    window.setPageBoxText(intToText(state.pageNumber));
}

} // namespace gleaner
