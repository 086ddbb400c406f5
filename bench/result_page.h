#pragma once

// A synthetic search result page for benchmarks: about `targetBytes` of code
// page 936 HTML, mostly Chinese text, with `headings` result headings spread
// evenly through it, as a real result page has them.

#include <cstdint>
#include <string>

namespace gleaner::bench {

inline std::string chineseRun(std::uint32_t& seed, std::size_t characters)
{
    std::string out;
    out.reserve(characters * 2);
    for (std::size_t i = 0; i < characters; ++i) {
        seed = seed * 1664525u + 1013904223u;
        // GB2312 level-1 hanzi: lead 0xB0..0xD7, trail 0xA1..0xFE.
        out.push_back(static_cast<char>(0xB0 + (seed >> 24) % 40));
        out.push_back(static_cast<char>(0xA1 + (seed >> 16) % 94));
        if ((seed & 0x1F) == 0)
            out += "\xA3\xAC"; // full-width comma
    }
    return out;
}

inline std::string resultPage(std::size_t targetBytes = 1u << 20, int headings = 500)
{
    std::uint32_t seed = 12345;
    std::string page = "<!DOCTYPE html><html><head><meta charset=\"gbk\"><title>"
                       "\xCB\xD1\xCB\xF7\xBD\xE1\xB9\xFB</title></head><body><div id=\"content_left\">\n";
    const std::size_t perResult = targetBytes / static_cast<std::size_t>(headings);
    for (int i = 0; i < headings; ++i) {
        const std::size_t start = page.size();
        page += "<div class=\"result c-container\" id=\"" + std::to_string(i + 1) + "\">";
        page += "<h3 class=\"t\"><a href=\"http://www.baidu.com/link?url=Ab" + std::to_string(i * 7919) +
                "xYz&amp;wd=&amp;eqid=9f" + std::to_string(i) + "\" target=\"_blank\">";
        page += chineseRun(seed, 12) + "<em>\xB9\xD8\xBC\xFC\xD7\xD6</em>" + chineseRun(seed, 8) + "</a></h3>";
        page += "<div class=\"c-abstract\"><span class=\"m\">2026-12-01&nbsp;-&nbsp;</span>";
        while (page.size() - start + 200 < perResult)
            page += chineseRun(seed, 40) + "<em>\xB9\xD8\xBC\xFC\xD7\xD6</em>";
        page += "</div><div class=\"f13\"><a target=\"_blank\" href=\"http://www.baidu.com/link?url=c" +
                std::to_string(i) + "&amp;p=2\" class=\"c-showurl\">www.example" + std::to_string(i) +
                ".com/a/b</a></div></div>\n";
    }
    page += "</div><p id=\"page\"><a href=\"/s?wd=x&amp;pn=10\" class=\"n\">\xCF\xC2\xD2\xBB\xD2\xB3&gt;</a></p>"
            "</body></html>";
    return page;
}

} // namespace gleaner::bench
