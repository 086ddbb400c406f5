#include "common/fake_window.h"
#include "common/fixture_server.h"

#include "harvest/collect.h"
#include "harvest/linkresolution.h"
#include "search/literals.h"

#include <gtest/gtest.h>

using namespace gleaner;
using gleaner::testing::FakeWindow;

namespace {

std::string heading(const std::string& href) { return "<h3 class=\"t\"><a href=\"" + href + "\">t</a></h3>"; }

class CollectTest : public ::testing::Test {
protected:
    CollectTest()
    {
        initHarvestState(state);
        state.searchEngine = 1; // links pass unchanged
    }
    std::vector<Text> collect(const std::string& html)
    {
        window.html = html;
        collectPage(state, window);
        return window.list;
    }
    HarvestState state;
    FakeWindow window;
};

TEST_F(CollectTest, FindsTheFirstLinkOfEveryHeading)
{
    const std::string page = "<html><H3><A HREF=\"x\">caps</A> <a href=\"http://caps.com/\">c</a></H3>"
                             "<h3>\n<a href=\"http://linefeed.com/\">lf</a></h3>" +
                             heading("http://one.com/") + heading("http://two.com/") + "\n" +
                             "<h3><a href=\"http://first.com/\">1</a><a href=\"http://second.com/\">2</a></h3>"
                             "<h3 class=\"t\">no link</h3>"
                             "<h3><a href=\"http://a.com/?x=1&amp;y=2\">amp</a></h3></html>";
    EXPECT_EQ(collect(page), (std::vector<Text>{"http://caps.com/", "http://one.com/", "http://two.com/",
                                                "http://first.com/", "http://a.com/?x=1&y=2"}));
    EXPECT_EQ(window.countLabel, "5");
}

TEST_F(CollectTest, DropsEngineAndRelativeLinksWithoutTouchingTheLabel)
{
    collect(heading("http://www.SoSo.com/q?w=x") + heading("/relative") + heading("//cdn.example/x") +
            heading("http://news.soso.COM/a"));
    EXPECT_TRUE(window.list.empty());
    EXPECT_EQ(window.countLabel, "-");
    EXPECT_EQ(window.processed, 1); // only at the start: no link got far enough
}

TEST_F(CollectTest, PageWithoutHeadingsLeavesTheLabel)
{
    collect("<html><h2>none</h2></html>");
    EXPECT_EQ(window.countLabel, "-");
    collect(heading("\"")); // a heading whose link is empty refreshes it
    EXPECT_EQ(window.countLabel, "0");
}

TEST(DomainOf, CutsFromTheTenthByte)
{
    struct Case {
        std::string link, expected;
    };
    for (const Case& c : {Case{"http://ab.com/path/x", "http://ab.com"}, Case{"http://a/b/c", "http://a/b"},
                          Case{"http://a/b", "http://a/b"}, Case{"https://a/b", "https://a"},
                          Case{"https://www.x.cn/", "https://www.x.cn"}, Case{"www.example.com/x", "www.example.com"},
                          Case{"ab.cn/x/yz", "ab.cn/x/yz"}, Case{"ab.cn/xyzw/q", "ab.cn/xyzw"},
                          Case{"http://ab", "http://ab"}, Case{"http://\xD6\xD0.cn/x", "http://\xD6\xD0.cn"}})
        EXPECT_EQ(domainOf(c.link), c.expected) << c.link;
}

TEST_F(CollectTest, DomainOnlyAndDeduplicate)
{
    window.domainOnlyBox = true;
    window.deduplicateBox = true;
    collect(heading("http://a.com/1") + heading("http://a.com/2") + heading("http://b.com/"));
    EXPECT_EQ(window.list, (std::vector<Text>{"http://a.com", "http://b.com"}));
    EXPECT_EQ(window.countLabel, "2");
}

TEST_F(CollectTest, DeduplicateOnOffOn)
{
    const std::string page = heading("http://a.com/") + heading("http://a.com/");
    window.deduplicateBox = true;
    collect(page);                    // a once, learnt
    window.deduplicateBox = false;
    collect(heading("http://b.com/") + page); // appended as they come, not learnt
    window.deduplicateBox = true;
    collect(heading("http://b.com/") + page); // b is new to the set, a is not
    EXPECT_EQ(window.list, (std::vector<Text>{"http://a.com/", "http://b.com/", "http://a.com/", "http://a.com/",
                                              "http://b.com/"}));
    EXPECT_EQ(state.seenLinks->size(), 2u);
}

TEST_F(CollectTest, CheckBoxesAreReadAtEveryLink)
{
    window.onProcessEvents = [this] {
        if (window.list.size() == 1)
            window.domainOnlyBox = true;
    };
    collect(heading("http://a.com/1") + heading("http://b.com/2"));
    EXPECT_EQ(window.list, (std::vector<Text>{"http://a.com/1", "http://b.com"}));
}

TEST_F(CollectTest, GoogleWrappersAreUnwrapped)
{
    state.searchEngine = 4;
    collect(heading("/url?q=http://t.com/%E4%B8%AD&amp;sa=U&amp;ved=2") + heading("http://plain.com/%41"));
    EXPECT_EQ(window.list, (std::vector<Text>{"http://t.com/\xD6\xD0", "http://plain.com/%41"}));
}

TEST_F(CollectTest, BaiduLinksGoThroughTheRedirectorInPageOrder)
{
    gleaner::testing::FixtureServer redirector;
    redirector.handle("/link", [](const httplib::Request& req, httplib::Response& res) {
        const std::string n = req.get_param_value("url");
        if (n == "none")
            return; // no Location: the link is dropped
        res.status = 302;
        res.set_header("Location", "http://target" + n + ".example/%E4%B8%AD");
    });
    const int port = redirector.start();
    state.searchEngine = 0;
    const std::string base = "http://127.0.0.1:" + std::to_string(port) + "/link?url=";
    collect(heading(base + "3") + heading(base + "none") + heading(base + "1") + heading(base + "2"));
    EXPECT_EQ(window.list, (std::vector<Text>{"http://target3.example/\xD6\xD0", "http://target1.example/\xD6\xD0",
                                              "http://target2.example/\xD6\xD0"}));
    EXPECT_EQ(redirector.requests().size(), 4u);
}

TEST_F(CollectTest, WaitsOutACaptchaAndTellsOnce)
{
    const Text captcha = literals::cp936("<html>请输入以下验证码</html>");
    int looks = 0;
    window.onWait = [&](std::int32_t ms) {
        if (ms == 2000 && ++looks == 2)
            window.html = heading("http://after.com/");
    };
    window.html = captcha;
    collectPage(state, window);
    EXPECT_EQ(window.waits, (std::vector<std::int32_t>{2000, 2000}));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, literals::cp936("貌似要验证码,输入验证码后将继续."));
    EXPECT_FALSE(window.messages[0].error);
    EXPECT_EQ(state.captchaPrompts, 2);
    EXPECT_EQ(window.list, (std::vector<Text>{"http://after.com/"}));

    // A later captcha page without a reset: no message, the wait still happens.
    looks = 0;
    window.html = captcha;
    collectPage(state, window);
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.waits.size(), 4u);
}

} // namespace
