#pragma once

// An imitation of the five engines on one loopback server. The browser
// reaches it as its proxy, so every host name and the numeric google address
// land here; the link resolver reaches the Baidu redirector through curl's
// connect-to setting.
//
// Every keyword has kTotal results. A page shows `count` of them from an
// offset that each engine's own address layout carries, with the engine's own
// next and previous links on it.

#include "common/fixture_server.h"

#include <atomic>
#include <map>
#include <string>

namespace gleaner::testing {

class EngineWeb {
public:
    static constexpr int kTotal = 25;

    // The address a result's heading link leads to in the end.
    static std::string baiduTarget(int r) { return "http://site" + std::to_string(r % 9) + ".example/page" + std::to_string(r) + "/中文"; }
    static std::string bingTarget(int r) { return "http://bing" + std::to_string(r) + ".example/a/b"; }
    static std::string sosoTarget(int r) { return "http://soso" + std::to_string(r) + ".example/x"; }
    static std::string sougouTarget(int r) { return "http://sogou" + std::to_string(r) + ".example/y"; }
    static std::string googleTarget(int r)
    {
        return "http://g" + std::to_string(r % 5) + ".example/doc" + std::to_string(r) + "?x=1";
    }

    // Sougou's page `captchaPage` shows a captcha until its form is sent.
    int captchaPage = 0;
    std::atomic<bool> captchaSolved{false};

    int start()
    {
        m_server.handle("(.*)", [this](const httplib::Request& req, httplib::Response& res) { serve(req, res); });
        return m_server.start();
    }
    FixtureServer& server() { return m_server; }

private:
    static int number(const httplib::Request& req, const char* key, int fallback)
    {
        if (!req.has_param(key))
            return fallback;
        return std::atoi(req.get_param_value(key).c_str());
    }

    static std::string pageHead(const std::string& title)
    {
        return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title +
               "</title></head><body><div id=\"wrapper\"><div id=\"content_left\">\n";
    }

    // One result block: an h3 with attributes and nested tags, a Chinese
    // title and an abstract.
    static std::string result(int r, const std::string& href)
    {
        return "<div class=\"result c-container\" id=\"" + std::to_string(r + 1) +
               "\"><h3 class=\"t c-title\" data-tools='{\"n\":1}'><a target=\"_blank\" href=\"" + href +
               "\" data-click=\"{'F':'778317EA'}\">结果 <em>关键字</em> 第" + std::to_string(r + 1) +
               "条</a></h3><div class=\"c-abstract\"><span>2026年12月1日&nbsp;-&nbsp;</span>这是摘要，"
               "<em>关键字</em>出现在这里。</div></div>\n";
    }

