#include "harvest/linkresolution.h"

#include "support/codepage.h"

#include <curl/curl.h>

#include <memory>

namespace gleaner {

namespace {

constexpr EngineIndex kBaidu = 0;
constexpr EngineIndex kGoogle = 4;

struct CurlDeleter {
    void operator()(CURL* curl) const noexcept { curl_easy_cleanup(curl); }
};
struct SlistDeleter {
    void operator()(curl_slist* list) const noexcept { curl_slist_free_all(list); }
};

void initCurlOnce()
{
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

// The response body is not looked at.
std::size_t discardBody(char*, std::size_t size, std::size_t count, void*) { return size * count; }

bool isHttpAddress(std::string_view link)
{
    auto startsWithFolded = [&](std::string_view prefix) {
        if (link.size() < prefix.size())
            return false;
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            char c = link[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != prefix[i])
                return false;
        }
        return true;
    };
    return startsWithFolded("http://") || startsWithFolded("https://");
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RedirectSettings& redirectSettings()
{
    static RedirectSettings settings;
    return settings;
}

Text resolveRedirect(std::string_view link)
{
    // Only web addresses are requested: a page must not make the program
    // read local files or talk other protocols.
    if (link.empty() || !isHttpAddress(link))
        return {};
    initCurlOnce();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return {};
    const RedirectSettings& settings = redirectSettings();
    const std::string url(link);
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings.connectTimeout.count()));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(settings.totalTimeout.count()));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, discardBody);
    std::unique_ptr<curl_slist, SlistDeleter> connectTo;
    for (const std::string& entry : settings.connectTo)
        connectTo.reset(curl_slist_append(connectTo.release(), entry.c_str()));
    if (connectTo)
        curl_easy_setopt(c, CURLOPT_CONNECT_TO, connectTo.get());

    if (curl_easy_perform(c) != CURLE_OK)
        return {};
    curl_header* location = nullptr;
    if (curl_easy_header(c, "Location", 0, CURLH_HEADER, -1, &location) != CURLHE_OK || location == nullptr)
        return {};
    return Text(location->value);
}

namespace {

// Turns every "%XY" escape into its byte; the bytes are not interpreted.
std::string decodeEscapes(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            bytes.push_back(text[i]);
            continue;
        }
        const int high = i + 1 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
        if (high >= 0 && low >= 0 && (high != 0 || low != 0))
            bytes.push_back(static_cast<char>(high * 16 + low));
        i += 2; // the two bytes after "%" are consumed in every case
    }
    return bytes;
}

} // namespace

Text percentDecode(std::string_view text) { return utf8ToGbk(textToBytes(decodeEscapes(text))); }

ByteBuffer utf8ToUtf16(const ByteBuffer& utf8)
{
    const std::u16string units = gleaner::utf8ToUtf16(utf8.view());
    std::vector<std::uint8_t> out;
    out.reserve(units.size() * 2);
    for (char16_t u : units) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return ByteBuffer(std::move(out));
}

Text utf16ToGbk(const ByteBuffer& utf16)
{
    std::u16string units;
    units.reserve(static_cast<std::size_t>(utf16.length()) / 2);
    for (std::size_t i = 0; i + 1 < static_cast<std::size_t>(utf16.length()); i += 2)
        units.push_back(static_cast<char16_t>(utf16[i] | utf16[i + 1] << 8));
    const std::string cp936 = utf8ToCp936(utf16ToUtf8(units));
    return bytesToText(textToBytes(cp936));
}

Text utf8ToGbk(const ByteBuffer& utf8) { return utf16ToGbk(utf8ToUtf16(utf8)); }

Text resolveResultLink(const HarvestState& state, std::string_view link)
{
    switch (state.searchEngine) {
    case kBaidu:
        return percentDecode(resolveRedirect(link));
    case kGoogle:
        // The target may itself be escaped twice ("%2541"). Both rounds work
        // on bytes, and the UTF-8 is read once at the end: reading it after
        // the first round would turn Chinese characters into other ones.
        if (findText(link, "/url?q=") >= 1)
            return utf8ToGbk(textToBytes(decodeEscapes(decodeEscapes(textBetween(link, "/url?q=", "&sa=")))));
        return Text(link);
    default:
        return Text(link);
    }
}

} // namespace gleaner