    void serve(const httplib::Request& req, httplib::Response& res)
    {
        const std::string described = FixtureServer::describe(req);
        const std::string host = described.substr(0, described.find('/'));
        const std::string path = pathOf(described);
        std::string html;
        if (host == "www.baidu.com" && path == "/link") {
            const int r = std::atoi(req.get_param_value("url").substr(1).c_str());
            res.status = 302;
            res.set_header("Location", percentEncoded(baiduTarget(r)));
            return;
        }
        if (host == "www.baidu.com" && path == "/s") {
            const int size = number(req, "rn", 10), offset = number(req, "pn", 0);
            html = page("百度一下", offset, size, [](int r) { return "http://www.baidu.com/link?url=b" + std::to_string(r); },
                        "/s?wd=kw&amp;pn=" + std::to_string(offset + size), "/s?wd=kw&amp;pn=" + std::to_string(offset - size),
                        "&gt;", "&lt;", "class=\"n\"");
        } else if (host == "cn.bing.com" && path == "/search") {
            const int size = number(req, "count", 10), first = number(req, "first", 1);
            const int offset = first > 0 ? first - 1 : 0;
            html = page("必应", offset, size, bingTarget,
                        "/search?q=kw&amp;first=" + std::to_string(offset + size + 1) + "&amp;FORM=PORE",
                        "/search?q=kw&amp;first=" + std::to_string(offset - size + 1) + "&amp;FORM=PQRE", "", "",
                        "class=\"sb_pagN\"");
        } else if (host == "www.soso.com" && path == "/q") {
            const int pg = number(req, "pg", 1), offset = (pg - 1) * 10;
            html = page("搜搜", offset, 10, sosoTarget, "/q?w=kw&amp;pg=" + std::to_string(pg + 1),
                        "/q?w=kw&amp;pg=" + std::to_string(pg - 1), "", "", "");
            // The engine's own links under its headings are not results.
            html += "<h3><a href=\"http://wenwen.SOSO.com/z/q1.htm\">问问</a></h3><h3><a href=\"/q?w=related\">相关</a></h3>";
        } else if (host == "www.sogou.com" && path == "/antispider") {
            captchaSolved = true;
            res.status = 302;
            res.set_header("Location", req.get_param_value("from"));
            return;
        } else if (host == "www.sogou.com" && path == "/web") {
            const int p = number(req, "page", 1), size = number(req, "num", 10), offset = (p - 1) * size;
            if (p == captchaPage && !captchaSolved) {
                html = pageHead("验证") + "<p>请输入以下验证码</p><form method=\"get\" action=\"/antispider\">"
                       "<input name=\"code\"><input type=\"hidden\" name=\"from\" value=\"http://www.sogou.com" +
                       req.target.substr(req.target.find("/web")) + "\"></form></div></div></body></html>";
            } else {
                html = page("搜狗", offset, size, sougouTarget, "/web?query=kw&amp;page=" + std::to_string(p + 1),
                            "/web?query=kw&amp;page=" + std::to_string(p - 1), "&gt;", "&lt;", "");
                // A frame in the page: the browser loads it as well.
                html.insert(html.find("</body>"), "<iframe src=\"/frame\" width=\"10\" height=\"10\"></iframe>");
            }
        } else if (host == "www.sogou.com" && path == "/frame") {
            html = pageHead("frame") + "frame</div></div></body></html>";
        } else if (host == "142.250.66.100" && path == "/search") {
            const int size = number(req, "num", 10), offset = number(req, "start", 0);
            html = page("Google", offset, size,
                        [](int r) {
                            return "/url?q=" + percentEncoded(googleTarget(r)) + "&amp;sa=U&amp;ved=0ahUKE" + std::to_string(r);
                        },
                        "/search?q=kw&amp;start=" + std::to_string(offset + size),
                        "/search?q=kw&amp;start=" + std::to_string(offset - size), "", "", "class=\"fl\"");
        } else {
            html = pageHead("首页") + "home</div></div></body></html>";
        }
        res.set_content(html, "text/html; charset=utf-8");
    }

    // The path of a described request, without its query.
    static std::string pathOf(const std::string& described)
    {
        const std::string target = described.substr(described.find('/'));
        return target.substr(0, target.find('?'));
    }

    template <typename Link>
    static std::string page(const std::string& title, int offset, int size, Link link, const std::string& nextHref,
                            const std::string& previousHref, const std::string& nextTail,
                            const std::string& previousHead, const std::string& linkAttributes)
    {
        std::string html = pageHead(title + " kw");
        const int end = std::min(offset + (size > 0 ? size : 10), kTotal);
        for (int r = offset; r < end; ++r)
            html += result(r, link(r));
        html += "</div><p id=\"page\">";
        if (offset > 0)
            html += "<a " + linkAttributes + " href=\"" + previousHref + "\">" + previousHead + "上一页</a>";
        if (end < kTotal)
            html += "<a " + linkAttributes + " href=\"" + nextHref + "\">下一页" + nextTail + "</a>";
        return html + "</p></div></body></html>";
    }

    // UTF-8 bytes outside plain ASCII, and the characters that would end a
    // query parameter, as %XY escapes.
    static std::string percentEncoded(const std::string& s)
    {
        static const char* hex = "0123456789ABCDEF";
        std::string out;
        for (unsigned char c : s) {
            if (c >= 0x80 || c == '?' || c == '=' || c == '&' || c == '%') {
                out += '%';
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
        return out;
    }

    FixtureServer m_server;
};

} // namespace gleaner::testing
